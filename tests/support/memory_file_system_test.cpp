#include "tests/support/memory_file_system.h"

#include <gtest/gtest.h>

#include "runtime/file_operations.h"
#include "runtime/system.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

using Entries = std::map<std::string, std::string>;

TEST(MemoryFileSystemTest, PathsFollowTheWindowsRules) {
  MemoryFileSystem files("C:\\Work\\");
  files.PutFile("C:\\Fav\\News\\Daily.url", "x");
  EXPECT_TRUE(files.FileExists("c:\\fav\\NEWS\\daily.URL"));
  EXPECT_TRUE(files.FileExists("C:\\\\Fav\\\\News\\Daily.url"));
  EXPECT_TRUE(files.FileExists("C:/Fav/News/Daily.url"));
  EXPECT_TRUE(files.FileExists("C:\\Fav\\Other\\..\\.\\News\\Daily.url"));
  EXPECT_TRUE(files.FileExists("C:\\..\\..\\Fav\\News\\Daily.url"));  // never above the drive
  EXPECT_TRUE(files.FileExists("C:\\Fav\\News\\Daily.url. . "));  // trailing dots and blanks drop
  EXPECT_TRUE(files.FolderExists("C:\\Fav\\News\\"));
  EXPECT_TRUE(files.FolderExists("D:\\"));
  EXPECT_TRUE(files.FolderExists("\\\\server\\share"));
  EXPECT_EQ(files.FullPath("..\\fav\\news\\x.url"), "C:\\Fav\\News\\x.url");
  EXPECT_EQ(files.FullPath("\\a"), "C:\\a");
  EXPECT_EQ(files.FullPath("\\\\srv\\share\\..\\..\\a"), "\\\\srv\\share\\a");
}

TEST(MemoryFileSystemTest, RefusesNamesThatWindowsRefuses) {
  MemoryFileSystem files;
  files.PutFolder("C:\\Fav");
  for (const char* name : {"a:stream.url", "what?.url", "a\"b", "a<b", "a|b", "tab\t.url", "CON",
                           "con.url", "Lpt1.txt", "nul .url", "..."}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(files.WriteNewFile(std::string("C:\\Fav\\") + name, "x"));
    EXPECT_FALSE(files.CreateFolder(std::string("C:\\Fav\\") + name));
  }
  EXPECT_TRUE(files.WriteNewFile("C:\\Fav\\COM10.url", "x"));
  EXPECT_TRUE(files.WriteNewFile("C:\\Fav\\console.url", "x"));
  EXPECT_EQ(
      files.Snapshot(),
      (Entries{{"C:\\Fav\\", ""}, {"C:\\Fav\\COM10.url", "x"}, {"C:\\Fav\\console.url", "x"}}));
}

TEST(MemoryFileSystemTest, CreatesMovesAndRemovesLikeADisk) {
  MemoryFileSystem files;
  EXPECT_FALSE(files.WriteNewFile("C:\\missing\\a.url", "x"));
  EXPECT_FALSE(files.CreateFolder("C:\\missing\\sub"));
  ASSERT_TRUE(files.CreateFolder("C:\\Dir"));
  EXPECT_TRUE(files.CreateFolder("C:\\dir"));  // exists already
  ASSERT_TRUE(files.WriteNewFile("C:\\Dir\\Page.htm", "old"));
  EXPECT_FALSE(files.WriteNewFile("C:\\DIR\\page.htm", "new"));
  EXPECT_FALSE(files.CreateFolder("C:\\Dir\\Page.htm"));
  ASSERT_TRUE(files.WriteNewFile("C:\\Dir\\page.tmp", "new"));
  ASSERT_TRUE(files.ReplaceFile("C:\\Dir\\page.tmp", "C:\\dir\\PAGE.HTM"));
  EXPECT_EQ(files.Snapshot(), (Entries{{"C:\\Dir\\", ""}, {"C:\\Dir\\Page.htm", "new"}}));
  EXPECT_FALSE(files.ReplaceFile("C:\\Dir\\page.tmp", "C:\\Dir\\Page.htm"));
  EXPECT_FALSE(files.ReplaceFile("C:\\Dir\\Page.htm", "C:\\Dir"));
  EXPECT_FALSE(files.RemoveFile("C:\\Dir"));
  std::string bytes = "stale";
  EXPECT_FALSE(files.ReadFile("C:\\Dir", bytes));
  EXPECT_EQ(bytes, "");
  ASSERT_TRUE(files.RemoveFile("C:\\Dir\\Page.htm"));
  EXPECT_FALSE(files.FileSize("C:\\Dir\\Page.htm").has_value());
  EXPECT_FALSE(files.RemoveFile("C:\\Dir\\Page.htm"));
}

TEST(MemoryFileSystemTest, FindingListsOneFolderLevelWithItsDots) {
  MemoryFileSystem files;
  files.PutFile("C:\\Fav\\b.URL", "");
  files.PutFile("C:\\Fav\\a.txt", "");
  files.PutFile("C:\\Fav\\Sub\\deep.url", "");
  files.PutFile("C:\\Favorites\\other.url", "");
  std::vector<std::string> names;
  for (const FolderEntry& entry : files.FindEntries("C:\\Fav\\*.*")) {
    names.push_back(entry.name + (entry.is_folder ? "\\" : ""));
  }
  EXPECT_EQ(names, (std::vector<std::string>{".\\", "..\\", "a.txt", "b.URL", "Sub\\"}));
  ASSERT_EQ(files.FindEntries("c:\\fav\\*.url").size(), 1u);
  EXPECT_TRUE(files.FindEntries("C:\\Fav\\b.URL\\*.*").empty());
  EXPECT_TRUE(files.FindEntries("C:\\None\\*.*").empty());
}

// The steps that both layers offer must give the same results in memory as on disk.
TEST(MemoryFileSystemTest, AgreesWithTheDiskOnEveryOperation) {
  TempFolder temp;
  std::unique_ptr<FileSystem> disk = MakeSystemFileSystem();
  MemoryFileSystem memory;
  const std::string memory_root = "C:\\root\\";
  ASSERT_TRUE(memory.CreateFolder(memory_root));
  struct Layer {
    FileSystem& files;
    std::string root;
  };
  std::vector<std::vector<bool>> outcomes;
  for (Layer layer : {Layer{*disk, temp.path()}, Layer{memory, memory_root}}) {
    FileSystem& f = layer.files;
    const std::string& r = layer.root;
    std::string bytes;
    outcomes.push_back({
        bool(CreateMissingFolders(f, r + "a\\b\\")),
        f.FolderExists(r + "a\\b"),
        bool(f.WriteNewFile(r + "a\\b\\x.url", "12345")),
        bool(f.WriteNewFile(r + "a\\b\\x.url", "1")),
        f.FileSize(r + "a\\b\\x.url") == 5u,
        bool(ReplaceFileContent(f, r + "a\\b\\x.url", "new")),
        bool(f.ReadFile(r + "a\\b\\x.url", bytes)) && bytes == "new",
        f.FindEntries(r + "a\\b\\*.*").size() == 3,
        bool(f.ReplaceFile(r + "a\\b\\x.url", r + "y.url")),
        f.FileExists(r + "y.url") && !f.FileExists(r + "a\\b\\x.url"),
        bool(f.ReplaceFile(r + "y.url", r + "a")),
        bool(f.CreateFolder(r + "y.url")),
        bool(f.RemoveFile(r + "a")),
        bool(f.RemoveFile(r + "y.url")),
        bool(f.ReadFile(r + "y.url", bytes)),
        f.LastWriteTime(r + "a").has_value(),
    });
  }
  EXPECT_EQ(outcomes[0], outcomes[1]);
}

}  // namespace
}  // namespace linkshelf
