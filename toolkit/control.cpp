// Control: structure, bounds, styles, state and look.
#include "toolkit/control.h"

#include <algorithm>

#include "toolkit/application_state.h"
#include "toolkit/device_context.h"

namespace linkshelf {

Control::Control(ControlKind kind, Control* parent)
    : kind_(kind), parent_(parent), table_(KindTableOf(kind)) {}

Control::~Control() {
  if (brush_) DeleteObject(brush_);
}

void Control::Destroy() {
  // Nobody may keep pointing at a control that goes.
  for (Control* holder = parent_; holder; holder = holder->parent_) {
    if (holder->current_control_ == this) holder->current_control_ = nullptr;
  }
  ApplicationState& app = App();
  if (app.application_window) {
    if (app.application_window->current_control_ == this)
      app.application_window->current_control_ = nullptr;
    if (app.application_window == this) app.application_window = nullptr;
  }
  if (app.being_created == this) app.being_created = nullptr;

  ToolkitObject::Destroy();
  while (!children_.empty()) ReleaseChildControl(children_.back().get());
  font_.reset();
  DestroyOwnWindow();
  caption_.clear();
  caption_.shrink_to_fit();
}

Control* Control::OwningForm() {
  Control* control = this;
  while (control && !control->IsForm()) control = control->parent_;
  return control;
}

Control* Control::SetPosition(int x, int y) {
  if (x == left_ && y == top_) return this;
  if (x != left_) {
    right_ += x - left_;
    left_ = x;
    left_set_ = true;
  }
  if (y != top_) {
    bottom_ += y - top_;
    top_ = y;
    top_set_ = true;
  }
  if (window_) {
    SetWindowPos(window_, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
  }
  return this;
}

Control* Control::SetSize(int width, int height) {
  const int old_right = right_, old_bottom = bottom_;
  if (width > 0) right_ = left_ + width;
  if (height > 0) bottom_ = top_ + height;
  if (window_ && (right_ != old_right || bottom_ != old_bottom)) {
    SetWindowPos(window_, nullptr, 0, 0, Width(), Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return this;
}

Control* Control::Center() {
  int area_width, area_height;
  if (IsForm() || !parent_) {
    area_width = GetSystemMetrics(SM_CXSCREEN);
    area_height = GetSystemMetrics(SM_CYSCREEN);
  } else if (HWND parent_window = parent_->window_) {
    RECT client{};
    GetClientRect(parent_window, &client);
    area_width = client.right - client.left;
    area_height = client.bottom - client.top;
  } else {
    area_width = parent_->Width();
    area_height = parent_->Height();
  }
  return SetPosition((area_width - Width()) / 2, (area_height - Height()) / 2);
}

Control* Control::SetResizable(bool resizable) {
  if (resizable) {
    SetStyle(style_ & ~WS_THICKFRAME);
    DetachHook(FixedSizeHook);
    return this;
  }
  SetStyle(style_ | WS_THICKFRAME);
  WindowHandle();
  min_track_width_ = Width();
  min_track_height_ = Height();
  AttachHook(FixedSizeHook);
  return this;
}

Control* Control::SetStyle(std::uint32_t style) {
  if (style == style_) return this;
  style_ = style;
  PushStyles();
  return this;
}

Control* Control::SetExStyle(std::uint32_t ex_style) {
  if (ex_style == ex_style_) return this;
  ex_style_ = ex_style;
  PushStyles();
  return this;
}

void Control::PushStyles() {
  if (!window_) return;
  // The window's own visibility and enabled state stay as the platform knows them.
  const auto live = static_cast<std::uint32_t>(GetWindowLongPtrA(window_, GWL_STYLE));
  const std::uint32_t kept = WS_VISIBLE | WS_DISABLED;
  SetWindowLongPtrA(window_, GWL_STYLE, static_cast<LONG_PTR>((style_ & ~kept) | (live & kept)));
  SetWindowLongPtrA(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(ex_style_));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Repaint();
}

Control* Control::SetBorder3D(bool on) {
  own_3d_ = on;
  children_3d_ = on;
  if (window_) {
    const auto live = static_cast<std::uint32_t>(GetWindowLongPtrA(window_, GWL_STYLE));
    style_ = (style_ & (WS_VISIBLE | WS_DISABLED)) | (live & ~(WS_VISIBLE | WS_DISABLED));
    ex_style_ = static_cast<std::uint32_t>(GetWindowLongPtrA(window_, GWL_EXSTYLE));
  }
  if (on) {
    style_ &= ~WS_BORDER;
    ex_style_ |= WS_EX_CLIENTEDGE;
  } else {
    style_ |= WS_BORDER;
    ex_style_ &= ~WS_EX_CLIENTEDGE;
  }
  PushStyles();
  return this;
}

Control* Control::SetVisible(bool visible) {
  visibility_set_ = true;
  visible_ = visible;
  style_ = visible ? (style_ | WS_VISIBLE) : (style_ & ~WS_VISIBLE);
  if (window_) {
    if (visible) created_hidden_ = false;
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
  }
  return this;
}

Control* Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return this;
  enabled_ = enabled;
  style_ = enabled ? (style_ & ~WS_DISABLED) : (style_ | WS_DISABLED);
  if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
  return this;
}

Control* Control::SetNavigationKeys(unsigned keys) {
  navigation_keys_ = keys & kNavigateAll;
  return this;
}

Control* Control::SetBackColor(Color color) {
  if (color == back_color_) return this;
  back_color_ = color;
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  Repaint();
  return this;
}

HBRUSH Control::BackgroundBrush() {
  if (!brush_) brush_ = CreateSolidBrush(ResolveColor(back_color_));
  return brush_;
}

FontTool* Control::Font() {
  if (!font_) {
    font_ = std::make_unique<FontTool>();
    font_->SetFontColor(text_color_);
    font_->SetOwner(this);
  }
  return font_.get();
}

void Control::FontChanged() {
  if (!font_) return;
  text_color_ = font_->Color();
  if (window_) {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    Repaint();
  }
  if (auto_size_) RunAutoSize();
}

Control* Control::SetTransparent(bool transparent) {
  if (transparent == transparent_) return this;
  transparent_ = transparent;
  if (transparent) App().first_chance = TransparencyPainting;
  Repaint();
  return this;
}

Control* Control::SetTransparentText(bool transparent) {
  SetTransparent(transparent);
  if (transparent)
    AttachHook(TransparentTextHook);
  else
    DetachHook(TransparentTextHook);
  return this;
}

Control* Control::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  if (auto_size) RunAutoSize();
  return this;
}

void Control::RunAutoSize() {
  HWND window = WindowHandle();
  if (!window) return;
  SIZE text{0, 0};
  std::string measured = caption_;
  if (!measured.empty()) {
    if (font_ && font_->Styles().Has(FontStyle::kItalic)) measured += ' ';
    HFONT font =
        font_ ? font_->Handle() : reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (const WindowDeviceContext dc(window, font); dc) {
      GetTextExtentPoint32A(dc.get(), measured.data(), static_cast<int>(measured.size()), &text);
    }
  }
  const int width = table_.auto_size_extra_width > 0 ? text.cx + table_.auto_size_extra_width : 0;
  const int height =
      table_.auto_size_extra_height > 0 ? text.cy + table_.auto_size_extra_height : 0;
  SetSize(width, height);
}

Control* Control::SetIconResource(HINSTANCE module, const char* name) {
  HICON icon = LoadIconA(module, name);
  if (!icon) return this;
  HICON old = icon_;
  const bool old_shared = icon_shared_;
  icon_ = icon;
  icon_shared_ = true;
  if (window_) SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (old && !old_shared) DestroyIcon(old);
  return this;
}

HICON Control::FormIcon() {
  if (icon_) return icon_;
  Control* application = App().application_window;
  if (application && application != this) {
    HICON shared = application->FormIcon();
    if (shared) {
      icon_ = static_cast<HICON>(CopyImage(shared, IMAGE_ICON, 0, 0, 0));
      icon_shared_ = false;
    }
  } else {
    icon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    icon_shared_ = true;
  }
  return icon_;
}

void Control::AttachHook(MessageHook hook) {
  if (!HasHook(hook)) hooks_.push_back(hook);
}

void Control::DetachHook(MessageHook hook) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
}

bool Control::HasHook(MessageHook hook) const {
  return std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end();
}

void Control::Repaint() {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

COLORREF ResolveColor(Color color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color);
}

}  // namespace linkshelf
