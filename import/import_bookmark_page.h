// The import: a bookmark page back into a tree of Internet shortcuts below a
// root folder, one shortcut per link, asking before an existing one is replaced.
#pragma once

#include <string>
#include <vector>

#include "runtime/file_system.h"

namespace linkshelf {

struct ImportRequest {
  std::string page_path;
  std::string root;  // the folder the tree goes into; a missing trailing backslash is supplied
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
  // Set when the import gave up part-way through the page; what was written stays.
  std::string stopped_reason;
  int links_written = 0;
  int links_kept = 0;  // existing shortcuts left as they were at the user's answer
  int folders_created = 0;
  std::vector<FailedLink> failed_links;

  // True when something must be reported: a page that could not be read, an
// import given up part-way, or links not written.
  bool HasFailures() const {
    return page_unreadable || !stopped_reason.empty() || !failed_links.empty();
  }
};

// "文件 NAME 未找到！程序出错。" with the name part of the page path.
std::string MissingPageMessage(const std::string& page_path);

ImportResult ImportBookmarkPage(const ImportRequest& request, FileSystem& files,
                                ImportPrompter& prompter);

// The one message that reports failures: an unreadable page, or how many links
// were written and the first few that were not, each with its reason. Empty
// when nothing failed.
std::string DescribeImportFailures(const ImportResult& result);

}  // namespace linkshelf
