// Helpers for tests that drive real windows in this process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "toolkit/toolkit.h"

namespace linkshelf::window_test {

// Serves pending messages without waiting.
void PumpMessages();
// Sends a key press and release to the window that has the focus.
void PressKey(WPARAM key);
// The control whose window has the focus, or null.
Control* FocusedControl();
// Runs `body` inside the message loop of `form` as the application window,
// then closes it; the form is freed when this returns.
void RunInsideApplication(Control* form, std::function<void()> body);
// How long a test waits for a window event before it calls the wait a fault:
// far beyond what a busy machine needs, so only a window that never comes
// reaches it.
inline constexpr UINT kEventLimitMilliseconds = 60000;

using WaitId = unsigned;
// Runs `act` once `ready` holds. `ready` is asked from whichever loop serves
// messages next (a modal dialog's, once it runs): first right away, then after
// every window of this thread that is shown, activated or given the focus. When
// `what` has not happened within the limit the test fails and `give_up` runs.
WaitId WhenReady(std::string what, std::function<bool()> ready, std::function<void()> act,
                 std::function<void()> give_up = {});
// Forgets a wait that has not run yet.
void CancelWait(WaitId id);
// Runs `action` once the next loop serves messages: called just before a modal
// dialog is shown, that is the moment its own loop has started.
void WhenLoopRuns(std::function<void()> action);
// Runs `action` on the first visible top-level window of this thread with the
// class name (a dialog running its own loop) once it has been shown.
void WhenWindowAppears(const char* class_name, std::function<void(HWND)> action);
// The first visible top-level window of this thread with the class name, or null.
HWND FindThreadWindow(const char* class_name);
std::string ClassNameOf(HWND window);

}  // namespace linkshelf::window_test
