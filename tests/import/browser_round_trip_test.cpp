// Favorites through the browser file and back, and a browser file through
// Favorites and back, on the real file layer; and how the shortcut writer
// settles the names that browsers allow and folders do not.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "export/export_bookmark_page.h"
#include "export/folder_scan.h"
#include "import/import_bookmark_page.h"
#include "runtime/shortcut_entry.h"
#include "runtime/system.h"
#include "tests/support/prompters.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

class BrowserRoundTrip : public ::testing::Test {
 protected:
  std::string Source(const std::string& relative) {
    return CorePathFromNative((fs::path(LINKSHELF_SOURCE_DIR) / relative).string());
  }

  std::string Export(const std::string& root) {
    ExportEnvironment environment{*files_, collation_, regional_, [] { return LocalTime{}; }};
    ExportRequest request;
    request.root = root;
    request.title = "Bookmarks & <more>";
    request.format = ExportFormat::kBrowser;
    return FormBookmarkPage(request, environment).bytes;
  }

  ImportResult Import(const std::string& file, const std::string& root) {
    ScriptedImportPrompter prompter;
    return ImportBookmarkPage({file, root}, *files_, prompter);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(temp_.native() / name, std::ios::binary) << bytes;
    return temp_.path() + name;
  }

  std::string Address(const std::string& shortcut) {
    return ReadShortcutEntry(*files_, temp_.path() + shortcut, "InternetShortcut", "URL");
  }

  static std::string WithoutDates(const std::string& text) {
    return std::regex_replace(text, std::regex(R"( (ADD_DATE|LAST_MODIFIED)="\d+")"), "");
  }

  TempFolder temp_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  ByteCollation collation_;
  RegionalSettings regional_;
};

TEST_F(BrowserRoundTrip, FavoritesComeBackAsTheyWere) {
  const std::string favorites = Source("examples/Favorites");
  const ImportResult result =
      Import(Write("bookmarks.html", Export(favorites)), temp_.path() + "root");
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(result.links_written, 8);
  const std::vector<ScanRecord> original = ScanFolder(*files_, collation_, favorites).records;
  EXPECT_EQ(ScanFolder(*files_, collation_, temp_.path() + "root").records, original);
  EXPECT_EQ(original.size(), 14u);  // the empty folder among them
}

TEST_F(BrowserRoundTrip, ABrowserFileComesBackInFavoritesOrder) {
  std::ifstream in(fs::path(LINKSHELF_SOURCE_DIR) / "tests" / "data" / "favorites-browser.html",
                   std::ios::binary);
  std::ostringstream kept;
  kept << in.rdbuf();
  Import(Write("bookmarks.html", kept.str()), temp_.path() + "root");
  EXPECT_EQ(WithoutDates(Export(temp_.path() + "root")), WithoutDates(kept.str()));
}

TEST_F(BrowserRoundTrip, SharedNamesAreNumberedAndSameNamedFoldersMerged) {
  const ImportResult result = Import(
      Source("tests/data/browser-files/one-line-duplicates-entities.html"), temp_.path() + "root");
  EXPECT_EQ(Address("root\\Dup\\Same.url"), "https://a.example/");
  EXPECT_EQ(Address("root\\Dup\\Same (2).url"), "https://b.example/");
  EXPECT_EQ(Address("root\\Dup\\Merged.url"), "https://c.example/");
  // The merged folder's own "Same" goes on from the numbers given before it.
  EXPECT_EQ(Address("root\\Dup\\Same (3).url"), "https://d.example/");
  EXPECT_FALSE(files_->FileExists(temp_.path() + "root\\Dup\\Same (4).url"));
  EXPECT_EQ(Address("root\\host.example.url"), "https://user:pw@host.example:8080/path");
  EXPECT_EQ(Address("root\\.._.._up\\a_b.url"), "https://s.example/");
  ASSERT_EQ(result.failed_links.size(), 1u);
  EXPECT_EQ(result.failed_links[0].link_text, "No address");
  EXPECT_EQ(result.links_written, 8);
}

TEST_F(BrowserRoundTrip, BrowserViewsAreCountedNotFailed) {
  const ImportResult result =
      Import(Source("tests/data/browser-files/exported-by-a-browser.html"), temp_.path() + "root");
  EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
  EXPECT_EQ(result.browser_views_skipped, 4);
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "root\\Empty folder"));
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "root\\Heading without list"));
  EXPECT_TRUE(files_->FileExists(temp_.path() +
                                 "root\\Bookmarks Toolbar\\L1\\L2\\L3\\L4\\L5\\Five deep.url"));
}

}  // namespace
}  // namespace linkshelf
