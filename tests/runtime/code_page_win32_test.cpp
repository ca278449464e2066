// The conversions at the Windows boundary, in code page 936 (GBK) as the tests run.
#include <gtest/gtest.h>

#include "runtime/code_page.h"
#include "runtime/win32/wide_text.h"

namespace linkshelf {
namespace {

TEST(CodePageWin32Test, CharactersOutsideGbkBecomeReferencesAndComeBack) {
  // 笑脸 😀 – ™ Ĉ &#65;
  const std::string utf8 =
      "\xE7\xAC\x91\xE8\x84\xB8 \xF0\x9F\x98\x80 \xE2\x80\x93 \xE2\x84\xA2 \xC4\x88 &#65;";
  const std::string gbk = "\xD0\xA6\xC1\xB3 &#128512; \xA8\x43 &#8482; &#264; &#38;#65;";
  EXPECT_EQ(Utf8ToCodePage(utf8), gbk);
  EXPECT_EQ(CodePageToUtf8(gbk), utf8);
  const std::wstring wide = L"\u7B11\u8138 \U0001F600 \u2013 \u2122 \u0108 &#65;";
  EXPECT_EQ(CodePageFromWide(wide), gbk);
  EXPECT_EQ(WideFromCodePage(gbk), wide);
  // In an address, percent-encoded UTF-8 instead, and "&#" is no reference.
  EXPECT_EQ(Utf8ToCodePage("http://a/" + utf8, Lacking::kPercentEncoded),
            "http://a/\xD0\xA6\xC1\xB3 %F0%9F%98%80 \xA8\x43 %E2%84%A2 %C4%88 &#65;");
  // A reference to ASCII stays text, so it cannot become a separator.
  EXPECT_EQ(WideFromCodePage("a&#92;b"), L"a&#92;b");
}

}  // namespace
}  // namespace linkshelf
