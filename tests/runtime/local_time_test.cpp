#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "runtime/system.h"

namespace linkshelf {
namespace {

TEST(LocalTimeTest, EpochsBeyondTheClocksRangeAreUnusable) {
  ASSERT_TRUE(LocalTimeFromEpoch(0).has_value());
  std::vector<std::int64_t> unusable = {std::numeric_limits<std::int64_t>::max(),
                                        std::numeric_limits<std::int64_t>::min()};
#ifdef _WIN32
  // The Windows clock counts 100-nanosecond steps from 1601 in 64 bits; from
  // about 9.2e11 seconds on the count would overflow.
  unusable.insert(unusable.end(), {922337203685, 1000000000000000});
#endif
  for (const std::int64_t seconds : unusable) {
    EXPECT_FALSE(LocalTimeFromEpoch(seconds).has_value()) << seconds;
  }
}

}  // namespace
}  // namespace linkshelf
