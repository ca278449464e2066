// A made-up Favorites collection for the benchmarks: folders, links, their
// names and addresses, the same for the same size and seed on every machine.
// The tree writer and the page writer both render it, so a tree and a page of
// one size hold the same links.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace linkshelf::bench {

enum class ShortcutKind {
  kPlain,             // only [InternetShortcut] with URL
  kWithExtraEntries,  // BASEURL, icon and hot-key entries and a property section as well
  kWithoutAddress,    // no URL entry at all, or an empty file
};

struct SampleFolder {
  std::string name;  // empty for the root
  int parent = -1;   // index into SampleFavorites::folders; -1 for the root
  int depth = 0;     // 0 for the root, 1 for its subfolders
  std::string path;  // relative to the root, folders joined by a backslash; empty for the root
};

struct SampleLink {
  int folder = 0;
  std::string stem;     // the shortcut's file name without ".url"; the page's link name
  std::string address;  // empty for kWithoutAddress
  ShortcutKind kind = ShortcutKind::kPlain;
  bool empty_file = false;  // a kWithoutAddress shortcut that holds no bytes at all
};

struct SampleFavorites {
  std::vector<SampleFolder> folders;  // [0] is the root; a parent precedes its subfolders
  std::vector<SampleLink> links;      // grouped by folder, folders in the order above
};

inline constexpr int kDeepestFolder = 8;

// `link_count` links over about link_count / 50 folders, up to kDeepestFolder
// levels below the root. Names mix blanks, dots, digits and Chinese (UTF-8),
// and stay unique in their folder, also after the import's naming rule and
// without regard to case.
SampleFavorites MakeSampleFavorites(std::size_t link_count, std::uint64_t seed);

// The folders in page order: each folder followed by its subfolders, depth first.
std::vector<int> FoldersDepthFirst(const SampleFavorites& favorites);

}  // namespace linkshelf::bench
