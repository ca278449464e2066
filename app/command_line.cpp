#include "app/command_line.h"

#include <windows.h>

namespace linkshelf {

std::string CommandArgument(int n) {
  if (n == 0) {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
  }
  return ArgumentOfCommandLine(GetCommandLineA(), n);
}

int CommandArgumentCount() {
  return ArgumentCountOfCommandLine(GetCommandLineA());
}

}  // namespace linkshelf
