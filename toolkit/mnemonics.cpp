// Alt plus a marked letter or digit clicks the button whose caption marks it.
#include <cctype>

#include "toolkit/application.h"
#include "toolkit/application_state.h"

namespace linkshelf {
namespace {

bool MarksKey(const std::string& caption, char key) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (std::toupper(static_cast<unsigned char>(caption[i + 1])) == key) return true;
    ++i;  // "&&" is a plain ampersand
  }
  return false;
}

Control* FindMarkedButton(Control* container, char key) {
  for (std::size_t i = 0; i < container->ChildCount(); ++i) {
    Control* child = container->Child(i);
    if (child->IsForm() || !child->IsEnabled()) continue;
    const bool is_button =
        child->Kind() == ControlKind::kButton || child->Kind() == ControlKind::kCheckBox;
    if (is_button && MarksKey(child->GetText(), key)) return child;
    if (Control* found = FindMarkedButton(child, key)) return found;
  }
  return nullptr;
}

bool MnemonicKeys(Control* control, WindowMessage& message, LRESULT& result) {
  const bool alt_down = (GetKeyState(VK_MENU) & 0x8000) != 0;
  const bool press = message.number == WM_SYSKEYDOWN && alt_down;
  const bool release = message.number == WM_SYSKEYUP || message.number == WM_KEYUP;
  if (!press && !release) return false;
  const WPARAM key = message.wParam;
  if (key == VK_MENU) return false;
  const bool letter_or_digit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!letter_or_digit) return false;
  Control* form = control->OwningForm();
  Control* button = form ? FindMarkedButton(form, static_cast<char>(key)) : nullptr;
  if (!button || !button->ExistingWindow()) return false;
  SendMessageA(button->ExistingWindow(), press ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0, 0);
  result = 0;
  return true;
}

}  // namespace

void EnableMnemonics() {
  App().key_handler = MnemonicKeys;
}

}  // namespace linkshelf
