#include "import/link_place.h"

#include <algorithm>

#include "import/shortcut_name.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

const char kOutsideRoot[] = "路径指向根文件夹之外";

// Calls `visit(level, last)` for each level of a path split at its
// backslashes, in order, until it returns false; a backslash that is the
// second byte of a double-byte character separates nothing. False when a
// visit said so.
template <typename Visit>
bool ForEachLevel(std::string_view path, Visit&& visit) {
  size_t start = 0;
  for (size_t pos = 0; pos < path.size();) {
    const size_t length = CharacterLength(path, pos);
    if (length == 1 && path[pos] == '\\') {
      if (!visit(path.substr(start, pos - start), false)) return false;
      start = pos + 1;
    }
    pos += length;
  }
  return visit(path.substr(start), true);
}

// Adds one folder level to `folder`, made legal; false with the reason when
// the level climbs out of the root or the folder grows too long. An empty
// level (a doubled backslash) adds nothing.
bool AddLevel(std::string_view level, std::string& folder, std::string& reason) {
  if (level == "..") {
    reason = kOutsideRoot;
    return false;
  }
  if (level.empty()) return true;
  AppendLegalName(level, folder);
  folder += '\\';
  if (folder.size() > kLongestFolderPath) {
    reason = kNestedTooDeep;
    return false;
  }
  return true;
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
  LinkPlacer().Place(folder_values, link_text, place);
  return place;
}

void LinkPlacer::PlaceFolderValues(std::span<const std::string> folder_values) {
  values_.assign(folder_values.begin(), folder_values.end());
  known_ = true;
  values_elsewhere_ = false;
  values_reason_.clear();
  values_folder_.clear();
  for (const std::string& value : folder_values) {
    if (StartsAtAnotherPlace(value)) values_elsewhere_ = true;
  }
  for (const std::string& value : folder_values) {
    const bool placed = ForEachLevel(value, [&](std::string_view level, bool) {
      return AddLevel(level, values_folder_, values_reason_);
    });
    if (!placed) return;
  }
}

void LinkPlacer::Place(std::span<const std::string> folder_values, std::string_view link_text,
                       LinkPlace& place) {
  if (!known_ ||
      !std::equal(folder_values.begin(), folder_values.end(), values_.begin(), values_.end())) {
    PlaceFolderValues(folder_values);
  }
  place.folder.clear();
  place.file_name.clear();
  // The same checks in the same order as for a link placed alone: first
  // where the texts start, then level by level from the outermost.
  if (values_elsewhere_ || StartsAtAnotherPlace(link_text)) {
    place.reason = kOutsideRoot;
    return;
  }
  if (!values_reason_.empty()) {
    place.reason = values_reason_;
    return;
  }
  place.reason.clear();
  place.folder = values_folder_;
  AssignShortcutFileName(link_text, file_name_);
  std::string_view last_level;
  const bool placed = ForEachLevel(file_name_, [&](std::string_view level, bool last) {
    if (last) {
      last_level = level;
      return true;
    }
    return AddLevel(level, place.folder, place.reason);
  });
  if (!placed) {
    place.folder.clear();
    return;
  }
  AppendLegalName(last_level, place.file_name);
}

bool EndsInBackslash(std::string_view path) {
  bool ends_in_backslash = false;
  ForEachCharacter(
      path, [&](size_t, std::string_view character) { ends_in_backslash = character == "\\"; });
  return ends_in_backslash;
}

std::string RootFolder(std::string_view root) {
  std::string folder(root);
  if (!folder.empty() && !EndsInBackslash(folder)) folder += '\\';
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
