// linkshelf-cli import run as a program: its answers without a terminal, its
// messages and its exit statuses.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

#ifndef _WIN32

class ImportCommandTest : public ::testing::Test {
 protected:
  struct Run {
    int status;
    std::string errors;
  };

  // Runs the program in the temporary folder with standard input from nowhere.
  Run Import(const std::string& arguments) {
    const std::string command = "cd '" + temp_.native().string() +
                                "' && '" LINKSHELF_CLI "' import " + arguments +
                                " </dev/null 2>errors.txt >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read("errors.txt")};
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories((temp_.native() / name).parent_path());
    std::ofstream(temp_.native() / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(temp_.native() / name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  TempFolder temp_;
};

TEST_F(ImportCommandTest, MissingPageAndBadUsage) {
  Run run = Import("none.htm out");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("文件 none.htm 未找到！程序出错。"), std::string::npos) << run.errors;
  EXPECT_FALSE(std::filesystem::exists(temp_.native() / "out"));
  EXPECT_EQ(Import("page.htm").status, 2);
  EXPECT_EQ(Import("page.htm out -y -n").status, 2);
}

TEST_F(ImportCommandTest, BrowserFilesAreKnownByTheirFirstLineOrByFormat) {
  const std::string file =
      "\xEF\xBB\xBF\n<!doctype netscape-bookmark-file-1>\n<DL><p><DT><H3>F</H3><DL><p>"
      "<DT><A HREF=\"https://a.example/\">A</A><DT><A "
      "HREF=\"place:sort=8\">Recent</A></DL><p></DL><p>";
  Write("bookmarks.html", file);
  Run run = Import("bookmarks.html out");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("1 link, 2 folders created -> out (1 browser view skipped)"),
            std::string::npos)
      << run.errors;
  EXPECT_TRUE(std::filesystem::exists(temp_.native() / "out" / "F" / "A.url"));
  // Read as a page, the same file has no folders.
  EXPECT_EQ(Import("bookmarks.html page-out --format page").status, 0);
  EXPECT_TRUE(std::filesystem::exists(temp_.native() / "page-out" / "A.url"));
  EXPECT_EQ(Import("bookmarks.html out --format other").status, 2);
}

TEST_F(ImportCommandTest, WithoutATerminalExistingShortcutsAreKept) {
  Write("page.htm", "<a href=\"new\">Old</a><a href=\"u\" MyDir=\"D\">New</a>");
  Write("out/Old.url", "[InternetShortcut]\r\nURL=old\r\n");
  Run run = Import("page.htm out");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("1 link, 1 folder created -> out (1 existing shortcut kept)"),
            std::string::npos)
      << run.errors;
  EXPECT_EQ(Read("out/Old.url"), "[InternetShortcut]\r\nURL=old\r\n");
  EXPECT_EQ(Read("out/D/New.url"), "[DEFAULT]\r\nBASEURL=u\r\n[InternetShortcut]\r\nURL=u\r\n");

  run = Import("page.htm out -y");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(Read("out/Old.url"), "[InternetShortcut]\r\nURL=new\r\n[DEFAULT]\r\nBASEURL=new\r\n");

  run = Import("page.htm out -y");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("0 links, 0 folders created -> out (2 unchanged)"), std::string::npos)
      << run.errors;
}

TEST_F(ImportCommandTest, LinksNotWrittenAreListedWithExitStatusOne) {
  Write("page.htm", "<a href=\"file://host/x\">Remote</a><a href=\"u\">Fine</a><a href=\"u\"></a>");
  const Run run = Import("page.htm out -n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("1 link, 1 folder created -> out; 2 links not written"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("Remote：地址指向其他计算机上的文件"), std::string::npos) << run.errors;
  EXPECT_FALSE(Read("out/Fine.url").empty());
}

#endif

}  // namespace
}  // namespace linkshelf
