#include <string>

#include "toolkit/application.h"
#include "toolkit/common_dialogs.h"

namespace linkshelf {

void ShowMessage(std::string_view text) {
  Control* application = ApplicationWindow();
  HWND owner = application ? application->ExistingWindow() : nullptr;
  const std::string message(text);
  std::string caption;
  if (application) caption = application->StoredCaption();
  MessageBoxA(owner, message.c_str(), application ? caption.c_str() : nullptr, MB_SETFOREGROUND);
}

}  // namespace linkshelf
