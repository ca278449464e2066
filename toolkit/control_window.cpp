// Control: making the window, tying it to the object, and destroying it.
#include "runtime/code_page.h"
#include "toolkit/application_state.h"
#include "toolkit/control.h"

namespace linkshelf {
namespace {

bool IsPlatformClass(ControlKind kind) {
  return kind != ControlKind::kForm;
}

// Registers "obj_" + base name once; returns the platform class's procedure
// for the platform's own control classes.
WNDPROC RegisterToolkitClass(const KindTable& table, ControlKind kind, UINT class_style,
                             const std::string& class_name) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSA platform{};
  WNDPROC previous = DefWindowProcA;
  if (IsPlatformClass(kind)) {
    if (!GetClassInfoA(nullptr, table.class_base_name, &platform)) return nullptr;
    previous = platform.lpfnWndProc;
  }
  WNDCLASSA existing{};
  if (GetClassInfoA(module, class_name.c_str(), &existing)) return previous;

  WNDCLASSA window_class = platform;
  if (IsPlatformClass(kind)) {
    window_class.style &= ~(CS_GLOBALCLASS | CS_OWNDC | CS_CLASSDC | CS_PARENTDC);
  } else {
    window_class.style = class_style;
  }
  window_class.lpfnWndProc = ToolkitWindowProcedure;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = class_name.c_str();
  window_class.lpszMenuName = nullptr;
  RegisterClassA(&window_class);
  return previous;
}

}  // namespace

HWND Control::WindowHandle() {
  // A window made now for a control on its way out would outlive it.
  if (!window_ && !IsDestroying()) CreateOwnWindow();
  return window_;
}

HWND Control::WindowHandleShown() {
  WindowHandle();
  if (window_ && created_hidden_) {
    CreateChildWindows();
    created_hidden_ = false;
    visible_ = true;
    style_ |= WS_VISIBLE;
    ShowWindow(window_, SW_SHOW);
  }
  return window_;
}

bool Control::CreateOwnWindow() {
  if (window_) return true;
  HWND parent_window = nullptr;
  if (parent_) {
    parent_window = parent_->WindowHandle();
    if (!parent_window) return false;
    if (window_) return true;  // made while the parent made its children
  }
  const std::string class_name = std::string("obj_") + table_.class_base_name;
  previous_procedure_ = RegisterToolkitClass(table_, kind_, class_style_, class_name);
  if (!previous_procedure_) return false;

  std::uint32_t style = style_;
  if (IsForm() && !visibility_set_) {
    // A form nobody asked to show comes up hidden until it is shown.
    style &= ~WS_VISIBLE;
    created_hidden_ = true;
  }
  int x = left_, y = top_, width = Width(), height = Height();
  if (width == 0) width = CW_USEDEFAULT;
  if (height == 0) height = CW_USEDEFAULT;
  if (IsForm() && !left_set_ && !top_set_) x = y = CW_USEDEFAULT;
  HMENU identifier = nullptr;
  if (!IsForm()) identifier = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id_));

  ApplicationState& app = App();
  Control* outer = app.being_created;
  app.being_created = this;
  HWND window =
      CreateWindowExA(ex_style_, class_name.c_str(), caption_.c_str(), style, x, y, width, height,
                      parent_window, identifier, GetModuleHandleA(nullptr), nullptr);
  app.being_created = outer;
  if (!window) return false;
  if (window_ != window) AdoptWindow(window);
  // The window was made with the ANSI caption: one with references gets its real characters.
  if (HoldsReferences(caption_)) PutCaption();

  if (IsForm()) {
    if (HICON icon = FormIcon())
      SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  ApplyFontAndColors();
  CreateChildWindows();
  return window_ != nullptr;
}

void Control::AdoptWindow(HWND window) {
  window_ = window;
  SetPropA(window, kSelfProperty, this);
}

void Control::ApplyFontAndColors() {
  if (!window_) return;
  if (font_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  if (auto_size_) RunAutoSize();
}

void Control::CreateChildWindows() {
  if (!window_) return;
  // A child may free itself or others while its window comes up.
  for (std::size_t i = 0; i < children_.size(); ++i) {
    Control* child = children_[i].get();
    if (!child->window_) {
      child->CreateOwnWindow();
    } else if (!child->IsForm()) {
      // Controls added to an existing container since its window was made.
      child->CreateChildWindows();
    }
  }
}

void Control::DestroyOwnWindow() {
  if (!window_ || destroying_window_) return;
  destroying_window_ = true;
  HWND window = window_;
  if (IsForm()) {
    SendMessageA(window, WM_SETICON, ICON_BIG, 0);
    if (icon_ && !icon_shared_) DestroyIcon(icon_);
    icon_ = nullptr;
  }
  RemovePropA(window, kSelfProperty);
  // The platform's own control finishes its teardown without the toolkit.
  if (IsPlatformClass(kind_) && previous_procedure_)
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_procedure_));
  window_ = nullptr;
  if (IsWindow(window)) DestroyWindow(window);
  destroying_window_ = false;
}

LRESULT Control::CallPreviousProcedure(const WindowMessage& message) const {
  if (previous_procedure_ && previous_procedure_ != DefWindowProcA)
    return CallWindowProcA(previous_procedure_, message.window, message.number, message.wParam,
                           message.lParam);
  return DefWindowProcA(message.window, message.number, message.wParam, message.lParam);
}

}  // namespace linkshelf
