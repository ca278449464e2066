// The window's first show and its close: the folder verb, the root folder and
// the settings.
#include "app/main_window.h"
#include "app/settings_store.h"
#include "runtime/text.h"

namespace linkshelf {

void StartUp(MainWindow& window) {
  const AppServices& services = window.services;
  RegisterFolderVerb(*services.registry, services.program_path);
  window.FavoritesEdit->SetText(
      services.folder_argument
          ? *services.folder_argument
          : GetShellFolder(*services.registry, ShellFolderHive::kCurrentUser, "Favorites"));
  LoadSettings(window);
}

void LoadSettings(MainWindow& window) {
  const AppServices& services = window.services;
  const auto settings = ReadStoredSettings(*services.registry, FolderPart(services.program_path));
  if (!settings) return;
  window.OutputFileEdit->SetText(settings->output_file_name);
  window.TitleEdit->SetText(settings->title);
  window.MethodList->SetSelectedIndex(
      settings->method >= 0 && settings->method <= 2 ? settings->method : -1);
  window.NotepadBox->SetChecked(settings->open_with_notepad);
}

void SaveSettings(MainWindow& window) {
  WriteStoredSettings(*window.services.registry,
                      {window.OutputFileEdit->GetText(), window.TitleEdit->GetText(),
                       window.MethodList->GetSelectedIndex(), window.NotepadBox->IsChecked()});
}

}  // namespace linkshelf
