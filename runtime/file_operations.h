// File steps built on the file layer that the export and the import share.
#pragma once

#include <string>
#include <string_view>

#include "runtime/file_system.h"

namespace linkshelf {

// Creates every missing folder of `folder` (a path ending in a backslash or
// naming the folder itself), outermost first.
FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder);

// Writes the bytes to a temporary file beside `path` and moves it over `path`
// in one step: afterwards `path` holds either its old content or all of the new
// bytes, and no temporary file is left behind.
FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace linkshelf
