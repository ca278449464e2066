// File steps built on the file layer that the export and the import share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/file_system.h"

namespace linkshelf {

// Creates every missing folder of `folder` (a path ending in a backslash or
// naming the folder itself), outermost first.
FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder);

// Writes the bytes to a temporary file beside `path` and moves it over `path`
// in one step: afterwards `path` holds either its old content or all of the new
// bytes, and no temporary file is left behind. A `path` that is a link is
// written through: the file it leads to gets the new bytes. The folder's
// entries are not flushed: the move leaves the old or the new file whole
// either way, and a caller that writes many files flushes each folder once.
FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes);

// Creates the file at `path` with the bytes, complete or not at all: they are
// written to a temporary file, flushed to the disk and moved into place only
// when nothing stands there. The folder's entry is not flushed; the caller
// flushes each folder once it has written all its files there.
FileStatus WriteWholeNewFile(FileSystem& files, const std::string& path, std::string_view bytes);

// True when `name` is one of this program's temporary files: "~linkshelf-",
// the process number, "-", a counter and ".tmp", or the older "NAME.~N.tmp"
// beside a shortcut or a page.
// `process_id` is set to its process number (0 for the older form).
bool IsOwnTemporaryName(std::string_view name, std::uint32_t& process_id);

// Removes the temporary files in `folder` (ending in a backslash) that runs of
// this program left when they were stopped; those of a run still going stay.
void RemoveStaleTemporaries(FileSystem& files, const std::string& folder);

// Removes the named temporary in `folder` when no running process owns it.
void RemoveIfStaleTemporary(FileSystem& files, const std::string& folder, const std::string& name);

}  // namespace linkshelf
