#include "import/shortcut_name.h"

#include <array>

#include "runtime/text.h"

namespace linkshelf {

namespace {

constexpr bool IsIllegalNameByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case '/':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
    case ':':
      return true;
    default:
      return false;
  }
}

// The bytes that may make a name illegal: control bytes and the marks a name
// cannot hold. A trail byte of a double-byte character may be one of them
// without being one.
constexpr std::array<bool, 256> kSuspectNameBytes = [] {
  std::array<bool, 256> suspect{};
  for (int byte = 0; byte < 256; ++byte) suspect[byte] = IsIllegalNameByte(static_cast<char>(byte));
  return suspect;
}();

bool IsReservedDeviceName(std::string_view name) {
  // Every name is asked about; nearly all start with a byte that no device name starts with.
  switch (LowerAsciiByte(name.empty() ? '\0' : name[0])) {
    case 'a':
    case 'c':
    case 'l':
    case 'n':
    case 'p':
      break;
    default:
      return false;
  }
  // The device is named by the part before the first dot, blanks at its end ignored.
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  if (stem.size() != 3 && stem.size() != 4) return false;
  static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kPlain) {
    if (EqualsIgnoringAsciiCase(stem, device)) return true;
  }
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
    const std::string_view prefix = stem.substr(0, 3);
    return EqualsIgnoringAsciiCase(prefix, "com") || EqualsIgnoringAsciiCase(prefix, "lpt");
  }
  return false;
}

}  // namespace

void AssignShortcutFileName(std::string_view link_text, std::string& name) {
  size_t last_mark = std::string_view::npos;
  for (size_t pos = 0; pos < link_text.size();) {
    const size_t length = CharacterLength(link_text, pos);
    const char c = link_text[pos];
    if (length == 1 && (c == '.' || c == '\\' || c == ':')) last_mark = pos;
    pos += length;
  }
  const bool has_extension = last_mark != std::string_view::npos && link_text[last_mark] == '.';
  name.assign(link_text.substr(0, has_extension ? last_mark : link_text.size()));
  name += ".url";
}

std::string ShortcutFileName(std::string_view link_text) {
  std::string name;
  AssignShortcutFileName(link_text, name);
  return name;
}

bool IsLegalName(std::string_view name) {
  // Every level of every link's path is looked at here: the bytes are first
  // looked up all together, and only a name that holds a suspect byte is
  // walked character by character.
  bool suspect = false;
  for (const char c : name) suspect |= kSuspectNameBytes[static_cast<unsigned char>(c)];
  const bool ends_in_dot_or_blank = !name.empty() && (name.back() == '.' || name.back() == ' ');
  // A dot or blank after a byte of 0x80 or more may belong to that character.
  const bool end_is_plain = !ends_in_dot_or_blank || name.size() < 2 ||
                            static_cast<unsigned char>(name[name.size() - 2]) < 0x80;
  if (!suspect && end_is_plain) return !ends_in_dot_or_blank && !IsReservedDeviceName(name);
  bool trailing = false;  // the last character is a dot or a blank
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte >= 0x80) {
      if (IsLeadByte(byte)) ++i;
      trailing = false;
    } else if (byte > '?' && byte != '|') {
      trailing = false;
    } else if (IsIllegalNameByte(name[i])) {
      return false;
    } else {
      trailing = byte == '.' || byte == ' ';
    }
  }
  return !trailing && !IsReservedDeviceName(name);
}

void AppendLegalName(std::string_view name, std::string& out) {
  // Most names are legal as they stand and are only copied.
  if (IsLegalName(name)) {
    out.append(name);
    return;
  }
  std::string legal(name);
  size_t trailing_run = std::string::npos;  // start of the dots and blanks at the end
  for (size_t i = 0; i < legal.size();) {
    const size_t length = CharacterLength(legal, i);
    if (length == 1) {
      const char c = legal[i];
      if (IsIllegalNameByte(c)) legal[i] = '_';
      if (c == '.' || c == ' ') {
        if (trailing_run == std::string::npos) trailing_run = i;
      } else {
        trailing_run = std::string::npos;
      }
    } else {
      trailing_run = std::string::npos;
    }
    i += length;
  }
  if (trailing_run != std::string::npos) {
    for (size_t i = trailing_run; i < legal.size(); ++i) legal[i] = '_';
  }
  if (IsReservedDeviceName(legal)) out += '_';
  out += legal;
}

std::string MakeLegalName(std::string_view name) {
  std::string legal;
  AppendLegalName(name, legal);
  return legal;
}

}  // namespace linkshelf
