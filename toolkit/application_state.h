// The program-wide state of the toolkit: one user-interface thread, one of each.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/application.h"
#include "toolkit/control.h"

namespace linkshelf {

// First look at every message, before the object's own handling.
using FirstChanceHandler = bool (*)(Control* control, WindowMessage& message, LRESULT& result);
// Global key handling (mnemonics).
using KeyHandler = bool (*)(Control* control, WindowMessage& message, LRESULT& result);

struct ApplicationState {
  Control* application_window = nullptr;
  bool running = false;
  bool terminated = false;
  Control* being_created = nullptr;
  FirstChanceHandler first_chance = nullptr;
  KeyHandler key_handler = nullptr;
  // Raised while the toolkit itself moves the focus: clicks then are not the user's.
  int focus_moves = 0;
  std::uint16_t next_control_id = 0x8000;
  UnexpectedErrorHandler unexpected_error = nullptr;
};

ApplicationState& App();

// Releases a child when its parent goes (kept until unreferenced if in use).
void ReleaseChildControl(ToolkitObject* child);

// Counts a focus move made by the toolkit for as long as it lives.
class FocusMove {
 public:
  FocusMove() { ++App().focus_moves; }
  FocusMove(const FocusMove&) = delete;
  FocusMove& operator=(const FocusMove&) = delete;
  ~FocusMove() { --App().focus_moves; }
};

// Gives the control the focus as a move of the toolkit's own.
void MoveFocusTo(Control* control);

// The window property that ties a window to its object.
inline constexpr char kSelfProperty[] = "SELF_";
// Messages the toolkit sends to its own windows.
inline constexpr UINT kReflectedColorBase = 0xBC00;  // + WM_CTLCOLOR...
inline constexpr UINT kFreeObjectMessage = 0xB003;
inline constexpr UINT kChildCommandMessage = 0xB005;

Control* ControlOfWindow(HWND window);
LRESULT CALLBACK ToolkitWindowProcedure(HWND window, UINT number, WPARAM wParam, LPARAM lParam);
COLORREF ResolveColor(Color color);

// Hooks every child control and every form carries.
bool ChildControlHook(Control* control, WindowMessage& message, LRESULT& result);
bool FormHook(Control* form, WindowMessage& message, LRESULT& result);
bool FixedSizeHook(Control* control, WindowMessage& message, LRESULT& result);
bool TransparentTextHook(Control* control, WindowMessage& message, LRESULT& result);
bool TransparencyPainting(Control* control, WindowMessage& message, LRESULT& result);

}  // namespace linkshelf
