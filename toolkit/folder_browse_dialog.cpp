#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "toolkit/application.h"
#include "toolkit/common_dialogs.h"

namespace linkshelf {
namespace {

constexpr UINT kOptionFlags[] = {
    BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
    BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT,
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  auto* dialog = reinterpret_cast<FolderBrowseDialog*>(data);
  if (message != BFFM_INITIALIZED || !dialog) return 0;
  if (dialog->center_on_screen) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, TRUE);
  }
  if (!dialog->initial_folder.empty())
    SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                 reinterpret_cast<LPARAM>(dialog->initial_folder.c_str()));
  return 0;
}

}  // namespace

FolderBrowseDialog* CreateFolderBrowseDialog(std::string_view title, FolderBrowseOptions options) {
  auto* dialog = CreateObject<FolderBrowseDialog>();
  dialog->DialogTitle.assign(title);
  dialog->DialogOptions = options;
  return dialog;
}

void SetInitialFolder(FolderBrowseDialog* dialog, std::string_view folder) {
  dialog->has_initial_folder = true;
  dialog->initial_folder.assign(folder);
}

void SetCenterOnScreen(FolderBrowseDialog* dialog, bool center) {
  dialog->center_on_screen = center;
}

bool ExecuteFolderBrowseDialog(FolderBrowseDialog* dialog) {
  FolderBrowseOptions options = dialog->DialogOptions;
  if (options.Empty()) options = {FolderBrowseOption::kReturnOnlyFsDirs};
  UINT flags = 0;
  for (std::size_t bit = 0; bit < std::size(kOptionFlags); ++bit)
    if (options.Has(static_cast<FolderBrowseOption>(bit))) flags |= kOptionFlags[bit];

  Control* application = ApplicationWindow();
  BROWSEINFOA info{};
  info.hwndOwner = dialog->OwnerWindow ? dialog->OwnerWindow
                                       : (application ? application->ExistingWindow() : nullptr);
  info.pidlRoot = nullptr;
  info.pszDisplayName = dialog->path;
  info.lpszTitle = dialog->DialogTitle.empty() ? nullptr : dialog->DialogTitle.c_str();
  info.ulFlags = flags;
  info.lpfn = dialog->has_initial_folder ? BrowseCallback : nullptr;
  info.lParam = reinterpret_cast<LPARAM>(dialog);
  info.iImage = 0;

  // The shell's folder tree needs COM on this thread; a second call is harmless.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  bool chosen = false;
  if (item) {
    if (!SHGetPathFromIDListA(item, dialog->path)) dialog->path[0] = '\0';
    CoTaskMemFree(item);
    chosen = true;
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

std::string SelectedFolder(const FolderBrowseDialog* dialog) {
  return std::string(dialog->path, strnlen(dialog->path, sizeof dialog->path));
}

}  // namespace linkshelf
