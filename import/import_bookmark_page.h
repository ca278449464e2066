// The import: a bookmark page back into a tree of Internet shortcuts below a
// root folder, one shortcut per link, asking before an existing one is replaced.
#pragma once

#include <string>
#include <vector>

#include "runtime/file_system.h"

namespace linkshelf {

// How the file to import is read: by what it starts with, or as the one named.
enum class ImportFormat { kDetect, kPage, kBrowser };

struct ImportRequest {
  std::string page_path;
  std::string root;  // the folder the tree goes into; a missing trailing backslash is supplied
  ImportFormat format = ImportFormat::kDetect;
};

// The answers to the replace question, numbered as the replace dialog gives them.
enum class ShortcutReplaceAnswer : int { kYes = 1, kNo = 2, kYesToAll = 3, kCancel = 4 };

class ImportPrompter {
 public:
  virtual ~ImportPrompter() = default;
  // Whether to replace an existing shortcut; a value outside the four answers
  // counts as No. `existing_file` is the shortcut's folder below the root
  // (ending in a backslash, empty for the root) and name.
  virtual ShortcutReplaceAnswer AskReplaceShortcut(const std::string& new_address,
                                                   const std::string& existing_file,
                                                   const std::string& existing_base,
                                                   const std::string& existing_address) = 0;
  // Called after each shortcut written, with the number written so far.
  virtual void ShowProgress(int links) { (void)links; }
  // Asked before each link: true stops the import there (the user pressed
  // Ctrl-C); what was written stays, complete.
  virtual bool StopRequested() { return false; }
};

// A link that was not written, and why.
struct FailedLink {
  std::string link_text;
  std::string target;
  std::string reason;
};

struct ImportResult {
  bool page_missing = false;
  std::string missing_page_message;  // set when the page is missing
  bool page_unreadable = false;
  std::string page_name;    // the name part of the page path
  std::string page_reason;  // why the page could not be read
  bool cancelled = false;
  bool interrupted = false;  // stopped at the front end's request
  // Set when the root folder is a file or cannot be made; nothing was written.
  bool root_is_file = false;
  std::string root_reason;
  // Set when the import gave up part-way through the page; what was written stays.
  std::string stopped_reason;
  int links_written = 0;
  int links_kept = 0;  // existing shortcuts left as they were at the user's answer
  // Existing shortcuts that already held exactly what the link gives; not written.
  int links_unchanged = 0;
  int folders_created = 0;
  // Links of a browser file to the browser's own views (place:, about:, ...),
  // left out on purpose: counted, never a failure.
  int browser_views_skipped = 0;
  std::vector<FailedLink> failed_links;

  // True when something must be reported: a page that could not be read, an
  // import given up part-way, or links not written.
  bool HasFailures() const {
    return page_unreadable || !stopped_reason.empty() || !failed_links.empty() || root_is_file ||
           !root_reason.empty();
  }
};

// "文件 NAME 未找到！程序出错。" with the name part of the page path.
std::string MissingPageMessage(const std::string& page_path);

// Reads the page, or the browsers' bookmark file (when the request names it
// or, by default, when the file starts as one does), and writes its links.
ImportResult ImportBookmarkPage(const ImportRequest& request, FileSystem& files,
                                ImportPrompter& prompter);

// The one message that reports failures: an unreadable page, or how many links
// were written and the first few that were not, each with its reason. Empty
// when nothing failed.
std::string DescribeImportFailures(const ImportResult& result);

// One line for a link that was not written: its text (or address) and why.
std::string DescribeFailedLink(const FailedLink& failed);

}  // namespace linkshelf
