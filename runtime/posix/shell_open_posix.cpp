// Opening a file with the desktop's xdg-open.
#include <spawn.h>

#include "runtime/shell_open.h"

extern "C" char** environ;

namespace linkshelf {

bool OpenWithShell(const std::string& file, const std::string& /*parameters*/,
                   const std::string& /*folder*/) {
  std::string program = "xdg-open";
  std::string target = file;
  char* const argv[] = {program.data(), target.data(), nullptr};
  pid_t child = 0;
  // Not waited for: on some desktops xdg-open runs the browser itself until
  // the user closes it.
  return ::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}

}  // namespace linkshelf
