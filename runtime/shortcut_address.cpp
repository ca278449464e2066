#include "runtime/shortcut_address.h"

#include <algorithm>

#include "runtime/code_page.h"
#include "runtime/shortcut_entry.h"

namespace linkshelf {
namespace {

bool StartsWithByteOrderMark(std::string_view file_bytes) {
  return file_bytes.starts_with("\xFF\xFE") || file_bytes.starts_with("\xFE\xFF") ||
         file_bytes.starts_with("\xEF\xBB\xBF");
}

// False when the text surely has no wide section: its header is a line with
// a "[" and, after it, a ".W" in either case. Most shortcuts have one header
// line, so the walk looks at little more than that line.
bool MayHoldWideSection(std::string_view text) {
  for (size_t open = text.find('['); open != std::string_view::npos;) {
    // Up to the line feed: a ".W" after a lone CR only costs the exact look.
    const size_t end = std::min(text.find('\n', open), text.size());
    const std::string_view rest = text.substr(open + 1, end - open - 1);
    for (size_t dot = rest.find('.'); dot != std::string_view::npos;
         dot = rest.find('.', dot + 1)) {
      if (dot + 1 < rest.size() && (rest[dot + 1] == 'W' || rest[dot + 1] == 'w')) return true;
    }
    // A later "[" of the same line has nothing after it that this walk missed.
    open = text.find('[', end);
  }
  return false;
}

}  // namespace

std::string ShortcutText(std::string_view file_bytes) {
  if (!StartsWithByteOrderMark(file_bytes)) return std::string(file_bytes);
  if (file_bytes.starts_with("\xFF\xFE")) {
    return Utf8ToCodePage(Utf16ToUtf8(file_bytes.substr(2), ByteOrder::kLittleEndian),
                          Lacking::kPercentEncoded);
  }
  if (file_bytes.starts_with("\xFE\xFF")) {
    return Utf8ToCodePage(Utf16ToUtf8(file_bytes.substr(2), ByteOrder::kBigEndian),
                          Lacking::kPercentEncoded);
  }
  if (file_bytes.starts_with("\xEF\xBB\xBF")) {
    return Utf8ToCodePage(file_bytes.substr(3), Lacking::kPercentEncoded);
  }
  return std::string(file_bytes);
}

std::string ShortcutAddress(std::string_view file_bytes) {
  // Most shortcuts are plain code-page text: they are read where they lie.
  const bool marked = StartsWithByteOrderMark(file_bytes);
  const std::string converted = marked ? ShortcutText(file_bytes) : std::string();
  const std::string_view text = marked ? std::string_view(converted) : file_bytes;
  std::string address = FindShortcutEntry(text, "InternetShortcut", "URL");
  const std::string wide = MayHoldWideSection(text)
                               ? FindShortcutEntry(text, "InternetShortcut.W", "URL")
                               : std::string();
  if (!wide.empty()) {
    std::string from_wide = Utf8ToCodePage(Utf7ToUtf8(wide), Lacking::kPercentEncoded);
    if (from_wide != address) address = std::move(from_wide);
  }
  return address;
}

}  // namespace linkshelf
