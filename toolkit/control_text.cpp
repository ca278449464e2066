// Control: caption text, item lists and check state.
#include <algorithm>
#include <vector>

#include "runtime/code_page.h"
#include "runtime/win32/wide_text.h"
#include "toolkit/application_state.h"
#include "toolkit/control.h"

namespace linkshelf {
namespace {

// EM_GETLINE takes the buffer size in a 16-bit word: longer lines are read
// from the whole text instead.
constexpr std::size_t kLargestGetLineBuffer = 0xFFFF;

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// The text of a window read through the wide procedure given.
std::wstring WideWindowText(HWND window, WNDPROC procedure) {
  const LRESULT length = CallWindowProcW(procedure, window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = CallWindowProcW(procedure, window, WM_GETTEXT, text.size(),
                                         reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// The lines of an edit that does not wrap break only at CR LF.
std::string LineOfText(const std::string& text, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return {};
    start = end + 2;
  }
  const std::size_t end = text.find("\r\n", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Line `index` of a multi-line edit without its line break. The platform
// counts the line's length in characters, which for double-byte text may be
// fewer than its bytes, so the buffer has room for two bytes a character.
std::string EditLine(HWND window, int index) {
  if (index < 0) return {};
  const LRESULT start = SendMessageA(window, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  // A line that does not exist is empty (asking on with -1 would read the caret's line).
  if (start < 0) return {};
  const LRESULT line = SendMessageA(window, EM_LINEFROMCHAR, static_cast<WPARAM>(start), 0);
  const LRESULT length = SendMessageA(window, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  if (length <= 0) return {};
  const auto size = static_cast<std::size_t>(length) * 2 + 2;
  if (size > kLargestGetLineBuffer) return LineOfText(WindowText(window), index);
  std::vector<char> buffer(size, '\0');
  buffer[0] = static_cast<char>(size & 0xFF);
  buffer[1] = static_cast<char>(size >> 8);
  const LRESULT copied = SendMessageA(window, EM_GETLINE, static_cast<WPARAM>(line),
                                      reinterpret_cast<LPARAM>(buffer.data()));
  if (copied <= 0) return {};
  return std::string(buffer.data(), std::min(static_cast<std::size_t>(copied), size - 1));
}

}  // namespace

WNDPROC Control::WideProcedure() const {
  if (IsForm()) return DefWindowProcW;
  WNDCLASSW platform{};
  if (!GetClassInfoW(nullptr, WideFromUtf8(table_.class_base_name).c_str(), &platform))
    return DefWindowProcW;
  return platform.lpfnWndProc;
}

// A name the code page cannot hold shows its real characters: the text goes
// wide straight to the platform's procedure, which keeps it as it is, since
// the toolkit's own procedure is an ANSI one and would narrow it on the way.
// Other texts keep the ANSI path.
void Control::PutCaption() {
  if (!HoldsReferences(caption_)) {
    SetWindowTextA(window_, caption_.c_str());
    return;
  }
  const std::wstring wide = WideFromCodePage(caption_);
  CallWindowProcW(WideProcedure(), window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

Control* Control::SetText(std::string_view text) {
  caption_.assign(text);
  if (!window_) return this;
  if (transparent_ && kind_ == ControlKind::kLabel && IsWindowVisible(window_)) {
    // The label draws no background of its own: hiding it lets the parent
    // paint over the old text first.
    ShowWindow(window_, SW_HIDE);
    PutCaption();
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
  } else {
    PutCaption();
    Repaint();
  }
  if (auto_size_) RunAutoSize();
  return this;
}

std::string Control::GetText() const {
  if (!window_) return caption_;
  if (!HoldsReferences(caption_)) return WindowText(window_);
  return CodePageFromWide(WideWindowText(window_, WideProcedure()));
}

Control* Control::AppendText(std::string_view text) {
  if (kind_ == ControlKind::kComboBox) {
    HWND window = WindowHandle();
    if (!window) return this;
    const std::string item(text);
    SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (SendMessageA(window, CB_GETCOUNT, 0, 0) == 1) SendMessageA(window, CB_SETCURSEL, 0, 0);
    return this;
  }
  std::string joined = GetText();
  joined.append(text);
  return SetText(joined);
}

Control* Control::Clear() {
  if (table_.clear == KindTable::ClearAction::kResetContent) {
    if (HWND window = WindowHandle()) SendMessageA(window, CB_RESETCONTENT, 0, 0);
    return this;
  }
  return SetText("");
}

int Control::ItemCount() const {
  if (table_.item_count == 0) return 0;
  HWND window = EnsureWindow();
  if (!window) return 0;
  const LRESULT count = SendMessageA(window, table_.item_count, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string Control::GetItem(int index) const {
  if (table_.item_text == 0) return {};
  HWND window = EnsureWindow();
  if (!window) return {};
  if (kind_ == ControlKind::kEditBox) return EditLine(window, index);
  const LRESULT length =
      SendMessageA(window, table_.item_text_length, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  if (SendMessageA(window, table_.item_text, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(buffer.data())) < 0)
    return {};
  return std::string(buffer.data());
}

Control* Control::SetItem(int index, std::string_view text) {
  if (table_.remove == 0 || table_.insert == 0) return this;
  HWND window = WindowHandle();
  if (!window) return this;
  const std::string item(text);
  SendMessageA(window, table_.remove, static_cast<WPARAM>(index), 0);
  SendMessageA(window, table_.insert, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(item.c_str()));
  return this;
}

int Control::GetSelectedIndex() const {
  if (table_.get_index == 0) return 0;
  HWND window = EnsureWindow();
  if (!window) return 0;
  return static_cast<int>(SendMessageA(window, table_.get_index, 0, 0));
}

Control* Control::SetSelectedIndex(int index) {
  if (table_.set_index == 0) return this;
  if (HWND window = WindowHandle())
    SendMessageA(window, table_.set_index, static_cast<WPARAM>(index), 0);
  return this;
}

bool Control::IsChecked() const {
  if (kind_ != ControlKind::kCheckBox && kind_ != ControlKind::kButton) return false;
  HWND window = EnsureWindow();
  return window && SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Control* Control::SetChecked(bool checked) {
  if (kind_ != ControlKind::kCheckBox && kind_ != ControlKind::kButton) return this;
  if (HWND window = WindowHandle())
    SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return this;
}

}  // namespace linkshelf
