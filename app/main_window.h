// The main window: the record that holds the window and every control on it.
// The controls are also the program's working state between start and close.
#pragma once

#include <string>

#include "app/app_services.h"
#include "toolkit/toolkit.h"

namespace linkshelf {

class MainWindow : public ToolkitObject {
 public:
  explicit MainWindow(const AppServices& services) : services(services) {}

  const AppServices& services;

  Control* Window = nullptr;
  Control* HeaderMemo = nullptr;
  Control* PageBufferMemo = nullptr;
  Control* SettingsPanel = nullptr;
  Control* TitleCaption = nullptr;
  Control* MethodList = nullptr;
  Control* NotepadBox = nullptr;
  Control* MethodCaption = nullptr;
  Control* TitleEdit = nullptr;
  Control* FavoritesCaption = nullptr;
  Control* FavoritesEdit = nullptr;
  Control* BrowseFavoritesButton = nullptr;
  Control* OutputCaption = nullptr;
  Control* OutputFileEdit = nullptr;
  Control* BrowseOutputButton = nullptr;
  Control* OptionsButton = nullptr;
  Control* ExitButton = nullptr;
  Control* ConvertButton = nullptr;
  FolderBrowseDialog* FolderDialog = nullptr;
  OpenSaveDialog* PageFileDialog = nullptr;
  Control* AboutButton = nullptr;
};

inline constexpr char kMainWindowCaption[] = "Linkshelf " LINKSHELF_VERSION;
inline constexpr int kMainWindowWidth = 386;
inline constexpr int kMainWindowHeight = 212;

// Builds the window hidden, with its controls, dialogs and handlers; the record
// is freed with the window. `services` must outlive the window.
MainWindow* CreateMainWindow(const AppServices& services);

// The show handler: writes the folder verb, puts the root folder into
// FavoritesEdit and loads the settings into the controls.
void StartUp(MainWindow& window);
// The stored settings into OutputFileEdit, TitleEdit, MethodList and NotepadBox;
// nothing when the settings key cannot be opened.
void LoadSettings(MainWindow& window);
// The close handler: the four controls' settings back into the registry.
void SaveSettings(MainWindow& window);

// What the window says when the root holds no shortcut to export.
std::string NoLinksMessage(const std::string& root);
// The one message after an export that could not read everything: the first
// few paths with their reasons and how many in all.
std::string UnreadMessage(const std::vector<ReadFailure>& unread);

// Click handlers.
void RunConvert(MainWindow& window);
void RunImport(MainWindow& window);
void ExitProgram(MainWindow& window);
void ShowAboutBox(MainWindow& window);
void BrowseFavoritesFolder(MainWindow& window);
void BrowseOutputFile(MainWindow& window);
void OpenFavoritesFolder(MainWindow& window);
void OpenOutputFolder(MainWindow& window);

}  // namespace linkshelf
