// The two questions asked before an existing file is overwritten: the page of
// an export, a shortcut of an import. Each dialog is built for one question,
// shown modally over the main window and freed at once.
#pragma once

#include <string>

#include "app/dialog_record.h"
#include "import/import_bookmark_page.h"

namespace linkshelf {

class ReplaceFileDialog : public DialogRecord {
 public:
  Control* FileSizeLabel = nullptr;
  Control* FileDateLabel = nullptr;
  Control* ContainsLabel = nullptr;
  Control* FileNameLabel = nullptr;
  Control* YesButton = nullptr;
  Control* NoButton = nullptr;
};

class ReplaceShortcutDialog : public DialogRecord {
 public:
  Control* ContainsLabel = nullptr;
  Control* YesButton = nullptr;
  Control* NoButton = nullptr;
  Control* YesToAllButton = nullptr;
  Control* CancelButton = nullptr;
  Control* NewAddressBox = nullptr;
  Control* ExistingFileBox = nullptr;
  Control* ExistingBaseBox = nullptr;
  Control* ExistingAddressBox = nullptr;
};

inline constexpr char kReplaceFileCaption[] = "确认替换文件";
inline constexpr char kReplaceShortcutCaption[] = "确认替换收藏夹";

// Built hidden on `parent`, with placeholder texts.
ReplaceFileDialog* CreateReplaceFileDialog(Control* parent);
ReplaceShortcutDialog* CreateReplaceShortcutDialog(Control* parent);

// Asks whether the existing page may be replaced; true only for "是". The
// main window comes back to the foreground afterwards, the focus on `focus_after`.
bool AskReplaceFile(Control* main_form, Control* focus_after, const std::string& page_path,
                    const std::string& size_text, const std::string& date_text);

// Asks whether the existing shortcut may be replaced. The dialog ends with
// the answer's number; a close request, or the end of the program's loop,
// counts as No.
ShortcutReplaceAnswer AskReplaceShortcut(Control* main_form, Control* focus_after,
                                         const std::string& new_address,
                                         const std::string& existing_file,
                                         const std::string& existing_base,
                                         const std::string& existing_address);

}  // namespace linkshelf
