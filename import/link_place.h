// Where the shortcut of one link goes: a folder below the root and a file
// name, both made from what the page says and kept inside the root.
#pragma once

#include <cstddef>
#include <span>
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

// Places the links of one run as PlaceLink does. A page lists its links
// folder by folder, so the folder attributes of the last link are remembered
// with their place: a run of links in one folder costs only their texts.
class LinkPlacer {
 public:
  // Places the link into `place`, whose storage is reused.
  void Place(std::span<const std::string> folder_values, std::string_view link_text,
             LinkPlace& place);

 private:
  void PlaceFolderValues(std::span<const std::string> folder_values);

  bool known_ = false;               // the members below hold the place of `values_`
  std::vector<std::string> values_;  // the folder attributes last placed
  bool values_elsewhere_ = false;    // one of them starts at another place
  std::string values_reason_;        // why their levels cannot be placed
  std::string values_folder_;        // their levels, each made legal and followed by `\`
  std::string file_name_;            // the link text as a file name, before it is split
};

// True when the path's last character is a backslash, not the second byte of
// a double-byte character.
bool EndsInBackslash(std::string_view path);

// The root as a folder path ending in a backslash (an empty root stays empty).
std::string RootFolder(std::string_view root);

// True when `path` lies below `root` (a folder ending in a backslash) and
// every level after it is a plain name that cannot climb or jump elsewhere.
bool StaysInsideRoot(std::string_view root, std::string_view path);

}  // namespace linkshelf
