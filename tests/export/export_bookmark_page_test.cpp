#include "export/export_bookmark_page.h"

#include <gtest/gtest.h>

#include "export/page_header.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/prompters.h"
#include "tests/support/split_page_lines.h"

namespace linkshelf {
namespace {

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() {
    regional.morning_designator = "AM";
    regional.afternoon_designator = "PM";
    request.root = "C:\\Fav";
    request.page_path = "D:\\Pages\\mybook.htm";
    request.default_folder = "C:\\Program\\";
    request.title = "Mine";
    request.header_template = HeaderTemplateLines();
    memory.PutFile("C:\\Fav\\Home.url", "[InternetShortcut]\r\nURL=http://home/\r\n");
    memory.PutFolder("D:\\Pages");
  }

  ExportResult Export() { return ExportBookmarkPage(request, environment, prompter); }
  std::string Page() {
    std::string bytes;
    return memory.ReadFile(request.page_path, bytes) ? bytes : std::string("(none)");
  }
  size_t FileCount() const {
    size_t count = 0;
    for (const auto& [path, bytes] : memory.Snapshot()) count += path.ends_with('\\') ? 0 : 1;
    return count;
  }

  MemoryFileSystem memory;
  FaultyFileSystem files{memory};
  ByteCollation collation;
  RegionalSettings regional;
  ExportEnvironment environment{files, collation, regional,
                                [] { return LocalTime{2026, 12, 3, 22, 7, 5}; }};
  ScriptedExportPrompter prompter;
  ExportRequest request;
};

TEST_F(ExportTest, WritesAndOpensANewPage) {
  const ExportResult result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kWritten);
  EXPECT_EQ(result.links, 1);
  EXPECT_TRUE(prompter.questions.empty());
  EXPECT_EQ(prompter.opened, std::vector<std::string>{"D:\\Pages\\mybook.htm |  | "});
  const std::vector<std::string> lines = SplitPageLines(Page());
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines[6], "<title>Mine</title>");
  EXPECT_NE(lines[23].find("Last created: 12/3/26 10:07:05 PM - Total Links: 1<font>"),
            std::string::npos);

  request.open_with_notepad = true;
  request.page_path = "D:\\New\\Folder\\page.htm";  // missing folders are made
  EXPECT_EQ(Export().outcome, ExportOutcome::kWritten);
  EXPECT_EQ(prompter.opened.back(), "notepad.exe | D:\\New\\Folder\\page.htm | ");
  EXPECT_TRUE(memory.FileExists("D:\\New\\Folder\\page.htm"));

  request.open_page = false;
  EXPECT_EQ(Export().outcome, ExportOutcome::kWritten);
  EXPECT_EQ(prompter.opened.size(), 2u);
}

TEST_F(ExportTest, PageNameWithoutFolderIsCompleted) {
  memory.PutFolder("C:\\Program");
  request.page_path = "mybook.htm";
  EXPECT_EQ(Export().page_path, "C:\\Program\\mybook.htm");
  EXPECT_TRUE(memory.FileExists("C:\\Program\\mybook.htm"));
  EXPECT_EQ(CompletePagePath("C:mybook.htm", "C:\\Program\\"), "C:mybook.htm");
  EXPECT_EQ(CompletePagePath("page.htm", "C:\\Program"), "C:\\Program\\page.htm");
}

TEST_F(ExportTest, AsksBeforeReplacingAndKeepsTheOldPageOnNo) {
  memory.PutFile(request.page_path, std::string(12345, 'o'));
  memory.SetLastWriteTime(request.page_path, LocalTime{2026, 12, 3, 22, 7, 5});
  prompter.answer = false;
  EXPECT_EQ(Export().outcome, ExportOutcome::kDeclined);
  EXPECT_EQ(
      prompter.questions,
      std::vector<std::string>{"D:\\Pages\\mybook.htm | 12,345 bytes | 12/03/2026 10:07:04 PM"});
  EXPECT_EQ(Page(), std::string(12345, 'o'));
  EXPECT_TRUE(prompter.opened.empty());

  prompter.answer = true;
  EXPECT_EQ(Export().outcome, ExportOutcome::kWritten);
  EXPECT_TRUE(Page().starts_with("<html>\r\n"));
}

TEST_F(ExportTest, AsksWithWhateverTextsCanBeFormed) {
  // A page held open elsewhere, or dated outside what the date texts can hold.
  memory.PutFile(request.page_path, "old");
  files.MakeUnreadable(request.page_path);
  Export();
  files.ClearFaults();
  memory.PutFile(request.page_path, "old");
  memory.SetLastWriteTime(request.page_path, LocalTime{1970, 1, 1, 0, 0, 0});
  Export();
  EXPECT_EQ(prompter.questions, (std::vector<std::string>{"D:\\Pages\\mybook.htm |  bytes | ",
                                                          "D:\\Pages\\mybook.htm | 3 bytes | "}));
}

TEST_F(ExportTest, FailedWriteKeepsTheOldPageAndLeavesNoTemporaryFile) {
  memory.PutFile(request.page_path, "old page");
  const size_t before = FileCount();
  files.AddFault(FaultPlan::NthCallOf(FileOperation::kReplaceFile, 1).AndAfter());
  ExportResult result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(result.message, "Cannot create file D:\\Pages\\mybook.htm");
  EXPECT_EQ(Page(), "old page");
  EXPECT_EQ(FileCount(), before);
  EXPECT_TRUE(prompter.opened.empty());

  files.ClearFaults();
  files.AddFault(FaultPlan::NthCallOf(FileOperation::kWriteNewFile, 1).AndAfter());
  result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(Page(), "old page");
  EXPECT_EQ(FileCount(), before);

  // A folder that cannot be made shows as the page that cannot be written.
  files.ClearFaults();
  files.AddFault(FaultPlan::NthCallOf(FileOperation::kCreateFolder, 1).AndAfter());
  request.page_path = "E:\\Nowhere\\page.htm";
  result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(result.message, "Cannot create file E:\\Nowhere\\page.htm");
}

TEST_F(ExportTest, NoLinksWritesAndOpensNothing) {
  memory.RemoveFile("C:\\Fav\\Home.url");
  memory.PutFolder("C:\\Fav\\Empty");
  memory.PutFile(request.page_path, "stale page");
  const ExportResult result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kNoLinks);
  EXPECT_EQ(result.folders, 1);
  EXPECT_TRUE(prompter.questions.empty());
  EXPECT_TRUE(prompter.opened.empty());
  EXPECT_EQ(Page(), "stale page");

  request.root = "C:\\Missing";
  EXPECT_EQ(Export().outcome, ExportOutcome::kNoLinks);
}

TEST_F(ExportTest, LinkNamesAtAnyDepth) {
  // Deep trees and long folder names leave the link's name whole.
  const std::string deep = "C:\\Fav\\a\\b\\c\\d\\e\\f\\g\\h";
  const std::string wide =
      "C:\\Fav\\A folder with a rather long name\\And another long folder name";
  memory.PutFile(deep + "\\Deep Name.url", "[InternetShortcut]\r\nURL=http://deep/\r\n");
  memory.PutFile(wide + "\\ Wide Name .url", "[InternetShortcut]\r\nURL=http://wide/\r\n");
  request.method = kAddressList;
  Export();
  request.method = kLinkTitles;
  Export();
  const std::string page = Page();
  EXPECT_NE(page.find("MyDir=\"a\\b\\c\\d\\e\\f\\g\\h\" class=\"topnav1\">Deep Name</a></li>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("MyDir=\"A folder with a rather long name\\And another long folder name\" "
                      "class=\"topnav1\">Wide Name</a></li>\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace linkshelf
