// Events: clicks, close requests, showing, and errors that escape a handler.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::ClassNameOf;
using window_test::PumpMessages;
using window_test::RunInsideApplication;

void Count(void* context, Control*) {
  ++*static_cast<int*>(context);
}

struct CloseLog {
  int calls = 0;
  bool refuse = false;
};

void CountClose(void* context, Control*, bool& accept) {
  auto* log = static_cast<CloseLog*>(context);
  ++log->calls;
  if (log->refuse) accept = false;
}

TEST(EventsTest, ButtonClickRunsItsOwnHandlerEvenOnAPanel) {
  Control* form = CreateForm(nullptr, "窗体");
  Control* panel = CreatePanel(form, PanelEdge::kSunken);
  int on_form = 0, on_panel = 0, on_label = 0;
  CreateButton(form, "转化")->OnClick.Set(Count, &on_form);
  Control* browse = CreateButton(panel, ",,,");
  browse->OnClick.Set(Count, &on_panel);
  Control* caption = CreateLabel(panel, "个人收藏夹：");
  caption->OnClick.Set(Count, &on_label);
  Show(form);
  SendMessageA(browse->WindowHandle(), BM_CLICK, 0, 0);
  SendMessageA(caption->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(caption->WindowHandle(), WM_LBUTTONUP, 0, 0);
  PumpMessages();
  EXPECT_EQ(on_form, 0);
  EXPECT_EQ(on_panel, 1);
  EXPECT_EQ(on_label, 1);
  Free(form);
}

bool ClickOnFocus(Control* control, WindowMessage& message, LRESULT&) {
  if (message.number == WM_SETFOCUS)
    SendMessageA(GetParent(message.window), WM_COMMAND,
                 MAKEWPARAM(control->ControlId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(message.window));
  return false;
}

TEST(EventsTest, ClickReportedWhileTheToolkitMovesTheFocusIsIgnored) {
  Control* form = CreateForm(nullptr, "窗体");
  UseTabNavigation(form);
  Control* first = CreateButton(form, "一");
  Control* second = CreateButton(form, "二");
  int clicks = 0;
  second->OnClick.Set(Count, &clicks);
  second->AttachHook(ClickOnFocus);
  Show(form);
  Activate(first);
  ASSERT_EQ(window_test::FocusedControl(), first);
  window_test::PressKey(VK_TAB);
  EXPECT_EQ(window_test::FocusedControl(), second);
  EXPECT_EQ(clicks, 0);
  // The same notification from the user does count.
  SendMessageA(form->WindowHandle(), WM_COMMAND, MAKEWPARAM(second->ControlId(), BN_CLICKED),
               reinterpret_cast<LPARAM>(second->WindowHandle()));
  EXPECT_EQ(clicks, 1);
  Free(form);
}

TEST(EventsTest, RefusedCloseKeepsTheWindowAndTheCloseHandlerRunsOnce) {
  Control* form = CreateForm(nullptr, "Linkshelf 1.1");
  CloseLog log;
  log.refuse = true;
  form->OnClose.Set(CountClose, &log);
  HWND window = nullptr;
  RunInsideApplication(form, [&] {
    window = form->WindowHandle();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(log.calls, 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsApplicationTerminated());
    log.refuse = false;
    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(log.calls, 2);
  });
  EXPECT_EQ(log.calls, 2);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ApplicationWindow(), nullptr);
}

TEST(EventsTest, RefusalAfterTheLoopEndedIsIgnored) {
  Control* form = CreateForm(nullptr, "Linkshelf 1.1");
  CloseLog log;
  HWND window = nullptr;
  RunInsideApplication(form, [&] {
    window = form->WindowHandle();
    log.refuse = true;
    form->OnClose.Set(CountClose, &log);
    // The system ends the session: the loop ends, the close cannot be refused.
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  });
  EXPECT_EQ(log.calls, 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsApplicationTerminated());
}

TEST(EventsTest, ShowRunsOnceWhenTheWindowTurnsVisibleAndHideWhenItGoes) {
  Control* form = CreateForm(nullptr, "窗体");
  int shown = 0, hidden = 0;
  form->OnShow.Set(Count, &shown);
  form->OnHide.Set(Count, &hidden);
  form->WindowHandle();
  EXPECT_EQ(shown, 0);
  Show(form);
  Show(form);
  EXPECT_EQ(shown, 1);
  form->SetVisible(false);
  EXPECT_EQ(hidden, 1);
  form->SetVisible(true);
  EXPECT_EQ(shown, 2);
  Free(form);
}

std::string reported;

void RecordError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    reported = e.what();
  }
}

void Throw(void*, Control*) {
  throw std::runtime_error("Cannot create file x.htm");
}

TEST(EventsTest, ErrorFromAHandlerGoesToTheUnexpectedErrorHandler) {
  SetUnexpectedErrorHandler(RecordError);
  Control* form = CreateForm(nullptr, "窗体");
  Control* button = CreateButton(form, "转化");
  button->OnClick.Set(Throw, nullptr);
  SendMessageA(button->WindowHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(reported, "Cannot create file x.htm");
  EXPECT_TRUE(IsWindow(button->ExistingWindow()));  // the window survives
  Free(form);
  SetUnexpectedErrorHandler(nullptr);
}

}  // namespace
}  // namespace linkshelf
