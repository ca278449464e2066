// The system's own words for a Win32 error code, in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace linkshelf {

std::string SystemErrorText(DWORD code);

}  // namespace linkshelf
