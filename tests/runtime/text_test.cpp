#include "runtime/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/wildcard.h"

namespace linkshelf {
namespace {

TEST(TextTest, TrimBothRemovesBlanksAndControlBytesOnly) {
  EXPECT_EQ(TrimBoth(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimBoth("   "), "");
  EXPECT_EQ(TrimBoth("\xB0\xA1 "), "\xB0\xA1");  // bytes above 127 are text
}

TEST(TextTest, TextsEqualWithoutCaseOnlyInAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("INTERNETshortcut", "internetSHORTCUT"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("InternetShortcut", "InternetShortcuX"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase("a", "A"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC1", "\xE1"));  // no folding above 127
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
}

TEST(TextTest, FolderAndNamePartsSplitAtTheLastBackslashOrColon) {
  EXPECT_EQ(FolderPart("C:\\a\\b.htm"), "C:\\a\\");
  EXPECT_EQ(NamePart("C:\\a\\b.htm"), "b.htm");
  EXPECT_EQ(FolderPart("D:page.htm"), "D:");
  EXPECT_EQ(NamePart("D:page.htm"), "page.htm");
  EXPECT_EQ(FolderPart("mybook.htm"), "");
  EXPECT_EQ(NamePart("mybook.htm"), "mybook.htm");
}

TEST(TextTest, CollapsingReplacesPairsLeftToRightWithoutOverlap) {
  EXPECT_EQ(CollapseDoubledBackslashes("\\News\\\\Tech\\"), "\\News\\Tech\\");
  EXPECT_EQ(CollapseDoubledBackslashes("a\\\\\\b"), "a\\\\b");
  EXPECT_EQ(CollapseDoubledBackslashes("a\\\\\\\\b"), "a\\\\b");
}

TEST(TextTest, WildcardsMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesWildcard("Daily News.url", "*.url"));
  EXPECT_TRUE(MatchesWildcard("DAILY.URL", "*.url"));
  EXPECT_TRUE(MatchesWildcard(".url", "*.url"));
  EXPECT_FALSE(MatchesWildcard("a.urlx", "*.url"));
  EXPECT_FALSE(MatchesWildcard("url", "*.url"));
  EXPECT_TRUE(MatchesWildcard("no-dot", "*.*"));
  EXPECT_TRUE(MatchesWildcard("abc", "a?c"));
  // A star in the name (possible on POSIX) is no reason to stop treating the
  // pattern's star as a wildcard.
  EXPECT_TRUE(MatchesWildcard("a*b.url", "?*.url"));
}

TEST(TextTest, CharactersTakeTheirTrailByteAlong) {
  // In a double-byte code page 0x95 leads and the backslash after it is its
  // trail byte; a lead byte at the very end stands alone.
  const bool double_byte = IsLeadByte(0x95);
  std::vector<std::string> seen;
  ForEachCharacter("a\x95\\b\x95", [&](size_t pos, std::string_view character) {
    seen.push_back(std::to_string(pos));
    seen.back().append(":").append(character);
  });
  if (double_byte) {
    EXPECT_EQ(seen, (std::vector<std::string>{"0:a", "1:\x95\\", "3:b", "4:\x95"}));
  } else {
    EXPECT_EQ(seen, (std::vector<std::string>{"0:a", "1:\x95", "2:\\", "3:b", "4:\x95"}));
  }
  // A visitor that answers false ends the walk.
  size_t visits = 0;
  ForEachCharacter("abc", [&](size_t, std::string_view) { return ++visits < 2; });
  EXPECT_EQ(visits, 2u);
}

}  // namespace
}  // namespace linkshelf
