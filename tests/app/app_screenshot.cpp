// For tools/screenshots: runs the real main window and shows one of its
// windows, then waits to be captured.
// Usage: linkshelf_app_screenshot main-window|replace-file|replace-shortcut|about FAVORITES
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/replace_dialogs.h"
#include "runtime/system.h"

using namespace linkshelf;

namespace {

struct Shot {
  std::string which;
  std::string work;  // a folder of its own, with a copy of the sample Favorites
  MainWindow* window = nullptr;
  const char* dialog_caption = nullptr;
};
Shot shot;

void AnnounceWindow(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  std::printf("screenshot-ready %ld %ld %ld %ld\n", bounds.left, bounds.top,
              bounds.right - bounds.left, bounds.bottom - bounds.top);
  std::fflush(stdout);
}

// Announces the dialog once it is up; the program waits inside its modal loop.
void CALLBACK WatchForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND dialog = FindWindowA(nullptr, shot.dialog_caption); dialog && IsWindowVisible(dialog)) {
    KillTimer(nullptr, timer);
    AnnounceWindow(dialog);
  }
}

void OpenDialog(Control* button, const char* caption) {
  shot.dialog_caption = caption;
  SetTimer(nullptr, 0, 100, WatchForDialog);
  SendMessageA(button->WindowHandle(), BM_CLICK, 0, 0);
}

// Nobody captured the window within a minute: the script is gone.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
  ExitProcess(0);
}

void CALLBACK Start(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  MainWindow& window = *shot.window;
  const std::string page = shot.work + "\\mybook.htm";
  window.OutputFileEdit->SetText(page);
  if (shot.which == "main-window") {
    AnnounceWindow(window.Window->WindowHandle());
  } else if (shot.which == "about") {
    OpenDialog(window.AboutButton, kAboutCaption);
  } else if (shot.which == "replace-file") {
    std::ofstream(page, std::ios::binary) << "<html></html>\r\n";
    OpenDialog(window.ConvertButton, kReplaceFileCaption);
  } else if (shot.which == "replace-shortcut") {
    SendMessageA(window.ConvertButton->WindowHandle(), BM_CLICK, 0, 0);  // the page to import
    OpenDialog(window.OptionsButton, kReplaceShortcutCaption);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  shot.which = argv[1];
  const std::filesystem::path work =
      std::filesystem::temp_directory_path() / "linkshelf-screenshot";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  std::filesystem::copy(argv[2], work / "Favorites", std::filesystem::copy_options::recursive);
  shot.work = work.string();

  const auto registry = MakeSystemRegistry();
  const auto files = MakeSystemFileSystem();
  const auto collation = MakeSystemCollation();
  AppServices services;
  services.registry = registry.get();
  services.files = files.get();
  services.collation = collation.get();
  services.regional_settings = ReadSystemRegionalSettings();
  services.program_path = "C:\\Program Files\\Linkshelf\\linkshelf.exe";
  services.folder_argument = (work / "Favorites").string();
  services.shell_open = [](const std::string&, const std::string&, const std::string&) {};
  shot.window = CreateMainWindow(services);
  SetTimer(nullptr, 0, 300, Start);
  SetTimer(nullptr, 0, 60000, GiveUp);
  RunApplication(shot.window->Window);
  return 0;
}
