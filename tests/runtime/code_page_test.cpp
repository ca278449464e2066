// The reference rule: which references are decoded, and that every name comes back.
#include "runtime/code_page.h"

#include <gtest/gtest.h>

namespace linkshelf {
namespace {

TEST(CodePageTest, DecodesOnlyReferencesBeyondAsciiAndTheEscape) {
  const struct {
    std::string_view text;
    std::string_view utf8;
  } cases[] = {
      {"\xD0\xA6 &#128512;.url", "\xD0\xA6 \xF0\x9F\x98\x80.url"},
      {"&#264;efpa&#285;o",
       "\xC4\x88"
       "efpa\xC4\x9Do"},
      {"&#128;&#1114111;", "\xC2\x80\xF4\x8F\xBF\xBF"},
      {"&#38;#65;", "&#65;"},
      {"&&#233;&#38;", "&\xC3\xA9&#38;"},
      // Nothing that could make a separator, "..", a drive, a control byte or a surrogate.
      {"a&#47;b&#92;c&#46;&#46;&#58;&#0;&#10;&#127;",
       "a&#47;b&#92;c&#46;&#46;&#58;&#0;&#10;&#127;"},
      {"&#0233;&#233&#x263A;&#55296;&#1114112;&#12345678;&#;",
       "&#0233;&#233&#x263A;&#55296;&#1114112;&#12345678;&#;"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeReferencesToUtf8(c.text), c.utf8) << c.text;
}

TEST(CodePageTest, LiteralReferencesSurviveTheRoundTrip) {
  EXPECT_EQ(CharacterReference(U'\U0001F600'), "&#128512;");
  EXPECT_EQ(EscapeLiteralReferences("&#65; &#&#38;#"), "&#38;#65; &#38;#&#38;#38;#");
  for (std::string_view utf8 :
       {"&#65;", "&#128512;", "&#38;#", "&#&#", "a&", "&#38;", "\xE2\x84\xA2 &#"}) {
    EXPECT_EQ(CodePageToUtf8(Utf8ToCodePage(utf8)), utf8) << utf8;
  }
}

}  // namespace
}  // namespace linkshelf
