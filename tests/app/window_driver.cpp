#include "window_driver.h"

#include <gtest/gtest.h>

namespace linkshelf {

namespace {

// The one script and its window while RunMainWindow runs.
struct RunningScript {
  const std::function<void(MainWindow&)>* script = nullptr;
  MainWindow* window = nullptr;
  UINT_PTR timer = 0;
};
RunningScript running;

void CALLBACK StartScript(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, running.timer);
  running.timer = 0;
  MainWindow* window = running.window;
  (*running.script)(*window);
  if (IsApplicationRunning() && ApplicationWindow() == window->Window) PostClose(window->Window);
}

DialogAnswerer* answerer = nullptr;

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

}  // namespace

void RunMainWindow(const AppServices& services, const std::function<void(MainWindow&)>& script) {
  MainWindow* window = CreateMainWindow(services);
  running = {&script, window, SetTimer(nullptr, 0, 10, StartScript)};
  RunApplication(window->Window);
  if (running.timer) KillTimer(nullptr, running.timer);
  running = {};
}

void Click(Control* button) { SendMessageA(button->WindowHandle(), BM_CLICK, 0, 0); }

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
  answerer = this;
  timer_ = SetTimer(nullptr, 0, 20, Tick);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  answerer = nullptr;
  EXPECT_TRUE(buttons_.empty()) << buttons_.size() << " dialog answer(s) left unused";
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (answerer) answerer->AnswerOpenDialog();
}

void DialogAnswerer::AnswerOpenDialog() {
  HWND dialog = nullptr;
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || buttons_.empty() || dialog == answered_) return;
  // A dialog can be visible a moment before its modal loop has given the focus
  // to its first control; on a busy machine the answer must wait for that.
  const HWND focus = GetFocus();
  const bool focus_inside = focus != nullptr && (focus == dialog || IsChild(dialog, focus));
  if (!focus_inside && ++ticks_without_focus_ < 100) return;
  ticks_without_focus_ = 0;
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
