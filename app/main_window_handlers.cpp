// The click handlers of the main window other than convert and import.
#include "app/about_box.h"
#include "app/main_window.h"
#include "runtime/text.h"

namespace linkshelf {

void ExitProgram(MainWindow& window) {
  PostClose(window.Window);
}

void ShowAboutBox(MainWindow& window) {
  AboutBox* about = CreateAboutBox(window.Window);
  ShowModalAndFree(*about, window.Window, window.AboutButton);
  Activate(window.AboutButton, true);
}

void BrowseFavoritesFolder(MainWindow& window) {
  std::string start = window.FavoritesEdit->GetText();
  if (start.empty() || !window.services.files->FolderExists(start)) start.clear();
  SetInitialFolder(window.FolderDialog, start);
  if (ExecuteFolderBrowseDialog(window.FolderDialog))
    window.FavoritesEdit->SetText(SelectedFolder(window.FolderDialog));
}

void BrowseOutputFile(MainWindow& window) {
  std::string page = window.OutputFileEdit->GetText();
  const std::string folder = FolderPart(page);
  if (folder.empty() || !window.services.files->FolderExists(folder)) page.clear();
  window.PageFileDialog->FileName = NamePart(page);
  window.PageFileDialog->InitialDir = FolderPart(page);
  if (ExecuteOpenSaveDialog(window.PageFileDialog))
    window.OutputFileEdit->SetText(window.PageFileDialog->FileName);
}

void OpenFavoritesFolder(MainWindow& window) {
  window.services.shell_open(FolderPart(window.FavoritesEdit->GetText()), "", "");
}

void OpenOutputFolder(MainWindow& window) {
  window.services.shell_open(FolderPart(window.OutputFileEdit->GetText()), "", "");
}

}  // namespace linkshelf
