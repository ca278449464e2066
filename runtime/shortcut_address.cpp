#include "runtime/shortcut_address.h"

#include "runtime/code_page.h"
#include "runtime/shortcut_entry.h"

namespace linkshelf {

std::string ShortcutText(std::string_view file_bytes) {
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
  const std::string text = ShortcutText(file_bytes);
  std::string address = FindShortcutEntry(text, "InternetShortcut", "URL");
  const std::string wide = FindShortcutEntry(text, "InternetShortcut.W", "URL");
  if (!wide.empty()) {
    std::string from_wide = Utf8ToCodePage(Utf7ToUtf8(wide), Lacking::kPercentEncoded);
    if (from_wide != address) address = std::move(from_wide);
  }
  return address;
}

}  // namespace linkshelf
