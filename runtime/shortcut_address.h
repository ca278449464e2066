// The address a shortcut file holds, whatever encoding the file was saved in.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The file's bytes as code-page text: a file saved as UTF-16 or as UTF-8 with
// its byte-order mark is converted (characters the code page lacks
// percent-encoded, as in an address); any other file is taken as it is.
std::string ShortcutText(std::string_view file_bytes);

// The address of the shortcut: the URL of its wide section ("InternetShortcut.W",
// UTF-7) when that differs from the one of "InternetShortcut", since the plain
// one lost what the code page lacks; else the plain URL. Empty when it has none.
std::string ShortcutAddress(std::string_view file_bytes);

}  // namespace linkshelf
