// Browser files written by hand in the shapes that browsers and other tools
// write, each read into folders and links and compared with the list kept
// beside it (NAME.txt, or NAME.win.txt where the code page makes Windows differ).
#include "import/browser_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/code_page.h"
#include "tests/support/pieces.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The list as the files beside the tests give it, in UTF-8 whatever the code page.
std::string Listed(const BrowserBookmarks& file) {
  std::vector<std::string> paths(file.folders.size());
  std::string text;
  for (size_t i = 1; i < file.folders.size(); ++i) {
    const std::string& parent = paths[file.folders[i].parent];
    paths[i] = (parent.empty() ? "" : parent + "/") + CodePageToUtf8(file.folders[i].name);
    text += "F " + paths[i] + "\n";
  }
  for (const BrowserLink& link : file.links) {
    text += "L " + paths[link.folder] + " | " + CodePageToUtf8(link.name) + " | " +
            CodePageToUtf8(link.address) + "\n";
  }
  return text + "views " + std::to_string(file.browser_views) + "\n";
}

std::string ListedInPieces(const std::string& document, size_t piece) {
  auto [start, more] = InPieces(document, piece);
  return Listed(ReadBrowserFile(std::move(start), std::move(more)));
}

TEST(BrowserFileReader, HandWrittenFilesGiveTheListsBesideThem) {
  const fs::path folder = fs::path(LINKSHELF_SOURCE_DIR) / "tests" / "data" / "browser-files";
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".html") continue;
    ++files;
    fs::path expected = entry.path();
#ifdef _WIN32
    if (fs::exists(fs::path(expected).replace_extension(".win.txt")))
      expected.replace_extension(".win");
#endif
    expected.replace_extension(expected.extension().string() == ".win" ? ".win.txt" : ".txt");
    const std::string bytes = ReadWhole(entry.path());
    EXPECT_TRUE(IsBrowserFile(bytes)) << entry.path();
    EXPECT_EQ(Listed(ReadBrowserFile(bytes)), ReadWhole(expected)) << entry.path();
    // A few bytes at a time, also past where passed text is let go of, as whole.
    std::string large;
    while (large.size() < 300000) large += bytes;
    const std::string whole = Listed(ReadBrowserFile(large));
    for (const size_t piece : {size_t{1}, size_t{7}, size_t{70000}}) {
      EXPECT_EQ(ListedInPieces(bytes, piece), ReadWhole(expected)) << entry.path() << " " << piece;
      EXPECT_EQ(ListedInPieces(large, piece), whole) << entry.path() << " large, " << piece;
    }
  }
  EXPECT_GE(files, 4);
}

TEST(BrowserFileReader, RecognisedByItsFirstLineOnly) {
  EXPECT_TRUE(IsBrowserFile("\xEF\xBB\xBF \t\r\n<!doctype NETSCAPE-bookmark-FILE-1>"));
  EXPECT_FALSE(IsBrowserFile("<html><!DOCTYPE NETSCAPE-Bookmark-file-1>"));
  EXPECT_FALSE(IsBrowserFile("<!DOCTYPE  NETSCAPE-Bookmark-file-1>"));
  EXPECT_FALSE(IsBrowserFile("\xEF\xBB<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
  EXPECT_FALSE(IsBrowserFile("<!DOCTYPE NETSCAPE-Bookmark-file"));
}

}  // namespace
}  // namespace linkshelf
