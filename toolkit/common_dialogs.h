// The file, folder and message dialogs of the platform, run modally inside the
// platform call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/option_set.h"
#include "toolkit/toolkit_object.h"

namespace linkshelf {

enum class OpenSaveOption {
  kCreatePrompt = 0,
  kExtensionDifferent = 1,
  kFileMustExist = 2,
  kHideReadOnly = 3,
  kNoChangeDir = 4,
  kNoDereferenceLinks = 5,
  kAllowMultiSelect = 6,
  kNoNetworkButton = 7,
  kNoReadOnlyReturn = 8,
  kOverwritePrompt = 9,
  kPathMustExist = 10,
  kReadOnly = 11,
  kNoValidate = 12,
};
using OpenSaveOptions = OptionSet<OpenSaveOption>;

class OpenSaveDialog : public ToolkitObject {
 public:
  // Pairs of description and pattern, all separated by '|'; empty: no filter.
  std::string Filter;
  std::int32_t FilterIndex = 1;
  bool IsOpenDialog = true;
  std::string InitialDir;
  std::string DefaultExtension;
  // The proposed name before a run; the chosen full path after a successful one.
  std::string FileName;
  std::string DialogTitle;
  // Empty means {kFileMustExist, kHideReadOnly, kOverwritePrompt, kPathMustExist}.
  OpenSaveOptions DialogOptions;
  // None: the application window.
  HWND OwnerWindow = nullptr;
};

OpenSaveDialog* CreateOpenSaveDialog(std::string_view title, std::string_view initial_dir,
                                     OpenSaveOptions options);
bool ExecuteOpenSaveDialog(OpenSaveDialog* dialog);

enum class FolderBrowseOption {
  kBrowseForComputer = 0,
  kBrowseForPrinter = 1,
  kDontGoBelowDomain = 2,
  kReturnFsAncestors = 3,
  kReturnOnlyFsDirs = 4,
  kStatusText = 5,
};
using FolderBrowseOptions = OptionSet<FolderBrowseOption>;

class FolderBrowseDialog : public ToolkitObject {
 public:
  std::string DialogTitle;
  // Empty means {kReturnOnlyFsDirs}.
  FolderBrowseOptions DialogOptions;
  HWND OwnerWindow = nullptr;

  // Internals of the browse callback.
  bool has_initial_folder = false;
  std::string initial_folder;
  bool center_on_screen = false;
  char path[MAX_PATH + 1] = {};
};

FolderBrowseDialog* CreateFolderBrowseDialog(std::string_view title, FolderBrowseOptions options);
// Pre-selects the folder when the dialog opens (empty: none). Calling it at all
// installs the callback that also centres the dialog.
void SetInitialFolder(FolderBrowseDialog* dialog, std::string_view folder);
void SetCenterOnScreen(FolderBrowseDialog* dialog, bool center);
bool ExecuteFolderBrowseDialog(FolderBrowseDialog* dialog);
std::string SelectedFolder(const FolderBrowseDialog* dialog);

// A message box with one OK button, owned by the application window and
// captioned with its caption.
void ShowMessage(std::string_view text);

}  // namespace linkshelf
