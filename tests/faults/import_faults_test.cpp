// The import with one file operation failing, for every operation of a run in
// turn: each shortcut holds its old bytes or its complete new ones, nothing is
// written outside the root, no temporary file is left, and every link that
// did not arrive is reported.
#include <gtest/gtest.h>

#include "import/import_bookmark_page.h"
#include "import/shortcut_writing.h"
#include "runtime/file_operations.h"
#include "runtime/text.h"
#include "tests/faults/fault_run.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/prompters.h"

namespace linkshelf {
namespace {

const char kPage[] = "C:\\pages\\book.htm";
const char kRoot[] = "C:\\Fav\\";
const char kExisting[] = "C:\\Fav\\News\\Daily.url";
const char kExistingText[] = "[InternetShortcut]\r\nURL=https://old.example/\r\nIconIndex=3\r\n";
const char kPageText[] =
    "<ol><li><a href=\"https://example.com/\" class=\"topnav1\">Example.com</a></li>\r\n"
    "<li><a href=\"https://news.example.net/daily\" MyDir=\"News\" "
    "class=\"topnav1\">Daily</a></li>\r\n"
    "<li><a href=\"https://tech.example.net/\" MyDir=\"News\" MyDir=\"Tech\">Gadgets</a></li>\r\n"
    "<li><a href=\"https://search.example/\" MyDir=\"工具\\搜索\">Search engine</a></li></ol>\r\n";

struct ImportRun {
  ImportResult result;
  Entries before;
  Entries after;
  bool struck = false;
};

ImportRun Import(std::optional<FaultPlan> fault) {
  MemoryFileSystem memory;
  memory.PutFile(kPage, kPageText);
  memory.PutFile(kExisting, kExistingText);
  memory.PutFile("C:\\Other\\keep.url", "[InternetShortcut]\r\nURL=x\r\n");
  FaultyFileSystem files(memory);
  if (fault) files.AddFault(*fault);
  ScriptedImportPrompter prompter({}, ShortcutReplaceAnswer::kYesToAll);
  ImportRun run;
  run.before = memory.Snapshot();
  run.result = ImportBookmarkPage({kPage, kRoot}, files, prompter);
  run.after = memory.Snapshot();
  run.struck = files.fault_struck();
  return run;
}

TEST(ImportFaultsTest, EveryFailedOperationLeavesWholeShortcutsAndIsReported) {
  const ImportRun clean = Import(std::nullopt);
  ASSERT_FALSE(clean.result.HasFailures()) << DescribeImportFailures(clean.result);
  ASSERT_EQ(clean.result.links_written, 4);
  std::vector<std::string> clean_files;
  for (const auto& [path, bytes] : clean.after) {
    if (IsBelow(kRoot, path) && path.back() != '\\') clean_files.push_back(path);
  }
  ASSERT_EQ(clean_files.size(), 4u);

  for (FaultKind kind : kRecoverableFaults) {
    for (std::size_t call = 1;; ++call) {
      SCOPED_TRACE(testing::Message() << "kind " << int(kind) << ", call " << call);
      const ImportRun run = Import(FaultPlan::NthCall(call).As(kind));
      if (!run.struck) break;
      for (const std::string& path : ChangedEntries(run.before, run.after)) {
        EXPECT_TRUE(IsBelow(kRoot, path)) << path;  // nothing outside the root, no temporary file
        std::uint32_t owner = 0;
        EXPECT_FALSE(IsOwnTemporaryName(NamePart(path), owner)) << path;
      }
      // Each shortcut is as it was or as the clean run left it; a missing or
      // old one is a link that the result reports.
      int arrived = 0;
      for (const std::string& path : clean_files) {
        const auto now = run.after.find(path);
        const auto was = run.before.find(path);
        const bool as_before = was == run.before.end()
                                   ? now == run.after.end()
                                   : now != run.after.end() && now->second == was->second;
        const bool as_clean = now != run.after.end() && now->second == clean.after.at(path);
        EXPECT_TRUE(as_before || as_clean) << path;
        if (as_clean && !as_before) ++arrived;
      }
      if (run.result.page_unreadable) {
        // The links read before the page's read broke off may have arrived.
        EXPECT_EQ(run.result.links_written, arrived);
        EXPECT_FALSE(DescribeImportFailures(run.result).empty());
      } else if (!run.result.page_missing) {
        EXPECT_EQ(run.result.links_written, arrived);
        EXPECT_EQ(static_cast<int>(run.result.failed_links.size()), 4 - arrived);
        if (arrived < 4) {
          EXPECT_FALSE(DescribeImportFailures(run.result).empty());
        }
      }
    }
  }
}

TEST(ImportFaultsTest, AShortcutHeldOpenIsReportedAndTheRestArrive) {
  const ImportRun run = Import(FaultPlan::EveryCallOn(kExisting));
  ASSERT_EQ(run.result.failed_links.size(), 1u);
  EXPECT_EQ(run.result.failed_links[0].link_text, "Daily");
  EXPECT_EQ(run.result.links_written, 3);
  EXPECT_EQ(run.after.at(kExisting), kExistingText);
}

TEST(ImportFaultsTest, AFullDiskStopsNothingButWritesNothingHalf) {
  const ImportRun clean = Import(std::nullopt);
  const ImportRun run = Import(FaultPlan::NthChange(2).AndAfter().As(FaultKind::kPartialWrite));
  EXPECT_TRUE(run.result.HasFailures());
  EXPECT_EQ(run.result.links_written + static_cast<int>(run.result.failed_links.size()), 4);
  for (const std::string& path : ChangedEntries(run.before, run.after)) {
    // The full disk refused the temporary's removal as well; the next run removes it.
    std::uint32_t owner = 0;
    if (IsOwnTemporaryName(NamePart(path), owner)) continue;
    EXPECT_EQ(run.after.at(path), clean.after.at(path)) << path;
  }
}

}  // namespace
}  // namespace linkshelf
