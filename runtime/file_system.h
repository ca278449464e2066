// The file layer: the only way the export and the import reach files and
// folders. Paths are Windows-style byte texts (backslashes, system code page);
// a doubled backslash inside a path counts as one. Tests replace this layer to
// make any operation fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/local_time.h"

namespace linkshelf {

struct FolderEntry {
  std::string name;
  bool is_folder = false;
  // A symbolic link, junction or other reparse point; `is_folder` tells what
  // it leads to.
  bool is_link = false;
};

// The outcome of one file operation: success, or the reason it failed, in
// words a user can act on.
struct FileStatus {
  bool ok = true;
  std::string reason;

  static FileStatus Success() { return {}; }
  static FileStatus Failure(std::string why) { return {false, std::move(why)}; }
  explicit operator bool() const { return ok; }
};

// A file that an operation could not change, and why.
struct FileFailure {
  std::string path;
  std::string reason;
};

// A shortcut or folder that could not be read, and why: what the export names
// to the user instead of leaving it out silently.
struct ReadFailure {
  std::string path;
  std::string reason;

  friend bool operator==(const ReadFailure&, const ReadFailure&) = default;
};

// A file read a piece at a time, so that a large one is never held whole.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Appends up to `most` more bytes to `bytes`; none once the file has ended.
  virtual FileStatus ReadMore(std::string& bytes, std::size_t most) = 0;
  // The file's size when it was opened.
  virtual std::uint64_t Size() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The entries of the folder that `pattern` names whose names match its last
  // component (`*` and `?`, letters without regard to case), every attribute
  // included. Empty when the folder cannot be searched.
  virtual std::vector<FolderEntry> FindEntries(const std::string& pattern) = 0;

  // The same entries, and a failure with its reason when the folder exists but
  // cannot be searched (a missing folder or no match is an empty success). A
  // layer that cannot tell the difference reports success.
  virtual FileStatus SearchFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries = FindEntries(pattern);
    return FileStatus::Success();
  }

  // The same search, each entry handed to `visit` as it is found and good
  // only during that call: a caller that keeps little of each entry then
  // costs no copy of the listing.
  virtual FileStatus VisitEntries(const std::string& pattern,
                                  const std::function<void(const FolderEntry&)>& visit) {
    std::vector<FolderEntry> entries;
    FileStatus status = SearchFolder(pattern, entries);
    for (const FolderEntry& entry : entries) visit(entry);
    return status;
  }

  // True when a file (not a folder) stands at the path.
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;

  // Size and last-write time (local time) of a file, read without needing
  // exclusive access; nothing when the file cannot be opened.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  virtual std::optional<LocalTime> LastWriteTime(const std::string& path) = 0;

  // Last-write time of a file or a folder in whole seconds since 1970 UTC, as
  // the browsers' bookmark file dates its entries. A layer that cannot tell
  // gives nothing, and the entries go without a date.
  virtual std::optional<std::int64_t> LastWriteSeconds(const std::string& /*path*/) {
    return std::nullopt;
  }

  // The whole file as bytes. Only a regular file is read: a pipe, a device or
  // a folder fails at once, and opening never waits for another program.
  virtual FileStatus ReadFile(const std::string& path, std::string& bytes) = 0;

  // Opens a file to be read a piece at a time, with the checks of ReadFile;
  // null, with the reason in `status`, when it cannot be read. A layer that
  // reads from memory reads the whole file at once.
  virtual std::unique_ptr<FileReader> OpenFileReader(const std::string& path, FileStatus& status);

  // As ReadFile, but a file larger than `limit` bytes fails without being read.
  virtual FileStatus ReadFileUpTo(const std::string& path, std::string& bytes, std::uint64_t limit);

  // As ReadFileUpTo, and the file's last-write time as LastWriteSeconds gives
  // it (nothing when the read fails), taken from the same opening of the file.
  virtual FileStatus ReadDatedFileUpTo(const std::string& path, std::string& bytes,
                                       std::uint64_t limit,
                                       std::optional<std::int64_t>& write_seconds);

  // Creates one folder whose parent exists. Succeeds when the folder exists already.
  virtual FileStatus CreateFolder(const std::string& path) = 0;

  // Creates a file that must not exist yet, writes the bytes into it and has
  // them on the disk before it returns. When the writing fails after the file
  // was created, the partial file is removed.
  virtual FileStatus WriteNewFile(const std::string& path, std::string_view bytes) = 0;

  // As WriteNewFile, for a folder that nobody sees yet: the bytes need only be
  // on the disk once FlushFolderFiles has been asked for the folder. A layer
  // that cannot flush a folder's files together flushes each one here.
  virtual FileStatus WriteNewFileUnflushed(const std::string& path, std::string_view bytes) {
    return WriteNewFile(path, bytes);
  }

  // Has the bytes of every file written into the folder at `path` with
  // WriteNewFileUnflushed on the disk, in one step for them all.
  virtual FileStatus FlushFolderFiles(const std::string& /*path*/) { return FileStatus::Success(); }

  // Moves the file `from` onto `to`, replacing a file that stands there, in one
  // step. The file at `to` keeps the permissions (attributes) of the old one.
  virtual FileStatus ReplaceFile(const std::string& from, const std::string& to) = 0;

  // Moves the file `from` to `to` in one step when nothing stands at `to`;
  // otherwise fails and leaves both as they are.
  virtual FileStatus MoveNewFile(const std::string& from, const std::string& to);

  virtual FileStatus RemoveFile(const std::string& path) = 0;

  // Creates the file at `path` with the bytes, complete or not at all, when
  // nothing stands there; fails and leaves a file that stands there as it is.
  // The bytes are on the disk before the name appears. The folder's entry is
  // not flushed. Built from WriteNewFile and MoveNewFile on a temporary beside
  // it unless the layer can make a file without a name and then name it.
  virtual FileStatus CreateWholeFile(const std::string& path, std::string_view bytes);

  // Gives the file at `path` the bytes in one step: it holds its old content
  // or all of the new, keeps its permissions (attributes), and a `path` that
  // is a link is written through to the file it leads to. The folder's entry
  // is not flushed. Built from WriteNewFile and ReplaceFile on a temporary.
  virtual FileStatus ReplaceWholeFile(const std::string& path, std::string_view bytes);

  // As ReplaceWholeFile, for a run that replaces many files folder by folder:
  // the new bytes wait beside the file, which keeps its old content until
  // FinishReplacements has them all on the disk with one flush and then puts
  // each in its file's place. A layer that cannot wait replaces the file here.
  virtual FileStatus ReplaceWholeFileLater(const std::string& path, std::string_view bytes) {
    return ReplaceWholeFile(path, bytes);
  }

  // Puts the new bytes of every ReplaceWholeFileLater since the last call in
  // their files' places; gives the files that kept their old content, and why.
  virtual std::vector<FileFailure> FinishReplacements() { return {}; }

  // Removes a folder that is empty; one that holds anything stays.
  virtual FileStatus RemoveFolder(const std::string& path);

  // Has the names moved into or out of the folder on the disk, so that a power
  // loss cannot take them back.
  virtual FileStatus FlushFolder(const std::string& path);

  // True when the path itself is a symbolic link, a junction or another
  // reparse point, whether or not it leads anywhere.
  virtual bool IsLink(const std::string& path);

  // The path that a link at `path` finally leads to; `path` itself when it is
  // no link or the link leads nowhere.
  virtual std::string LinkTarget(const std::string& path);

  // Forgets whatever the layer remembers of folders between operations, so
  // that a run that begins now meets the folders as they stand now.
  virtual void ForgetFolders() {}

  // A text that is equal for two paths reaching the same folder and differs
  // for different folders; empty when it cannot be told.
  virtual std::string FolderIdentity(const std::string& path);
};

}  // namespace linkshelf
