// The hooks the toolkit attaches to its own controls: colours and
// notifications of child controls, the form's erase, focus and show events,
// fixed-size frames and transparent painting.
#include <algorithm>

#include "toolkit/application_state.h"
#include "toolkit/control.h"

namespace linkshelf {
namespace {

constexpr int kLongestDropDown = 8;

void RunDropDownSizing(Control* combo, HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int count = std::clamp(combo->ItemCount(), 1, kLongestDropDown);
  const int height = bounds.bottom - bounds.top;
  SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, (count + 1) * height + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  combo->OnDropDown(combo);
}

}  // namespace

bool ChildControlHook(Control* control, WindowMessage& message, LRESULT& result) {
  if (message.number >= WM_CTLCOLORMSGBOX + kReflectedColorBase &&
      message.number <= WM_CTLCOLORSTATIC + kReflectedColorBase) {
    HDC dc = reinterpret_cast<HDC>(message.wParam);
    SetTextColor(dc, ResolveColor(control->TextColor()));
    if (control->IsTransparent()) {
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    } else {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, ResolveColor(control->BackColor()));
      result = reinterpret_cast<LRESULT>(control->BackgroundBrush());
    }
    return true;
  }
  if (message.number != kChildCommandMessage) return false;
  const WORD notification = HIWORD(message.wParam);
  const KindTable& table = control->Table();
  result = 0;
  if (table.has_click && notification == table.click_notification) {
    // The platform reports a click when the toolkit itself focuses some
    // controls; only the user's clicks count.
    if (App().focus_moves == 0) control->OnClick(control);
    return true;
  }
  if (control->Kind() == ControlKind::kComboBox && notification == CBN_DROPDOWN) {
    RunDropDownSizing(control, message.window);
    return true;
  }
  return false;
}

bool FormHook(Control* form, WindowMessage& message, LRESULT& result) {
  switch (message.number) {
    case WM_ENDSESSION:
      if (message.wParam == 0) return false;
      result = 0;
      TerminateApplication();
      return true;
    case WM_ERASEBKGND: {
      form->CreateChildWindows();
      RECT client{};
      GetClientRect(message.window, &client);
      FillRect(reinterpret_cast<HDC>(message.wParam), &client, form->BackgroundBrush());
      result = 0;
      return true;
    }
    case WM_SETFOCUS: {
      Control* application = App().application_window;
      if (application && application != form) application->SetCurrentControl(form);
      if (Control* current = form->CurrentControl()) {
        if (HWND window = current->WindowHandle()) {
          SetFocus(window);
          result = 0;
          return true;
        }
      }
      return false;
    }
    case WM_SHOWWINDOW:
      // Only the form's own showing and hiding, not its owner's minimising.
      if (message.lParam != 0) return false;
      if (message.wParam != 0) {
        if (!form->WasShown()) {
          form->SetShown(true);
          form->OnShow(form);
        }
      } else if (form->WasShown()) {
        form->SetShown(false);
        form->OnHide(form);
      }
      return false;
    default:
      return false;
  }
}

bool FixedSizeHook(Control* control, WindowMessage& message, LRESULT& result) {
  if (message.number == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(message.lParam);
    const POINT size{control->FixedWidth(), control->FixedHeight()};
    info->ptMinTrackSize = size;
    info->ptMaxTrackSize = size;
    result = 0;
    return true;
  }
  if (message.number == WM_NCHITTEST) {
    result = control->CallPreviousProcedure(message);
    if (result >= HTLEFT && result <= HTBOTTOMRIGHT) result = HTBORDER;
    return true;
  }
  return false;
}

bool TransparentTextHook(Control* control, WindowMessage& message, LRESULT&) {
  const bool repaint = message.number == WM_KEYDOWN || message.number == WM_LBUTTONDOWN ||
                       message.number == WM_LBUTTONUP ||
                       (message.number == WM_MOUSEMOVE && (message.wParam & MK_LBUTTON) != 0);
  if (repaint && control->ExistingWindow())
    InvalidateRect(control->ExistingWindow(), nullptr, TRUE);
  return false;
}

bool TransparencyPainting(Control* control, WindowMessage& message, LRESULT& result) {
  if (!control->IsTransparent() || message.number != WM_ERASEBKGND) return false;
  // Draw the parent's background under the control, then let the control
  // draw its text over it without a background of its own.
  Control* parent = control->Parent();
  if (!parent || !parent->ExistingWindow()) return false;
  RECT client{};
  GetClientRect(message.window, &client);
  FillRect(reinterpret_cast<HDC>(message.wParam), &client, parent->BackgroundBrush());
  result = 1;
  return true;
}

}  // namespace linkshelf
