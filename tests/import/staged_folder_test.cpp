#include "import/staged_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/system.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

class StagedFolderTest : public ::testing::Test {
 protected:
  std::string ReadNative(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  TempFolder temp_;
  StagedFolder staged_{*files_};
};

// A folder of that name made by someone else while the run filled its
// temporary: each shortcut moves in on its own, one that would replace a
// file there is named as not written, and the temporary goes.
TEST_F(StagedFolderTest, AFolderThatAppearedMeanwhileGetsTheShortcutsItHasNoneOf) {
  const std::string folder = temp_.path() + "New\\";
  ASSERT_TRUE(staged_.Start(folder));
  EXPECT_FALSE(fs::exists(temp_.native() / "New"));
  for (const char* name : {"a.url", "b.url"}) {
    ASSERT_TRUE(files_->WriteNewFile(staged_.Temporary() + name, name));
    staged_.Written(name, name, "u");
  }
  fs::create_directory(temp_.native() / "New");
  std::ofstream(temp_.native() / "New" / "b.url") << "theirs";

  const StagedOutcome outcome = staged_.Finish();
  EXPECT_TRUE(outcome.folder_made);
  ASSERT_EQ(outcome.unplaced.size(), 1u);
  EXPECT_EQ(outcome.unplaced[0].shortcut.file_name, "b.url");
  EXPECT_EQ(ReadNative(temp_.native() / "New" / "a.url"), "a.url");
  EXPECT_EQ(ReadNative(temp_.native() / "New" / "b.url"), "theirs");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp_.native()), fs::directory_iterator()), 1);
}

// What a run that was killed left: its temporary folder goes when the next
// run makes a folder beside it, unless something in it is not a plain file;
// a folder that is empty when named is not made at all.
TEST_F(StagedFolderTest, StaleTemporaryFoldersAreRemovedAndEmptyOnesNeverNamed) {
  const std::uint32_t gone = 999999;  // a process number that runs nothing
  ASSERT_FALSE(ProcessIsRunning(gone));
  const fs::path stale = temp_.native() / ("~linkshelf-" + std::to_string(gone) + "-0.tmp");
  const fs::path kept = temp_.native() / ("~linkshelf-" + std::to_string(gone) + "-1.tmp");
  fs::create_directories(stale);
  std::ofstream(stale / "a.url") << "half";
  fs::create_directories(kept / "inner");

  ASSERT_TRUE(staged_.Start(temp_.path() + "Empty\\"));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(kept / "inner"));
  const StagedOutcome outcome = staged_.Finish();
  EXPECT_FALSE(outcome.folder_made);
  EXPECT_FALSE(fs::exists(temp_.native() / "Empty"));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp_.native()), fs::directory_iterator()), 1);
}

// Shortcuts that cannot be had on the disk together are never shown under
// the folder's name: the folder is not made and each one is named as not written.
TEST_F(StagedFolderTest, AFolderWhoseShortcutsCannotBeFlushedIsNotNamed) {
  FaultyFileSystem faulty(*files_);
  faulty.AddFault(FaultPlan::NthCallOf(FileOperation::kFlushFolderFiles, 1));
  StagedFolder staged(faulty);
  ASSERT_TRUE(staged.Start(temp_.path() + "New\\"));
  ASSERT_TRUE(faulty.WriteNewFileUnflushed(staged.Temporary() + "a.url", "a"));
  staged.Written("a.url", "a", "u");

  const StagedOutcome outcome = staged.Finish();
  EXPECT_FALSE(outcome.folder_made);
  ASSERT_EQ(outcome.unplaced.size(), 1u);
  EXPECT_EQ(outcome.unplaced[0].reason, "injected failure of FlushFolderFiles");
  EXPECT_TRUE(fs::is_empty(temp_.native()));
}

}  // namespace
}  // namespace linkshelf
