#include "runtime/name_table.h"

#include <gtest/gtest.h>

#include <string>

namespace linkshelf {
namespace {

// Names added before and after a look, enough of them to grow the table
// several times, are all found with their own marks; nothing else is.
TEST(NameTableTest, FindsEveryNameAddedWithItsMarkAndNothingElse) {
  NameTable<int> table;
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.Find("a.url"), nullptr);
  table.Add("a.url", 1);
  table.Add("a.url", 2);  // the first of two equal names is kept
  table.Add("", 3);
  ASSERT_NE(table.Find("a.url"), nullptr);
  EXPECT_EQ(*table.Find("a.url"), 1);
  *table.Find("a.url") = 7;
  for (int i = 0; i < 1000; ++i) table.Add("name " + std::to_string(i), i);
  EXPECT_EQ(*table.Find("a.url"), 7);
  EXPECT_EQ(*table.Find(""), 3);
  for (int i = 0; i < 1000; ++i) {
    const int* mark = table.Find("name " + std::to_string(i));
    ASSERT_NE(mark, nullptr) << i;
    EXPECT_EQ(*mark, i);
  }
  EXPECT_EQ(table.Find("A.URL"), nullptr);
  // Inserting tells a name met before, while the table grows too.
  for (int i = 990; i < 1100; ++i)
    EXPECT_EQ(table.Insert("name " + std::to_string(i), -1), i >= 1000);
  EXPECT_FALSE(table.Insert("a.url", 0));
  EXPECT_EQ(*table.Find("a.url"), 7);
  EXPECT_EQ(*table.Find("name 1099"), -1);
  table.Clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.Find("a.url"), nullptr);
}

}  // namespace
}  // namespace linkshelf
