// The page made on Windows from names the code page cannot hold (kept beside
// the tests) imports on Linux into the same UTF-8 names, and back into a page.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "import/import_bookmark_page.h"
#include "runtime/code_page.h"
#include "runtime/shortcut_address.h"
#include "runtime/system.h"
#include "tests/support/prompters.h"
#include "tests/support/split_page_lines.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

// The link items of a page, in UTF-8, in byte order.
std::vector<std::string> LinkItems(const std::string& page) {
  std::vector<std::string> lines;
  for (const std::string& line : SplitPageLines(page)) {
    if (const size_t item = line.find("<li>"); item != std::string::npos) {
      lines.push_back(DecodeReferencesToUtf8(line.substr(item)));
    }
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(NamesPageTest, ImportsIntoTheSameUtf8NamesAndBack) {
  const std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  std::string golden;
  ASSERT_TRUE(files->ReadFile(
      CorePathFromNative(LINKSHELF_SOURCE_DIR) + "\\tests\\data\\names-page.htm", golden));
  TempFolder temp;
  ASSERT_TRUE(files->WriteNewFile(temp.path() + "page.htm", golden));
  ScriptedImportPrompter prompter;
  const ImportResult result =
      ImportBookmarkPage({temp.path() + "page.htm", temp.path() + "Fav"}, *files, prompter);
  ASSERT_FALSE(result.HasFailures()) << DescribeImportFailures(result);

  std::map<std::string, std::string> found;  // UTF-8 relative path -> address
  for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.native() / "Fav")) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    ASSERT_TRUE(files->ReadFile(CorePathFromNative(entry.path().string()), bytes));
    found[std::filesystem::relative(entry.path(), temp.native() / "Fav").string()] =
        ShortcutAddress(bytes);
  }
  const std::string long_folder = "Long" + std::string(120, 'a') + "/" + std::string(140, 'b');
  const std::map<std::string, std::string> expected = {
      {"\xC4\x88"
       "efpa\xC4\x9Do/Esperanto \xC4\x89iutage.url",
       "http://eo.example/"},
      {"Smile/Face \xF0\x9F\x98\x80.url", "http://smile.example/%F0%9F%98%80"},
      {"Brand\xE2\x84\xA2.url", "http://tm.example/%E2%84%A2"},
      {"Literal &#65;.url", "http://lit.example/?a&#65;"},
      {long_folder + "/Deep \xC4\x89.url", "http://deep.example/"},
      {"Linkshelf.url", "https://linkshelf.example.org/"},
      // What the Windows code page held comes as its bytes: a page declares no code page.
      {"\xC6\xD5\xCD\xA8/\xD0\xA6\xC1\xB3 \xF0\x9F\x98\x80.url", "http://gbk.example/"},
      {"Dash \xA8"
       "C en.url",
       "http://dash.example/"},
  };
  EXPECT_EQ(found, expected);

  // Exported again, every link is the one the Windows page had, now in UTF-8,
  // the literal "&#" still escaped.
  ASSERT_TRUE(files->RemoveFile(temp.path() + "Fav\\Linkshelf.url"));
  const std::unique_ptr<Collation> collation = MakeSystemCollation();
  const RegionalSettings regional = ReadSystemRegionalSettings();
  ExportEnvironment environment{*files, *collation, regional, CurrentLocalTime};
  ExportRequest request;
  request.root = temp.path() + "Fav";
  request.title = "Names";
  request.header_template = HeaderTemplateLines();
  const PageText again = FormBookmarkPage(request, environment);
  EXPECT_TRUE(again.unread.empty());
  EXPECT_NE(again.bytes.find("Literal &#38;#65;"), std::string::npos);
  EXPECT_EQ(LinkItems(again.bytes), LinkItems(golden));
}

}  // namespace
}  // namespace linkshelf
