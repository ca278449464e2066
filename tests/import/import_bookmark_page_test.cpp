#include "import/import_bookmark_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "import/shortcut_writing.h"
#include "runtime/file_operations.h"
#include "runtime/shortcut_entry.h"
#include "runtime/system.h"
#include "runtime/text.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/prompters.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

using Answer = ShortcutReplaceAnswer;

const char kNewShortcut[] = "[DEFAULT]\r\nBASEURL=u\r\n[InternetShortcut]\r\nURL=u\r\n";

// Every file below `folder` (a core path ending in a backslash) with its
// bytes, keyed by its path relative to the folder with `/` between levels.
std::map<std::string, std::string> FilesBelow(FileSystem& files, const std::string& folder,
                                              const std::string& prefix = {}) {
  std::map<std::string, std::string> found;
  for (const FolderEntry& entry : files.FindEntries(folder + "*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.is_folder) {
      found.merge(FilesBelow(files, folder + entry.name + "\\", prefix + entry.name + "/"));
    } else {
      std::string bytes;
      EXPECT_TRUE(files.ReadFile(folder + entry.name, bytes));
      found[prefix + entry.name] = bytes;
    }
  }
  return found;
}

class ImportTest : public ::testing::Test {
 protected:
  std::string root() const { return temp_.path() + "Fav\\"; }
  std::string page() const { return temp_.path() + "page.htm"; }

  ImportResult Import(const std::string& html, ScriptedImportPrompter& prompter,
                      std::string root_text = {}) {
    files_.RemoveFile(page());
    EXPECT_TRUE(files_.WriteNewFile(page(), html));
    return ImportBookmarkPage({page(), root_text.empty() ? root() : root_text}, files_, prompter);
  }
  ImportResult Import(const std::string& html) {
    ScriptedImportPrompter prompter;
    return Import(html, prompter);
  }

  std::string Read(const std::string& relative) {
    std::string bytes;
    EXPECT_TRUE(files_.ReadFile(root() + relative, bytes)) << relative;
    return bytes;
  }
  void Put(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(CreateMissingFolders(files_, FolderPart(root() + relative)));
    ASSERT_TRUE(files_.WriteNewFile(root() + relative, bytes));
  }
  // Every file below the temporary folder, as paths relative to it with `/`.
  std::set<std::string> AllFiles() {
    std::set<std::string> found;
    for (const auto& [path, bytes] : FilesBelow(files_, temp_.path())) found.insert(path);
    return found;
  }

  // No file whose path holds `text` can be written.
  void FailWritesTo(const std::string& text) {
    for (FileOperation operation :
         {FileOperation::kWriteNewFile, FileOperation::kReplaceFile, FileOperation::kMoveNewFile}) {
      files_.AddFault(FaultPlan::EveryCallOnPathsHolding(text).Of(operation));
    }
  }

  TempFolder temp_;
  std::unique_ptr<FileSystem> disk_ = MakeSystemFileSystem();
  FaultyFileSystem files_{*disk_};
};

TEST_F(ImportTest, LinksBecomeShortcutsInTheirFolders) {
  const ImportResult result = Import(
      "<ol><li><a href=\"u\" class=\"x\">Example.com</a></li>\r\n"
      "<li><A HREF=\"u\" MyDir=\"A\\B\">a.b.c</A>\r\n"
      "<a href=\"u\" mydir=\"A\" mydir=\"C\">N</a>");
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(result.links_written, 3);
  EXPECT_EQ(result.folders_created, 4);  // Fav, A, A\B, A\C
  EXPECT_EQ(Read("Example.url"), kNewShortcut);
  EXPECT_EQ(Read("A\\B\\a.b.url"), kNewShortcut);
  EXPECT_EQ(Read("A\\C\\N.url"), kNewShortcut);
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/Example.url", "Fav/A/B/a.b.url",
                                               "Fav/A/C/N.url"}));
}

TEST_F(ImportTest, PagesWithoutLinksWriteNothing) {
  for (const char* html : {"", "plain text", "http://a/\r\nhttp://b/\r\n", "<p>no <b>links</b>"}) {
    const ImportResult result = Import(html);
    EXPECT_FALSE(result.HasFailures());
    EXPECT_EQ(result.links_written, 0);
  }
  EXPECT_EQ(AllFiles(), std::set<std::string>{"page.htm"});
}

TEST_F(ImportTest, MissingOrUnreadablePage) {
  ScriptedImportPrompter prompter;
  ImportResult result = ImportBookmarkPage({temp_.path() + "none.htm", root()}, files_, prompter);
  EXPECT_TRUE(result.page_missing);
  EXPECT_EQ(result.missing_page_message, "文件 none.htm 未找到！程序出错。");
  result = ImportBookmarkPage({"", root()}, files_, prompter);
  EXPECT_EQ(result.missing_page_message, "文件  未找到！程序出错。");
  // A folder is no page.
  result = ImportBookmarkPage({temp_.path(), root()}, files_, prompter);
  EXPECT_TRUE(result.page_missing);

  files_.AddFault(FaultPlan::EveryCallOnPathsHolding("page.htm").Of(FileOperation::kReadFile));
  result = Import("<a href=u>N</a>", prompter);
  EXPECT_FALSE(result.page_missing);
  EXPECT_TRUE(result.page_unreadable);
  EXPECT_EQ(DescribeImportFailures(result), "无法读取文件 page.htm：injected failure of ReadFile");
  files_.ClearFaults();
  EXPECT_EQ(AllFiles(), std::set<std::string>{"page.htm"});
}

TEST_F(ImportTest, ALargePageIsReadPieceByPiece) {
  // Far more than one piece, with line breaks everywhere and a byte 26 that ends it.
  std::string html;
  const std::string address = "http://e/" + std::string(400, 'x') + "?";
  for (int i = 0; i < 300; ++i)
    html += (i == 250 ? "\x1A<a href=\"" : "<a href=\"") + address + "\">\r\nN" +
            std::to_string(i) + "</a>\r\n";
  EXPECT_EQ(Import(html).links_written, 250);
  EXPECT_EQ(Read("N249.url"), NewShortcutText(address));
  // A page shorter than the start that tells a browser file is joined too.
  EXPECT_EQ(Import("<a href=u>\r\nShort</a>").links_written, 1);
  EXPECT_EQ(Read("Short.url"), kNewShortcut);
  // A read that breaks off keeps the links read before it and says so.
  files_.AddFault(FaultPlan::EveryCallOnPathsHolding("page.htm")
                      .Of(FileOperation::kReadFile)
                      .As(FaultKind::kPartialWrite));
  const ImportResult broken = Import(html);
  EXPECT_EQ(DescribeImportFailures(broken), "无法读取文件 page.htm：injected failure of ReadFile");
  EXPECT_GT(broken.links_kept + broken.links_unchanged, 0);
  // A browser file's links are written only once all of it has been read.
  std::string browser = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
  for (int i = 0; i < 300; ++i)
    browser += "<DT><A HREF=\"" + address + "\">B" + std::to_string(i) + "</A>\n";
  const ImportResult broken_browser = Import(browser);
  EXPECT_TRUE(broken_browser.page_unreadable && broken_browser.links_written == 0);
  files_.ClearFaults();
  EXPECT_EQ(Import(browser).links_written, 300);
}

TEST_F(ImportTest, ExistingShortcutIsUpdatedInPlace) {
  Put("N.url", "[InternetShortcut]\r\nURL=old\r\nIconIndex=3\r\n");
  ScriptedImportPrompter prompter({Answer::kYes});
  const ImportResult result = Import("<a href=\"u\">N</a>", prompter);
  EXPECT_EQ(result.links_written, 1);
  EXPECT_EQ(Read("N.url"),
            "[InternetShortcut]\r\nURL=u\r\nIconIndex=3\r\n[DEFAULT]\r\nBASEURL=u\r\n");
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(prompter.questions[0], (std::vector<std::string>{"u", "N.url", "", "old"}));
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/N.url"}));
}

// On the disk, updated shortcuts take their new bytes folder by folder; a
// link met again in the same folder still sees what the one before it wrote.
TEST_F(ImportTest, ALinkMetAgainSeesTheUpdateBeforeIt) {
  Put("N.url", NewShortcutText("old"));
  ASSERT_TRUE(disk_->WriteNewFile(page(), "<a href=\"new\">N</a><a href=\"old\">N</a>"));
  ScriptedImportPrompter prompter({Answer::kYesToAll});
  const ImportResult result = ImportBookmarkPage({page(), root()}, *disk_, prompter);
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(result.links_written, 2);
  EXPECT_EQ(Read("N.url"), NewShortcutText("old"));
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/N.url"}));
}

TEST_F(ImportTest, QuestionShowsTheFolderBelowTheRootAndBothOldTargets) {
  Put("A\\B\\N.url", "[DEFAULT]\r\nBASEURL=b\r\n[InternetShortcut]\r\nURL=c\r\n");
  ScriptedImportPrompter prompter({Answer::kNo});
  Import("<a href=\"u\" MyDir=\"A\\B\">N</a>", prompter);
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(prompter.questions[0], (std::vector<std::string>{"u", "A\\B\\N.url", "b", "c"}));
}

// The page asks about E1, writes the new N, then asks about E2 and E3.
struct AnswerCase {
  std::vector<Answer> answers;
  size_t questions;
  std::vector<bool> replaced;  // E1, E2, E3
  bool new_written;
  bool cancelled;
};

class AnswerTable : public ImportTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTable, StandingAnswerDecidesEachExistingShortcut) {
  const AnswerCase& c = GetParam();
  for (const char* name : {"E1.url", "E2.url", "E3.url"})
    Put(name, "[InternetShortcut]\r\nURL=old\r\n");
  ScriptedImportPrompter prompter(c.answers);
  const ImportResult result =
      Import("<a href=u>E1</a><a href=u>N</a><a href=u>E2</a><a href=u>E3</a>", prompter);
  EXPECT_EQ(prompter.questions.size(), c.questions);
  EXPECT_EQ(result.cancelled, c.cancelled);
  EXPECT_EQ(files_.FileExists(root() + "N.url"), c.new_written);
  int replaced = 0;
  for (int i = 0; i < 3; ++i) {
    const bool now_new =
        Read("E" + std::to_string(i + 1) + ".url").find("URL=u") != std::string::npos;
    EXPECT_EQ(now_new, c.replaced[static_cast<size_t>(i)]) << "E" << i + 1;
    replaced += now_new;
  }
  EXPECT_EQ(result.links_written, replaced + (c.new_written ? 1 : 0));
  EXPECT_FALSE(result.HasFailures());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerTable,
    ::testing::Values(
        AnswerCase{{Answer::kYes, Answer::kNo, Answer::kYes}, 3, {true, false, true}, true, false},
        AnswerCase{{Answer::kNo, Answer::kNo, Answer::kNo}, 3, {false, false, false}, true, false},
        AnswerCase{{Answer::kYesToAll}, 1, {true, true, true}, true, false},
        AnswerCase{{Answer::kNo, Answer::kYesToAll}, 2, {false, true, true}, true, false},
        AnswerCase{{Answer::kCancel}, 1, {false, false, false}, false, true},
        AnswerCase{{Answer::kYes, Answer::kCancel}, 2, {true, false, false}, true, true},
        // Values outside the four answers count as No.
        AnswerCase{{Answer{-1}, Answer{0}, Answer{7}}, 3, {false, false, false}, true, false}));

// A shortcut that would come out byte for byte as it stands is not written, so
// its time stays too; the question is asked all the same.
TEST_F(ImportTest, ReimportLeavesIdenticalShortcutsAlone) {
  const std::string html = "<a href=u>Same</a><a href=u MyDir=D>Deep</a><a href=v>Moved</a>";
  ASSERT_EQ(Import("<a href=u>Same</a><a href=u MyDir=D>Deep</a><a href=u>Moved</a>").links_written,
            3);
  const size_t files_before = files_.CountCalls(FileOperation::kWriteNewFile);
  ScriptedImportPrompter prompter({ShortcutReplaceAnswer::kYes, ShortcutReplaceAnswer::kYesToAll});
  const ImportResult result = Import(html, prompter);
  EXPECT_EQ(prompter.questions.size(), 2u);
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(result.links_unchanged, 2);
  EXPECT_EQ(result.links_written, 1);
  // The page and the one changed shortcut's temporary file.
  EXPECT_EQ(files_.CountCalls(FileOperation::kWriteNewFile) - files_before, 2u);
  EXPECT_EQ(Read("Same.url"), kNewShortcut);
  EXPECT_EQ(Read("Moved.url"), "[DEFAULT]\r\nBASEURL=v\r\n[InternetShortcut]\r\nURL=v\r\n");
}

TEST_F(ImportTest, FailedLinksAreSkippedReportedAndTheRestWritten) {
  FailWritesTo("Bad");
  // A new folder is filled under a temporary name and moved into place, or
  // made as it is when the move cannot be made.
  files_.AddFault(FaultPlan::EveryCallOnPathsHolding("Locked").Of(FileOperation::kCreateFolder));
  files_.AddFault(FaultPlan::EveryCallOnPathsHolding("Locked").Of(FileOperation::kMoveNewFile));
  const ImportResult result = Import(
      "<a href=u>One</a><a href=u>Bad</a><a href=u MyDir=Locked>In</a><a href=u "
      "MyDir=Locked>In2</a>"
      "<a href=u>Two</a>");
  EXPECT_EQ(result.links_written, 2);
  ASSERT_EQ(result.failed_links.size(), 3u);
  EXPECT_EQ(result.failed_links[0].link_text, "Bad");
  // The temporary is written; its move into place under the link's name fails.
  EXPECT_EQ(result.failed_links[0].reason, "injected failure of MoveNewFile");
  EXPECT_EQ(result.failed_links[1].reason, "injected failure of CreateFolder");
  EXPECT_EQ(DescribeImportFailures(result),
            "已写入 2 个链接，3 个链接未能写入：\nBad：injected failure of MoveNewFile\n"
            "In：injected failure of CreateFolder\nIn2：injected failure of CreateFolder");
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/One.url", "Fav/Two.url"}));
}

TEST_F(ImportTest, FailedReplacementKeepsTheOldShortcutWhole) {
  const std::string old = "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n";
  Put("Bad.url", old);
  FailWritesTo("Bad");
  ScriptedImportPrompter prompter({Answer::kYes});
  const ImportResult result = Import("<a href=u>Bad</a>", prompter);
  ASSERT_EQ(result.failed_links.size(), 1u);
  EXPECT_EQ(Read("Bad.url"), old);
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/Bad.url"}));
}

TEST_F(ImportTest, FailureMessageListsTheFirstTenLinks) {
  std::string html;
  for (int i = 0; i < 12; ++i) html += "<a href=\"\\\\host\\x\">L" + std::to_string(i) + "</a>";
  const std::string message = DescribeImportFailures(Import(html));
  EXPECT_EQ(message.find("已写入 0 个链接，12 个链接未能写入："), 0u) << message;
  EXPECT_NE(message.find("\nL9："), std::string::npos);
  EXPECT_EQ(message.find("L10："), std::string::npos);
  EXPECT_NE(message.find("另有 2 个链接未能写入"), std::string::npos);
}

TEST_F(ImportTest, NoShortcutLandsOutsideTheRoot) {
  const ImportResult result = Import(
      "<a href=u MyDir=\"..\\Out\">A</a><a href=u>..\\..\\B</a><a href=u "
      "MyDir=\"\\\\host\\share\">C</a>"
      "<a href=u MyDir=\"C:\\Windows\">D</a><a href=u MyDir=\"In\\..\\..\">E</a><a href=u "
      "MyDir=\"..\">F</a>");
  EXPECT_EQ(result.links_written, 0);
  EXPECT_EQ(result.failed_links.size(), 6u);
  EXPECT_EQ(AllFiles(), std::set<std::string>{"page.htm"});
}

TEST_F(ImportTest, RootWithoutTrailingBackslashGetsOne) {
  ScriptedImportPrompter prompter;
  std::string bare_root = root();
  bare_root.pop_back();
  const ImportResult result =
      Import("<a href=u MyDir=Sub>N</a><a href=u>M</a>", prompter, bare_root);
  EXPECT_EQ(result.links_written, 2);
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/Sub/N.url", "Fav/M.url"}));
}

TEST_F(ImportTest, LinkOnlyPageImportsWithLegalNames) {
  const ImportResult result = Import(
      "<a href=\"http://x.org/a?b\">http://x.org/a?b</a>"
      "<a href=\"u\" MyDir=\"con\\b:c\\d.\">a|b*c</a>");
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(AllFiles(),
            (std::set<std::string>{"page.htm", "Fav/http___x.url", "Fav/_con/b_c/d_/a_b_c.url"}));
}

#ifdef _WIN32
TEST_F(ImportTest, DoubleByteNamesWhoseSecondByteIsABackslash) {
  const ImportResult result = Import("<a href=u MyDir=\"\x81\x5C\">\x81\x5C|</a>");
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_TRUE(files_.FileExists(root() + "\x81\x5C\\\x81\x5C_.url"));
}
#endif

TEST_F(ImportTest, DangerousTargetsAreRefused) {
  const ImportResult result = Import(
      "<a href=\"file://host/share/run.exe\">R</a><a href=\"\\\\host\\s\\x\">S</a>"
      "<a href=\"u\r\n[x]\">T</a><a href=\"a\tb\">V</a>"
      "<a href=\"file:///C:/local.htm\">L</a><a href=\"javascript:void(0)\">J</a>");
  // The page's own line break inside the attribute is dropped when the page is read.
  EXPECT_EQ(result.links_written, 3);
  ASSERT_EQ(result.failed_links.size(), 3u);
  EXPECT_EQ(result.failed_links[2].link_text, "V");
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/L.url", "Fav/J.url", "Fav/T.url"}));
}

TEST_F(ImportTest, AttributesCountByTheirName) {
  Import(
      "<a href=\"u\" MyDir=\"ahref\">A</a><a href=\"x/mydir/\">B</a><a ahref=\"y\" "
      "href=\"z\">C</a>");
  EXPECT_EQ(FindShortcutEntry(Read("ahref\\A.url"), "InternetShortcut", "URL"), "u");
  EXPECT_EQ(FindShortcutEntry(Read("B.url"), "InternetShortcut", "URL"), "x/mydir/");
  EXPECT_EQ(FindShortcutEntry(Read("C.url"), "InternetShortcut", "URL"), "z");
}

TEST_F(ImportTest, LinkTextIsAllTextUpToTheEndTag) {
  const ImportResult result = Import(
      "<a href=u><b>Na</b>me</a></a>"
      "<a href=u><img src=x></a><a href=u></a>"
      "<a href=u> Sp &amp; </a>"
      "<a href=v>First<a href=w>Second</a>");
  EXPECT_EQ(result.links_written, 3);
  EXPECT_EQ(result.failed_links.size(), 2u);  // the two empty link texts
  EXPECT_EQ(AllFiles(), (std::set<std::string>{"page.htm", "Fav/Name.url", "Fav/ Sp &amp; .url",
                                               "Fav/Second.url"}));
  EXPECT_EQ(FindShortcutEntry(Read("Second.url"), "InternetShortcut", "URL"), "w");
}

TEST_F(ImportTest, EachLinkIsCheckedOnceAndFoldersCreatedOnce) {
  std::string html;
  for (int i = 0; i < 50; ++i) html += "<a href=u MyDir=\"A\\B\">L" + std::to_string(i) + "</a>";
  const ImportResult result = Import(html);
  EXPECT_EQ(result.links_written, 50);
  // The page, the root and the new folder's temporary name only: a new
  // shortcut is created straight away, one create and one write each.
  EXPECT_EQ(files_.CountCalls(FileOperation::kFileExists), 3u);
  EXPECT_EQ(files_.CountCalls(FileOperation::kWriteNewFile),
            1u + 50);  // the page, then the shortcuts
  EXPECT_EQ(files_.CountCalls(FileOperation::kCreateFolder), 3u);
  EXPECT_LE(files_.CountCalls(FileOperation::kFolderExists), 10u);
}

// Shortcuts that stand already are found by one search of their folder, not
// by a look at each path; each is still asked about and updated in place.
TEST_F(ImportTest, ExistingShortcutsAreFoundByTheirFolderAndUpdated) {
  std::string html;
  for (int i = 0; i < 20; ++i) {
    Put("A\\L" + std::to_string(i) + ".url", "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n");
    html += "<a href=u MyDir=\"A\">L" + std::to_string(i) + "</a>";
  }
  html += "<a href=u MyDir=\"A\">New</a><a href=v MyDir=\"A\">New</a>";
  ScriptedImportPrompter prompter({Answer::kYes, Answer::kYesToAll});
  const size_t checks_before = files_.CountCalls(FileOperation::kFileExists);
  const ImportResult result = Import(html, prompter);
  EXPECT_EQ(result.links_written, 22);
  EXPECT_TRUE(result.failed_links.empty());
  EXPECT_EQ(prompter.questions.size(), 2u);
  // The page, the root, and the second New: the folder search could not show
  // a file written since.
  EXPECT_EQ(files_.CountCalls(FileOperation::kFileExists) - checks_before, 3u);
  EXPECT_EQ(Read("A\\L7.url"),
            "[InternetShortcut]\r\nURL=u\r\nIconIndex=1\r\n[DEFAULT]\r\nBASEURL=u\r\n");
  // The second New is the file that the first one wrote, so it is updated, not refused.
  EXPECT_EQ(Read("A\\New.url"), "[DEFAULT]\r\nBASEURL=v\r\n[InternetShortcut]\r\nURL=v\r\n");
}

// A file that the folder search did not show under the link's spelling is
// still found when the create fails, and never overwritten unasked.
TEST_F(ImportTest, ShortcutCreatedAfterTheFolderSearchIsAskedAbout) {
  Put("A\\First.url", kNewShortcut);
  class CreatingPrompter : public ScriptedImportPrompter {
   public:
    CreatingPrompter(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    Answer AskReplaceShortcut(const std::string& a, const std::string& b, const std::string& c,
                              const std::string& d) override {
      // Another program writes the next link's shortcut while the question is open.
      if (questions.empty()) {
        EXPECT_TRUE(files_.WriteNewFile(path_, "[InternetShortcut]\r\nURL=mine\r\n"));
      }
      ScriptedImportPrompter::AskReplaceShortcut(a, b, c, d);
      return Answer::kNo;
    }

   private:
    FileSystem& files_;
    std::string path_;
  } prompter(files_, root() + "A\\Second.url");
  const ImportResult result =
      Import("<a href=x MyDir=A>First</a><a href=x MyDir=A>Second</a>", prompter);
  EXPECT_EQ(prompter.questions.size(), 2u);
  EXPECT_EQ(result.links_kept, 2);
  EXPECT_EQ(Read("A\\Second.url"), "[InternetShortcut]\r\nURL=mine\r\n");
}

// The bundled sample tree, exported with link names, comes back as the same
// tree: same folders, the names that keep no extension unchanged, same
// addresses, each shortcut in the four lines of a new one.
TEST_F(ImportTest, ExportedSampleTreeImportsAsTheSameTree) {
  const std::string sample = CorePathFromNative(LINKSHELF_SOURCE_DIR) + "\\examples\\Favorites\\";
  ASSERT_TRUE(files_.FolderExists(sample));
  const std::unique_ptr<Collation> collation = MakeSystemCollation();
  const RegionalSettings regional = ReadSystemRegionalSettings();
  ExportEnvironment environment{files_, *collation, regional, CurrentLocalTime};
  ExportRequest request;
  request.root = sample;
  request.title = "Sample";
  request.method = kLinkTitles;
  request.header_template = HeaderTemplateLines();
  const PageText exported = FormBookmarkPage(request, environment);
  ASSERT_GT(exported.links, 0);

  const ImportResult result = Import(exported.bytes);
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);

  std::map<std::string, std::string> expected;  // relative path -> address
  for (const auto& [path, bytes] : FilesBelow(files_, sample)) {
    if (!path.ends_with(".url")) continue;
    // The name loses its last extension before ".url" is put back on.
    std::string stem = path.substr(0, path.size() - 4);
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && stem.find('/', dot) == std::string::npos) stem.resize(dot);
    expected["Fav/" + stem + ".url"] = FindShortcutEntry(bytes, "InternetShortcut", "URL");
  }
  ASSERT_EQ(expected.size(), static_cast<size_t>(exported.links));

  std::map<std::string, std::string> imported;
  for (const auto& [path, bytes] : FilesBelow(files_, temp_.path())) {
    if (path == "page.htm") continue;
    const std::string url = FindShortcutEntry(bytes, "InternetShortcut", "URL");
    EXPECT_EQ(bytes,
              "[DEFAULT]\r\nBASEURL=" + url + "\r\n[InternetShortcut]\r\nURL=" + url + "\r\n");
    imported[path] = url;
  }
  // The page's own link to the program's home page comes back too.
  ASSERT_EQ(imported.count("Fav/Linkshelf.url"), 1u);
  imported.erase("Fav/Linkshelf.url");
  EXPECT_EQ(imported, expected);

  // Shown as their addresses, the links still all come back, with legal
  // names; addresses that differ only after their last dot share a name.
  request.method = kLinkAddresses;
  ScriptedImportPrompter keep;
  const ImportResult by_address =
      Import(FormBookmarkPage(request, environment).bytes, keep, temp_.path() + "ByAddress");
  EXPECT_FALSE(by_address.HasFailures()) << DescribeImportFailures(by_address);
  EXPECT_EQ(by_address.links_written + by_address.links_kept, exported.links + 1);
  EXPECT_EQ(FilesBelow(files_, temp_.path() + "ByAddress\\").size(),
            static_cast<size_t>(by_address.links_written));
}

}  // namespace
}  // namespace linkshelf
