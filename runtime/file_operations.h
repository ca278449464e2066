// File steps built on the file layer that the export and the import share.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "runtime/file_system.h"

namespace linkshelf {

// Creates the missing folders of paths, outermost first. The server and share
// of a network path, a drive and the empty level between two backslashes are
// never created. The folders seen to exist are remembered, so that a run over
// many paths looks at each folder once.
class FolderMaker {
 public:
  explicit FolderMaker(FileSystem& files) : files_(files) {}

  // Creates every missing folder of `folder` (a path ending in a backslash or
  // naming the folder itself); `created` hears of each folder made (its path
  // without a closing backslash).
  FileStatus Make(std::string_view folder,
                  const std::function<void(const std::string& folder)>& created = {});

 private:
  FileSystem& files_;
  std::unordered_set<std::string> known_;  // without a closing backslash
};

// Creates every missing folder of `folder`, as FolderMaker does.
FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder);

// Writes the bytes to a temporary file beside `path` and moves it over `path`
// in one step: afterwards `path` holds either its old content or all of the new
// bytes, and no temporary file is left behind.
FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace linkshelf
