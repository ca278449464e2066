// The window object: one per form or child control. It keeps what the window
// is made from (class, styles, caption, bounds, colours, font) so that setters
// work before the window exists, and it owns its child controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/event_slot.h"
#include "toolkit/font_tool.h"
#include "toolkit/kind_table.h"
#include "toolkit/toolkit_object.h"

namespace linkshelf {

// Colours with the top bit set name a system colour by the index in the low byte.
using Color = std::uint32_t;
inline constexpr Color kWindowColor = 0x80000005;
inline constexpr Color kWindowTextColor = 0x80000008;
inline constexpr Color kButtonFaceColor = 0x8000000f;

// Key groups a control leaves to its form's navigation (`NavigationKeys`).
enum NavigationKey : unsigned {
  kNavigateTab = 1,
  kNavigateLeftRight = 2,
  kNavigateUpDown = 4,
  kNavigatePage = 8,
  kNavigateAll = 15,
};

// One window message as the hooks see it.
struct WindowMessage {
  HWND window;
  UINT number;
  WPARAM wParam;
  LPARAM lParam;
};

// Returns true when it handled the message; `result` is then the answer.
using MessageHook = bool (*)(Control* control, WindowMessage& message, LRESULT& result);

// A form's navigation handler: (control with the focus, key code, key down?).
// Returns true when the key is consumed.
using NavigationHandler = bool (*)(Control* control, WPARAM key, bool key_down);

class Control : public ToolkitObject {
 public:
  // Use the creation operations (CreateForm, CreateButton, ...) instead.
  Control(ControlKind kind, Control* parent);
  ~Control() override;

  // --- structure
  ControlKind Kind() const { return kind_; }
  bool IsForm() const { return kind_ == ControlKind::kForm; }
  Control* Parent() const { return parent_; }
  // The form this control belongs to; a form is its own.
  Control* OwningForm();
  std::size_t ChildCount() const { return children_.size(); }
  Control* Child(std::size_t index) const { return children_[index].get(); }
  const KindTable& Table() const { return table_; }

  // The window, created now if it does not exist yet. A form whose visibility
  // was never set comes up hidden. Null when creation failed, and for a
  // control that is being destroyed.
  HWND WindowHandle();
  // The window if it exists, without creating it.
  HWND ExistingWindow() const { return window_; }

  // --- bounds (relative to the parent's client area; screen for forms)
  Control* SetPosition(int x, int y);
  // Non-positive values keep the old width or height.
  Control* SetSize(int width, int height);
  Control* Center();
  Control* SetResizable(bool resizable);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return right_ - left_; }
  int Height() const { return bottom_ - top_; }

  // --- styles
  Control* SetStyle(std::uint32_t style);
  Control* SetExStyle(std::uint32_t ex_style);
  std::uint32_t Style() const { return style_; }
  std::uint32_t ExStyle() const { return ex_style_; }
  Control* SetBorder3D(bool on);
  bool IsBorder3D() const { return own_3d_; }

  // --- text and items
  Control* SetText(std::string_view text);
  std::string GetText() const;
  // The caption as last set, whatever the window shows.
  const std::string& StoredCaption() const { return caption_; }
  Control* AppendText(std::string_view text);
  Control* Clear();
  int ItemCount() const;
  std::string GetItem(int index) const;
  Control* SetItem(int index, std::string_view text);
  int GetSelectedIndex() const;
  Control* SetSelectedIndex(int index);
  bool IsChecked() const;
  Control* SetChecked(bool checked);

  // --- state
  Control* SetVisible(bool visible);
  bool IsVisible() const { return visible_; }
  Control* SetEnabled(bool enabled);
  bool IsEnabled() const { return enabled_; }
  bool IsTabStop() const { return tab_stop_; }
  int TabOrder() const { return tab_order_; }
  int ControlId() const { return control_id_; }
  unsigned NavigationKeys() const { return navigation_keys_; }
  Control* SetNavigationKeys(unsigned keys);
  // A form's current control: the child that last had or will get the focus.
  // A control that is being destroyed never becomes one: nothing would clear
  // the pointer once it is gone.
  Control* CurrentControl() const { return current_control_; }
  void SetCurrentControl(Control* control) {
    if (!control || !control->IsDestroying()) current_control_ = control;
  }

  // --- look
  Control* SetBackColor(Color color);
  Color BackColor() const { return back_color_; }
  Color TextColor() const { return text_color_; }
  FontTool* Font();
  Control* SetTransparent(bool transparent);
  Control* SetTransparentText(bool transparent);
  bool IsTransparent() const { return transparent_; }
  Control* SetAutoSize(bool auto_size);
  Control* SetIconResource(HINSTANCE module, const char* name);

  // --- events and hooks
  EventSlot<NotifyHandler> OnClick;
  EventSlot<CloseHandler> OnClose;
  EventSlot<NotifyHandler> OnShow;
  EventSlot<NotifyHandler> OnHide;
  EventSlot<NotifyHandler> OnDropDown;
  // Forms: 0 while a modal form is open, -1 after a close request; the
  // program's buttons set other values.
  std::int32_t ModalResult = 0;

  // Adds the hook unless it is attached already; the newest runs first.
  void AttachHook(MessageHook hook);
  void DetachHook(MessageHook hook);
  bool HasHook(MessageHook hook) const;
  NavigationHandler FormNavigation() const { return navigation_; }
  void SetFormNavigation(NavigationHandler handler) { navigation_ = handler; }

  // --- toolkit internals (the window procedure and the loop)
  LRESULT HandleMessage(WindowMessage& message);
  LRESULT CallPreviousProcedure(const WindowMessage& message) const;
  void AdoptWindow(HWND window);
  void FontChanged();
  void RunAutoSize();
  // Fills the window's background the way its colours say; returns the brush.
  HBRUSH BackgroundBrush();
  void CreateChildWindows();
  bool WasShown() const { return shown_; }
  void SetShown(bool shown) {
    shown_ = shown;
    visible_ = shown;
  }
  int FixedWidth() const { return min_track_width_; }
  int FixedHeight() const { return min_track_height_; }
  // Creates the window, and shows it if it had been created hidden.
  HWND WindowHandleShown();

 protected:
  void Destroy() override;

 private:
  friend class ObjectOwnership;
  friend struct ControlBuilder;

  bool CreateOwnWindow();
  // Item and check state live in the window: reading them makes it exist.
  HWND EnsureWindow() const { return const_cast<Control*>(this)->WindowHandle(); }
  void DestroyOwnWindow();
  void ApplyFontAndColors();
  void RunHooks(WindowMessage& message, LRESULT& result, bool& handled);
  LRESULT BuiltInHandling(WindowMessage& message);
  void PushStyles();
  void Repaint();
  // The platform's wide procedure for this kind of window.
  WNDPROC WideProcedure() const;
  // Puts the stored caption into the window.
  void PutCaption();
  HICON FormIcon();

  ControlKind kind_;
  Control* parent_;
  std::vector<std::unique_ptr<Control>> children_;
  KindTable table_;
  HWND window_ = nullptr;
  WNDPROC previous_procedure_ = nullptr;

  std::uint32_t style_ = 0;
  std::uint32_t ex_style_ = 0;
  std::uint32_t class_style_ = CS_OWNDC;
  std::string caption_;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  bool left_set_ = false, top_set_ = false;
  int margin_ = 2;
  Color text_color_ = kWindowTextColor;
  Color back_color_ = kButtonFaceColor;
  HBRUSH brush_ = nullptr;
  HCURSOR cursor_ = nullptr;
  std::unique_ptr<FontTool> font_;

  bool visible_ = false;
  bool enabled_ = true;
  bool tab_stop_ = false;
  bool visibility_set_ = false;
  bool created_hidden_ = false;
  bool shown_ = false;  // the window's last reported show state
  bool destroying_window_ = false;
  int tab_order_ = 0;
  int tab_counter_ = 0;  // forms: the last tab order given out
  int control_id_ = 0;
  unsigned navigation_keys_ = kNavigateAll;
  bool children_3d_ = false;
  bool own_3d_ = false;
  bool transparent_ = false;
  bool auto_size_ = false;
  HICON icon_ = nullptr;
  bool icon_shared_ = false;
  Control* current_control_ = nullptr;
  int min_track_width_ = 0, min_track_height_ = 0;  // fixed size when not resizable
  WPARAM size_type_ = 0;
  int parent_closing_state_ = 0;
  std::vector<MessageHook> hooks_;
  NavigationHandler navigation_ = nullptr;
};

}  // namespace linkshelf
