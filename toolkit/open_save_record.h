// The platform record behind an open or save dialog, with the buffers it points into.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "toolkit/common_dialogs.h"

namespace linkshelf {

// Single selection: room for a 260-character path and its terminator, and one more.
inline constexpr std::size_t kSingleFileBufferSize = 262;
inline constexpr std::size_t kMultiFileBufferSize = 65520;

struct OpenSaveRecord {
  OPENFILENAMEA record{};
  std::string filter;  // pairs separated by zeros, ending in two zeros
  std::vector<char> file;
};

// Pairs "description|pattern|..." separated by zeros instead of bars; a bar
// in the first place stays, and so does a byte that is part of a double-byte character.
std::string ConvertFilter(const std::string& filter);
DWORD OpenSaveFlags(OpenSaveOptions options);
// Fills the record for a run of `dialog`. The record points into itself and
// into `dialog`, so neither may move while it is used.
void FillOpenSaveRecord(OpenSaveDialog& dialog, HWND default_owner, OpenSaveRecord& out);

}  // namespace linkshelf
