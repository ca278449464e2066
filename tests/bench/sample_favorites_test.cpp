#include "bench/sample_favorites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace linkshelf::bench {
namespace {

// The import names a shortcut after its link text with the last extension
// made ".url"; the sample names must stay apart under that rule.
std::string ImportedFileName(const std::string& text) {
  const size_t last = text.find_last_of(".\\:");
  const std::string stem =
      last != std::string::npos && text[last] == '.' ? text.substr(0, last) : text;
  return stem + ".url";
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(SampleFavoritesTest, SameSeedGivesTheSameCollectionAndAnotherSeedAnother) {
  const SampleFavorites a = MakeSampleFavorites(2000, 7);
  const SampleFavorites b = MakeSampleFavorites(2000, 7);
  const SampleFavorites c = MakeSampleFavorites(2000, 8);
  ASSERT_EQ(a.links.size(), b.links.size());
  for (size_t i = 0; i < a.links.size(); ++i) {
    EXPECT_EQ(a.links[i].stem, b.links[i].stem);
    EXPECT_EQ(a.links[i].address, b.links[i].address);
    EXPECT_EQ(a.links[i].folder, b.links[i].folder);
  }
  size_t differing = 0;
  for (size_t i = 0; i < a.links.size(); ++i) differing += a.links[i].address != c.links[i].address;
  EXPECT_GT(differing, a.links.size() / 2);
}

TEST(SampleFavoritesTest, FoldersFormATreeOfAboutOneFolderPerFiftyLinksUpToEightLevels) {
  for (const size_t count : {size_t{10}, size_t{1000}, size_t{20000}}) {
    SCOPED_TRACE(count);
    const SampleFavorites favorites = MakeSampleFavorites(count, 1);
    EXPECT_EQ(favorites.links.size(), count);
    EXPECT_EQ(favorites.folders.size() - 1, std::max<size_t>(1, (count + 25) / 50));
    int deepest = 0;
    for (size_t i = 1; i < favorites.folders.size(); ++i) {
      const SampleFolder& folder = favorites.folders[i];
      ASSERT_GE(folder.parent, 0);
      ASSERT_LT(static_cast<size_t>(folder.parent), i) << "a parent precedes its subfolders";
      const SampleFolder& parent = favorites.folders[folder.parent];
      EXPECT_EQ(folder.depth, parent.depth + 1);
      EXPECT_EQ(folder.path, parent.path.empty() ? folder.name : parent.path + "\\" + folder.name);
      deepest = std::max(deepest, folder.depth);
    }
    EXPECT_EQ(deepest,
              count >= 400 ? kDeepestFolder : static_cast<int>(favorites.folders.size() - 1));
  }
}

TEST(SampleFavoritesTest, NamesAreVariedLegalAndUniqueInTheirFolder) {
  const SampleFavorites favorites = MakeSampleFavorites(5000, 3);
  bool blank = false, dot = false, digit = false, chinese = false;
  auto look_at = [&](const std::string& name) {
    ASSERT_FALSE(name.empty());
    EXPECT_NE(name.front(), ' ');
    EXPECT_NE(name.front(), '.') << "the export leaves out folders that begin with a dot";
    EXPECT_NE(name.back(), ' ');
    EXPECT_NE(name.back(), '.');
    EXPECT_EQ(name.find_first_of("\\/:*?\"<>|"), std::string::npos) << name;
    blank |= name.find(' ') != std::string::npos;
    dot |= name.find('.') != std::string::npos;
    digit |= name.find_first_of("0123456789") != std::string::npos;
    chinese |= std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; });
  };
  std::set<std::pair<int, std::string>> folder_names, file_names, imported_names;
  for (size_t i = 1; i < favorites.folders.size(); ++i) {
    look_at(favorites.folders[i].name);
    EXPECT_TRUE(folder_names.insert({favorites.folders[i].parent, Lower(favorites.folders[i].name)})
                    .second);
  }
  for (const SampleLink& link : favorites.links) {
    look_at(link.stem);
    EXPECT_TRUE(file_names.insert({link.folder, Lower(link.stem + ".url")}).second) << link.stem;
    EXPECT_TRUE(imported_names.insert({link.folder, Lower(ImportedFileName(link.stem))}).second)
        << link.stem;
  }
  EXPECT_TRUE(blank && dot && digit && chinese);
}

TEST(SampleFavoritesTest, LinksComeInPageOrderWithEveryKindOfShortcut) {
  const SampleFavorites favorites = MakeSampleFavorites(3000, 5);
  std::vector<size_t> rank(favorites.folders.size());
  const std::vector<int> order = FoldersDepthFirst(favorites);
  ASSERT_EQ(order.size(), favorites.folders.size());
  for (size_t i = 0; i < order.size(); ++i) rank[order[i]] = i;
  for (size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(rank[favorites.folders[order[i]].parent], i) << "a folder follows its parent";
  }
  size_t plain = 0, extra = 0, without = 0, empty_files = 0;
  for (size_t i = 0; i < favorites.links.size(); ++i) {
    const SampleLink& link = favorites.links[i];
    if (i > 0) {
      EXPECT_LE(rank[favorites.links[i - 1].folder], rank[link.folder]);
    }
    switch (link.kind) {
      case ShortcutKind::kPlain:
        ++plain;
        break;
      case ShortcutKind::kWithExtraEntries:
        ++extra;
        break;
      case ShortcutKind::kWithoutAddress:
        ++without;
        empty_files += link.empty_file;
        EXPECT_TRUE(link.address.empty());
        break;
    }
    if (link.kind != ShortcutKind::kWithoutAddress) {
      EXPECT_FALSE(link.address.empty());
      // Bytes the page would have to escape or the import would refuse.
      EXPECT_EQ(link.address.find_first_of("\"<>\r\n\t"), std::string::npos) << link.address;
    }
  }
  EXPECT_GT(plain, extra);
  EXPECT_GT(extra, without);
  EXPECT_GT(empty_files, 0u);
  EXPECT_LT(empty_files, without);
}

}  // namespace
}  // namespace linkshelf::bench
