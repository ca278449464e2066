// Pages from anywhere, imported on the real file layer: each page of
// tests/hostile/pages says in its name what it tries, and each test what must
// happen. Throughout: nothing is written outside the root, and every link that
// is not written is reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "import/import_bookmark_page.h"
#include "runtime/shortcut_entry.h"
#include "runtime/system.h"
#include "tests/hostile/held_file.h"
#include "tests/support/prompters.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

class HostilePageTest : public ::testing::Test {
 protected:
  // Imports the page bytes into the folder "root" (named without its
  // backslash) and returns the result.
  ImportResult Import(const std::string& page_bytes) {
    std::ofstream(temp_.native() / "page.htm", std::ios::binary) << page_bytes;
    ScriptedImportPrompter prompter({}, ShortcutReplaceAnswer::kYes);
    return ImportBookmarkPage({temp_.path() + "page.htm", temp_.path() + "root"}, *files_,
                              prompter);
  }
  ImportResult ImportCorpusPage(const std::string& name) {
    std::ifstream in(fs::path(LINKSHELF_SOURCE_DIR) / "tests" / "hostile" / "pages" / name,
                     std::ios::binary);
    EXPECT_TRUE(in) << name;
    return Import(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  // Every file below the test folder, by its path from there with slashes.
  // Folders deeper than the platform's own path functions reach are passed over.
  std::set<std::string> Files() const {
    std::set<std::string> files;
    AddFiles(temp_.native(), "", files);
    return files;
  }
  static void AddFiles(const fs::path& folder, const std::string& prefix,
                       std::set<std::string>& files) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      const std::string name = prefix + it->path().filename().generic_string();
      if (it->is_directory(error)) {
        AddFiles(it->path(), name + "/", files);
      } else if (!error) {
        files.insert(name);
      }
    }
  }
  std::string Url(const std::string& relative) {
    return ReadShortcutEntry(*files_, temp_.path() + relative, "InternetShortcut", "URL");
  }

  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  TempFolder temp_;
};

TEST_F(HostilePageTest, ManyOverlappingTagsStopTheImportInsteadOfRunningForHours) {
  // Every `<a ` starts a tag that runs to the one `>` at the end, so reading
  // them all would take time that grows with the square of the page.
  std::string page = "<a href=\"u\">First</a>";
  for (int i = 0; i < 200000; ++i) page += "<a </a ";
  page += ">";
  const ImportResult result = Import(page);
  // The first overlapping tags are still read before the page is given up on.
  EXPECT_GE(result.links_written, 1);
  EXPECT_LT(result.links_written, 100);
  EXPECT_FALSE(result.stopped_reason.empty());
  EXPECT_TRUE(result.HasFailures());
  EXPECT_NE(DescribeImportFailures(result).find(result.stopped_reason), std::string::npos);
  EXPECT_EQ(Url("root\\First.url"), "u");
}

TEST_F(HostilePageTest, FolderAttributesThatLeadOutOfTheRootAreRefused) {
  const ImportResult result = ImportCorpusPage("traversal_in_folders.htm");
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/Safe/Kept.url"}));
  EXPECT_EQ(result.links_written, 1);
  EXPECT_EQ(result.failed_links.size(), 9u);
  for (const FailedLink& failed : result.failed_links)
    EXPECT_FALSE(failed.reason.empty()) << failed.link_text;
}

TEST_F(HostilePageTest, BrowserFileFoldersAndNamesStayInsideTheRoot) {
  const ImportResult result = ImportCorpusPage("browser_file_traversal.html");
  // A browser file's name is one level: its backslashes become `_`. A folder
  // that is refused is reported through each link it holds.
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/.._.._Startup/Flattened.url",
                                            "root/____C__Windows/Device path.url",
                                            "root/_CON/_NUL.url", "root/_etc_passwd.url"}));
  std::set<std::string> refused;
  for (const FailedLink& failed : result.failed_links) refused.insert(failed.link_text);
  EXPECT_EQ(refused, (std::set<std::string>{"Up one", "Drive", "Deeper", "Dots by reference",
                                            "Remote", "Remote file", "Control byte", "C:_evil"}));
}

TEST_F(HostilePageTest, BrowserFileNestedDeepOrFullOfOpenQuotesIsReadToItsEnd) {
  std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>";
  // Long names reach the longest path allowed after a few levels; the rest are read and refused.
  const std::string level = "<DT><H3>" + std::string(200, 'a') + "</H3><DL>";
  for (int i = 0; i < 20000; ++i) file += level;
  file += "<DT><A HREF=\"https://deep.example/\">Deep</A>";
  for (int i = 0; i < 20000; ++i) file += "</DL>";
  // A quote that is never closed gives way to the tag's first `>`.
  file +=
      "<DT><A HREF='https://last.example/'>Last</A><DT><A HREF=\"https://open.example/>Open "
      "quote</A>";
  const ImportResult result = Import(file);
  ASSERT_FALSE(result.failed_links.empty());
  EXPECT_EQ(result.failed_links[0].link_text, "Deep");
  EXPECT_EQ(Url("root\\Last.url"), "https://last.example/");
  EXPECT_EQ(Url("root\\Open quote.url"), "https://open.example/");
}

TEST_F(HostilePageTest, LinkTextsThatLeadOutOfTheRootAreRefused) {
  const ImportResult result = ImportCorpusPage("traversal_in_link_texts.htm");
  // ".." as a link text is only a name: its extension gives way to ".url".
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/Kept.url", "root/..url"}));
  EXPECT_EQ(result.failed_links.size(), 5u);
}

TEST_F(HostilePageTest, NamesThatWindowsRefusesAreMadeLegal) {
  const ImportResult result = ImportCorpusPage("names_windows_refuses.htm");
  EXPECT_TRUE(result.failed_links.empty()) << DescribeImportFailures(result);
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/_CON.url", "root/_nul.url",
                                            "root/_LPT1/_COM9.url", "root/file.txt_hidden.url",
                                            "root/_aux/What_ _Now_ _quoted_ &lt;b&gt; _pipe_.url",
                                            "root/trailing_/dots...url", "root/https___x.url"}));
  EXPECT_EQ(Url("root\\file.txt_hidden.url"), "https://x.example/4");
}

TEST_F(HostilePageTest, MarkupInAddressesCannotReachTheNextPage) {
  const ImportResult result = ImportCorpusPage("markup_in_addresses.htm");
  EXPECT_EQ(result.links_written, 4) << DescribeImportFailures(result);
  // A tag ends at the first `>`, quotes or not: the break-out attempt leaves
  // an empty target, the query keeps what stood before its `>`. A later href
  // overrides an earlier one; entities stay as written.
  EXPECT_EQ(Url("root\\alert(1)'_Breaks out.url"), "");
  EXPECT_EQ(Url("root\\a href=_https___x.url"), "https://x.example/?q=<b");
  EXPECT_EQ(Url("root\\Two targets.url"), "https://second.example/");
  EXPECT_EQ(Url("root\\Bookmarklet.url"), "javascript:alert(&quot;x&quot;)");
  // Exported again, no address leaves its attribute.
  const std::unique_ptr<Collation> collation = MakeSystemCollation();
  const RegionalSettings regional;
  ExportEnvironment environment{*files_, *collation, regional,
                                [] { return LocalTime{2026, 12, 8, 15, 4, 5}; }};
  ExportRequest request;
  request.root = temp_.path() + "root\\";
  request.page_path = temp_.path() + "again.htm";
  request.header_template = HeaderTemplateLines();
  request.open_page = false;
  ScriptedExportPrompter prompter;
  ASSERT_EQ(ExportBookmarkPage(request, environment, prompter).outcome, ExportOutcome::kWritten);
  std::ifstream in(temp_.native() / "again.htm", std::ios::binary);
  const std::string page(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("href=\"https://x.example/?q=%3Cb\""), std::string::npos);
}

TEST_F(HostilePageTest, UnterminatedTagsAndQuotesEndLinksWhereTheScannerSays) {
  const ImportResult result = ImportCorpusPage("unterminated.htm");
  // A quote never protects a `>`; a link without its `</a>` is never written.
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/first.url", "root/second.url",
                                            "root/third.url"}));
  EXPECT_EQ(Url("root\\second.url"), "https://x.example/2");
  EXPECT_FALSE(result.HasFailures());
}

TEST_F(HostilePageTest, ControlBytesAndRemoteFilesNeverReachAShortcut) {
  const ImportResult result = ImportCorpusPage("control_bytes.htm");
  // Byte 26 ends the page; a NUL in a name becomes "_"; targets with control
  // bytes or on another machine are refused.
  EXPECT_EQ(Files(),
            (std::set<std::string>{"page.htm", "root/nul_in name.url", "root/local file.url"}));
  EXPECT_EQ(result.failed_links.size(), 3u);
  EXPECT_EQ(Url("root\\local file.url"), "file:///C:/local.txt");
}

TEST_F(HostilePageTest, DeepFoldersAndLongNamesAreWrittenOrReported) {
  std::string deep;
  for (int level = 0; level < 2000; ++level) deep += "dd\\";
  const ImportResult result =
      Import("<a href=\"https://x.example/1\" MyDir=\"" + deep.substr(0, 150) + "\">near</a>" +
             "<a href=\"https://x.example/2\" MyDir=\"" + deep + "\">deep</a>" +
             "<a href=\"https://x.example/3\">" + std::string(300, 'n') + "</a>");
  EXPECT_EQ(result.links_written + static_cast<int>(result.failed_links.size()), 3);
  for (const FailedLink& failed : result.failed_links) EXPECT_FALSE(failed.reason.empty());
  for (const std::string& file : Files()) {
    EXPECT_TRUE(file == "page.htm" || file.starts_with("root/dd/") || file.starts_with("root/nnn"))
        << file;
  }
}

TEST_F(HostilePageTest, AFiftyMegabytePageImportsItsLinks) {
  std::string page = "<html><body>\r\n";
  const std::string filler = "<p>Filler text of a very large page, 0123456789 &amp; more</p>\r\n";
  page.reserve(50 * 1024 * 1024 + 256);
  while (page.size() < 50 * 1024 * 1024) page += filler;
  page +=
      "<a href=\"https://x.example/1\" MyDir=\"Big\">one</a><a "
      "href=\"https://x.example/2\">two</a>\r\n";
  const ImportResult result = Import(page);
  EXPECT_EQ(result.links_written, 2);
  EXPECT_EQ(Files(), (std::set<std::string>{"page.htm", "root/Big/one.url", "root/two.url"}));
}

TEST_F(HostilePageTest, ExistingEmptyBinaryAndHugeShortcutsAreUpdatedInPlace) {
  fs::create_directories(temp_.native() / "root");
  using namespace std::string_literals;
  std::string binary =
      "\x7f\x00\xff[InternetShortcut\r\n\x1a\rURL\x00=\n[InternetShortcut]\rIconIndex=1\r"s;
  binary += std::string(1000, '\0');
  const std::string huge =
      std::string(8 * 1024 * 1024, ';') + "\r\n[InternetShortcut]\r\nURL=old\r\n";
  std::ofstream(temp_.native() / "root" / "empty.url", std::ios::binary) << "";
  std::ofstream(temp_.native() / "root" / "binary.url", std::ios::binary) << binary;
  std::ofstream(temp_.native() / "root" / "huge.url", std::ios::binary) << huge;
  const ImportResult result = Import(
      "<a href=\"https://x.example/e\">empty</a><a href=\"https://x.example/b\">binary</a>"
      "<a href=\"https://x.example/h\">huge</a>");
  EXPECT_EQ(result.links_written, 3) << DescribeImportFailures(result);
  for (const char* name : {"empty", "binary", "huge"}) {
    const std::string path = std::string("root\\") + name + ".url";
    EXPECT_EQ(Url(path), std::string("https://x.example/") + name[0]) << name;
    EXPECT_EQ(ReadShortcutEntry(*files_, temp_.path() + path, "DEFAULT", "BASEURL"),
              std::string("https://x.example/") + name[0]);
  }
  // Bytes the import does not set stay where they were.
  std::ifstream in(temp_.native() / "root" / "binary.url", std::ios::binary);
  const std::string after(std::istreambuf_iterator<char>(in), {});
  EXPECT_TRUE(after.starts_with(binary.substr(0, 20))) << after.substr(0, 40);
  EXPECT_NE(after.find("IconIndex=1"), std::string::npos);
  EXPECT_NE(after.find(std::string(1000, '\0')), std::string::npos);
}

#ifdef _WIN32
TEST_F(HostilePageTest, AShortcutHeldOpenIsReportedAndKept) {
  fs::create_directories(temp_.native() / "root");
  std::ofstream(temp_.native() / "root" / "held.url", std::ios::binary)
      << "[InternetShortcut]\r\nURL=old\r\n";
  HeldFile held(temp_.native() / "root" / "held.url");
  ASSERT_TRUE(held.held());
  const ImportResult result =
      Import("<a href=\"https://x.example/h\">held</a><a href=\"https://x.example/f\">free</a>");
  EXPECT_EQ(result.links_written, 1);
  ASSERT_EQ(result.failed_links.size(), 1u);
  EXPECT_EQ(result.failed_links[0].link_text, "held");
}
#endif

}  // namespace
}  // namespace linkshelf
