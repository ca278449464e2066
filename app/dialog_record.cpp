#include "app/dialog_record.h"

namespace linkshelf {

int ShowModalAndFree(DialogRecord& dialog, Control* main_form, Control* focus_after) {
  const int answer = ShowModal(dialog.Form);
  Activate(focus_after, true);
  Free(dialog.Form);
  Activate(main_form, true);
  return answer;
}

void RemoveMinimizeAndMaximize(Control* form) {
  form->SetStyle(form->Style() & ~static_cast<std::uint32_t>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

void RemoveCloseItem(Control* form) {
  if (HWND window = form->WindowHandle())
    DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
}

Control* AddDialogLabel(Control* form, const char* text, int left, int top, bool bold) {
  Control* label = CreateLabel(form, text)->SetPosition(left, top)->SetAutoSize(true);
  label->Font()->SetFontHeight(1);
  if (bold) label->Font()->SetFontStyle({FontStyle::kBold});
  return label->SetTransparent(true);
}

Control* AddCopyableBox(Control* form, int left, int top, int width) {
  Control* box =
      CreateEditBox(form, {})->SetPosition(left, top)->SetSize(width, 0)->SetBorder3D(false);
  box->SetBackColor(kButtonFaceColor);
  box->Font()->SetFontHeight(1)->SetFontPitch(2);
  return box->SetTransparentText(true);
}

}  // namespace linkshelf
