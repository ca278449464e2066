#include "tests/toolkit/screenshot_support.h"

#include <windows.h>

#include <cstdio>

#include "toolkit/application.h"

namespace linkshelf {
namespace {

constexpr UINT kGiveUpMilliseconds = 60000;

void AnnounceOnShow(void*, Control* form) {
  AnnounceReadyForScreenshot(form);
  // Nobody captured it in time: the script is gone.
  SetTimer(form->ExistingWindow(), 1, kGiveUpMilliseconds, nullptr);
}

bool CloseOnTimer(Control* form, WindowMessage& message, LRESULT& result) {
  if (message.number != WM_TIMER) return false;
  PostClose(form);
  result = 0;
  return true;
}

}  // namespace

void AnnounceReadyForScreenshot(Control* form) {
  HWND window = form->WindowHandle();
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  std::printf("screenshot-ready %ld %ld %ld %ld\n", bounds.left, bounds.top,
              bounds.right - bounds.left, bounds.bottom - bounds.top);
  std::fflush(stdout);
}

int RunForScreenshot(Control* form) {
  form->OnShow.Set(AnnounceOnShow, nullptr);
  form->AttachHook(CloseOnTimer);
  RunApplication(form);
  return 0;
}

}  // namespace linkshelf
