#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// Chinese captions reach the system in the GBK code page only when the
// process runs with it.
TEST(CodePageTest, ProcessUsesTheChineseCodePage) {
  EXPECT_EQ(GetACP(), 936u);
  const std::string caption = "转化";
  EXPECT_EQ(caption, "\xD7\xAA\xBB\xAF");
}
