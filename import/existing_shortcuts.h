// The files that stand in each folder the import writes into, read with one
// folder search per folder, so that writing a link needs no look at its own
// path first. A folder the import has created itself holds nothing to read.
#pragma once

#include <string>
#include <unordered_map>

#include "runtime/file_system.h"
#include "runtime/name_table.h"

namespace linkshelf {

// What the folder's listing showed under a name: nothing, a file, or a link.
enum class StandingFile { kNone, kFile, kLink };

class ExistingShortcuts {
 public:
  explicit ExistingShortcuts(FileSystem& files) : files_(files) {}

  // Whether a file of exactly this name stood in `folder` (a path ending in
  // a backslash) when the folder was first asked about. Each name is told
  // once and then forgotten; a folder whose names have all been told lets
  // go of them. kNone is only a hint: a file written since the search, or
  // one that the file system matches in another spelling, is not known
  // here. The search removes the temporary files that stopped runs left in
  // the folder.
  StandingFile Take(const std::string& folder, const std::string& name);

  // The folder has just been created, empty.
  void AddEmptyFolder(const std::string& folder);

 private:
  struct Listing {
    NameTable<StandingFile> names;  // a name told already is marked kNone
    size_t untold = 0;
  };

  FileSystem& files_;
  std::unordered_map<std::string, Listing> listings_;
  // The folder asked about last: the links of a page come folder by folder.
  std::pair<const std::string, Listing>* last_ = nullptr;
};

}  // namespace linkshelf
