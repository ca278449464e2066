#include "import/browser_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "runtime/code_page.h"
#include "runtime/text.h"

namespace linkshelf {
namespace {

constexpr std::string_view kDoctype = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The length of the UTF-8 character at the start of `text`, or 0 when it is not one.
size_t Utf8CharacterLength(std::string_view text) {
  const auto first = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  char32_t least = 0;
  if (first < 0x80) return 1;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, least = 0x80;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, least = 0x800;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, least = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  char32_t code_point = first & (0x3F >> (length - 1));
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  return code_point < least || surrogate || code_point > 0x10FFFF ? 0 : length;
}

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    // Most of a file is ASCII, taken eight bytes at a step while no high bit is set.
    std::uint64_t eight = 0;
    if (i + sizeof eight <= text.size()) {
      std::memcpy(&eight, text.data() + i, sizeof eight);
      if ((eight & 0x8080808080808080u) == 0) {
        i += sizeof eight;
        continue;
      }
    }
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t length = Utf8CharacterLength(text.substr(i));
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// The character that the reference at the start of `text` (just after its
// `&`) stands for, and the bytes it takes up to and including its `;`.
struct Reference {
  char32_t character = 0;
  size_t length = 0;
};

std::optional<Reference> ReferenceAt(std::string_view text) {
  static constexpr struct {
    std::string_view name;
    char32_t character;
  } kNamed[] = {{"amp;", '&'},  {"lt;", '<'},    {"gt;", '>'},
                {"quot;", '"'}, {"apos;", '\''}, {"nbsp;", ' '}};
  // A no-break space is taken as a blank: in a file name it would only look like one.
  for (const auto& named : kNamed) {
    if (text.starts_with(named.name)) return Reference{named.character, named.name.size()};
  }
  if (!text.starts_with('#')) return std::nullopt;
  const bool hex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
  size_t i = hex ? 2 : 1;
  std::uint32_t value = 0;
  const size_t digits_start = i;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    if (value > 0x10FFFF) return std::nullopt;
  }
  if (i == digits_start || i >= text.size() || text[i] != ';') return std::nullopt;
  // No character, or half of a UTF-16 pair: the reference stays as it stands.
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  return Reference{value, i + 1};
}

// UTF-8 text with every reference decoded once.
std::string DecodeReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // The text between ampersands goes in whole.
  for (size_t i = 0; i < text.size();) {
    const size_t ampersand = std::min(text.find('&', i), text.size());
    out.append(text.substr(i, ampersand - i));
    if (ampersand == text.size()) break;
    i = ampersand + 1;
    if (const std::optional<Reference> reference = ReferenceAt(text.substr(i))) {
      AppendUtf8(out, reference->character);
      i += reference->length;
    } else {
      out += '&';
    }
  }
  return out;
}

// Raw text of the file as the program holds it: UTF-8 (or, where it is not,
// the code page) with references decoded, in the code page.
std::string ProgramText(std::string_view raw) {
  if (!IsUtf8(raw)) {
    // A `&#` of the file must reach the decoding below as it stands, so it is
    // kept from being taken for the code page's own reference.
    return Utf8ToCodePage(DecodeReferences(CodePageToUtf8(EscapeLiteralReferences(raw))));
  }
  if (raw.find('&') == std::string_view::npos) return Utf8ToCodePage(raw);
  return Utf8ToCodePage(DecodeReferences(raw));
}

// A name one level deep: a backslash, which would make a further folder
// level, becomes `_` and blanks around it go.
std::string OneLevelName(std::string text) {
  // The code page's double-byte characters may hold the byte of a backslash.
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (text[i] == '\\') {
      text[i] = '_';
    }
  }
  TrimInPlace(text);
  return text;
}

// A name as the file gives it, line breaks and tabs taken as blanks;
// `cleaned` is kept from name to name for its storage.
std::string NameText(std::string_view raw, std::string& cleaned) {
  cleaned.assign(raw);
  for (char& c : cleaned) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return OneLevelName(ProgramText(cleaned));
}

// One tag: its name in lower case (with the `/` of an end tag) and the text of
// its attributes.
struct Tag {
  std::string_view name;
  std::string_view attributes;
};

// The value of the attribute `wanted` (lower case), quoted with `"` or `'` or
// not at all; nothing when the tag does not have it.
std::optional<std::string_view> AttributeValue(std::string_view attributes,
                                               std::string_view wanted) {
  size_t i = 0;
  while (i < attributes.size()) {
    while (i < attributes.size() && (IsBlank(attributes[i]) || attributes[i] == '/')) ++i;
    const size_t name_start = i;
    while (i < attributes.size() && !IsBlank(attributes[i]) && attributes[i] != '=') ++i;
    const std::string_view name = attributes.substr(name_start, i - name_start);
    while (i < attributes.size() && IsBlank(attributes[i])) ++i;
    std::string_view value;
    if (i < attributes.size() && attributes[i] == '=') {
      ++i;
      while (i < attributes.size() && IsBlank(attributes[i])) ++i;
      if (i < attributes.size() && (attributes[i] == '"' || attributes[i] == '\'')) {
        const char quote = attributes[i++];
        const size_t end = attributes.find(quote, i);
        const size_t stop = end == std::string_view::npos ? attributes.size() : end;
        value = attributes.substr(i, stop - i);
        i = end == std::string_view::npos ? stop : stop + 1;
      } else {
        const size_t value_start = i;
        while (i < attributes.size() && !IsBlank(attributes[i])) ++i;
        value = attributes.substr(value_start, i - value_start);
      }
    }
    if (!name.empty() && EqualsIgnoringAsciiCase(name, wanted)) return value;
    if (name.empty() && i < attributes.size()) ++i;
  }
  return std::nullopt;
}

bool IsBrowserView(std::string_view address) {
  const std::string lower = LowerAscii(address.substr(0, 8));
  return lower.starts_with("place:") || lower.starts_with("about:") ||
         lower.starts_with("chrome:") || lower.starts_with("edge:");
}

// Walks the file tag by tag and builds the folders and links. The file is
// taken on as the searches need it, and the part passed is let go of, so a
// large one is never held whole.
class BookmarkReader {
 public:
  BookmarkReader(std::string start, TextSource more) : held_(std::move(start), std::move(more)) {
    result_.folders.push_back({0, {}});
    open_.push_back(Level{0, false});
  }

  BrowserBookmarks Read() {
    size_t at = 0;
    for (;;) {
      at -= held_.LetGoBefore(at);
      const size_t open = held_.Find('<', at);
      if (open == std::string::npos) break;
      if (capture_ != Capture::kNone) text_.append(bytes(), at, open - at);
      at = Markup(open);
    }
    // A search that found nothing took the rest of the file in.
    if (capture_ != Capture::kNone && at < bytes().size()) text_.append(bytes(), at);
    EndItem();
    OpenPendingFolder();
    return std::move(result_);
  }

 private:
  enum class Capture { kNone, kHeading, kLink };
  struct Level {
    size_t folder;
    bool adds_folder;  // false for a `<DL>` without a heading
  };

  const std::string& bytes() const { return held_.text(); }

  bool HasAt(size_t i, std::string_view text) {
    return held_.Has(i + text.size() - 1) && std::string_view(bytes()).substr(i).starts_with(text);
  }

  // Reads the markup that starts at `open` (a `<`); gives where reading goes on.
  size_t Markup(size_t open) {
    size_t i = open + 1;
    if (held_.Has(i) && (bytes()[i] == '!' || bytes()[i] == '?')) {
      if (HasAt(open, "<!--")) {
        const size_t end = held_.Find("-->", open + 4);
        return end == std::string::npos ? bytes().size() : end + 3;
      }
      const size_t end = held_.Find('>', open);
      return end == std::string::npos ? bytes().size() : end + 1;
    }
    const bool closing = held_.Has(i) && bytes()[i] == '/';
    if (closing) ++i;
    const size_t name_start = i;
    while (held_.Has(i) && IsAsciiLetterOrDigit(bytes()[i])) ++i;
    if (i == name_start) {
      // A `<` that starts no tag is text.
      if (capture_ != Capture::kNone) text_ += '<';
      return open + 1;
    }
    AssignLowerAscii(lowered_, std::string_view(bytes()).substr(name_start, i - name_start));
    tag_name_.clear();
    if (closing) tag_name_ += '/';
    tag_name_ += lowered_;
    const size_t end = TagEnd(i);
    const size_t stop = end == std::string::npos ? bytes().size() : end;
    Element(Tag{tag_name_, std::string_view(bytes()).substr(i, stop - i)});
    return end == std::string::npos ? bytes().size() : end + 1;
  }

  // The `>` that ends a tag whose attributes start at `from`: the first one
  // outside quotes, or, when a quote is never closed, the first one at all.
  // Reading goes on after the `>` found, so each byte is looked at about once.
  size_t TagEnd(size_t from) {
    for (size_t i = from; held_.Has(i); ++i) {
      const char c = bytes()[i];
      if (c == '>') return i;
      // Only a quote that opens a value counts; one inside a word is text.
      if ((c == '"' || c == '\'') && (bytes()[i - 1] == '=' || IsBlank(bytes()[i - 1]))) {
        // Only the last quote of its kind can go unclosed, so this search
        // runs to the end of the file at most twice.
        const size_t close = held_.Find(c, i + 1);
        if (close == std::string::npos) return held_.Find('>', from);
        i = close;
      }
    }
    return std::string::npos;
  }

  void Element(const Tag& tag) {
    const std::string_view name = tag.name;
    const bool heading = name.size() == 2 && name[0] == 'h' && name[1] >= '2' && name[1] <= '6';
    const bool heading_end =
        name.size() == 3 && name[0] == '/' && name[1] == 'h' && name[2] >= '2' && name[2] <= '6';
    if (name == "a") {
      EndItem();
      OpenPendingFolder();
      capture_ = Capture::kLink;
      const std::optional<std::string_view> href = AttributeValue(tag.attributes, "href");
      href_.assign(href ? *href : std::string_view());
    } else if (name == "/a") {
      if (capture_ == Capture::kLink) EndItem();
    } else if (heading) {
      EndItem();
      OpenPendingFolder();
      capture_ = Capture::kHeading;
    } else if (heading_end) {
      if (capture_ == Capture::kHeading) EndItem();
    } else if (name == "dl") {
      EndItem();
      if (pending_folder_) {
        open_.push_back({AddFolder(*pending_folder_), true});
        pending_folder_.reset();
      } else {
        open_.push_back({open_.back().folder, false});
      }
    } else if (name == "/dl") {
      EndItem();
      OpenPendingFolder();
      if (open_.size() > 1) open_.pop_back();
    } else if (name == "dt" || name == "h1") {
      EndItem();
      OpenPendingFolder();
    } else if (name == "dd" || name == "hr" || name == "/dt" || name == "title" || name == "/h1") {
      EndItem();
    }
  }

  // Ends the heading or link being read, if any.
  void EndItem() {
    if (capture_ == Capture::kHeading) {
      pending_folder_ = NameText(text_, cleaned_);
    } else if (capture_ == Capture::kLink) {
      std::string address = ProgramText(href_);
      TrimInPlace(address);
      if (IsBrowserView(address)) {
        ++result_.browser_views;
      } else {
        std::string name = NameText(text_, cleaned_);
        if (name.empty()) name = OneLevelName(AddressHost(address));
        result_.links.push_back({open_.back().folder, std::move(name), std::move(address)});
      }
    }
    capture_ = Capture::kNone;
    text_.clear();
  }

  // A heading that no `<DL>` followed is a folder all the same, an empty one.
  void OpenPendingFolder() {
    if (!pending_folder_) return;
    AddFolder(*pending_folder_);
    pending_folder_.reset();
  }

  size_t AddFolder(std::string name) {
    result_.folders.push_back({open_.back().folder, std::move(name)});
    return result_.folders.size() - 1;
  }

  HeldText held_;  // the part of the file held now
  BrowserBookmarks result_;
  std::vector<Level> open_;
  Capture capture_ = Capture::kNone;
  std::string text_;
  std::string cleaned_;  // a name being cleaned, kept for its storage
  // The name of the tag being read, in lower case, and its letters alone.
  std::string tag_name_;
  std::string lowered_;
  std::string href_;  // of the link being read, kept for its storage
  std::optional<std::string> pending_folder_;
};

// The bytes after an optional UTF-8 byte-order mark and white space.
std::string_view AfterMarkAndBlanks(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty() && IsBlank(bytes.front())) bytes.remove_prefix(1);
  return bytes;
}

}  // namespace

bool IsBrowserFile(std::string_view bytes) {
  bytes = AfterMarkAndBlanks(bytes);
  return bytes.size() >= kDoctype.size() &&
         EqualsIgnoringAsciiCase(bytes.substr(0, kDoctype.size()), kDoctype);
}

bool CanTellBrowserFile(std::string_view start) {
  return AfterMarkAndBlanks(start).size() >= kDoctype.size();
}

BrowserBookmarks ReadBrowserFile(std::string_view bytes) {
  return BookmarkReader(std::string(bytes), nullptr).Read();
}

BrowserBookmarks ReadBrowserFile(std::string start, TextSource more) {
  return BookmarkReader(std::move(start), std::move(more)).Read();
}

std::string AddressHost(std::string_view address) {
  const size_t scheme_end = address.find("://");
  if (scheme_end == std::string_view::npos) return std::string(address);
  std::string_view host = address.substr(scheme_end + 3);
  host = host.substr(0, host.find_first_of("/?#"));
  if (const size_t at = host.rfind('@'); at != std::string_view::npos) host.remove_prefix(at + 1);
  if (!host.starts_with('[')) host = host.substr(0, host.find(':'));
  return host.empty() ? std::string(address) : std::string(host);
}

}  // namespace linkshelf
