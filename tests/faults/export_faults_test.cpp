// The export with one file operation failing, for every operation of a run in
// turn: the old page stays or the new one is complete, nothing else changes,
// no temporary file is left, and a page that was not written is reported.
#include <gtest/gtest.h>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "runtime/collation.h"
#include "tests/faults/fault_run.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/prompters.h"

namespace linkshelf {
namespace {

const char kPage[] = "C:\\out\\mybook.htm";
const char kOldPage[] = "old page\r\n";

void PutFavorites(MemoryFileSystem& memory) {
  memory.PutFile("C:\\Fav\\Example.com.url", "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  memory.PutFile("C:\\Fav\\News\\Daily.url",
                 "[InternetShortcut]\r\nURL=https://news.example.net/daily\r\n");
  memory.PutFile("C:\\Fav\\News\\Tech\\Gadgets.url",
                 "[InternetShortcut]\r\nURL=https://tech.example.net/\r\n");
  memory.PutFolder("C:\\Fav\\Empty");
  memory.PutFile(kPage, kOldPage);
}

struct ExportRun {
  ExportResult result;
  Entries before;
  Entries after;
  ScriptedExportPrompter prompter;
  bool struck = false;
};

ExportRun Export(std::optional<FaultPlan> fault) {
  MemoryFileSystem memory;
  PutFavorites(memory);
  FaultyFileSystem files(memory);
  if (fault) files.AddFault(*fault);
  const ByteCollation collation;
  const RegionalSettings regional;
  ExportEnvironment environment{files, collation, regional,
                                [] { return LocalTime{2026, 12, 8, 15, 4, 5}; }};
  ExportRequest request;
  request.root = "C:\\Fav\\";
  request.page_path = kPage;
  request.title = "Bookmarks";
  request.header_template = HeaderTemplateLines();
  ExportRun run;
  run.before = memory.Snapshot();
  run.result = ExportBookmarkPage(request, environment, run.prompter);
  run.after = memory.Snapshot();
  run.struck = files.fault_struck();
  return run;
}

TEST(ExportFaultsTest, EveryFailedOperationLeavesTheOldPageOrTheWholeNewOne) {
  const ExportRun clean = Export(std::nullopt);
  ASSERT_EQ(clean.result.outcome, ExportOutcome::kWritten);
  const std::string new_page = clean.after.at(kPage);
  ASSERT_EQ(clean.result.links, 3);

  for (FaultKind kind : kRecoverableFaults) {
    for (std::size_t call = 1;; ++call) {
      SCOPED_TRACE(testing::Message() << "kind " << int(kind) << ", call " << call);
      ExportRun run = Export(FaultPlan::NthCall(call).As(kind));
      if (!run.struck) break;
      // Only the page may change, and it holds old or complete new bytes. A
      // folder or shortcut that could not be read makes a smaller page, but a
      // whole one.
      for (const std::string& path : ChangedEntries(run.before, run.after)) EXPECT_EQ(path, kPage);
      const std::string& page = run.after.at(kPage);
      const bool old = page == kOldPage;
      EXPECT_TRUE(old || page == new_page ||
                  page.ends_with(new_page.substr(new_page.rfind("</body>"))))
          << page;
      if (old) {
        // Not written: either nothing was found to write, or the failure is reported.
        if (run.result.outcome == ExportOutcome::kFailed) {
          EXPECT_EQ(run.result.message, std::string("Cannot create file ") + kPage);
          EXPECT_FALSE(run.result.reason.empty());
        } else {
          EXPECT_EQ(run.result.outcome, ExportOutcome::kNoLinks);
        }
        EXPECT_TRUE(run.prompter.opened.empty());
      } else {
        EXPECT_EQ(run.result.outcome, ExportOutcome::kWritten);
        // A smaller page is never silent: what was left out is named.
        if (page != new_page) {
          EXPECT_FALSE(run.result.unread.empty());
        }
      }
    }
  }
}

TEST(ExportFaultsTest, WhatCannotBeReadIsNamedAndTheRestWritten) {
  const struct {
    const char* failing;  // the path every call on which fails
    const char* unread;
    int links;  // an unreadable shortcut keeps its link, without an address
  } cases[] = {
      {"C:\\Fav\\News\\Daily.url", "C:\\Fav\\News\\Daily.url", 3},
      {"C:\\Fav\\News\\Tech\\*", "C:\\Fav\\News\\Tech\\", 2},
  };
  for (const auto& c : cases) {
    ExportRun run = Export(FaultPlan::EveryCallOn(c.failing));
    EXPECT_EQ(run.result.outcome, ExportOutcome::kWritten) << c.failing;
    EXPECT_EQ(run.result.links, c.links) << c.failing;
    ASSERT_EQ(run.result.unread.size(), 1u) << c.failing;
    EXPECT_EQ(run.result.unread[0],
              (ReadFailure{c.unread, "injected failure of " +
                                         std::string(c.links == 3 ? "ReadFile" : "FindEntries")}));
    EXPECT_NE(run.after.at(kPage).find("https://example.com/"), std::string::npos);
  }
}

TEST(ExportFaultsTest, AFailedRenameKeepsTheOldPageAndNoTemporaryFile) {
  ExportRun run = Export(FaultPlan::NthCallOf(FileOperation::kReplaceFile, 1));
  EXPECT_EQ(run.result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(run.after, run.before);
  EXPECT_TRUE(run.prompter.opened.empty());
}

TEST(ExportFaultsTest, APageHeldByAnotherProgramIsReportedAndKept) {
  ExportRun run = Export(FaultPlan::EveryCallOn(kPage));
  EXPECT_EQ(run.result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(run.after, run.before);
}

TEST(ExportFaultsTest, APageThatCannotBeMeasuredIsStillAskedAbout) {
  ExportRun run = Export(FaultPlan::NthCallOf(FileOperation::kFileSize, 1));
  ASSERT_EQ(run.prompter.questions.size(), 1u);
  EXPECT_TRUE(run.prompter.questions[0].starts_with(std::string(kPage) + " |  bytes | "));
  EXPECT_EQ(run.result.outcome, ExportOutcome::kWritten);
}

}  // namespace
}  // namespace linkshelf
