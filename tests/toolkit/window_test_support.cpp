#include "tests/toolkit/window_test_support.h"

#include <map>
#include <utility>

namespace linkshelf::window_test {
namespace {

std::map<UINT_PTR, std::function<void()>>& PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto found = PendingActions().find(timer);
  if (found == PendingActions().end()) return;
  std::function<void()> action = std::move(found->second);
  PendingActions().erase(found);
  action();
}

struct Search {
  const char* class_name;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (IsWindowVisible(window) && ClassNameOf(window) == search->class_name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void ShowAndClose(void* context, Control* form) {
  auto* body = static_cast<std::function<void()>*>(context);
  (*body)();
  PostClose(form);
}

}  // namespace

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PressKey(WPARAM key) {
  HWND focus = GetFocus();
  SendMessageA(focus, WM_KEYDOWN, key, 1);
  SendMessageA(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

Control* FocusedControl() {
  HWND focus = GetFocus();
  return focus ? static_cast<Control*>(GetPropA(focus, "SELF_")) : nullptr;
}

void RunInsideApplication(Control* form, std::function<void()> body) {
  form->OnShow.Set(ShowAndClose, &body);
  RunApplication(form);
}

void AfterDelay(UINT milliseconds, std::function<void()> action) {
  const UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, RunPendingAction);
  PendingActions()[timer] = std::move(action);
}

void WhenWindowAppears(const char* class_name, std::function<void(HWND)> action) {
  AfterDelay(100, [class_name, action] {
    if (HWND window = FindThreadWindow(class_name)) {
      action(window);
    } else {
      WhenWindowAppears(class_name, action);
    }
  });
}

HWND FindThreadWindow(const char* class_name) {
  Search search{class_name, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

}  // namespace linkshelf::window_test
