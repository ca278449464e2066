// File steps built on the file layer that the export and the import share.
#pragma once

#include <cstdint>
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
  // naming the folder itself); `created` hears of each folder made and
  // `standing` of each one found to exist already, whose failure stops the
  // making (paths without a closing backslash).
  FileStatus Make(std::string_view folder,
                  const std::function<void(const std::string& folder)>& created = {},
                  const std::function<FileStatus(const std::string& folder)>& standing = {});

 private:
  FileSystem& files_;
  std::unordered_set<std::string> known_;  // without a closing backslash
};

// Creates every missing folder of `folder`, as FolderMaker does.
FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder);

// Gives `path` the bytes in one step (FileSystem::ReplaceWholeFile):
// afterwards it holds either its old content or all of the new bytes, and no
// temporary file is left behind. A `path` that is a link is written through.
// The folder's entries are not flushed: the move leaves the old or the new
// file whole either way, and a caller that writes many files flushes each
// folder once.
FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes);

// Creates the file at `path` with the bytes, complete or not at all, only
// when nothing stands there (FileSystem::CreateWholeFile). The folder's entry is not flushed; the
// caller flushes each folder once it has written all its files there.
FileStatus WriteWholeNewFile(FileSystem& files, const std::string& path, std::string_view bytes);

// The name of this program's temporary file number `attempt` of a process:
// "~linkshelf-", the process number, "-", the number and ".tmp". Who writes a
// temporary tries names up to kTemporaryAttempts, as one may stand already.
std::string TemporaryFileName(std::uint32_t process_id, int attempt);
inline constexpr int kTemporaryAttempts = 100;

// True when `name` is one of this program's temporary files: "~linkshelf-",
// the process number, "-", a counter and ".tmp", or the older "NAME.~N.tmp"
// beside a shortcut or a page.
// `process_id` is set to its process number (0 for the older form).
bool IsOwnTemporaryName(std::string_view name, std::uint32_t& process_id);

// Removes the temporary files and folders in `folder` (ending in a backslash)
// that runs of this program left when they were stopped; those of a run still
// going stay.
void RemoveStaleTemporaries(FileSystem& files, const std::string& folder);

// Removes the temporary folder `name` in `folder`, in which a run that was
// stopped was making a folder's shortcuts, when no running process owns it.
void RemoveIfStaleTemporaryFolder(FileSystem& files, const std::string& folder,
                                  const std::string& name);

// Removes the named temporary in `folder` when no running process owns it.
void RemoveIfStaleTemporary(FileSystem& files, const std::string& folder, const std::string& name);

}  // namespace linkshelf
