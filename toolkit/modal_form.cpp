// Showing a form modally over the application window.
#include <vector>

#include "toolkit/application.h"
#include "toolkit/application_state.h"

namespace linkshelf {
namespace {

// A close request answers the modal form instead of destroying it.
bool ModalHook(Control* form, WindowMessage& message, LRESULT& result) {
  if (message.number != WM_CLOSE) return false;
  form->ModalResult = -1;
  result = 0;
  return true;
}

bool IsInTree(const Control* root, const Control* wanted) {
  if (root == wanted) return true;
  for (std::size_t i = 0; i < root->ChildCount(); ++i)
    if (IsInTree(root->Child(i), wanted)) return true;
  return false;
}

}  // namespace

int ShowModal(Control* form) {
  if (!form->IsForm() || !form->Parent()) {
    Show(form);
    return form->ModalResult;
  }
  ApplicationState& app = App();
  ObjectReference hold(form);
  Control* application = app.application_window;
  Control* focus_before = application ? application->CurrentControl() : nullptr;
  form->AttachHook(ModalHook);
  form->ModalResult = 0;

  std::vector<Control*> disabled;
  if (application) {
    for (std::size_t i = 0; i < application->ChildCount(); ++i) {
      Control* child = application->Child(i);
      if (child == form || !child->IsEnabled()) continue;
      child->SetEnabled(false);
      disabled.push_back(child);
    }
  }

  Show(form);
  while (!app.terminated && form->ModalResult == 0) ProcessMessages(app.application_window);

  form->DetachHook(ModalHook);
  // Controls may have gone while the form was up (the application window
  // closed): only those still on the application window come back.
  application = app.application_window;
  for (Control* control : disabled)
    if (application && IsInTree(application, control)) control->SetEnabled(true);
  if (focus_before && application && IsInTree(application, focus_before)) {
    // While the form was up the application window handed its focus on to
    // the form; now it goes back where it was.
    application->SetCurrentControl(focus_before);
    if (HWND window = focus_before->ExistingWindow()) SetFocus(window);
  }
  return form->ModalResult;
}

}  // namespace linkshelf
