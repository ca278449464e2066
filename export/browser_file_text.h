// The bytes of the bookmark file that browsers import and export, formed from
// the same records of a scan as the bookmark page.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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

// The last-write time of a shortcut file or folder in seconds since 1970 UTC.
using WriteSecondsLookup = std::function<std::optional<std::int64_t>(const std::string& path)>;

// The file for `records` in scan order: each folder's subfolders first, then
// its links, each group in the order of the scan, one element per line and
// four blanks more for each level. Names and addresses go from the system
// code page into UTF-8 and are escaped; links without an address are left
// out; an entry whose date is unknown goes without one.
BrowserFileText FormBrowserFileText(const std::vector<ScanRecord>& records, std::string_view title,
                                    const WriteSecondsLookup& write_seconds);

// Text as it may stand in the file, between tags or in a quoted value:
// converted to UTF-8, with `&`, `<`, `>` and `"` escaped.
std::string BrowserText(std::string_view code_page_text);

}  // namespace linkshelf
