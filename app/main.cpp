// The program's entry: build the main window, run it until it closes.
#include <windows.h>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/unexpected_error.h"
#include "runtime/system.h"

using namespace linkshelf;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetUnexpectedErrorHandler(ReportUnexpectedErrorAndExit);
  try {
    const auto registry = MakeSystemRegistry();
    const auto files = MakeSystemFileSystem();
    const auto collation = MakeSystemCollation();
    AppServices services;
    services.registry = registry.get();
    services.files = files.get();
    services.collation = collation.get();
    services.regional_settings = ReadSystemRegionalSettings();
    services.program_path = CommandArgument(0);
    if (CommandArgumentCount() > 0) services.folder_argument = CommandArgument(1);
    RunApplication(CreateMainWindow(services)->Window);
  } catch (...) {
    ReportUnexpectedErrorAndExit(std::current_exception());
  }
  return 0;
}
