#include "app/replace_dialogs.h"

namespace linkshelf {

namespace {

// The number the shortcut dialog ends with for an answer.
constexpr int Answer(ShortcutReplaceAnswer answer) {
  return static_cast<int>(answer);
}

Control* AddAnswerButton(DialogRecord& dialog, const char* caption, int left, int top,
                         NotifyHandler answer) {
  Control* button = CreateButton(dialog.Form, caption)->SetPosition(left, top)->SetSize(75, 25);
  button->Font()->SetFontHeight(1)->SetFontPitch(2);
  button->OnClick.Set(answer, &dialog);
  return button;
}

// The common frame of both dialogs: keys, title bar, no close item.
void PrepareForm(DialogRecord& dialog, int left, int top, int width, int height) {
  dialog.Form->SetPosition(left, top)->SetSize(width, height);
  UseKeyNavigation(dialog.Form);
  RemoveMinimizeAndMaximize(dialog.Form);
  RemoveCloseItem(dialog.Form);
}

}  // namespace

ReplaceFileDialog* CreateReplaceFileDialog(Control* parent) {
  auto* dialog = CreateDialogRecord<ReplaceFileDialog>(parent, kReplaceFileCaption);
  PrepareForm(*dialog, 252, 198, 278, 181);
  dialog->FileSizeLabel = AddDialogLabel(dialog->Form, "404 字节 ", 24, 59);
  dialog->FileDateLabel = AddDialogLabel(dialog->Form, "11/11/2001 7:59:00", 24, 75);
  dialog->ContainsLabel = AddDialogLabel(dialog->Form, "该文件夹已包含的文件：", 16, 19, true);
  dialog->FileNameLabel = AddDialogLabel(dialog->Form, "myfile.htm", 24, 43);
  dialog->YesButton = AddAnswerButton(*dialog, "是", 64, 107, EndDialogWith<1>);
  dialog->NoButton = AddAnswerButton(*dialog, "否", 144, 107, EndDialogWith<2>);
  dialog->Form->Center()->SetResizable(false);
  return dialog;
}

ReplaceShortcutDialog* CreateReplaceShortcutDialog(Control* parent) {
  auto* dialog = CreateDialogRecord<ReplaceShortcutDialog>(parent, kReplaceShortcutCaption);
  PrepareForm(*dialog, 282, 105, 352, 234);
  dialog->ContainsLabel = AddDialogLabel(dialog->Form, "该文件夹已包含的文件：", 16, 51, true);
  dialog->YesButton =
      AddAnswerButton(*dialog, "是", 16, 163, EndDialogWith<Answer(ShortcutReplaceAnswer::kYes)>);
  dialog->NoButton =
      AddAnswerButton(*dialog, "否", 96, 163, EndDialogWith<Answer(ShortcutReplaceAnswer::kNo)>);
  dialog->YesToAllButton = AddAnswerButton(*dialog, "全部确定", 176, 163,
                                           EndDialogWith<Answer(ShortcutReplaceAnswer::kYesToAll)>);
  dialog->CancelButton = AddAnswerButton(*dialog, "取消", 256, 163,
                                         EndDialogWith<Answer(ShortcutReplaceAnswer::kCancel)>);
  dialog->NewAddressBox = AddCopyableBox(dialog->Form, 16, 16, 313);
  dialog->ExistingFileBox = AddCopyableBox(dialog->Form, 16, 72, 313);
  dialog->ExistingBaseBox = AddCopyableBox(dialog->Form, 16, 96, 313);
  dialog->ExistingAddressBox = AddCopyableBox(dialog->Form, 16, 120, 313);
  dialog->Form->Center()->SetResizable(false);
  return dialog;
}

bool AskReplaceFile(Control* main_form, Control* focus_after, const std::string& page_path,
                    const std::string& size_text, const std::string& date_text) {
  ReplaceFileDialog* dialog = CreateReplaceFileDialog(main_form);
  dialog->FileNameLabel->SetText(page_path);
  dialog->FileSizeLabel->SetText(size_text);
  dialog->FileDateLabel->SetText(date_text);
  return ShowModalAndFree(*dialog, main_form, focus_after) == 1;
}

ShortcutReplaceAnswer AskReplaceShortcut(Control* main_form, Control* focus_after,
                                         const std::string& new_address,
                                         const std::string& existing_file,
                                         const std::string& existing_base,
                                         const std::string& existing_address) {
  ReplaceShortcutDialog* dialog = CreateReplaceShortcutDialog(main_form);
  dialog->NewAddressBox->SetText(new_address);
  dialog->ExistingFileBox->SetText(existing_file);
  dialog->ExistingBaseBox->SetText(existing_base);
  dialog->ExistingAddressBox->SetText(existing_address);
  const int answer = ShowModalAndFree(*dialog, main_form, focus_after);
  return answer >= Answer(ShortcutReplaceAnswer::kYes) &&
                 answer <= Answer(ShortcutReplaceAnswer::kCancel)
             ? static_cast<ShortcutReplaceAnswer>(answer)
             : ShortcutReplaceAnswer::kNo;
}

}  // namespace linkshelf
