#include "app/unexpected_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

namespace linkshelf {
namespace {

TEST(UnexpectedError, TextNamesKindModulePlaceAndEndsTheMessageWithAStop) {
  EXPECT_EQ(UnexpectedErrorText({"ProgramError", "Cannot create file D:\\a.htm", 0x401A2C},
                                "linkshelf.exe"),
            "Exception ProgramError in module linkshelf.exe at 00401A2C.\r\nCannot create file "
            "D:\\a.htm.");
  EXPECT_EQ(UnexpectedErrorText({"ProgramError", "Ends with one.", 0}, "x.exe"),
            "Exception ProgramError in module x.exe at 00000000.\r\nEnds with one.");
  EXPECT_EQ(UnexpectedErrorText({"UnknownError", "", 0}, "x.exe"),
            "Exception UnknownError in module x.exe at 00000000.\r\n");
}

TEST(UnexpectedError, KindsFollowTheCaughtError) {
  auto describe = [](auto thrown) {
    try {
      throw thrown;
    } catch (...) {
      return DescribeUnexpectedError(std::current_exception());
    }
  };
  EXPECT_EQ(describe(std::runtime_error("boom")).kind, "ProgramError");
  EXPECT_EQ(describe(std::runtime_error("boom")).message, "boom");
  EXPECT_EQ(describe(std::bad_alloc()).kind, "OutOfMemory");
  EXPECT_EQ(describe(std::system_error(std::make_error_code(std::errc::io_error))).kind,
            "SystemError");
  EXPECT_EQ(describe(42).kind, "UnknownError");
}

}  // namespace
}  // namespace linkshelf
