#include "runtime/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "runtime/file_operations.h"
#include "runtime/system.h"
#include "runtime/text.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  TempFolder temp_;
};

TEST_F(FileSystemTest, NewFilesAreCreatedOnceAndNeverOverwritten) {
  const std::string path = temp_.path() + "a.url";
  ASSERT_TRUE(files_->WriteNewFile(path, "one"));
  EXPECT_FALSE(files_->WriteNewFile(path, "two"));
  std::string bytes;
  ASSERT_TRUE(files_->ReadFile(path, bytes));
  EXPECT_EQ(bytes, "one");
  EXPECT_EQ(files_->FileSize(path), 3u);
  EXPECT_TRUE(files_->FileExists(path));
  EXPECT_FALSE(files_->FolderExists(path));
}

// A doubled separator, anywhere in the path, counts as one.
TEST_F(FileSystemTest, ADoubledSeparatorCountsAsOne) {
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "sub"));
  ASSERT_TRUE(files_->WriteNewFile(temp_.path() + "sub\\\\a.url", "one"));
  std::string bytes;
  ASSERT_TRUE(files_->ReadFile(temp_.path() + "sub\\a.url", bytes));
  EXPECT_EQ(bytes, "one");
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "\\sub\\\\"));
}

// Paths of one folder follow one another in every run; each still reaches
// its own file, however it is spelled.
TEST_F(FileSystemTest, EachPathOfAFolderReachesItsOwnFile) {
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "sub"));
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "sub\\x"));
  const std::string sub = temp_.path() + "sub\\";
  const struct {
    std::string written;
    std::string read;
  } kPaths[] = {
      {sub + "a.url", sub + "a.url"},
      {sub + "x/b.url", sub + "x\\b.url"},
      {sub + "c.url", temp_.path() + "sub\\\\c.url"},
      {temp_.path() + "sub\\\\d.url", sub + "d.url"},
      {sub + "x\\e.url", sub + "x/e.url"},
      {sub + "f&g.url", sub + "f&g.url"},
  };
  for (const auto& path : kPaths) {
    ASSERT_TRUE(files_->WriteNewFile(path.written, path.written)) << path.written;
    std::string bytes;
    ASSERT_TRUE(files_->ReadFile(path.read, bytes)) << path.read;
    EXPECT_EQ(bytes, path.written);
  }
  EXPECT_EQ(files_->FindEntries(sub + "*.url").size(), 4u);
  EXPECT_EQ(files_->FindEntries(sub + "x\\*.url").size(), 2u);
}

// A listing's entries may be read while it goes on, also when another
// folder is reached in between.
TEST_F(FileSystemTest, EntriesReadWhileTheirFolderIsListedGiveTheirOwnBytes) {
  const std::string sub = temp_.path() + "sub\\";
  const std::string other = temp_.path() + "other\\";
  ASSERT_TRUE(files_->CreateFolder(sub));
  ASSERT_TRUE(files_->CreateFolder(sub + "folder.url"));
  ASSERT_TRUE(files_->CreateFolder(other));
  for (const char* name : {"a.url", "b.url", "c.url"})
    ASSERT_TRUE(files_->WriteNewFile(sub + name, name));
  ASSERT_TRUE(files_->WriteNewFile(other + "a.url", "other"));
  std::vector<std::string> seen;
  ASSERT_TRUE(files_->VisitEntries(sub + "*.url", [&](const FolderEntry& entry) {
    std::string bytes;
    const bool read = static_cast<bool>(files_->ReadFile(sub + entry.name, bytes));
    EXPECT_EQ(read, !entry.is_folder) << entry.name;
    EXPECT_EQ(bytes, read ? entry.name : "");
    ASSERT_TRUE(files_->ReadFile(other + "a.url", bytes));
    EXPECT_EQ(bytes, "other");
    seen.push_back(entry.name);
  }));
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"a.url", "b.url", "c.url", "folder.url"}));
}

TEST_F(FileSystemTest, ReplacingContentLeavesNoTemporaryFile) {
  const std::string path = temp_.path() + "page.htm";
  ASSERT_TRUE(files_->WriteNewFile(path, "old"));
  ASSERT_TRUE(ReplaceFileContent(*files_, path, "new content"));
  std::string bytes;
  ASSERT_TRUE(files_->ReadFile(path, bytes));
  EXPECT_EQ(bytes, "new content");
  EXPECT_EQ(files_->FindEntries(temp_.path() + "*.*").size(), 3u);  // ".", ".." and the page
}

TEST_F(FileSystemTest, MissingFoldersAreCreatedOutermostFirst) {
  ASSERT_TRUE(CreateMissingFolders(*files_, temp_.path() + "a\\\\b\\c\\"));
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "a\\b\\c"));
  ASSERT_TRUE(CreateMissingFolders(*files_, temp_.path() + "a\\b\\c"));
}

#ifdef _WIN32
TEST_F(FileSystemTest, AFolderEndingInATrailByteBackslashIsCreatedToo) {
  // 0x95 0x5C is one GBK character whose second byte is the backslash.
  if (!IsLeadByte(0x95)) GTEST_SKIP() << "not a double-byte code page";
  ASSERT_TRUE(CreateMissingFolders(*files_, temp_.path() + "a\x95\x5C\\b\\"));
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "a\x95\x5C"));
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "a\x95\x5C\\b"));
  ASSERT_TRUE(CreateMissingFolders(*files_, temp_.path() + "c\x95\x5C"));
  EXPECT_TRUE(files_->FolderExists(temp_.path() + "c\x95\x5C"));
}
#endif

TEST_F(FileSystemTest, FindingMatchesThePatternAndTellsFoldersApart) {
  ASSERT_TRUE(files_->WriteNewFile(temp_.path() + "One.URL", ""));
  ASSERT_TRUE(files_->WriteNewFile(temp_.path() + "two.txt", ""));
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "Sub"));
  auto links = files_->FindEntries(temp_.path() + "*.url");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].name, "One.URL");
  auto all = files_->FindEntries(temp_.path() + "\\*.*");
  auto sub = std::find_if(all.begin(), all.end(), [](auto& e) { return e.name == "Sub"; });
  ASSERT_NE(sub, all.end());
  EXPECT_TRUE(sub->is_folder);
  EXPECT_TRUE(files_->FindEntries(temp_.path() + "missing\\*.*").empty());
}

TEST_F(FileSystemTest, MissingFilesHaveNoSizeOrDate) {
  EXPECT_FALSE(files_->FileSize(temp_.path() + "none").has_value());
  EXPECT_FALSE(files_->LastWriteTime(temp_.path() + "none").has_value());
  std::string bytes;
  EXPECT_FALSE(files_->ReadFile(temp_.path() + "none", bytes));
  EXPECT_FALSE(files_->ReadFile(temp_.path() + "none", bytes).reason.empty());
}

// Files of every size come back whole, however many reads they take, and
// as well right after their folder was listed, which the layer may use to
// spare a question; a folder is no file to read, also where the listing
// showed a file, and no read goes past its limit.
TEST_F(FileSystemTest, ReadingGivesEveryByteOfAFileAndRefusesAFolder) {
  const size_t sizes[] = {0, 1, 4095, 4096, 4097, 300000};
  std::vector<std::string> written;
  for (const size_t size : sizes) {
    std::string& bytes = written.emplace_back(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    ASSERT_TRUE(files_->WriteNewFile(temp_.path() + "file" + std::to_string(size), bytes));
  }
  ASSERT_TRUE(files_->WriteNewFile(temp_.path() + "becomes a folder", "x"));
  for (const bool listed : {false, true}) {
    SCOPED_TRACE(listed ? "after a listing" : "without a listing");
    if (listed) {
      ASSERT_FALSE(files_->FindEntries(temp_.path() + "*").empty());
    }
    for (size_t i = 0; i < std::size(sizes); ++i) {
      SCOPED_TRACE(sizes[i]);
      std::string bytes = "left over";
      ASSERT_TRUE(files_->ReadFile(temp_.path() + "file" + std::to_string(sizes[i]), bytes));
      EXPECT_EQ(bytes, written[i]);
      // Piece by piece, as a page is read, the same bytes come.
      FileStatus opened = FileStatus::Success();
      const auto reader =
          files_->OpenFileReader(temp_.path() + "file" + std::to_string(sizes[i]), opened);
      ASSERT_TRUE(reader);
      bytes.clear();
      for (size_t before = 1; before != bytes.size();) {
        before = bytes.size();
        ASSERT_TRUE(reader->ReadMore(bytes, 4096));
      }
      EXPECT_EQ(bytes, written[i]);
    }
    std::string bytes;
    EXPECT_FALSE(files_->ReadFileUpTo(temp_.path() + "file4095", bytes, 100));
  }
  ASSERT_TRUE(files_->RemoveFile(temp_.path() + "becomes a folder"));
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "becomes a folder"));
  std::string bytes;
  EXPECT_FALSE(files_->ReadFile(temp_.path() + "becomes a folder", bytes));
}

// The read that also dates the file gives what the separate question gives.
TEST_F(FileSystemTest, ADatedReadGivesTheBytesAndTheLastWriteTime) {
  const std::string path = temp_.path() + "dated.url";
  ASSERT_TRUE(files_->WriteNewFile(path, "[InternetShortcut]\r\n"));
  std::string bytes;
  std::optional<std::int64_t> seconds;
  ASSERT_TRUE(files_->ReadDatedFileUpTo(path, bytes, 100, seconds));
  EXPECT_EQ(bytes, "[InternetShortcut]\r\n");
  EXPECT_EQ(seconds, files_->LastWriteSeconds(path));
  EXPECT_TRUE(seconds.has_value());
  EXPECT_FALSE(files_->ReadDatedFileUpTo(path, bytes, 5, seconds));
  EXPECT_FALSE(seconds.has_value());
}

// A linked folder (a symbolic link, on Windows a reparse point) is told apart
// from a real one and known as the folder it leads to; a new file never
// replaces one that stands at its name, and an emptied folder can go.
TEST_F(FileSystemTest, LinksAreToldApartAndNewFilesReplaceNothing) {
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "real"));
  std::error_code made;
  std::filesystem::create_directory_symlink(temp_.native() / "real", temp_.native() / "link", made);
  if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
  EXPECT_TRUE(files_->IsLink(temp_.path() + "link"));
  EXPECT_FALSE(files_->IsLink(temp_.path() + "real"));
  EXPECT_FALSE(files_->FolderIdentity(temp_.path() + "real").empty());
  EXPECT_EQ(files_->FolderIdentity(temp_.path() + "link"),
            files_->FolderIdentity(temp_.path() + "real"));
  std::vector<FolderEntry> entries = files_->FindEntries(temp_.path() + "l*");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(entries[0].is_link && entries[0].is_folder);

  ASSERT_TRUE(WriteWholeNewFile(*files_, temp_.path() + "real\\a.url", "one"));
  EXPECT_FALSE(WriteWholeNewFile(*files_, temp_.path() + "real\\a.url", "two"));
  std::string bytes;
  ASSERT_TRUE(files_->ReadFileUpTo(temp_.path() + "real\\a.url", bytes, 3));
  EXPECT_EQ(bytes, "one");
  EXPECT_FALSE(files_->ReadFileUpTo(temp_.path() + "real\\a.url", bytes, 2));
  EXPECT_EQ(files_->FindEntries(temp_.path() + "real\\*.tmp").size(), 0u);
  EXPECT_FALSE(files_->RemoveFolder(temp_.path() + "real"));
  ASSERT_TRUE(files_->RemoveFile(temp_.path() + "real\\a.url"));
  EXPECT_TRUE(files_->RemoveFolder(temp_.path() + "real"));
}

// The layer may keep a folder open between operations; a folder removed or
// moved away by someone else meanwhile must never receive the files meant
// for the one that now stands at its name.
TEST_F(FileSystemTest, FilesGoToTheFolderThatStandsAtTheirNameNow) {
  namespace fs = std::filesystem;
  const std::string folder = temp_.path() + "f\\";
  auto read = [&](const std::string& path) {
    std::string bytes;
    return files_->ReadFile(path, bytes) ? bytes : std::string("(none)");
  };
  ASSERT_TRUE(files_->CreateFolder(temp_.path() + "f"));
  ASSERT_TRUE(WriteWholeNewFile(*files_, folder + "a.url", "one"));

  fs::remove_all(temp_.native() / "f");  // removed and made again by another program
  fs::create_directory(temp_.native() / "f");
  ASSERT_TRUE(WriteWholeNewFile(*files_, folder + "b.url", "two"));
  EXPECT_TRUE(fs::exists(temp_.native() / "f" / "b.url"));
  ASSERT_TRUE(ReplaceFileContent(*files_, folder + "b.url", "three"));
  EXPECT_EQ(read(folder + "b.url"), "three");

  fs::rename(temp_.native() / "f", temp_.native() / "g");  // moved away before the next run
  fs::create_directory(temp_.native() / "f");
  files_->ForgetFolders();
  EXPECT_EQ(read(folder + "b.url"), "(none)");
  ASSERT_TRUE(WriteWholeNewFile(*files_, folder + "c.url", "four"));
  EXPECT_TRUE(fs::exists(temp_.native() / "f" / "c.url"));
  EXPECT_FALSE(fs::exists(temp_.native() / "g" / "c.url"));
  EXPECT_EQ(files_->FindEntries(folder + "*.tmp").size(), 0u);
}

TEST(TemporaryNameTest, OnlyTheProgramsOwnAreRecognised) {
  const std::pair<const char*, std::uint32_t> own[] = {{"~linkshelf-4321-0.tmp", 4321},
                                                       {"~linkshelf-7-12.tmp", 7},
                                                       {"Daily.url.~3.tmp", 0},
                                                       {"page.HTM.~0.tmp", 0}};
  for (const auto& [name, owner] : own) {
    std::uint32_t found = 99;
    EXPECT_TRUE(IsOwnTemporaryName(name, found)) << name;
    EXPECT_EQ(found, owner) << name;
  }
  std::uint32_t found = 0;
  for (const char* name :
       {"notes.~1.tmp", "~linkshelf-x-0.tmp", "~linkshelf-1-0.txt", "~linkshelf--0.tmp", "a.url"})
    EXPECT_FALSE(IsOwnTemporaryName(name, found)) << name;
}

}  // namespace
}  // namespace linkshelf
