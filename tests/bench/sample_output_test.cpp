#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "bench/bookmark_page_writer.h"
#include "bench/favorites_tree_writer.h"
#include "bench/sample_favorites.h"
#include "tests/support/temp_folder.h"

namespace linkshelf::bench {
namespace {

size_t CountOf(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SampleOutputTest, ShortcutFilesHoldTheirAddressInCrLfLines) {
  SampleLink link;
  link.address = "https://site1.example.com/新闻/page1.html";
  link.kind = ShortcutKind::kPlain;
  EXPECT_EQ(ShortcutFileBytes(link), "[InternetShortcut]\r\nURL=" + link.address + "\r\n");

  link.kind = ShortcutKind::kWithExtraEntries;
  const std::string extra = ShortcutFileBytes(link);
  EXPECT_NE(extra.find("\r\n[InternetShortcut]\r\nURL=" + link.address + "\r\n"),
            std::string::npos);
  EXPECT_NE(extra.find("IconFile=https://site1.example.com/favicon.ico\r\n"), std::string::npos);
  EXPECT_EQ(CountOf(extra, "\n"), CountOf(extra, "\r\n"));

  link.kind = ShortcutKind::kWithoutAddress;
  link.address.clear();
  EXPECT_EQ(ShortcutFileBytes(link).find("URL="), std::string::npos);
  link.empty_file = true;
  EXPECT_EQ(ShortcutFileBytes(link), "");
}

TEST(SampleOutputTest, TreeHoldsEveryFolderAndShortcut) {
  const SampleFavorites favorites = MakeSampleFavorites(600, 11);
  TempFolder temp;
  const std::filesystem::path root = temp.native() / "Favorites";
  WriteFavoritesTree(favorites, root);

  size_t folders = 0, shortcuts = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_directory()) {
      ++folders;
    } else {
      ASSERT_EQ(entry.path().extension(), ".url");
      ++shortcuts;
    }
  }
  EXPECT_EQ(folders, favorites.folders.size() - 1);
  EXPECT_EQ(shortcuts, favorites.links.size());

  // Spot checks: a link's file sits in its folder and holds its bytes.
  for (const size_t i : {size_t{0}, favorites.links.size() / 2, favorites.links.size() - 1}) {
    const SampleLink& link = favorites.links[i];
    std::filesystem::path folder = root;
    std::string path = favorites.folders[link.folder].path;
    for (size_t slash; (slash = path.find('\\')) != std::string::npos; path.erase(0, slash + 1)) {
      folder /= path.substr(0, slash);
    }
    if (!path.empty()) folder /= path;
    EXPECT_EQ(ReadBytes(folder / (link.stem + ".url")), ShortcutFileBytes(link)) << link.stem;
  }
}

TEST(SampleOutputTest, PageHasTheExportShape) {
  const SampleFavorites favorites = MakeSampleFavorites(1500, 2);
  const std::string page = BookmarkPageText(favorites);
  EXPECT_EQ(CountOf(page, "\n"), CountOf(page, "\r\n"));
  EXPECT_TRUE(page.ends_with("</body>\r\n</html>\r\n"));
  EXPECT_EQ(CountOf(page, "<li><a href=\""), favorites.links.size());
  EXPECT_EQ(CountOf(page, "</a></li>\r\n"), favorites.links.size());
  EXPECT_EQ(CountOf(page, std::string("<a href=\"") + kGeneratedByAddress +
                              "\" class=\"topnav1\">Linkshelf</a>"),
            1u);

  // One heading per folder; every list but the last is closed by the next heading.
  EXPECT_EQ(CountOf(page, "=</span></b></font><br>\r\n"), favorites.folders.size() - 1);
  const size_t lists = CountOf(page, "<ol><font face=\"Arial\" size=\"2\">");
  EXPECT_EQ(CountOf(page, "</font></ol>"), lists - 1);

  // Root links carry no folder; every other link names its folder.
  std::map<int, size_t> links_per_folder;
  for (const SampleLink& link : favorites.links) ++links_per_folder[link.folder];
  for (const auto& [folder, count] : links_per_folder) {
    if (folder == 0) continue;
    const std::string attribute = "MyDir=\"" + favorites.folders[folder].path + "\" class=";
    EXPECT_EQ(CountOf(page, attribute), count) << favorites.folders[folder].path;
  }
  EXPECT_EQ(CountOf(page, "\" class=\"topnav1\">") - CountOf(page, "MyDir=\""),
            links_per_folder[0] + 1);
}

}  // namespace
}  // namespace linkshelf::bench
