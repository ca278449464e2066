// An owning handle for a window's device context, as the other handles of the
// program have one: the font chosen into it goes back out and the context is
// released when the handle goes, on every path out of the code that measures.
#pragma once

#include <windows.h>

namespace linkshelf {

class WindowDeviceContext {
 public:
  // The context of `window` (of the whole screen for none), with `font`
  // chosen into it when one is given.
  explicit WindowDeviceContext(HWND window = nullptr, HFONT font = nullptr)
      : window_(window), dc_(GetDC(window)) {
    if (dc_ && font) old_font_ = SelectObject(dc_, font);
  }
  WindowDeviceContext(const WindowDeviceContext&) = delete;
  WindowDeviceContext& operator=(const WindowDeviceContext&) = delete;
  ~WindowDeviceContext() {
    if (!dc_) return;
    if (old_font_) SelectObject(dc_, old_font_);
    ReleaseDC(window_, dc_);
  }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_font_ = nullptr;
};

}  // namespace linkshelf
