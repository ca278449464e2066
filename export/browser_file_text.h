// The bytes of the bookmark file that browsers import and export, formed from
// the same records of a scan as the bookmark page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/folder_scan.h"

namespace linkshelf {

struct BrowserFileText {
  std::string bytes;  // UTF-8, every line ending in LF
  int links = 0;
  int folders = 0;
};

// Forms the file record by record as a scan gives them, in scan order: each
// folder's subfolders first, then its links, each group in the order of the
// scan, one element per line and four blanks more for each level. Only the
// links of the folders still open are held back. Names and addresses go from
// the system code page into UTF-8 and are escaped; links without an address
// are left out; an entry whose date is unknown goes without one.
class BrowserFileWriter {
 public:
  explicit BrowserFileWriter(std::string_view title);
  // Room for about this many more bytes, known beforehand or set aside for a
  // scan; only a hint.
  void Reserve(size_t bytes);
  void Add(const ScanRecord& record);
  // The whole file; the writer is spent.
  BrowserFileText Finish();

 private:
  struct OpenFolder {
    std::string text;   // the folder's path below the root; empty for the root
    std::string links;  // its link lines, written after its subfolders
  };
  void CloseInnermost();

  std::string bytes_;
  std::vector<OpenFolder> open_;  // from the root down to the folder being written
  int links_ = 0;
  int folders_ = 0;
};

// The file for all `records` at once.
BrowserFileText FormBrowserFileText(const std::vector<ScanRecord>& records, std::string_view title);

// Text as it may stand in the file, between tags or in a quoted value:
// converted to UTF-8, with `&`, `<`, `>` and `"` escaped.
std::string BrowserText(std::string_view code_page_text);

}  // namespace linkshelf
