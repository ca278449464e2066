// Just enough of the platform header for the program's command-line reading to
// build on any system: the fuzz target calls only its portable functions, and
// defines these two as stubs.
#pragma once

#include <cstdint>

using DWORD = std::uint32_t;
#define MAX_PATH 260

DWORD GetModuleFileNameA(void* module, char* path, DWORD size);
const char* GetCommandLineA();
