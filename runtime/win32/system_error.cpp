#include "runtime/win32/system_error.h"

#include "runtime/text.h"

namespace linkshelf {

std::string SystemErrorText(DWORD code) {
  char buffer[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string text = TrimBoth(std::string_view(buffer, length));
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

}  // namespace linkshelf
