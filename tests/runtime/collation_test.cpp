#include "runtime/collation.h"

#include <gtest/gtest.h>

#include "runtime/system.h"

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

}  // namespace
}  // namespace linkshelf
