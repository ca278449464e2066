// The export: a Favorites tree into one bookmark page, asked for by the window
// or by the command line with plain values, answered through a prompter.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "export/page_lines.h"
#include "runtime/collation.h"
#include "runtime/file_system.h"
#include "runtime/local_time.h"
#include "runtime/regional_settings.h"

namespace linkshelf {

// Which file the export writes: the bookmark page, or the bookmark file that
// browsers import.
enum class ExportFormat { kPage, kBrowser };

struct ExportRequest {
  std::string root;            // the Favorites folder to scan
  std::string page_path;       // the page file; a name without a folder is completed
  std::string default_folder;  // completes a page name without folder
  std::string title;
  int method = kLinkTitles;
  std::vector<std::string> header_template;
  bool open_with_notepad = false;
  bool open_page = true;
  ExportFormat format = ExportFormat::kPage;  // the browser file ignores method and header template
};

// What the export asks of the front end that started it.
class ExportPrompter {
 public:
  virtual ~ExportPrompter() = default;
  // Whether to replace the existing page; the texts are empty when they could not be formed.
  virtual bool AskReplacePage(const std::string& path, const std::string& size_text,
                              const std::string& date_text) = 0;
  // Opens the file with the platform shell's "open" verb.
  virtual void ShellOpen(const std::string& file, const std::string& parameters,
                         const std::string& folder) = 0;
  virtual void ShowProgress(int /*links*/, int /*folders*/) {}
  // Asked once the page is formed: true stops the export before the page is
  // written (the user pressed Ctrl-C).
  virtual bool StopRequested() { return false; }
};

struct ExportEnvironment {
  FileSystem& files;
  const Collation& collation;
  const RegionalSettings& regional;
  std::function<LocalTime()> now;
};

enum class ExportOutcome {
  kWritten,      // the page was written (and opened when asked)
  kDeclined,     // an existing page was kept at the user's answer
  kNoLinks,      // the tree holds no shortcut: nothing written or opened
  kFailed,       // the page could not be written; the old page stays as it was
  kInterrupted,  // stopped at the front end's request; nothing written
};

struct ExportResult {
  ExportOutcome outcome = ExportOutcome::kFailed;
  std::string page_path;  // completed with the default folder when it had none
  int links = 0;
  int folders = 0;
  std::string message;  // for kFailed: "Cannot create file <page path>"
  std::string reason;   // for kFailed: what the file system reported
  // Shortcuts and folders that could not be read; the page holds everything else.
  std::vector<ReadFailure> unread;
};

// The page path, completed with `default_folder` when it names no folder.
std::string CompletePagePath(const std::string& page_path, const std::string& default_folder);

// The page for the request: the tree scanned and the lines formed, stamped
// with the present moment; or the browser file of the same tree, its entries
// dated by their files. Nothing is written.
PageText FormBookmarkPage(const ExportRequest& request, ExportEnvironment& environment,
                          ExportPrompter* progress = nullptr);

// The whole export: forms the page, asks before replacing an existing page,
// writes it in one step and opens it.
ExportResult ExportBookmarkPage(const ExportRequest& request, ExportEnvironment& environment,
                                ExportPrompter& prompter);

}  // namespace linkshelf
