#include "export/folder_scan.h"

#include <gtest/gtest.h>

#include "runtime/text.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

namespace linkshelf {
namespace {

std::string Shortcut(const std::string& address) {
  return "[InternetShortcut]\r\nURL=" + address + "\r\n";
}

ScanRecord Folder(std::string text) {
  return {ScanRecord::Kind::kFolder, std::move(text), {}, {}};
}
ScanRecord Link(std::string name, std::string address) {
  return {ScanRecord::Kind::kLink, std::move(name), std::move(address), {}};
}

class FolderScanTest : public ::testing::Test {
 protected:
  std::vector<ScanRecord> Scan(const std::string& root = "C:\\Fav") {
    return ScanFolder(files, collation, root).records;
  }

  // Names may differ by case alone, as on the disks of other systems.
  MemoryFileSystem memory{"C:\\", NameCase::kKept};
  FaultyFileSystem files{memory};
  ByteCollation collation;
};

TEST_F(FolderScanTest, EachFolderHoldsItsOwnLinksBeforeItsSubfolders) {
  // Sibling names that extend one another must not split a folder from its links.
  memory.PutFile("C:\\Fav\\Home.url", Shortcut("u-home"));
  memory.PutFile("C:\\Fav\\News\\Daily.url", Shortcut("u-daily"));
  memory.PutFile("C:\\Fav\\News\\Tech\\Gadgets.url", Shortcut("u-gadgets"));
  memory.PutFile("C:\\Fav\\News Two\\Weekly.url", Shortcut("u-weekly"));
  memory.PutFile("C:\\Fav\\News2\\Monthly.url", Shortcut("u-monthly"));
  memory.PutFile("C:\\Fav\\News.Old\\Yearly.url", Shortcut("u-yearly"));
  memory.PutFile("C:\\Fav\\about.url", Shortcut("u-about"));
  memory.PutFolder("C:\\Fav\\A");

  const std::vector<ScanRecord> expected = {
      Link("about", "u-about"),
      Link("Home", "u-home"),
      Folder("A"),
      Folder("News"),
      Link("Daily", "u-daily"),
      Folder("News\\Tech"),
      Link("Gadgets", "u-gadgets"),
      Folder("News Two"),
      Link("Weekly", "u-weekly"),
      Folder("News.Old"),
      Link("Yearly", "u-yearly"),
      Folder("News2"),
      Link("Monthly", "u-monthly"),
  };
  EXPECT_EQ(Scan(), expected);
  // The root may be given with a trailing backslash or even a doubled one.
  EXPECT_EQ(Scan("C:\\Fav\\"), expected);
}

TEST_F(FolderScanTest, NamesAndHiddenFolders) {
  memory.PutFile("C:\\Fav\\Two.Dots.url", Shortcut("a"));
  memory.PutFile("C:\\Fav\\.url", Shortcut("b"));
  memory.PutFile("C:\\Fav\\.hidden.url", Shortcut("c"));
  memory.PutFile("C:\\Fav\\readme.txt", "not a shortcut");
  memory.PutFile("C:\\Fav\\.hidden\\Secret.url", Shortcut("d"));
  memory.PutFile("C:\\Fav\\Plain\\NoAddress.url", "[DEFAULT]\r\nURL=elsewhere\r\n");
  memory.PutFile("C:\\Fav\\Plain\\Locked.url", Shortcut("e"));
  files.MakeUnreadable("C:\\Fav\\Plain\\Locked.url");

  const std::vector<ScanRecord> expected = {
      Link("", "b"),   Link(".hidden", "c"), Link("Two.Dots", "a"),
      Folder("Plain"), Link("Locked", ""),   Link("NoAddress", ""),
  };
  EXPECT_EQ(Scan(), expected);
}

TEST_F(FolderScanTest, EmptyAndMissingTrees) {
  EXPECT_TRUE(Scan("C:\\Missing").empty());
  memory.PutFolder("C:\\Fav");
  EXPECT_TRUE(Scan().empty());
  memory.PutFolder("C:\\Fav\\B\\C");
  memory.PutFolder("C:\\Fav\\A");
  EXPECT_EQ(Scan(), (std::vector<ScanRecord>{Folder("A"), Folder("B"), Folder("B\\C")}));
}

TEST_F(FolderScanTest, RecordsEqualWithoutCaseAreHeldOnce) {
  // Possible where names may differ by case alone: one folder in the page,
  // holding the links of both, and a link equal in name and address once.
  memory.PutFile("C:\\Fav\\News\\Daily.url", Shortcut("http://d/"));
  memory.PutFile("C:\\Fav\\NEWS\\daily.url", Shortcut("HTTP://D/"));
  memory.PutFile("C:\\Fav\\NEWS\\Extra.url", Shortcut("http://e/"));
  memory.PutFile("C:\\Fav\\NEWS\\Deep\\X.url", Shortcut("http://x/"));
  memory.PutFile("C:\\Fav\\Same.url", Shortcut("http://one/"));
  memory.PutFile("C:\\Fav\\same.url", Shortcut("http://two/"));

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
    memory.PutFile("C:\\Fav\\F" + std::to_string(i % 3) + "\\L" + std::to_string(i) + ".url",
                   Shortcut("u"));
  }
  int last_links = -1;
  int last_folders = -1;
  const auto records = ScanFolder(files, collation, "C:\\Fav", [&](int links, int folders) {
                         EXPECT_GE(links, last_links);
                         last_links = links;
                         last_folders = folders;
                       }).records;
  EXPECT_EQ(records.size(), 33u);
  EXPECT_EQ(files.CountCalls(FileOperation::kReadFile), 30u);
  EXPECT_EQ(last_links, 30);
  EXPECT_EQ(last_folders, 3);
}

}  // namespace
}  // namespace linkshelf
