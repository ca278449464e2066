#include "tests/support/faulty_file_system.h"

#include <gtest/gtest.h>

#include "runtime/file_operations.h"
#include "tests/support/memory_file_system.h"

namespace linkshelf {
namespace {

using Entries = std::map<std::string, std::string>;

class FaultyFileSystemTest : public ::testing::Test {
 protected:
  MemoryFileSystem memory_;
  FaultyFileSystem files_{memory_};
};

TEST_F(FaultyFileSystemTest, FailsOnlyTheCountedCall) {
  files_.AddFault(FaultPlan::NthCallOf(FileOperation::kWriteNewFile, 2));
  EXPECT_TRUE(files_.WriteNewFile("C:\\1", "a"));
  EXPECT_TRUE(files_.CreateFolder("C:\\d"));  // another operation does not count
  EXPECT_FALSE(files_.fault_struck());
  const FileStatus second = files_.WriteNewFile("C:\\2", "b");
  EXPECT_FALSE(second);
  EXPECT_NE(second.reason.find("WriteNewFile"), std::string::npos);
  EXPECT_TRUE(files_.fault_struck());
  EXPECT_TRUE(files_.WriteNewFile("C:\\3", "c"));
  EXPECT_EQ(memory_.Snapshot(), (Entries{{"C:\\1", "a"}, {"C:\\3", "c"}, {"C:\\d\\", ""}}));
  ASSERT_EQ(files_.calls().size(), 4u);
  EXPECT_TRUE(files_.calls()[2].failed_by_plan);
  EXPECT_EQ(files_.CountCalls(FileOperation::kWriteNewFile), 3u);
}

TEST_F(FaultyFileSystemTest, CountsAnyOperationStickyOrByPath) {
  files_.AddFault(FaultPlan::NthChange(2).AndAfter());
  EXPECT_TRUE(files_.CreateFolder("C:\\d"));
  EXPECT_FALSE(files_.FileExists("C:\\d"));  // queries are not counted, and not failed
  EXPECT_FALSE(files_.WriteNewFile("C:\\d\\a", "a"));
  EXPECT_FALSE(files_.CreateFolder("C:\\e"));
  files_.ClearFaults();
  files_.AddFault(FaultPlan::EveryCallOn("C:\\d\\held.url"));
  memory_.PutFile("C:\\d\\held.url", "[InternetShortcut]");
  std::string bytes;
  EXPECT_FALSE(files_.ReadFile("C:\\D\\HELD.url", bytes));
  EXPECT_FALSE(files_.FileSize("C:\\d\\held.url").has_value());
  EXPECT_FALSE(files_.ReplaceFile("C:\\x", "C:\\d\\held.url"));  // the target counts too
  EXPECT_TRUE(files_.WriteNewFile("C:\\d\\other.url", "o"));
  EXPECT_TRUE(files_.FolderExists("C:\\d"));
}

TEST_F(FaultyFileSystemTest, PartialWritesAndLostAnswers) {
  files_.AddFault(
      FaultPlan::NthCallOf(FileOperation::kWriteNewFile, 1).As(FaultKind::kPartialWrite));
  files_.AddFault(
      FaultPlan::NthCallOf(FileOperation::kWriteNewFile, 2).As(FaultKind::kPartialWriteLeftBehind));
  files_.AddFault(
      FaultPlan::NthCallOf(FileOperation::kReplaceFile, 1).As(FaultKind::kDoneButReported));
  EXPECT_FALSE(files_.WriteNewFile("C:\\removed", "12345678"));
  EXPECT_FALSE(files_.WriteNewFile("C:\\kept", "12345678"));
  EXPECT_FALSE(files_.ReplaceFile("C:\\kept", "C:\\moved"));
  EXPECT_EQ(memory_.Snapshot(), (Entries{{"C:\\moved", "1234"}}));
}

// The page write of the export relies on this: whichever step fails, the page
// holds its old bytes or all of the new ones, and no temporary file stays.
TEST_F(FaultyFileSystemTest, ReplacingContentSurvivesAFailureAtEveryStep) {
  for (FaultKind kind :
       {FaultKind::kRefuse, FaultKind::kPartialWrite, FaultKind::kDoneButReported}) {
    for (std::size_t call = 1;; ++call) {
      SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " call " << call);
      MemoryFileSystem memory;
      memory.PutFile("C:\\out\\mybook.htm", "old page");
      FaultyFileSystem files(memory);
      // A write whose success is lost is beyond what the layer promises: the
      // caller cannot know that a file it never got was made.
      if (kind == FaultKind::kDoneButReported) {
        files.AddFault(FaultPlan::NthCallOf(FileOperation::kReplaceFile, call).As(kind));
      } else {
        files.AddFault(FaultPlan::NthCall(call).As(kind));
      }
      const FileStatus status = ReplaceFileContent(files, "C:\\out\\mybook.htm", "new page");
      const Entries after = memory.Snapshot();
      EXPECT_TRUE(after == (Entries{{"C:\\out\\", ""}, {"C:\\out\\mybook.htm", "old page"}}) ||
                  after == (Entries{{"C:\\out\\", ""}, {"C:\\out\\mybook.htm", "new page"}}));
      if (!files.fault_struck()) {
        EXPECT_TRUE(status);
        EXPECT_EQ(after.at("C:\\out\\mybook.htm"), "new page");
        break;
      }
      if (kind == FaultKind::kRefuse && status) {
        // Only a failed look for a free temporary name, or a folder that
        // cannot be flushed after the move, may be passed over.
        for (const FileCall& made : files.calls()) {
          EXPECT_FALSE(made.failed_by_plan && (made.operation == FileOperation::kWriteNewFile ||
                                               made.operation == FileOperation::kReplaceFile));
        }
      }
    }
  }
}

}  // namespace
}  // namespace linkshelf
