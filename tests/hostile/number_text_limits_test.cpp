// Numbers at the ends of the double range, found by fuzzing: the text stays a
// well-formed number and nothing undefined happens on the way.
#include <gtest/gtest.h>

#include <limits>

#include "export/number_text.h"

namespace linkshelf {
namespace {

TEST(NumberTextLimitsTest, LargestDoublesKeepTwoDecimals) {
  const RegionalSettings regional;
  const double largest = std::numeric_limits<double>::max();
  const std::string text = GroupedTwoDecimalsText(-largest, regional);
  EXPECT_TRUE(text.starts_with("-179,769,313,486,231,570,")) << text;
  EXPECT_TRUE(text.ends_with(".00")) << text;
  EXPECT_EQ(GroupedTwoDecimalsText(1e20 + 0.5, regional), "100,000,000,000,000,000,000.00");
  EXPECT_EQ(GroupedTwoDecimalsText(std::numeric_limits<double>::infinity(), regional), "0.00");
  EXPECT_EQ(GroupedWholeNumberText(-largest, regional).size(),
            GroupedTwoDecimalsText(-largest, regional).size() - 3);
}

}  // namespace
}  // namespace linkshelf
