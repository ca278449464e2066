// The export from the window: the controls at the moment of the click in, the
// replace question answered by the dialog, failures told in one message box.
#include "app/main_window.h"
#include "app/replace_dialogs.h"
#include "export/export_bookmark_page.h"
#include "runtime/system.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

class WindowExportPrompter final : public ExportPrompter {
 public:
  explicit WindowExportPrompter(MainWindow& window) : window_(window) {}
  bool AskReplacePage(const std::string& path, const std::string& size_text,
                      const std::string& date_text) override {
    return AskReplaceFile(window_.Window, window_.ConvertButton, path, size_text, date_text);
  }
  void ShellOpen(const std::string& file, const std::string& parameters,
                 const std::string& folder) override {
    window_.services.shell_open(file, parameters, folder);
  }

 private:
  MainWindow& window_;
};

// The memo's lines as they were put in: separated by CR LF.
std::vector<std::string> MemoLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::string NoLinksMessage(const std::string& root) {
  return "文件夹 " + root + " 中没有找到收藏的链接，没有生成网页。";
}

std::string UnreadMessage(const std::vector<ReadFailure>& unread) {
  constexpr size_t kNamed = 5;
  std::string text =
      "有 " + std::to_string(unread.size()) + " 个快捷方式或文件夹无法读取，网页中没有它们的内容：";
  for (size_t i = 0; i < unread.size() && i < kNamed; ++i) {
    text += "\r\n" + unread[i].path;
    if (!unread[i].reason.empty()) text += " (" + TrimBoth(unread[i].reason) + ")";
  }
  if (unread.size() > kNamed) text += "\r\n……";
  return text;
}

void RunConvert(MainWindow& window) {
  const AppServices& services = window.services;
  ExportRequest request;
  request.root = window.FavoritesEdit->GetText();
  request.page_path = window.OutputFileEdit->GetText();
  request.default_folder = FolderPart(services.program_path);
  request.title = window.TitleEdit->GetText();
  request.method = window.MethodList->GetSelectedIndex();
  request.header_template = MemoLines(window.HeaderMemo->GetText());
  request.open_with_notepad = window.NotepadBox->IsChecked();
  ExportEnvironment environment{*services.files, *services.collation, services.regional_settings,
                                CurrentLocalTime};
  WindowExportPrompter prompter(window);
  const ExportResult result = ExportBookmarkPage(request, environment, prompter);

  window.OutputFileEdit->SetText(result.page_path);
  // One message box at the end, however many things there are to say.
  std::string message;
  if (result.outcome == ExportOutcome::kNoLinks) {
    message = NoLinksMessage(request.root);
  } else if (result.outcome == ExportOutcome::kFailed) {
    message = result.reason.empty() ? result.message : result.message + "\r\n" + result.reason;
  }
  if (!result.unread.empty()) {
    message += (message.empty() ? "" : "\r\n\r\n") + UnreadMessage(result.unread);
  }
  if (!message.empty()) ShowMessage(message);
  Activate(window.ConvertButton, true);
}

}  // namespace linkshelf
