#include "app/command_line.h"

#include <gtest/gtest.h>

namespace linkshelf {
namespace {

TEST(CommandLine, FolderVerbArgumentArrivesWholeWithoutQuotes) {
  const char line[] = "\"C:\\Program Files\\linkshelf.exe\" \"D:\\My Links\"";
  EXPECT_EQ(ArgumentOfCommandLine(line, 1), "D:\\My Links");
  EXPECT_EQ(ArgumentCountOfCommandLine(line), 1);
}

TEST(CommandLine, ProgramWordIsPassedOverAndFurtherWordsFollow) {
  const char line[] = "linkshelf.exe D:\\One\tD:\\Two";
  EXPECT_EQ(ArgumentOfCommandLine(line, 1), "D:\\One");
  EXPECT_EQ(ArgumentOfCommandLine(line, 2), "D:\\Two");
  EXPECT_EQ(ArgumentOfCommandLine(line, 3), "");
  EXPECT_EQ(ArgumentCountOfCommandLine(line), 2);
  EXPECT_EQ(ArgumentCountOfCommandLine("linkshelf.exe   "), 0);
}

TEST(CommandLine, EmptyQuotePairsBetweenWordsAreSkipped) {
  EXPECT_EQ(ArgumentOfCommandLine("app \"\" D:\\Links", 1), "D:\\Links");
  EXPECT_EQ(ArgumentOfCommandLine("app \"\"\"\" D:\\Links", 1), "D:\\Links");
  EXPECT_EQ(ArgumentOfCommandLine("app \"\"D:\\Links", 1), "D:\\Links");
  EXPECT_EQ(ArgumentCountOfCommandLine("app \"\" \"\""), 0);
}

TEST(CommandLine, QuotesInsideAWordStayAndOuterQuotesGo) {
  EXPECT_EQ(ArgumentOfCommandLine("app D:\\\"My Links\"", 1), "D:\\\"My Links\"");
  EXPECT_EQ(ArgumentOfCommandLine("app \"a\"b\"", 1), "a\"b");
  // A quote left open runs to the end of the line and keeps the blanks inside.
  EXPECT_EQ(ArgumentOfCommandLine("app \"D:\\open end", 1), "\"D:\\open end");
  // A lone quote is shorter than two characters and is kept.
  EXPECT_EQ(ArgumentOfCommandLine("app \"\"\"", 1), "\"");
}

TEST(CommandLine, ControlCharactersSeparateAndHighBytesDoNot) {
  EXPECT_EQ(ArgumentOfCommandLine("app\x01x\x1fy", 1), "x");
  EXPECT_EQ(ArgumentOfCommandLine("app\x01x\x1fy", 2), "y");
  const char gbk_folder[] = "D:\\\xce\xd2\xb5\xc4";  // GBK bytes stay in one word
  EXPECT_EQ(ArgumentOfCommandLine(std::string("app ") + gbk_folder, 1), gbk_folder);
}

TEST(CommandLine, ArgumentZeroIsTheRunningProgramFile) {
  const std::string path = CommandArgument(0);
  ASSERT_GT(path.size(), 4u);
  EXPECT_NE(path.find(':'), std::string::npos);
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
}

}  // namespace
}  // namespace linkshelf
