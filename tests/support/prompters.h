// Front ends for tests: they answer the export's and the import's questions
// as told and remember what was asked and opened.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/export_bookmark_page.h"
#include "import/import_bookmark_page.h"

namespace linkshelf {

// Answers the replace question with `answer`; every question is kept as
// "path | size text | date text" and every file opened as "file | parameters | folder".
class ScriptedExportPrompter final : public ExportPrompter {
 public:
  explicit ScriptedExportPrompter(bool replace = true) : answer(replace) {}
  bool AskReplacePage(const std::string& path, const std::string& size_text,
                      const std::string& date_text) override {
    questions.push_back(path + " | " + size_text + " | " + date_text);
    return answer;
  }
  void ShellOpen(const std::string& file, const std::string& parameters,
                 const std::string& folder) override {
    opened.push_back(file + " | " + parameters + " | " + folder);
  }

  bool answer;
  std::vector<std::string> questions;
  std::vector<std::string> opened;
};

// Answers the replace question from a script, then with `after_script` (or the
// script again from its start when `repeat` is set), and keeps every question
// with the progress last shown.
class ScriptedImportPrompter : public ImportPrompter {
 public:
  explicit ScriptedImportPrompter(std::vector<ShortcutReplaceAnswer> script = {},
                                  ShortcutReplaceAnswer after_script = ShortcutReplaceAnswer::kNo)
      : script_(std::move(script)), after_script_(after_script) {}
  ShortcutReplaceAnswer AskReplaceShortcut(const std::string& new_address,
                                           const std::string& existing_file,
                                           const std::string& existing_base,
                                           const std::string& existing_address) override {
    questions.push_back({new_address, existing_file, existing_base, existing_address});
    if (next_ == script_.size() && repeat && !script_.empty()) next_ = 0;
    return next_ < script_.size() ? script_[next_++] : after_script_;
  }
  void ShowProgress(int links) override { last_progress = links; }

  bool repeat = false;
  std::vector<std::vector<std::string>> questions;
  int last_progress = 0;

 private:
  std::vector<ShortcutReplaceAnswer> script_;
  std::size_t next_ = 0;
  ShortcutReplaceAnswer after_script_;
};

}  // namespace linkshelf
