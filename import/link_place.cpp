#include "import/link_place.h"

#include <algorithm>

#include "import/shortcut_name.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

const char kOutsideRoot[] = "路径指向根文件夹之外";

// The levels of a path split at its backslashes; a backslash that is the
// second byte of a double-byte character separates nothing.
std::vector<std::string_view> SplitLevels(std::string_view path) {
  std::vector<std::string_view> levels;
  size_t start = 0;
  ForEachCharacter(path, [&](size_t pos, std::string_view character) {
    if (character != "\\") return;
    levels.push_back(path.substr(start, pos - start));
    start = pos + 1;
  });
  levels.push_back(path.substr(start));
  return levels;
}

// A text that names a place by itself rather than below the root: it starts
// with a backslash (the drive's root, a network or device path) or a drive.
bool StartsAtAnotherPlace(std::string_view text) {
  if (text.starts_with('\\')) return true;
  const auto first = static_cast<unsigned char>(text.empty() ? 0 : text[0]);
  const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return letter && text.size() >= 2 && text[1] == ':';
}

bool IsSpecialLevel(std::string_view level) {
  return level == "." || level == "..";
}

}  // namespace

LinkPlace PlaceLink(const std::vector<std::string>& folder_values, std::string_view link_text) {
  LinkPlace place;
  std::vector<std::string_view> levels;
  for (const std::string& value : folder_values) {
    if (StartsAtAnotherPlace(value)) return {kOutsideRoot, {}, {}};
    for (std::string_view level : SplitLevels(value)) levels.push_back(level);
  }
  if (StartsAtAnotherPlace(link_text)) return {kOutsideRoot, {}, {}};
  const std::string file_name = ShortcutFileName(link_text);
  const std::vector<std::string_view> name_levels = SplitLevels(file_name);
  levels.insert(levels.end(), name_levels.begin(), name_levels.end() - 1);

  for (std::string_view level : levels) {
    if (level == "..") return {kOutsideRoot, {}, {}};
    // An empty level (a doubled backslash) adds nothing.
    if (level.empty()) continue;
    place.folder += MakeLegalName(level);
    place.folder += '\\';
    if (place.folder.size() > kLongestFolderPath) return {kNestedTooDeep, {}, {}};
  }
  place.file_name = MakeLegalName(name_levels.back());
  return place;
}

std::string RootFolder(std::string_view root) {
  std::string folder(root);
  if (folder.empty()) return folder;
  bool ends_in_backslash = false;
  ForEachCharacter(
      folder, [&](size_t, std::string_view character) { ends_in_backslash = character == "\\"; });
  if (!ends_in_backslash) folder += '\\';
  return folder;
}

bool StaysInsideRoot(std::string_view root, std::string_view path) {
  if (root.empty() || !path.starts_with(root) || path.size() == root.size()) return false;
  // Walked level by level without copies: every link's path comes this way.
  const std::string_view below = path.substr(root.size());
  const auto plain = [](std::string_view level) {
    return !level.empty() && !IsSpecialLevel(level) && IsLegalName(level);
  };
  size_t start = 0;
  for (size_t i = 0; i < below.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(below[i]))) {
      ++i;
    } else if (below[i] == '\\') {
      if (!plain(below.substr(start, i - start))) return false;
      start = i + 1;
    }
  }
  return plain(below.substr(std::min(start, below.size())));
}

}  // namespace linkshelf
