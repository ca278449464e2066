// The files that stand in each folder the import writes into, read with one
// folder search per folder, so that writing a link needs no look at its own
// path first. A folder the import has created itself holds nothing to read.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "runtime/file_system.h"

namespace linkshelf {

class ExistingShortcuts {
 public:
  explicit ExistingShortcuts(FileSystem& files) : files_(files) {}

  // True when a file of exactly this name stood in `folder` (a path ending in
  // a backslash) when the folder was first asked about, or has been added
  // since. False is only a hint: a name that the file system matches in
  // another spelling is not known here.
  bool Contains(const std::string& folder, const std::string& name);

  void Add(const std::string& folder, const std::string& name);

  // The folder has just been created, empty.
  void AddEmptyFolder(const std::string& folder);

 private:
  std::unordered_set<std::string>& NamesIn(const std::string& folder);

  FileSystem& files_;
  std::unordered_map<std::string, std::unordered_set<std::string>> names_;
};

}  // namespace linkshelf
