// The browser file exported from the bundled sample Favorites folder, with
// fixed file times, compared byte for byte with the file kept beside the tests.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "export/browser_file_text.h"
#include "export/export_bookmark_page.h"
#include "runtime/system.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

class NoQuestions final : public ExportPrompter {
 public:
  bool AskReplacePage(const std::string&, const std::string&, const std::string&) override {
    return false;
  }
  void ShellOpen(const std::string&, const std::string&, const std::string&) override {}
};

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Sets the last-write time of a file or folder. The standard library cannot
// open a folder for this on Windows, so there the system is asked directly.
void SetWriteTime(const fs::path& path, std::int64_t seconds) {
#ifdef _WIN32
  const std::unique_ptr<void, decltype(&CloseHandle)> handle(
      CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS, nullptr),
      &CloseHandle);
  ASSERT_NE(handle.get(), INVALID_HANDLE_VALUE) << path;
  const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11'644'473'600) * 10'000'000;
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  ASSERT_TRUE(SetFileTime(handle.get(), nullptr, nullptr, &time)) << path;
#else
  fs::last_write_time(path, std::chrono::file_clock::from_sys(
                                std::chrono::sys_seconds(std::chrono::seconds(seconds))));
#endif
}

TEST(BrowserFile, SampleFavoritesMatchTheKeptFile) {
  TempFolder temp;
  const fs::path copy = temp.native() / "Favorites";
  fs::copy(fs::path(LINKSHELF_SOURCE_DIR) / "examples" / "Favorites", copy,
           fs::copy_options::recursive);
  // Folders and shortcuts get different times, so each date shows whose it is.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(copy)) {
    SetWriteTime(entry.path(), entry.is_directory() ? 1700000000 : 1600000000);
  }

  const std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  const ByteCollation collation;
  const RegionalSettings regional;
  ExportEnvironment environment{*files, collation, regional, [] { return LocalTime{}; }};
  ExportRequest request;
  request.root = CorePathFromNative(copy.string());
  request.title = "Bookmarks & <more>";
  request.format = ExportFormat::kBrowser;
  NoQuestions prompter;
  const PageText file = FormBookmarkPage(request, environment, &prompter);
  EXPECT_EQ(file.links, 8);
  EXPECT_EQ(file.folders, 6);
  EXPECT_EQ(file.bytes, ReadWhole(fs::path(LINKSHELF_SOURCE_DIR) / "tests" / "data" /
                                  "favorites-browser.html"));
}

TEST(BrowserFile, TextIsEscapedAndLinksWithoutAddressLeftOut) {
  const std::vector<ScanRecord> records = {
      {ScanRecord::Kind::kLink, "No address", "", {}},
      {ScanRecord::Kind::kLink, " A \"&\" <B> &#38;#1; &#128512; ", "http://x/?a=1&b=\"2\"", {}},
      {ScanRecord::Kind::kFolder, "F", "", {}},
      {ScanRecord::Kind::kFolder, "F\\G", "", {}},
      {ScanRecord::Kind::kFolder, "H", "", {}},
  };
  const BrowserFileText file = FormBrowserFileText(records, "T");
  EXPECT_EQ(file.links, 1);
  EXPECT_EQ(file.folders, 3);
  const std::string tree = file.bytes.substr(file.bytes.find("<DL><p>\n") + 8);
  EXPECT_EQ(tree,
            "    <DT><H3>F</H3>\n"
            "    <DL><p>\n"
            "        <DT><H3>G</H3>\n"
            "        <DL><p>\n"
            "        </DL><p>\n"
            "    </DL><p>\n"
            "    <DT><H3>H</H3>\n"
            "    <DL><p>\n"
            "    </DL><p>\n"
            "    <DT><A HREF=\"http://x/?a=1&amp;b=&quot;2&quot;\">A &quot;&amp;&quot; &lt;B&gt; "
            "&amp;#1; \xF0\x9F\x98\x80</A>\n"
            "</DL><p>\n");
}

}  // namespace
}  // namespace linkshelf
