// Placeholder until the export and import adapters are wired.
#include "app/main_window.h"

namespace linkshelf {
void RunConvert(MainWindow&) {}
void RunImport(MainWindow&) {}
}  // namespace linkshelf
