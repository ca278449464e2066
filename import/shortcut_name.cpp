#include "import/shortcut_name.h"

#include <array>

#include "runtime/text.h"

namespace linkshelf {

namespace {

bool IsIllegalNameByte(char c) {
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

bool IsReservedDeviceName(std::string_view name) {
  // The device is named by the part before the first dot, blanks at its end ignored.
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
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

std::string ShortcutFileName(std::string_view link_text) {
  size_t last_mark = std::string_view::npos;
  ForEachCharacter(link_text, [&](size_t pos, std::string_view character) {
    if (character == "." || character == "\\" || character == ":") last_mark = pos;
  });
  std::string name(link_text);
  if (last_mark != std::string_view::npos && link_text[last_mark] == '.') name.resize(last_mark);
  name += ".url";
  return name;
}

std::string MakeLegalName(std::string_view name) {
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
  if (IsReservedDeviceName(legal)) legal.insert(legal.begin(), '_');
  return legal;
}

}  // namespace linkshelf
