// The files that stand in each folder the import writes into, read with one
// folder search per folder, so that writing a link needs no look at its own
// path first. A folder the import has created itself holds nothing to read.
#pragma once

#include <string>
#include <unordered_map>

#include "runtime/file_system.h"

namespace linkshelf {

// What the folder's listing showed under a name: nothing, a file, or a link.
enum class StandingFile { kNone, kFile, kLink };

class ExistingShortcuts {
 public:
  explicit ExistingShortcuts(FileSystem& files) : files_(files) {}

  // Whether a file of exactly this name stood in `folder` (a path ending in
  // a backslash) when the folder was first asked about. Each name is told
  // once and then forgotten, so memory holds only the names still to come.
  // kNone is only a hint: a file written since the search, or one that the
  // file system matches in another spelling, is not known here. The search
  // removes the temporary files that stopped runs left in the folder.
  StandingFile Take(const std::string& folder, const std::string& name);

  // The folder has just been created, empty.
  void AddEmptyFolder(const std::string& folder);

 private:
  FileSystem& files_;
  using Names = std::unordered_map<std::string, bool>;
  // Per folder, each name with whether it is a link.
  std::unordered_map<std::string, Names> names_;
  // The folder asked about last: the links of a page come folder by folder.
  std::pair<const std::string, Names>* last_ = nullptr;
};

}  // namespace linkshelf
