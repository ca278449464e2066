// Opening a file with the program the desktop associates with it, for the
// window program and the command line alike.
#pragma once

#include <string>

namespace linkshelf {

// Windows: the shell's "open" verb with the parameters and working folder
// (empty for none). POSIX: xdg-open with the file. False when nothing could be
// started; the opened program is not waited for.
bool OpenWithShell(const std::string& file, const std::string& parameters,
                   const std::string& folder);

}  // namespace linkshelf
