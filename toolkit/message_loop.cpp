// The application window, the message loop, showing and focus.
#include "toolkit/application.h"
#include "toolkit/application_state.h"

namespace linkshelf {

ApplicationState& App() {
  static ApplicationState state;
  return state;
}

Control* ApplicationWindow() {
  return App().application_window;
}
bool IsApplicationRunning() {
  return App().running;
}
bool IsApplicationTerminated() {
  return App().terminated;
}

void RunApplication(Control* form) {
  ApplicationState& app = App();
  app.running = true;
  app.terminated = false;
  app.application_window = form;
  // Whatever frees the form during the run, it goes only when the run is over.
  ObjectReference hold(form);
  form->WindowHandleShown();
  while (!app.terminated) ProcessMessages(form);
  TerminateApplication();
}

bool ProcessOneMessage() {
  MSG message{};
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) App().terminated = true;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return message.message != 0;
}

void ProcessMessages(Control*) {
  WaitMessage();
  while (ProcessOneMessage()) {
  }
}

void TerminateApplication() {
  ApplicationState& app = App();
  Control* application = app.application_window;
  if (!application) return;
  app.terminated = true;
  app.running = false;
  app.application_window = nullptr;
  if (HWND window = application->ExistingWindow()) SendMessageA(window, WM_CLOSE, 0, 0);
  Free(application);
  // The quit request the close left behind belongs to the loop that just ended.
  MSG quit{};
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void MoveFocusTo(Control* control) {
  if (Control* form = control->OwningForm(); form && form != control)
    form->SetCurrentControl(control);
  HWND window = control->WindowHandle();
  if (!window) return;
  FocusMove move;
  SetFocus(window);
}

void Show(Control* control) {
  HWND window = control->WindowHandle();
  control->SetVisible(true);
  if (!window) return;
  SetForegroundWindow(window);
  if (control->IsEnabled() && control->IsTabStop()) SetFocus(window);
}

void Activate(Control* control, bool activate) {
  if (!activate || !control) return;
  if (control->IsForm()) {
    if (HWND window = control->WindowHandle()) SetForegroundWindow(window);
    return;
  }
  if (Control* form = control->OwningForm()) form->SetCurrentControl(control);
  if (HWND window = control->WindowHandle()) SetFocus(window);
}

void PostClose(Control* form) {
  if (HWND window = form->ExistingWindow()) PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace linkshelf
