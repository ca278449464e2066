#include "runtime/file_operations.h"

#include <vector>

#include "runtime/text.h"

namespace linkshelf {

FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder) {
  // Where each folder of the path ends; a backslash that is the second byte of
  // a double-byte character separates nothing.
  std::vector<size_t> ends;
  bool ends_in_separator = false;
  for (size_t i = 0; i < folder.size(); ++i) {
    ends_in_separator = false;
    if (IsLeadByte(static_cast<unsigned char>(folder[i]))) {
      ++i;
    } else if (folder[i] == '\\') {
      ends.push_back(i);
      ends_in_separator = true;
    }
  }
  if (!folder.empty() && !ends_in_separator) ends.push_back(folder.size());
  // The server and share of a network path are never created.
  const size_t skipped = folder.starts_with("\\\\") ? 4 : 0;
  for (size_t n = skipped; n < ends.size(); ++n) {
    // The root and the empty level between two backslashes need no creating.
    if (ends[n] == 0 || (n > 0 && ends[n] == ends[n - 1] + 1)) continue;
    const std::string prefix(folder.substr(0, ends[n]));
    // Neither does a bare drive ("C:").
    if (prefix.size() == 2 && prefix[1] == ':') continue;
    if (files.FolderExists(prefix)) continue;
    if (FileStatus status = files.CreateFolder(prefix); !status) return status;
  }
  return FileStatus::Success();
}

FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes) {
  FileStatus created = FileStatus::Failure("no temporary file could be created");
  std::string temporary;
  for (int attempt = 0; attempt < 100 && !created; ++attempt) {
    temporary = path + ".~" + std::to_string(attempt) + ".tmp";
    if (files.FileExists(temporary) || files.FolderExists(temporary)) continue;
    created = files.WriteNewFile(temporary, bytes);
    if (!created) break;
  }
  if (!created) return created;
  if (FileStatus moved = files.ReplaceFile(temporary, path); !moved) {
    files.RemoveFile(temporary);
    return moved;
  }
  return FileStatus::Success();
}

}  // namespace linkshelf
