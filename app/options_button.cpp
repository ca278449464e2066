// The import from the window: the page and the root read from the controls at
// the moment of the click, the replace question answered by the dialog, a
// missing page or failed links told in one message box.
#include "app/main_window.h"
#include "app/replace_dialogs.h"
#include "import/import_bookmark_page.h"

namespace linkshelf {

namespace {

class WindowImportPrompter final : public ImportPrompter {
 public:
  explicit WindowImportPrompter(MainWindow& window) : window_(window) {}
  ShortcutReplaceAnswer AskReplaceShortcut(const std::string& new_address,
                                           const std::string& existing_file,
                                           const std::string& existing_base,
                                           const std::string& existing_address) override {
    return linkshelf::AskReplaceShortcut(window_.Window, window_.OptionsButton, new_address,
                                         existing_file, existing_base, existing_address);
  }

 private:
  MainWindow& window_;
};

}  // namespace

void RunImport(MainWindow& window) {
  const ImportRequest request{window.OutputFileEdit->GetText(), window.FavoritesEdit->GetText()};
  WindowImportPrompter prompter(window);
  const ImportResult result = ImportBookmarkPage(request, *window.services.files, prompter);
  if (result.page_missing) {
    ShowMessage(result.missing_page_message);
  } else if (result.HasFailures()) {
    ShowMessage(DescribeImportFailures(result));
  }
  Activate(window.OptionsButton, true);
}

}  // namespace linkshelf
