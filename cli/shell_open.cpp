#include "cli/shell_open.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <spawn.h>
#endif

namespace linkshelf {

#ifdef _WIN32

bool OpenWithShell(const std::string& file, const std::string& parameters, const std::string& folder) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(),
                                         parameters.empty() ? nullptr : parameters.c_str(),
                                         folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

#else

extern "C" char** environ;

bool OpenWithShell(const std::string& file, const std::string& /*parameters*/, const std::string& /*folder*/) {
  std::string program = "xdg-open";
  std::string target = file;
  char* const argv[] = {program.data(), target.data(), nullptr};
  pid_t child = 0;
  // Not waited for: on some desktops xdg-open runs the browser itself until
  // the user closes it.
  return ::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}

#endif

}  // namespace linkshelf
