#include "cli/export_options.h"

#include <gtest/gtest.h>

namespace linkshelf {
namespace {

TEST(ExportOptions, DefaultsAndEveryOption) {
  ParsedExportOptions parsed = ParseExportOptions({"Fav"});
  ASSERT_TRUE(parsed.options) << parsed.problem;
  EXPECT_EQ(parsed.options->root, "Fav");
  EXPECT_EQ(parsed.options->page, "mybook.htm");
  EXPECT_EQ(parsed.options->method, 1);
  EXPECT_EQ(parsed.options->title, "我的收藏夹列表");
  EXPECT_EQ(parsed.options->replace, ReplaceAnswer::kAsk);
  EXPECT_FALSE(parsed.options->open);

  parsed = ParseExportOptions({"-o", "out/p.htm", "-m", "LINK", "-t", "", "-n", "--open", "Fav"});
  ASSERT_TRUE(parsed.options) << parsed.problem;
  EXPECT_EQ(parsed.options->page, "out/p.htm");
  EXPECT_EQ(parsed.options->method, 2);
  EXPECT_EQ(parsed.options->title, "");
  EXPECT_EQ(parsed.options->replace, ReplaceAnswer::kNo);
  EXPECT_TRUE(parsed.options->open);

  parsed = ParseExportOptions({"-y", "-o", "-", "--", "-odd folder"});
  ASSERT_TRUE(parsed.options) << parsed.problem;
  EXPECT_EQ(parsed.options->root, "-odd folder");
  EXPECT_EQ(parsed.options->page, "-");
  EXPECT_EQ(parsed.options->replace, ReplaceAnswer::kYes);

  // The browser file has its own defaults; what is given still counts.
  parsed = ParseExportOptions({"Fav", "--format", "browser"});
  ASSERT_TRUE(parsed.options) << parsed.problem;
  EXPECT_EQ(parsed.options->format, FileFormat::kBrowser);
  EXPECT_EQ(parsed.options->page, "bookmarks.html");
  EXPECT_EQ(parsed.options->title, "Bookmarks");
  parsed = ParseExportOptions({"--format", "browser", "-o", "b.html", "-t", "Mine", "Fav"});
  ASSERT_TRUE(parsed.options) << parsed.problem;
  EXPECT_EQ(parsed.options->page, "b.html");
  EXPECT_EQ(parsed.options->title, "Mine");
  EXPECT_EQ(ParseExportOptions({"Fav", "--format", "page"}).options->format, FileFormat::kPage);

  EXPECT_EQ(ParseMethod("0"), 0);
  EXPECT_EQ(ParseMethod("url"), 0);
  EXPECT_EQ(ParseMethod("Title"), 1);
  EXPECT_EQ(ParseMethod("2"), 2);
  EXPECT_EQ(ParseMethod("3"), std::nullopt);
}

TEST(ExportOptions, BadUsageIsRefused) {
  const std::vector<std::vector<std::string>> refused = {
      {},
      {"A", "B"},
      {"Fav", "-m", "9"},
      {"Fav", "-o"},
      {"Fav", "-o", ""},
      {"Fav", "-y", "-n"},
      {"Fav", "--bogus"},
      {"Fav", "-o", "-", "--open"},
      {"Fav", "--format", "browser", "-m", "1"},
      {"Fav", "--format", "Browser"},
      {"Fav", "--format"},
  };
  for (const auto& arguments : refused) {
    const ParsedExportOptions parsed = ParseExportOptions(arguments);
    EXPECT_FALSE(parsed.options) << testing::PrintToString(arguments);
    EXPECT_FALSE(parsed.problem.empty());
  }
  EXPECT_TRUE(ParseExportOptions({"--help"}).options->help);
}

}  // namespace
}  // namespace linkshelf
