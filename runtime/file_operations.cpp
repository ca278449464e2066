#include "runtime/file_operations.h"

#include <vector>

#include "runtime/text.h"

namespace linkshelf {

FileStatus FolderMaker::Make(std::string_view folder,
                             const std::function<void(const std::string& folder)>& created) {
  // Where each level of the path ends.
  std::vector<size_t> ends;
  bool ends_in_separator = false;
  ForEachCharacter(folder, [&](size_t pos, std::string_view character) {
    ends_in_separator = character == "\\";
    if (ends_in_separator) ends.push_back(pos);
  });
  if (!folder.empty() && !ends_in_separator) ends.push_back(folder.size());
  const size_t server_and_share = folder.starts_with("\\\\") ? 4 : 0;
  for (size_t n = server_and_share; n < ends.size(); ++n) {
    // The root and the empty level between two backslashes need no creating.
    if (ends[n] == 0 || (n > 0 && ends[n] == ends[n - 1] + 1)) continue;
    std::string prefix(folder.substr(0, ends[n]));
    // Neither does a drive ("C:").
    if (prefix.back() == ':' || known_.contains(prefix)) continue;
    if (!files_.FolderExists(prefix)) {
      if (FileStatus status = files_.CreateFolder(prefix); !status) return status;
      if (created) created(prefix);
    }
    known_.insert(std::move(prefix));
  }
  return FileStatus::Success();
}

FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder) {
  return FolderMaker(files).Make(folder);
}

FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes) {
  FileStatus created = FileStatus::Failure("no temporary file could be created");
  std::string temporary;
  for (int attempt = 0; attempt < 100 && !created; ++attempt) {
    temporary = path + ".~" + std::to_string(attempt) + ".tmp";
    // Creating fails when the name is taken; only then is it worth looking why.
    created = files.WriteNewFile(temporary, bytes);
    if (!created && !files.FileExists(temporary) && !files.FolderExists(temporary)) break;
  }
  if (!created) return created;
  if (FileStatus moved = files.ReplaceFile(temporary, path); !moved) {
    files.RemoveFile(temporary);
    return moved;
  }
  return FileStatus::Success();
}

}  // namespace linkshelf
