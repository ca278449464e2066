// Keyboard navigation on a form laid out like the program's main window.
#include <gtest/gtest.h>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::FocusedControl;
using window_test::PressKey;

constexpr WPARAM kBackTab = VK_TAB | 0x80;

// Four buttons in a row below a panel with two rows of edit + button and a
// row with a list and a check box, created in the program's order.
class KeyboardNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = CreateForm(nullptr, "导航");
    form_->SetSize(386, 212);
    convert_ = CreateButton(form_, "转化")->SetPosition(8, 144)->SetSize(75, 25);
    exit_ = CreateButton(form_, "退出")->SetPosition(88, 144)->SetSize(75, 25);
    options_ = CreateButton(form_, "选项")->SetPosition(216, 144)->SetSize(75, 25);
    about_ = CreateButton(form_, "关于")->SetPosition(296, 144)->SetSize(75, 25);
    hidden_ =
        CreateEditBox(form_, {EditOption::kMultiLine})->SetPosition(584, 487)->SetVisible(false);
    Control* panel = CreatePanel(form_, PanelEdge::kSunken)->SetPosition(4, 4)->SetSize(369, 133);
    CreateLabel(panel, "个人收藏夹：")->SetPosition(15, 18);
    favorites_ = CreateEditBox(panel, {})->SetPosition(103, 15)->SetSize(217, 0);
    browse_ = CreateButton(panel, ",,,")->SetPosition(327, 15)->SetSize(24, 21);
    output_ = CreateEditBox(panel, {})->SetPosition(103, 39)->SetSize(217, 0);
    browse_output_ = CreateButton(panel, ",,,")->SetPosition(327, 39)->SetSize(24, 21);
    method_ =
        CreateComboBox(panel, {ComboOption::kDropDownList})->SetPosition(103, 95)->SetSize(121, 0);
    notepad_ = CreateCheckBox(panel, "以记事本打开")->SetPosition(231, 96);
    Show(form_);
  }
  void TearDown() override { Free(form_); }

  void FocusOn(Control* control) {
    Activate(control);
    ASSERT_EQ(FocusedControl(), control);
  }

  Control* form_;
  Control *convert_, *exit_, *options_, *about_, *hidden_;
  Control *favorites_, *browse_, *output_, *browse_output_, *method_, *notepad_;
};

TEST_F(KeyboardNavigationTest, TabFollowsCreationOrderAndWrapsAroundBothWays) {
  UseKeyNavigation(form_);
  EXPECT_EQ(form_->CurrentControl(), convert_);
  FocusOn(convert_);
  const Control* order[] = {exit_,   options_,       about_,  favorites_, browse_,
                            output_, browse_output_, method_, notepad_,   convert_};
  for (const Control* expected : order) {
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedControl(), expected);
    EXPECT_EQ(form_->CurrentControl(), expected);
  }
  PressKey(kBackTab);
  EXPECT_EQ(FocusedControl(), notepad_);  // first to last
  PressKey(kBackTab);
  EXPECT_EQ(FocusedControl(), method_);
}

TEST_F(KeyboardNavigationTest, ShiftTabGoesBackward) {
  UseTabNavigation(form_);
  FocusOn(convert_);
  INPUT shift[2] = {};
  shift[0].type = shift[1].type = INPUT_KEYBOARD;
  shift[0].ki.wVk = shift[1].ki.wVk = VK_SHIFT;
  shift[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &shift[0], sizeof(INPUT));
  window_test::PumpMessages();
  const bool shift_seen = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  PressKey(VK_TAB);
  SendInput(1, &shift[1], sizeof(INPUT));
  window_test::PumpMessages();
  if (!shift_seen) GTEST_SKIP() << "this display gives no synthetic Shift";
  EXPECT_EQ(FocusedControl(), notepad_);
}

TEST_F(KeyboardNavigationTest, DisabledAndHiddenControlsAreSkipped) {
  UseTabNavigation(form_);
  exit_->SetEnabled(false);
  options_->SetVisible(false);
  FocusOn(convert_);
  PressKey(VK_TAB);
  EXPECT_EQ(FocusedControl(), about_);
}

TEST_F(KeyboardNavigationTest, KeysGoOnlyWhereTheControlLeavesThem) {
  UseTabNavigation(form_);
  FocusOn(convert_);
  PressKey(VK_RIGHT);  // tab navigation only acts on Tab
  EXPECT_EQ(FocusedControl(), convert_);

  UseKeyNavigation(form_);
  FocusOn(favorites_);
  PressKey(VK_RIGHT);  // a single-line edit keeps Left and Right for its text
  EXPECT_EQ(FocusedControl(), favorites_);
  Control* memo =
      CreateEditBox(form_, {EditOption::kMultiLine, EditOption::kWantTab})->SetPosition(4, 170);
  FocusOn(memo);
  PressKey(VK_TAB);  // a box that wants Tab keeps it
  EXPECT_EQ(FocusedControl(), memo);
}

TEST_F(KeyboardNavigationTest, ArrowsMoveToTheNearestControlInThatDirection) {
  UseKeyNavigation(form_);
  FocusOn(convert_);
  PressKey(VK_RIGHT);
  EXPECT_EQ(FocusedControl(), exit_);
  PressKey(VK_RIGHT);
  EXPECT_EQ(FocusedControl(), options_);
  PressKey(VK_LEFT);
  EXPECT_EQ(FocusedControl(), exit_);
  // Up from the exit button: the nearest control above that overlaps it sideways.
  PressKey(VK_UP);
  EXPECT_EQ(FocusedControl(), method_);
  PressKey(VK_UP);  // the list keeps Up and Down for its items
  EXPECT_EQ(FocusedControl(), method_);
  FocusOn(notepad_);
  PressKey(VK_UP);
  EXPECT_EQ(FocusedControl(), output_);
  PressKey(VK_UP);
  EXPECT_EQ(FocusedControl(), favorites_);
  PressKey(VK_DOWN);
  EXPECT_EQ(FocusedControl(), output_);
  PressKey(VK_NEXT);
  EXPECT_EQ(FocusedControl(), method_);
}

TEST_F(KeyboardNavigationTest, ArrowsFallBackWhenNothingLiesThatWay) {
  UseKeyNavigation(form_);
  // Right of the last button: nothing; as Down: nothing below; a forward tab step.
  FocusOn(about_);
  PressKey(VK_RIGHT);
  EXPECT_EQ(FocusedControl(), favorites_);
  // Up from the top row: a backward tab step.
  FocusOn(browse_);
  PressKey(VK_UP);
  EXPECT_EQ(FocusedControl(), favorites_);
  // Left of the first button: nothing; as Up: nothing above it either; a
  // backward tab step, which wraps around to the last control.
  FocusOn(convert_);
  PressKey(VK_LEFT);
  EXPECT_EQ(FocusedControl(), notepad_);
}

TEST_F(KeyboardNavigationTest, EqualDistancesGoToTheEarlierInTabOrder) {
  UseKeyNavigation(form_);
  Control* twin_a = CreateButton(form_, "甲")->SetPosition(8, 180)->SetSize(40, 20);
  Control* twin_b = CreateButton(form_, "乙")->SetPosition(8, 180)->SetSize(40, 20);
  // Windows of controls added to a shown form come when asked for.
  twin_a->WindowHandle();
  twin_b->WindowHandle();
  FocusOn(convert_);
  PressKey(VK_DOWN);
  EXPECT_EQ(FocusedControl(), twin_a);
}

TEST_F(KeyboardNavigationTest, TabCharacterNeverReachesTheEdit) {
  UseKeyNavigation(form_);
  FocusOn(favorites_);
  favorites_->SetText("abc");
  SendMessageA(favorites_->ExistingWindow(), WM_CHAR, VK_TAB, 1);
  EXPECT_EQ(favorites_->GetText(), "abc");
}

}  // namespace
}  // namespace linkshelf
