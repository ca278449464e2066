// Reading the bookmark file that browsers import and export into folders and
// links, ready for the shortcut writer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/text_source.h"

namespace linkshelf {

struct BrowserFolder {
  size_t parent = 0;  // index in BrowserBookmarks::folders; the root is its own parent
  std::string name;   // system code page; empty for the root
};

struct BrowserLink {
  size_t folder = 0;    // index in BrowserBookmarks::folders
  std::string name;     // system code page; the address's host when the file gave none
  std::string address;  // system code page; empty when the link had none
};

struct BrowserBookmarks {
  std::vector<BrowserFolder> folders;  // [0] is the root; every folder comes after its parent
  std::vector<BrowserLink> links;      // in the order of the file
  int browser_views = 0;               // place:, about:, chrome: and edge: links left out
};

// True when the bytes, after an optional UTF-8 byte-order mark and white
// space, begin with `<!DOCTYPE NETSCAPE-Bookmark-file-1>` in any case.
bool IsBrowserFile(std::string_view bytes);
// True when the start of a file is long enough for IsBrowserFile to tell.
bool CanTellBrowserFile(std::string_view start);

// The folders and links of the file. A heading (`<H2>` to `<H6>`) names the
// folder that the next `<DL>` holds, `</DL>` closes one; tags in any case,
// attributes in any order and quoting, and missing closing tags are read as
// browsers write them. Names and addresses have their character references
// decoded once and are converted from UTF-8 (text that is not UTF-8 is taken
// as the code page) into the code page, with references for what it cannot
// hold. A backslash in a name becomes `_`: a name is one level, never a path.
BrowserBookmarks ReadBrowserFile(std::string_view bytes);
// The same, of a file given as `start` and then piece by piece by `more`;
// what the reading has passed is let go of.
BrowserBookmarks ReadBrowserFile(std::string start, TextSource more);

// The host of an address (`https://user@host:8080/x` gives `host`), or the
// whole address when it names none.
std::string AddressHost(std::string_view address);

}  // namespace linkshelf
