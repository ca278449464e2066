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

namespace linkshelf {
namespace {

TEST(EventsTest, AltWithAMarkedLetterClicksThatButton) {
  EnableMnemonics();
  Control* form = CreateForm(nullptr, "替换文件");
  int yes = 0, no = 0;
  CreateButton(form, "是(&Y)")->OnClick.Set(Count, &yes);
  Control* other = CreateButton(form, "否(&N)");
  other->OnClick.Set(Count, &no);
  Show(form);
  Activate(other);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  HWND focus = GetFocus();
  SendMessageA(focus, WM_SYSKEYDOWN, 'Y', 0x20000001);
  // Pressing the button took the focus: the release goes to it.
  SendMessageA(GetFocus(), WM_SYSKEYUP, 'Y', static_cast<LPARAM>(0xE0000001));
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(yes, 1);
  EXPECT_EQ(no, 0);
  Free(form);
}

TEST(EventsTest, DropDownSizesTheListToItsItemsAndRunsItsEvent) {
  Control* form = CreateForm(nullptr, "窗体");
  Control* list =
      CreateComboBox(form, {ComboOption::kDropDownList, ComboOption::kNoIntegralHeight});
  int dropped = 0;
  list->OnDropDown.Set(Count, &dropped);
  list->AppendText("URL 地址");
  list->AppendText("超链接标题");
  list->AppendText("仅超链接");
  Show(form);
  SendMessageA(list->ExistingWindow(), CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_EQ(dropped, 1);
  RECT dropped_rect{};
  SendMessageA(list->ExistingWindow(), CB_GETDROPPEDCONTROLRECT, 0,
               reinterpret_cast<LPARAM>(&dropped_rect));
  // The list is tall enough for every item.
  const auto item_height = SendMessageA(list->ExistingWindow(), CB_GETITEMHEIGHT, 0, 0);
  EXPECT_GE(dropped_rect.bottom - dropped_rect.top, 3 * item_height);
  SendMessageA(list->ExistingWindow(), CB_SHOWDROPDOWN, FALSE, 0);
  Free(form);
}

TEST(EventsTest, ColourRequestsAreAnsweredByTheChildItself) {
  Control* form = CreateForm(nullptr, "窗体");
  Control* panel = CreatePanel(form, PanelEdge::kSunken);
  Control* label = CreateLabel(panel, "标题：")->SetTransparent(true);
  Control* edit = CreateEditBox(panel, {})->SetBackColor(kWindowColor);
  form->WindowHandle();
  HDC dc = GetDC(panel->ExistingWindow());
  const auto label_brush =
      SendMessageA(panel->ExistingWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label->ExistingWindow()));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(label_brush), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  const auto edit_brush =
      SendMessageA(panel->ExistingWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(edit->ExistingWindow()));
  LOGBRUSH description{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(edit_brush), sizeof description, &description);
  EXPECT_EQ(description.lbColor, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  ReleaseDC(panel->ExistingWindow(), dc);
  Free(form);
}

}  // namespace
}  // namespace linkshelf
