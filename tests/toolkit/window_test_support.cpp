#include "tests/toolkit/window_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace linkshelf::window_test {
namespace {

struct Wait {
  WaitId id;
  std::string what;
  std::function<bool()> ready;
  std::function<void()> act;
  std::function<void()> give_up;
  UINT_PTR limit_timer;
};

// The waits of this thread, the hook that watches its windows for them, and
// the one check that is due.
struct Waits {
  std::vector<Wait> pending;
  WaitId next_id = 1;
  HHOOK hook = nullptr;
  UINT_PTR check_timer = 0;
};

Waits& ThreadWaits() {
  static Waits waits;
  return waits;
}

Wait TakeWait(std::vector<Wait>::iterator wait) {
  Waits& waits = ThreadWaits();
  Wait taken = std::move(*wait);
  waits.pending.erase(wait);
  KillTimer(nullptr, taken.limit_timer);
  // The hook watches only while something is awaited: Wine has been seen to
  // crash in a hooked message to a drop-down list that a test sent itself.
  if (waits.pending.empty() && waits.hook) {
    UnhookWindowsHookEx(waits.hook);
    waits.hook = nullptr;
  }
  return taken;
}

void ScheduleCheck();

// The check runs from a timer, so only a loop that serves messages runs it,
// never the code in the middle of showing a window.
void CALLBACK RunChecks(HWND, UINT, UINT_PTR timer, DWORD) {
  Waits& waits = ThreadWaits();
  KillTimer(nullptr, timer);
  if (waits.check_timer == timer) waits.check_timer = 0;
  for (auto wait = waits.pending.begin(); wait != waits.pending.end(); ++wait) {
    if (!wait->ready()) continue;
    Wait taken = TakeWait(wait);
    // The action may run loops of its own that add and take waits: the rest
    // are looked at again afterwards.
    ScheduleCheck();
    taken.act();
    return;
  }
}

void ScheduleCheck() {
  Waits& waits = ThreadWaits();
  if (waits.pending.empty() || waits.check_timer != 0) return;
  waits.check_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunChecks);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
  std::vector<Wait>& pending = ThreadWaits().pending;
  for (auto wait = pending.begin(); wait != pending.end(); ++wait) {
    if (wait->limit_timer != timer) continue;
    Wait taken = TakeWait(wait);
    ADD_FAILURE() << taken.what << " did not happen within " << kEventLimitMilliseconds / 1000
                  << " s";
    if (taken.give_up) taken.give_up();
    return;
  }
  KillTimer(nullptr, timer);
}

LRESULT CALLBACK WatchWindows(int code, WPARAM sent_by_this_thread, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(data);
    const bool shown =
        sent->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_SHOWWINDOW) != 0;
    if (shown || sent->message == WM_SETFOCUS || sent->message == WM_ACTIVATE) ScheduleCheck();
  }
  return CallNextHookEx(nullptr, code, sent_by_this_thread, data);
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

WaitId WhenReady(std::string what, std::function<bool()> ready, std::function<void()> act,
                 std::function<void()> give_up) {
  Waits& waits = ThreadWaits();
  if (!waits.hook) {
    waits.hook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchWindows, nullptr, GetCurrentThreadId());
  }
  const WaitId id = waits.next_id++;
  const UINT_PTR limit = SetTimer(nullptr, 0, kEventLimitMilliseconds, GiveUp);
  waits.pending.push_back(
      {id, std::move(what), std::move(ready), std::move(act), std::move(give_up), limit});
  ScheduleCheck();
  return id;
}

void CancelWait(WaitId id) {
  std::vector<Wait>& pending = ThreadWaits().pending;
  for (auto wait = pending.begin(); wait != pending.end(); ++wait) {
    if (wait->id == id) {
      TakeWait(wait);
      return;
    }
  }
}

void WhenLoopRuns(std::function<void()> action) {
  WhenReady(
      "a loop serving messages", [] { return true; }, std::move(action));
}

void WhenWindowAppears(const char* class_name, std::function<void(HWND)> action) {
  auto found = std::make_shared<HWND>(nullptr);
  WhenReady(
      std::string("a window of class ") + class_name + " shown",
      [class_name, found] { return (*found = FindThreadWindow(class_name)) != nullptr; },
      [found, action] { action(*found); });
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
