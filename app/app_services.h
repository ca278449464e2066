// What the main window needs from outside itself: the registry, the file
// layer, the program's own path and argument, and the shell's "open". The
// program passes the system's; tests pass stand-ins.
#pragma once

#include <optional>
#include <string>

#include "app/shell_integration.h"
#include "runtime/collation.h"
#include "runtime/file_system.h"
#include "runtime/regional_settings.h"
#include "runtime/shell_open.h"
#include "runtime/win32/registry.h"

namespace linkshelf {

struct AppServices {
  Registry* registry = nullptr;
  FileSystem* files = nullptr;
  const Collation* collation = nullptr;
  RegionalSettings regional_settings;
  // The program file's full path (CommandArgument(0)).
  std::string program_path;
  // The folder named on the command line (CommandArgument(1)), when there is one.
  std::optional<std::string> folder_argument;
  ShellOpener shell_open = OpenWithShell;
};

}  // namespace linkshelf
