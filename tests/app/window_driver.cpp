#include "window_driver.h"

#include <gtest/gtest.h>

#include "tests/toolkit/window_test_support.h"

namespace linkshelf {

namespace {

bool HasFocusInside(HWND window) {
  const HWND focus = GetFocus();
  return focus != nullptr && (focus == window || IsChild(window, focus));
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  // The dialogs are owned by the main window; the main window owns nothing else.
  if (GetWindow(window, GW_OWNER) == nullptr && GetParent(window) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND OpenDialog() {
  HWND dialog = nullptr;
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

}  // namespace

void RunMainWindow(const AppServices& services, const std::function<void(MainWindow&)>& script) {
  MainWindow* window = CreateMainWindow(services);
  // The script starts once the window is up in its loop with the focus, as a
  // user would find it.
  const window_test::WaitId start = window_test::WhenReady(
      "the main window shown with the focus",
      [window] {
        const HWND handle = window->Window->ExistingWindow();
        return handle != nullptr && IsWindowVisible(handle) && HasFocusInside(handle);
      },
      [window, &script] {
        script(*window);
        if (IsApplicationRunning() && ApplicationWindow() == window->Window) {
          PostClose(window->Window);
        }
      },
      [window] { PostClose(window->Window); });
  RunApplication(window->Window);
  window_test::CancelWait(start);
}

void Click(Control* button) {
  SendMessageA(button->WindowHandle(), BM_CLICK, 0, 0);
}

void ServePendingMessages() {
  while (ProcessOneMessage()) {
  }
}

void PressKey(WPARAM key) {
  HWND focus = GetFocus();
  const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
  PostMessageA(focus, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageA(focus, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  ServePendingMessages();
}

Control* FocusedControl(MainWindow& window) {
  HWND focus = GetFocus();
  std::vector<Control*> pending{window.Window};
  while (!pending.empty()) {
    Control* control = pending.back();
    pending.pop_back();
    if (control->ExistingWindow() == focus) return control;
    for (std::size_t i = 0; i < control->ChildCount(); ++i) pending.push_back(control->Child(i));
  }
  return nullptr;
}

DialogAnswerer::DialogAnswerer(std::vector<std::string> buttons) : buttons_(std::move(buttons)) {
  WaitForNextDialog();
}

DialogAnswerer::~DialogAnswerer() {
  window_test::CancelWait(wait_);
  EXPECT_TRUE(buttons_.empty()) << buttons_.size() << " dialog answer(s) left unused";
}

void DialogAnswerer::WaitForNextDialog() {
  if (buttons_.empty()) return;
  // A dialog is visible a moment before its modal loop has given the focus to
  // its first control: the answer waits for that focus, which is also what
  // the dialog is checked for.
  wait_ = window_test::WhenReady(
      "a dialog with the focus in it",
      [this] {
        if (answered_ != nullptr && !IsWindowVisible(answered_)) answered_ = nullptr;
        pending_ = OpenDialog();
        return pending_ != nullptr && pending_ != answered_ && HasFocusInside(pending_);
      },
      [this] {
        wait_ = 0;
        Answer(pending_);
        WaitForNextDialog();
      },
      [this] {
        wait_ = 0;
        if (HWND dialog = OpenDialog()) PostMessageA(dialog, WM_CLOSE, 0, 0);
      });
}

void DialogAnswerer::Answer(HWND dialog) {
  answered_ = dialog;
  DialogSeen seen{WindowText(dialog), {}, GetFocus(), WindowText(GetFocus())};
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) seen.texts.push_back(WindowText(child));
  seen_.push_back(seen);

  const std::string answer = buttons_.front();
  buttons_.erase(buttons_.begin());
  if (answer.empty()) {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
  for (HWND child : children) {
    if (WindowText(child) == answer) {
      PostMessageA(child, BM_CLICK, 0, 0);
      return;
    }
  }
  ADD_FAILURE() << "no button \"" << answer << "\" in dialog \"" << seen.caption << '"';
  PostMessageA(dialog, WM_CLOSE, 0, 0);
}

}  // namespace linkshelf
