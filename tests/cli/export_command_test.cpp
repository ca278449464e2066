// The built linkshelf-cli, run as a user runs it.
#ifndef _WIN32
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

const std::string kSamples = std::string(LINKSHELF_SOURCE_DIR) + "/examples/Favorites";
// 3 December 2026, 22:07:05 UTC.
const std::string kFixedClock = "SOURCE_DATE_EPOCH=1796335625 TZ=UTC ";

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class CliTest : public ::testing::Test {
 protected:
  // Runs the program in the test's folder with standard input from nowhere.
  int Run(const std::string& environment, const std::string& arguments) {
    const std::string command = "cd '" + folder.native().string() + "' && " + environment + "'" +
                                LINKSHELF_CLI + "' " + arguments + " </dev/null >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    out = ReadAll(folder.native() / "out.txt");
    err = ReadAll(folder.native() / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Page(const std::string& name = "mybook.htm") {
    return ReadAll(folder.native() / name);
  }

  TempFolder folder;
  std::string out;
  std::string err;
};

TEST_F(CliTest, WritesTheSamplePageReproducibly) {
  ASSERT_EQ(Run(kFixedClock, "export '" + kSamples + "' -o -"), 0) << err;
  EXPECT_EQ(out, ReadAll(std::string(LINKSHELF_SOURCE_DIR) + "/tests/data/favorites-method1.htm"));
  EXPECT_EQ(err, "8 links, 6 folders -> standard output\n");

  // A bare page name lands in the current folder; local time follows TZ.
  ASSERT_EQ(Run("SOURCE_DATE_EPOCH=1796335625 TZ=CST-8 ", "export '" + kSamples + "' -m url -t T"),
            0)
      << err;
  EXPECT_EQ(Page(),
            ReadAll(std::string(LINKSHELF_SOURCE_DIR) + "/tests/data/favorites-method0.htm"));
  EXPECT_NE(err.find("8 links, 6 folders -> " + folder.native().string() + "/mybook.htm"),
            std::string::npos)
      << err;
  ASSERT_EQ(Run("SOURCE_DATE_EPOCH=1796335625 TZ=CST-8 ", "export '" + kSamples + "' -y"), 0)
      << err;
  EXPECT_NE(Page().find("Last created: 12/4/26 6:07:05 am - Total Links: 8"), std::string::npos);
}

TEST_F(CliTest, ExistingPageIsReplacedOnlyWhenAllowed) {
  std::ofstream(folder.native() / "mybook.htm") << "old";
  // No terminal to ask on: the page is kept, which is no failure.
  EXPECT_EQ(Run(kFixedClock, "export '" + kSamples + "'"), 0);
  EXPECT_EQ(Page(), "old");
  EXPECT_EQ(Run(kFixedClock, "export '" + kSamples + "' -n"), 0);
  EXPECT_EQ(Page(), "old");
  EXPECT_EQ(Run(kFixedClock, "export '" + kSamples + "' -y -m 2 -o mybook.htm"), 0);
  EXPECT_EQ(Page(),
            ReadAll(std::string(LINKSHELF_SOURCE_DIR) + "/tests/data/favorites-method2.htm"));
}

TEST_F(CliTest, ProblemsGiveStatusOne) {
  EXPECT_EQ(Run("", "export '" + kSamples + "/Empty'"), 1);
  EXPECT_NE(err.find("no shortcut found"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.native() / "mybook.htm"));

  // A shortcut that cannot be opened (a link to itself) is named; the page holds the rest.
  std::filesystem::copy(kSamples, folder.native() / "Fav",
                        std::filesystem::copy_options::recursive);
  std::filesystem::create_symlink("Loop.url", folder.native() / "Fav" / "Loop.url");
  EXPECT_EQ(Run(kFixedClock, "export Fav -o page.htm"), 1);
  EXPECT_NE(err.find("cannot read Fav/Loop.url: "), std::string::npos) << err;
  EXPECT_NE(Page("page.htm").find("https://example.com/"), std::string::npos);

  EXPECT_EQ(Run("", "export missing-folder"), 1);
  EXPECT_EQ(Run("SOURCE_DATE_EPOCH=soon ", "export '" + kSamples + "'"), 1);

  // The page's folder cannot be made where a file stands.
  std::ofstream(folder.native() / "file") << "x";
  EXPECT_EQ(Run("", "export '" + kSamples + "' -o file/page.htm"), 1);
  EXPECT_NE(err.find("Cannot create file file/page.htm"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST_F(CliTest, UsageHelpAndVersion) {
  EXPECT_EQ(Run("", ""), 2);
  EXPECT_NE(err.find("Usage: linkshelf-cli export ROOT"), std::string::npos);
  EXPECT_EQ(Run("", "frobnicate"), 2);
  EXPECT_EQ(Run("", "export"), 2);
  EXPECT_EQ(Run("", "export x -m 7"), 2);
  EXPECT_EQ(Run("", "--help"), 0);
  EXPECT_NE(out.find("Usage:"), std::string::npos);
  EXPECT_TRUE(err.empty());
  EXPECT_EQ(Run("", "--version"), 0);
  EXPECT_TRUE(out.starts_with("linkshelf-cli "));
}

}  // namespace
}  // namespace linkshelf
#endif
