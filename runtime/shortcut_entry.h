// Reading and setting one entry of an Internet-shortcut file: INI text in the
// system code page, sections in square brackets, "key=value" entries. Section
// names and keys are found without regard to case; every line the program does
// not set keeps its text and place.
#pragma once

#include <string>
#include <string_view>

#include "runtime/file_system.h"

namespace linkshelf {

// Values come back as at most this many bytes, as from a 2,048-byte buffer.
inline constexpr size_t kShortcutValueLimit = 2047;

// The value of the first `key` in the first `section` of the file's bytes: the
// text after the first "=" without blanks around it or an enclosing pair of
// quotation marks, cut to 2,047 bytes. Empty when the section or key is missing.
std::string FindShortcutEntry(std::string_view file_text, std::string_view section,
                              std::string_view key);

// The bytes of the file after setting one entry: an existing entry's value is
// replaced in place, a missing key goes after the last entry of its section, a
// missing section goes at the end. An empty text gives the header and entry of a
// new file. What is added ends its lines in CR LF.
std::string SetShortcutEntry(std::string_view file_text, std::string_view section,
                             std::string_view key, std::string_view value);

// Appends an entry's value without its line breaks, which would start a new
// entry or section in the file.
void AppendSingleLineValue(std::string& out, std::string_view value);

// The entry read from the file at `path`; empty when the file cannot be read.
std::string ReadShortcutEntry(FileSystem& files, const std::string& path, std::string_view section,
                              std::string_view key);

// Sets the entry in the file at `path`, creating the file when it is missing.
// The file holds either its old bytes or all of the new ones, never a part;
// on failure the reason is "Unable to write to <path>".
FileStatus WriteShortcutEntry(FileSystem& files, const std::string& path, std::string_view section,
                              std::string_view key, std::string_view value);

}  // namespace linkshelf
