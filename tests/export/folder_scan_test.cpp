#include "export/folder_scan.h"

#include <gtest/gtest.h>

#include "tests/export/memory_file_system.h"

namespace linkshelf {
namespace {

std::string Shortcut(const std::string& address) { return "[InternetShortcut]\r\nURL=" + address + "\r\n"; }

ScanRecord Folder(std::string text) { return {ScanRecord::Kind::kFolder, std::move(text), {}, {}}; }
ScanRecord Link(std::string name, std::string address) {
  return {ScanRecord::Kind::kLink, std::move(name), std::move(address), {}};
}

class FolderScanTest : public ::testing::Test {
 protected:
  std::vector<ScanRecord> Scan(const std::string& root = "C:\\Fav") { return ScanFolder(files, collation, root); }

  MemoryFileSystem files;
  ByteCollation collation;
};

TEST_F(FolderScanTest, EachFolderHoldsItsOwnLinksBeforeItsSubfolders) {
  // Sibling names that extend one another must not split a folder from its links.
  files.AddFile("C:\\Fav\\Home.url", Shortcut("u-home"));
  files.AddFile("C:\\Fav\\News\\Daily.url", Shortcut("u-daily"));
  files.AddFile("C:\\Fav\\News\\Tech\\Gadgets.url", Shortcut("u-gadgets"));
  files.AddFile("C:\\Fav\\News Two\\Weekly.url", Shortcut("u-weekly"));
  files.AddFile("C:\\Fav\\News2\\Monthly.url", Shortcut("u-monthly"));
  files.AddFile("C:\\Fav\\News.Old\\Yearly.url", Shortcut("u-yearly"));
  files.AddFile("C:\\Fav\\about.url", Shortcut("u-about"));
  files.AddFolder("C:\\Fav\\A");

  const std::vector<ScanRecord> expected = {
      Link("about", "u-about"),      Link("Home", "u-home"),     Folder("A"),
      Folder("News"),                Link("Daily", "u-daily"),   Folder("News\\Tech"),
      Link("Gadgets", "u-gadgets"),  Folder("News Two"),         Link("Weekly", "u-weekly"),
      Folder("News.Old"),            Link("Yearly", "u-yearly"), Folder("News2"),
      Link("Monthly", "u-monthly"),
  };
  EXPECT_EQ(Scan(), expected);
  // The root may be given with a trailing backslash or even a doubled one.
  EXPECT_EQ(Scan("C:\\Fav\\"), expected);
}

TEST_F(FolderScanTest, NamesAndHiddenFolders) {
  files.AddFile("C:\\Fav\\Two.Dots.url", Shortcut("a"));
  files.AddFile("C:\\Fav\\.url", Shortcut("b"));
  files.AddFile("C:\\Fav\\.hidden.url", Shortcut("c"));
  files.AddFile("C:\\Fav\\readme.txt", "not a shortcut");
  files.AddFile("C:\\Fav\\.hidden\\Secret.url", Shortcut("d"));
  files.AddFile("C:\\Fav\\Plain\\NoAddress.url", "[DEFAULT]\r\nURL=elsewhere\r\n");
  files.AddFile("C:\\Fav\\Plain\\Locked.url", Shortcut("e")).readable = false;

  const std::vector<ScanRecord> expected = {
      Link("", "b"),           Link(".hidden", "c"),  Link("Two.Dots", "a"),
      Folder("Plain"),         Link("Locked", ""),    Link("NoAddress", ""),
  };
  EXPECT_EQ(Scan(), expected);
}

TEST_F(FolderScanTest, EmptyAndMissingTrees) {
  EXPECT_TRUE(Scan("C:\\Missing").empty());
  files.AddFolder("C:\\Fav");
  EXPECT_TRUE(Scan().empty());
  files.AddFolder("C:\\Fav\\B\\C");
  files.AddFolder("C:\\Fav\\A");
  EXPECT_EQ(Scan(), (std::vector<ScanRecord>{Folder("A"), Folder("B"), Folder("B\\C")}));
}

TEST_F(FolderScanTest, RecordsEqualWithoutCaseAreHeldOnce) {
  // Possible where names may differ by case alone: one folder in the page,
  // holding the links of both, and a link equal in name and address once.
  files.AddFile("C:\\Fav\\News\\Daily.url", Shortcut("http://d/"));
  files.AddFile("C:\\Fav\\NEWS\\daily.url", Shortcut("HTTP://D/"));
  files.AddFile("C:\\Fav\\NEWS\\Extra.url", Shortcut("http://e/"));
  files.AddFile("C:\\Fav\\NEWS\\Deep\\X.url", Shortcut("http://x/"));
  files.AddFile("C:\\Fav\\Same.url", Shortcut("http://one/"));
  files.AddFile("C:\\Fav\\same.url", Shortcut("http://two/"));

  const std::vector<ScanRecord> records = Scan();
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(records[0].text, "Same");
  EXPECT_EQ(records[1].text, "same");
  EXPECT_EQ(records[2].kind, ScanRecord::Kind::kFolder);
  EXPECT_TRUE(EqualsIgnoringAsciiCase(records[2].text, "news"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase(records[3].text, "daily"));
  EXPECT_EQ(records[4], Link("Extra", "http://e/"));
  EXPECT_EQ(records[5].kind, ScanRecord::Kind::kFolder);
  EXPECT_TRUE(EqualsIgnoringAsciiCase(records[5].text, "news\\deep"));
  EXPECT_EQ(records[6], Link("X", "http://x/"));
}

TEST_F(FolderScanTest, ReadsEachShortcutOnceAndReportsProgress) {
  for (int i = 0; i < 30; ++i) {
    files.AddFile("C:\\Fav\\F" + std::to_string(i % 3) + "\\L" + std::to_string(i) + ".url", Shortcut("u"));
  }
  int last_links = -1;
  int last_folders = -1;
  const auto records = ScanFolder(files, collation, "C:\\Fav", [&](int links, int folders) {
    EXPECT_GE(links, last_links);
    last_links = links;
    last_folders = folders;
  });
  EXPECT_EQ(records.size(), 33u);
  EXPECT_EQ(files.reads, 30);
  EXPECT_EQ(last_links, 30);
  EXPECT_EQ(last_folders, 3);
}

}  // namespace
}  // namespace linkshelf
