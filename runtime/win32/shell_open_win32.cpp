// Opening a file with the Windows shell's "open" verb.
#include <windows.h>

#include <shellapi.h>

#include "runtime/shell_open.h"

namespace linkshelf {

bool OpenWithShell(const std::string& file, const std::string& parameters,
                   const std::string& folder) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(),
                                         parameters.empty() ? nullptr : parameters.c_str(),
                                         folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace linkshelf
