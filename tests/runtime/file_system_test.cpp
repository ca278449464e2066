#include "runtime/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
}  // namespace linkshelf
