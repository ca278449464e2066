#include "runtime/shortcut_address.h"

#include "runtime/code_page.h"
#include "runtime/shortcut_entry.h"

namespace linkshelf {
namespace {

bool StartsWithByteOrderMark(std::string_view file_bytes) {
  return file_bytes.starts_with("\xFF\xFE") || file_bytes.starts_with("\xFE\xFF") ||
         file_bytes.starts_with("\xEF\xBB\xBF");
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
  // Most shortcuts have no wide section, whose name needs a ".W" somewhere.
  bool may_be_wide = false;
  for (size_t dot = text.find('.'); dot != std::string_view::npos && !may_be_wide;
       dot = text.find('.', dot + 1)) {
    may_be_wide = dot + 1 < text.size() && (text[dot + 1] == 'W' || text[dot + 1] == 'w');
  }
  const std::string wide =
      may_be_wide ? FindShortcutEntry(text, "InternetShortcut.W", "URL") : std::string();
  if (!wide.empty()) {
    std::string from_wide = Utf8ToCodePage(Utf7ToUtf8(wide), Lacking::kPercentEncoded);
    if (from_wide != address) address = std::move(from_wide);
  }
  return address;
}

}  // namespace linkshelf
