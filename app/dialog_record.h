// The record that holds one small window's form and its controls. It is tied
// to the form, so freeing the form frees the record.
#pragma once

#include "toolkit/toolkit.h"

namespace linkshelf {

class DialogRecord : public ToolkitObject {
 public:
  Control* Form = nullptr;
};

// A button handler that ends its dialog with `Result` (context: the record).
template <int Result>
void EndDialogWith(void* context, Control*) {
  static_cast<DialogRecord*>(context)->Form->ModalResult = Result;
}

// Creates the record's form on `parent` and ties the record to it.
template <typename Record>
Record* CreateDialogRecord(Control* parent, const char* caption) {
  auto* record = CreateObject<Record>();
  record->Form = CreateForm(parent, caption);
  AddAutoFree(record->Form, record);
  return record;
}

// Shows the dialog modally and frees it; returns its ModalResult. The focus
// goes back to `focus_after` (a control of the main window) before the dialog
// is freed: a dialog that still held the focus while its controls went would
// take the focus back into itself as it dies. Then the main window comes to
// the foreground.
int ShowModalAndFree(DialogRecord& dialog, Control* main_form, Control* focus_after);

// Takes the minimise and maximise boxes off the form's title bar.
void RemoveMinimizeAndMaximize(Control* form);
// Takes the close item off the form's system menu, so the title-bar close box
// is unavailable and only the buttons end the dialog. Creates the window.
void RemoveCloseItem(Control* form);
// A label at its place, sized to its text, in the small font, over the form's background.
Control* AddDialogLabel(Control* form, const char* text, int left, int top, bool bold = false);
// An editable single-line box coloured like the form, with a thin border: text
// that can be selected and copied.
Control* AddCopyableBox(Control* form, int left, int top, int width);

}  // namespace linkshelf
