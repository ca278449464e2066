// The address of a shortcut saved by other programs: the wide section, UTF-16
// and UTF-8 files with a byte-order mark.
#include "runtime/shortcut_address.h"

#include <gtest/gtest.h>

#include "runtime/code_page.h"

namespace linkshelf {
namespace {

std::string Utf16(std::u16string_view text, ByteOrder order) {
  std::string bytes = order == ByteOrder::kLittleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += order == ByteOrder::kLittleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(ShortcutAddressTest, ReadsEveryFormTheAddressIsSavedIn) {
  // 😀ĉ: what the code page lacks is percent-encoded UTF-8 (POSIX keeps UTF-8 as it is).
  const std::string smiling =
      Utf8ToCodePage("http://a/\xF0\x9F\x98\x80\xC4\x89?x=1+2", Lacking::kPercentEncoded);
  const std::string plain = "[InternetShortcut]\r\nURL=http://a/??x=1+2\r\n";
  const struct {
    std::string file;
    std::string address;
  } cases[] = {
      {plain, "http://a/??x=1+2"},
      {plain + "[InternetShortcut.W]\r\nURL=http://a/+2D3eAAEJ?x=1+-2\r\n", smiling},
      {"[InternetShortcut.W]\r\nURL=+AFs-x+AF0-\r\n[InternetShortcut]\r\nURL=[x]\r\n", "[x]"},
      {"\xEF\xBB\xBF" + plain, "http://a/??x=1+2"},
      {"\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://a/\xF0\x9F\x98\x80\xC4\x89?x=1+2\r\n",
       smiling},
      {Utf16(u"[InternetShortcut]\r\nURL=http://b/\U0001F600\r\n", ByteOrder::kLittleEndian),
       Utf8ToCodePage("http://b/\xF0\x9F\x98\x80", Lacking::kPercentEncoded)},
      {Utf16(u"[InternetShortcut]\r\nURL=http://b/\r\n", ByteOrder::kBigEndian), "http://b/"},
      {"[InternetShortcut]\r\n", ""},
      // The wide section's name is found without regard to case.
      {plain + "[internetshortcut.w]\r\nURL=http://w/\r\n", "http://w/"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortcutAddress(c.file), c.address) << c.file;
}

}  // namespace
}  // namespace linkshelf
