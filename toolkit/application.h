// The message loop, modal showing and focus: the program-wide side of the toolkit.
#pragma once

#include <exception>

#include "toolkit/control.h"

namespace linkshelf {

// Makes `form` the application window, shows it and serves messages until the
// loop is terminated; then terminates (which frees the form and all tied to it).
void RunApplication(Control* form);
// Serves one pending message; false when none was pending (or it was number 0).
bool ProcessOneMessage();
// Waits for a message, then serves all pending ones.
void ProcessMessages(Control* form);
// Ends the loop: closes the application window (its OnClose runs if it has
// not yet) and frees it. Does nothing once done.
void TerminateApplication();

Control* ApplicationWindow();
bool IsApplicationRunning();
bool IsApplicationTerminated();

// Shows a form that has a parent and serves messages until its ModalResult is
// non-zero or the loop ends. The application window's other controls are
// disabled meanwhile, and the focus goes back where it was afterwards.
// Returns the form's ModalResult (-1 after a close request, 0 when the loop
// ended). The caller frees the form.
int ShowModal(Control* form);
// Makes the control's window exist and visible, brings it to the front and
// gives it the focus when it can take it.
void Show(Control* control);
// A child becomes its form's current control and gets the focus; a form comes
// to the foreground. `activate` false does nothing.
void Activate(Control* control, bool activate = true);
// Asks the form to close, as its title-bar close box does.
void PostClose(Control* form);

// Tab / Shift+Tab and the arrow and page keys move the focus on `form`.
Control* UseKeyNavigation(Control* form);
// Only Tab / Shift+Tab move the focus on `form`.
Control* UseTabNavigation(Control* form);
// Alt plus a letter or digit clicks the button whose caption marks it with '&'.
void EnableMnemonics();

// No C++ exception crosses a system callback: an error that escapes a handler
// is caught at the window procedure and handed to this one handler, which the
// program sets (it reports the error and ends the program). Without one, the
// error is shown in a message box and the process ends with exit code 1.
using UnexpectedErrorHandler = void (*)(std::exception_ptr error);
void SetUnexpectedErrorHandler(UnexpectedErrorHandler handler);
// Hands the exception being handled to the unexpected-error handler.
void ReportUnexpectedError(std::exception_ptr error);

}  // namespace linkshelf
