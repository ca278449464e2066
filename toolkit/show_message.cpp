#include <string>

#include "runtime/code_page.h"
#include "runtime/win32/wide_text.h"
#include "toolkit/application.h"
#include "toolkit/common_dialogs.h"

namespace linkshelf {

void ShowMessage(std::string_view text) {
  Control* application = ApplicationWindow();
  HWND owner = application ? application->ExistingWindow() : nullptr;
  const std::string message(text);
  std::string caption;
  if (application) caption = application->StoredCaption();
  if (!HoldsReferences(message) && !HoldsReferences(caption)) {
    MessageBoxA(owner, message.c_str(), application ? caption.c_str() : nullptr, MB_SETFOREGROUND);
    return;
  }
  // Names the code page cannot hold are shown with their real characters.
  const std::wstring wide_message = WideFromCodePage(message);
  const std::wstring wide_caption = WideFromCodePage(caption);
  MessageBoxW(owner, wide_message.c_str(), application ? wide_caption.c_str() : nullptr,
              MB_SETFOREGROUND);
}

}  // namespace linkshelf
