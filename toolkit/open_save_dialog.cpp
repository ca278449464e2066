#include <algorithm>
#include <cstring>

#include "runtime/text.h"
#include "toolkit/application.h"
#include "toolkit/open_save_record.h"

namespace linkshelf {
namespace {

constexpr DWORD kOptionFlags[] = {
    OFN_CREATEPROMPT,     OFN_EXTENSIONDIFFERENT, OFN_FILEMUSTEXIST,    OFN_HIDEREADONLY,
    OFN_NOCHANGEDIR,      OFN_NODEREFERENCELINKS, OFN_ALLOWMULTISELECT, OFN_NONETWORKBUTTON,
    OFN_NOREADONLYRETURN, OFN_OVERWRITEPROMPT,    OFN_PATHMUSTEXIST,    OFN_READONLY,
    OFN_NOVALIDATE,
};

const OpenSaveOptions kDefaultOptions{OpenSaveOption::kFileMustExist, OpenSaveOption::kHideReadOnly,
                                      OpenSaveOption::kOverwritePrompt,
                                      OpenSaveOption::kPathMustExist};

// Cuts a proposed name so that it and its terminator fit the buffer, without
// splitting a double-byte character.
std::size_t FittingLength(const std::string& name, std::size_t buffer_size) {
  const std::size_t limit = buffer_size - 1;
  if (name.size() <= limit) return name.size();
  std::size_t length = 0;
  ForEachCharacter(name, [&](std::size_t pos, std::string_view character) {
    if (pos + character.size() > limit) return false;
    length = pos + character.size();
    return true;
  });
  return length;
}

}  // namespace

std::string ConvertFilter(const std::string& filter) {
  std::string converted;
  ForEachCharacter(filter, [&](std::size_t pos, std::string_view character) {
    if (pos > 0 && character == "|") {
      converted.push_back('\0');
    } else {
      converted += character;
    }
  });
  converted.push_back('\0');
  return converted;  // c_str() adds the list's closing zero
}

DWORD OpenSaveFlags(OpenSaveOptions options) {
  if (options.Empty()) options = kDefaultOptions;
  DWORD flags = OFN_EXPLORER | OFN_LONGNAMES;
  for (std::size_t bit = 0; bit < std::size(kOptionFlags); ++bit)
    if (options.Has(static_cast<OpenSaveOption>(bit))) flags |= kOptionFlags[bit];
  return flags;
}

void FillOpenSaveRecord(OpenSaveDialog& dialog, HWND default_owner, OpenSaveRecord& out) {
  OPENFILENAMEA& r = out.record;
  r = OPENFILENAMEA{};
  // The record of the older layout, without the places bar fields.
  r.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  r.hwndOwner = dialog.OwnerWindow ? dialog.OwnerWindow : default_owner;
  r.hInstance = GetModuleHandleA(nullptr);
  if (!dialog.Filter.empty()) {
    out.filter = ConvertFilter(dialog.Filter);
    r.lpstrFilter = out.filter.c_str();
  }
  r.lpstrCustomFilter = nullptr;
  r.nFilterIndex = static_cast<DWORD>(dialog.FilterIndex);

  const OpenSaveOptions options = dialog.DialogOptions;
  const bool multiple = options.Has(OpenSaveOption::kAllowMultiSelect);
  out.file.assign(multiple ? kMultiFileBufferSize : kSingleFileBufferSize, '\0');
  const std::size_t length = FittingLength(dialog.FileName, out.file.size());
  std::copy_n(dialog.FileName.data(), length, out.file.data());
  r.lpstrFile = out.file.data();
  r.nMaxFile = static_cast<DWORD>(out.file.size());

  r.lpstrFileTitle = nullptr;
  r.lpstrInitialDir = dialog.InitialDir.empty() ? nullptr : dialog.InitialDir.c_str();
  r.lpstrTitle = dialog.DialogTitle.empty() ? nullptr : dialog.DialogTitle.c_str();
  r.Flags = OpenSaveFlags(options);
  r.lpstrDefExt = dialog.DefaultExtension.c_str();
  r.lCustData = reinterpret_cast<LPARAM>(&dialog);
  r.lpfnHook = nullptr;
  r.lpTemplateName = nullptr;
}

OpenSaveDialog* CreateOpenSaveDialog(std::string_view title, std::string_view initial_dir,
                                     OpenSaveOptions options) {
  auto* dialog = CreateObject<OpenSaveDialog>();
  dialog->DialogTitle.assign(title);
  dialog->InitialDir.assign(initial_dir);
  dialog->DialogOptions = options;
  dialog->IsOpenDialog = true;
  return dialog;
}

bool ExecuteOpenSaveDialog(OpenSaveDialog* dialog) {
  Control* application = ApplicationWindow();
  OpenSaveRecord run;
  FillOpenSaveRecord(*dialog, application ? application->ExistingWindow() : nullptr, run);
  const BOOL chosen =
      dialog->IsOpenDialog ? GetOpenFileNameA(&run.record) : GetSaveFileNameA(&run.record);
  if (!chosen) {
    dialog->FileName.clear();
    return false;
  }
  dialog->FilterIndex = static_cast<std::int32_t>(run.record.nFilterIndex);
  if (dialog->DialogOptions.Has(OpenSaveOption::kAllowMultiSelect)) {
    // Names come separated by zeros up to a double zero: one line each.
    for (std::size_t i = 0; i + 1 < run.file.size(); ++i) {
      if (run.file[i] != '\0') continue;
      if (run.file[i + 1] == '\0') break;
      run.file[i] = '\r';
    }
  }
  run.file.back() = '\0';
  dialog->FileName = run.file.data();
  return true;
}

}  // namespace linkshelf
