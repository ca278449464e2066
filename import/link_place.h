// Where the shortcut of one link goes: a folder below the root and a file
// name, both made from what the page says and kept inside the root.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace linkshelf {

struct LinkPlace {
  std::string reason;     // why the link cannot be placed; empty when it can
  std::string folder;     // below the root, each name followed by `\`; empty for the root
  std::string file_name;  // ends in ".url"
  bool ok() const { return reason.empty(); }
};

// The longest folder path below the root that a link is placed in. Longer
// could not be written on any system; refusing it also keeps deep nesting
// from costing much.
inline constexpr std::size_t kLongestFolderPath = 2048;
inline constexpr char kNestedTooDeep[] = "文件夹嵌套过深";

// Places a link from the values of its folder attributes (in page order) and
// its link text. A `\` in either makes a further folder level. A value that
// starts at a drive or a backslash, or a `..` level, is refused rather than
// being allowed to lead out of the root, as is a folder path longer than
// kLongestFolderPath; every name is made legal.
LinkPlace PlaceLink(const std::vector<std::string>& folder_values, std::string_view link_text);

// The root as a folder path ending in a backslash (an empty root stays empty).
std::string RootFolder(std::string_view root);

// True when `path` lies below `root` (a folder ending in a backslash) and
// every level after it is a plain name that cannot climb or jump elsewhere.
bool StaysInsideRoot(std::string_view root, std::string_view path);

}  // namespace linkshelf
