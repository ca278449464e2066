// Drives the real main window inside its own message loop, as a user would:
// a script runs once the window is shown, clicks buttons and presses keys, and
// answers the modal dialogs that those clicks open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace linkshelf {

// Builds the main window with `services`, runs it as the program does, and
// runs `script` inside the loop right after the window was shown. The window is
// closed when the script leaves it open. Returns once the loop has ended.
void RunMainWindow(const AppServices& services, const std::function<void(MainWindow&)>& script);

// Clicks a button the way the mouse does, through the system.
void Click(Control* button);

// Presses and releases a key on the control that has the focus, then serves
// the messages that it caused.
void PressKey(WPARAM key);

// Serves every pending message.
void ServePendingMessages();

// The control of `window` that has the keyboard focus, or null.
Control* FocusedControl(MainWindow& window);

// What a dialog showed when it was answered.
struct DialogSeen {
  std::string caption;
  std::vector<std::string> texts;  // every child's text, in creation order
  HWND focus = nullptr;            // the window that had the focus
  std::string focus_text;
};

// Answers each dialog that opens from now on by clicking the button with the
// next caption of `buttons` (an empty caption sends a close request instead),
// and records what each dialog showed.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::vector<std::string> buttons);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  const std::vector<DialogSeen>& seen() const { return seen_; }

 private:
  void WaitForNextDialog();
  void Answer(HWND dialog);

  std::vector<std::string> buttons_;
  std::vector<DialogSeen> seen_;
  unsigned wait_ = 0;        // the wait for the next dialog, while one is due
  HWND pending_ = nullptr;   // the dialog found ready to be answered
  HWND answered_ = nullptr;  // the last dialog answered, until it is gone
};

}  // namespace linkshelf
