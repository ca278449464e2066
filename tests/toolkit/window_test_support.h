// Helpers for tests that drive real windows in this process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

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
// Runs `action` from a timer once the loop that is running now (a modal
// dialog's or the toolkit's) serves messages again.
void AfterDelay(UINT milliseconds, std::function<void()> action);
// Polls until a visible top-level window of this thread with the class name
// appears (a dialog running its own loop), then runs `action` on it.
void WhenWindowAppears(const char* class_name, std::function<void(HWND)> action);
// The first visible top-level window of this thread with the class name, or null.
HWND FindThreadWindow(const char* class_name);
std::string ClassNameOf(HWND window);

}  // namespace linkshelf::window_test
