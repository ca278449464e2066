#include "bench/sample_favorites.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace linkshelf::bench {

namespace {

// SplitMix64: tiny, and unlike the standard distributions it gives the same
// numbers with every standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number in [0, bound).
  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }
  template <typename T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, 16> kChineseWords = {
    "新闻", "工具", "搜索", "学习资料", "软件下载", "音乐", "地图", "天气预报",
    "购物", "论坛", "博客", "技术文档", "人民网",   "体育", "旅游", "常用网站"};
constexpr std::array<std::string_view, 16> kEnglishWords = {
    "Daily",  "News",    "Tech", "Notes", "Search engine", "Reference", "My Links", "Archive",
    "Travel", "Recipes", "Docs", "Music", "Maps",          "Weather",   "Shop",     "Forum"};
constexpr std::array<std::string_view, 6> kSuffixes = {".htm", ".html", ".com",
                                                       ".cn",  ".org",  ".php"};
constexpr std::array<std::string_view, 6> kSchemes = {"https://",    "http://", "https://www.",
                                                      "http://www.", "ftp://",  "https://m."};

std::string FolderName(Random& random, std::size_t number) {
  const std::string n = std::to_string(number);
  switch (random.Below(4)) {
    case 0:
      return std::string(random.Pick(kChineseWords)) + " " + n;
    case 1:
      return std::string(random.Pick(kEnglishWords)) + " " + n;
    case 2:
      return std::string(random.Pick(kEnglishWords)) + "." +
             std::string(random.Pick(kEnglishWords)) + " " + n;
    default:
      return std::string(random.Pick(kChineseWords)) + n;
  }
}

// Every stem ends in its unique number, or in a dot and a suffix right after
// it, so the import's naming rule (the last extension becomes ".url") keeps
// the names apart.
std::string LinkStem(Random& random, std::size_t number) {
  const std::string n = std::to_string(number);
  switch (random.Below(6)) {
    case 0:
      return std::string(random.Pick(kChineseWords)) + " " + n;
    case 1:
      return std::string(random.Pick(kChineseWords)) + " - " +
             std::string(random.Pick(kEnglishWords)) + " " + n;
    case 2:
      return std::string(random.Pick(kEnglishWords)) + " " + n;
    case 3:
      return "www.site" + n + std::string(random.Pick(kSuffixes));
    case 4:
      return std::string(random.Pick(kEnglishWords)) + ".v" + std::to_string(random.Below(10)) +
             " " + n + std::string(random.Pick(kSuffixes));
    default:
      return std::string(random.Pick(kChineseWords)) + n + std::string(random.Pick(kSuffixes));
  }
}

std::string Address(Random& random, std::size_t number) {
  std::string address = std::string(random.Pick(kSchemes)) + "site" +
                        std::to_string(random.Below(5000)) + ".example.com/";
  const std::size_t segments = random.Below(5);
  for (std::size_t i = 0; i < segments; ++i) {
    address += (random.Below(4) == 0 ? std::string(random.Pick(kChineseWords))
                                     : "part" + std::to_string(random.Below(100000)));
    address += '/';
  }
  address += "page" + std::to_string(number) + ".html";
  if (random.Below(3) == 0)
    address += "?id=" + std::to_string(random.Next() % 1000000) + "&ref=fav";
  return address;
}

}  // namespace

SampleFavorites MakeSampleFavorites(std::size_t link_count, std::uint64_t seed) {
  Random random(seed);
  SampleFavorites favorites;
  favorites.folders.push_back({});

  // A chain first, so that every size reaches the deepest level; then each new
  // folder hangs below a random earlier one that may still have subfolders.
  const std::size_t folder_count = std::max<std::size_t>(1, (link_count + 25) / 50);
  for (std::size_t number = 1; number <= folder_count; ++number) {
    int parent;
    if (number <= kDeepestFolder) {
      parent = static_cast<int>(number - 1);
    } else {
      parent = static_cast<int>(random.Below(favorites.folders.size()));
      if (favorites.folders[parent].depth == kDeepestFolder)
        parent = favorites.folders[parent].parent;
    }
    SampleFolder folder;
    folder.name = FolderName(random, number);
    folder.parent = parent;
    folder.depth = favorites.folders[parent].depth + 1;
    const std::string& parent_path = favorites.folders[parent].path;
    folder.path = parent_path.empty() ? folder.name : parent_path + "\\" + folder.name;
    favorites.folders.push_back(std::move(folder));
  }

  std::vector<int> folder_of_link(link_count);
  for (int& folder : folder_of_link)
    folder = static_cast<int>(random.Below(favorites.folders.size()));

  // Links grouped by folder in depth-first order, as a page lists them.
  std::vector<std::size_t> rank(favorites.folders.size());
  const std::vector<int> order = FoldersDepthFirst(favorites);
  for (std::size_t i = 0; i < order.size(); ++i) rank[order[i]] = i;
  std::stable_sort(folder_of_link.begin(), folder_of_link.end(),
                   [&](int a, int b) { return rank[a] < rank[b]; });

  favorites.links.reserve(link_count);
  for (std::size_t number = 1; number <= link_count; ++number) {
    SampleLink link;
    link.folder = folder_of_link[number - 1];
    link.stem = LinkStem(random, number);
    const std::size_t roll = random.Below(100);
    if (roll < 5) {
      link.kind = ShortcutKind::kWithoutAddress;
      link.empty_file = random.Below(2) == 0;
    } else {
      link.kind = roll < 25 ? ShortcutKind::kWithExtraEntries : ShortcutKind::kPlain;
      link.address = Address(random, number);
    }
    favorites.links.push_back(std::move(link));
  }
  return favorites;
}

std::vector<int> FoldersDepthFirst(const SampleFavorites& favorites) {
  std::vector<std::vector<int>> children(favorites.folders.size());
  for (std::size_t i = 1; i < favorites.folders.size(); ++i) {
    children[favorites.folders[i].parent].push_back(static_cast<int>(i));
  }
  std::vector<int> order;
  std::vector<int> pending = {0};
  while (!pending.empty()) {
    const int folder = pending.back();
    pending.pop_back();
    order.push_back(folder);
    pending.insert(pending.end(), children[folder].rbegin(), children[folder].rend());
  }
  return order;
}

}  // namespace linkshelf::bench
