#include "runtime/collation.h"

#include <gtest/gtest.h>

#include "runtime/system.h"
#ifdef _WIN32
#include "runtime/win32/locale_collation.h"
#endif

namespace linkshelf {
namespace {

TEST(CollationTest, SystemCollationIgnoresCaseAndPutsTheBlankFirst) {
  const auto collation = MakeSystemCollation();
  EXPECT_EQ(collation->Compare("news", "NEWS"), 0);
  EXPECT_LT(collation->Compare("a", "B"), 0);
  EXPECT_GT(collation->Compare("b", "A"), 0);
  EXPECT_LT(collation->Compare("News Two", "News2"), 0);
  EXPECT_LT(collation->Compare(" z", "a"), 0);
  EXPECT_LT(collation->Compare("abc", "abcd"), 0);
}

TEST(CollationTest, ByteCollationOrdersHighBytesAfterAscii) {
  ByteCollation collation;
  EXPECT_LT(collation.Compare("z", "\xE4\xB8\xAD"), 0);
  EXPECT_LT(collation.Compare(" ", "\\"), 0);
  EXPECT_LT(collation.Compare("\\", "a"), 0);
  EXPECT_EQ(collation.Compare("", ""), 0);
}

#ifdef _WIN32
TEST(CollationTest, ARefusedComparisonFallsBackToTheByteOrder) {
  // A locale the system does not know makes every comparison fail; two
  // different names must still not come out equal, or the scan would drop one.
  const auto refusing = MakeLocaleCollation(0x12345678);
  EXPECT_LT(refusing->Compare("a", "B"), 0);
  EXPECT_GT(refusing->Compare("News2", "News Two"), 0);
  EXPECT_EQ(refusing->Compare("same", "same"), 0);
}
#endif

}  // namespace
}  // namespace linkshelf
