// The one window procedure of every toolkit window, and the order in which an
// object handles its messages.
#include <exception>

#include "toolkit/application_state.h"
#include "toolkit/control.h"

namespace linkshelf {
namespace {

bool IsKeyDown(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

bool IsMainWindow(const Control* control) {
  return control->IsForm() && control->Parent() == nullptr;
}

}  // namespace

Control* ControlOfWindow(HWND window) {
  return static_cast<Control*>(GetPropA(window, kSelfProperty));
}

LRESULT CALLBACK ToolkitWindowProcedure(HWND window, UINT number, WPARAM wParam, LPARAM lParam) {
  Control* control = ControlOfWindow(window);
  ApplicationState& app = App();
  if (!control && app.being_created && !app.being_created->ExistingWindow()) {
    control = app.being_created;
    app.being_created = nullptr;
    control->AdoptWindow(window);
  }
  if (!control) return DefWindowProcA(window, number, wParam, lParam);

  // The object outlives this message even if a handler frees it.
  ObjectReference hold(control);
  try {
    WindowMessage message{window, number, wParam, lParam};
    return control->HandleMessage(message);
  } catch (...) {
    ReportUnexpectedError(std::current_exception());
    return 0;
  }
}

LRESULT Control::HandleMessage(WindowMessage& message) {
  LRESULT result = 0;
  ApplicationState& app = App();
  if (app.first_chance && app.first_chance(this, message, result)) return result;

  bool handled = false;
  RunHooks(message, result, handled);
  if (handled) return result;
  return BuiltInHandling(message);
}

void Control::RunHooks(WindowMessage& message, LRESULT& result, bool& handled) {
  // Hooks may attach or detach hooks while they run: walk a copy, newest first.
  const std::vector<MessageHook> hooks = hooks_;
  for (auto hook = hooks.rbegin(); hook != hooks.rend(); ++hook) {
    if ((*hook)(this, message, result)) {
      handled = true;
      break;
    }
  }
  if (IsReleaseRequested()) handled = true;
}

LRESULT Control::BuiltInHandling(WindowMessage& message) {
  ApplicationState& app = App();
  switch (message.number) {
    case WM_CLOSE: {
      if (OnClose) {
        bool accept = true;
        OnClose(this, accept);
        if (!accept && app.running) return 0;
      }
      OnClose.Clear();
      if (IsMainWindow(this) || this == app.application_window) {
        Control* application = app.application_window;
        if (application && application != this && application->window_)
          SendMessageA(application->window_, WM_CLOSE, 0, 0);
        PostQuitMessage(0);
        return 0;
      }
      break;
    }
    case WM_NCDESTROY: {
      const LRESULT result = CallPreviousProcedure(message);
      RemovePropA(message.window, kSelfProperty);
      if (window_ == message.window) window_ = nullptr;
      // A form opened on the application window goes with its window.
      if (IsForm() && parent_ && parent_ == app.application_window && !IsDestroying()) Free(this);
      return result;
    }
    case WM_SIZE:
      size_type_ = message.wParam;
      break;
    case WM_SHOWWINDOW:
      if (message.lParam == SW_PARENTCLOSING) {
        parent_closing_state_ = IsIconic(message.window)   ? SW_SHOWMINIMIZED
                                : IsZoomed(message.window) ? SW_SHOWMAXIMIZED
                                                           : SW_SHOWNORMAL;
      } else if (message.lParam == SW_PARENTOPENING && parent_closing_state_ != 0) {
        ShowWindow(message.window, parent_closing_state_);
        parent_closing_state_ = 0;
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((message.wParam & 0xFFF0) == SC_MINIMIZE && IsMainWindow(this) &&
          app.application_window && app.application_window != this &&
          app.application_window->window_) {
        PostMessageA(app.application_window->window_, message.number, message.wParam,
                     message.lParam);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (enabled_ && tab_stop_) {
        FocusMove move;
        if (GetFocus() != message.window) SetFocus(message.window);
        return CallPreviousProcedure(message);
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(message.lParam) == HTCLIENT && GetCapture() == nullptr && cursor_) {
        SetCursor(cursor_);
        return 1;
      }
      break;
    case WM_COMMAND: {
      HWND child = reinterpret_cast<HWND>(message.lParam);
      if (child && ControlOfWindow(child))
        return SendMessageA(child, kChildCommandMessage, message.wParam, message.lParam);
      break;
    }
    default:
      if (message.number >= WM_CTLCOLORMSGBOX && message.number <= WM_CTLCOLORSTATIC) {
        HWND child = reinterpret_cast<HWND>(message.lParam);
        if (child && ControlOfWindow(child))
          return SendMessageA(child, message.number + kReflectedColorBase, message.wParam,
                              message.lParam);
        break;
      }
      if (message.number >= WM_KEYFIRST && message.number <= WM_KEYLAST) {
        if (GetFocus() != message.window) return 0;
        LRESULT result = 0;
        if (app.key_handler && app.key_handler(this, message, result)) return result;
        if (IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU)) break;
        Control* form = OwningForm();
        const bool leaves_tab = (navigation_keys_ & kNavigateTab) != 0;
        if (message.number == WM_CHAR) {
          // Tab moves the focus here; it never types into a control that leaves it.
          if (message.wParam == VK_TAB && leaves_tab) return 0;
          break;
        }
        const bool key_down = message.number == WM_KEYDOWN;
        if (form && form->navigation_ && (key_down || message.number == WM_KEYUP)) {
          if (form->navigation_(this, message.wParam, key_down)) {
            message.wParam = 0;
            return 0;
          }
        }
      }
      break;
  }
  return CallPreviousProcedure(message);
}

}  // namespace linkshelf
