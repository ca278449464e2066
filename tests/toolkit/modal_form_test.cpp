// Modal forms over the application window, answered from inside the test.
#include <gtest/gtest.h>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::FocusedControl;
using window_test::RunInsideApplication;
using window_test::WhenLoopRuns;

void AnswerYes(void* context, Control*) {
  static_cast<Control*>(context)->ModalResult = 6;
}

struct MainForm {
  Control* form;
  Control* convert;
  Control* about;
  Control* panel;
  Control* edit;
};

MainForm BuildMainForm() {
  MainForm main;
  main.form = CreateForm(nullptr, "Linkshelf 1.1");
  main.form->SetSize(386, 212);
  main.convert = CreateButton(main.form, "转化")->SetPosition(8, 144);
  main.about = CreateButton(main.form, "关于")->SetPosition(296, 144);
  main.panel = CreatePanel(main.form, PanelEdge::kSunken)->SetPosition(4, 4)->SetSize(369, 133);
  main.edit = CreateEditBox(main.panel, {})->SetPosition(103, 15);
  return main;
}

TEST(ModalFormTest, ButtonAnswerDisablesOthersMeanwhileAndRestoresFocus) {
  MainForm main = BuildMainForm();
  int answer = 0;
  bool others_disabled = false, dialog_enabled = false;
  Control* focus_after = nullptr;
  RunInsideApplication(main.form, [&] {
    Activate(main.about);
    Control* dialog = CreateForm(main.form, "替换文件");
    Control* yes = CreateButton(dialog, "是(&Y)")->SetPosition(10, 10);
    yes->OnClick.Set(AnswerYes, dialog);
    WhenLoopRuns([&] {
      others_disabled = !IsWindowEnabled(main.convert->ExistingWindow()) &&
                        !IsWindowEnabled(main.panel->ExistingWindow()) &&
                        !main.convert->IsEnabled();
      dialog_enabled = IsWindowEnabled(yes->ExistingWindow()) &&
                       IsWindowVisible(dialog->ExistingWindow()) &&
                       IsWindowEnabled(main.form->ExistingWindow());
      SendMessageA(yes->ExistingWindow(), BM_CLICK, 0, 0);
    });
    answer = ShowModal(dialog);
    focus_after = FocusedControl();
    Free(dialog);
  });
  EXPECT_EQ(answer, 6);
  EXPECT_TRUE(others_disabled);
  EXPECT_TRUE(dialog_enabled);
  EXPECT_EQ(focus_after, main.about);
}

struct ClassCount {
  const char* class_name;
  int found;
};

// A named callback, as a window enumeration callback takes the system's own
// calling convention, which a lambda does not have on 32-bit Windows.
BOOL CALLBACK CountWindowOfClass(HWND window, LPARAM data) {
  auto* count = reinterpret_cast<ClassCount*>(data);
  if (window_test::ClassNameOf(window) == count->class_name) ++count->found;
  return TRUE;
}

int CountThreadWindowsOfClass(const char* class_name) {
  ClassCount count{class_name, 0};
  EnumThreadWindows(GetCurrentThreadId(), CountWindowOfClass, reinterpret_cast<LPARAM>(&count));
  return count.found;
}

// Nothing on the main form takes the focus, so the dialog still holds it when
// it is freed: its controls go while it is the active window.
TEST(ModalFormTest, FreeingADialogThatHoldsTheFocusLeavesNothingOfItBehind) {
  Control* main_form = CreateForm(nullptr, "Linkshelf 1.1");
  main_form->SetSize(386, 212);
  CreateLabel(main_form, "个人收藏夹：")->SetPosition(8, 8);
  int forms_left = -1, forms_after_focus = -1;
  Control* dialog = nullptr;
  Control* main_current = nullptr;
  RunInsideApplication(main_form, [&] {
    dialog = CreateForm(main_form, "替换文件");
    Control* yes = CreateButton(dialog, "是")->SetPosition(10, 10);
    CreateButton(dialog, "否")->SetPosition(90, 10);
    yes->OnClick.Set(AnswerYes, dialog);
    WhenLoopRuns([&] { SendMessageA(yes->ExistingWindow(), BM_CLICK, 0, 0); });
    ShowModal(dialog);
    Free(dialog);
    window_test::PumpMessages();
    forms_left = CountThreadWindowsOfClass("obj_Form");
    // The main window taking the focus again must not bring the dialog back.
    SetFocus(main_form->ExistingWindow());
    window_test::PumpMessages();
    forms_after_focus = CountThreadWindowsOfClass("obj_Form");
    main_current = main_form->CurrentControl();
  });
  EXPECT_EQ(forms_left, 1);
  EXPECT_EQ(forms_after_focus, 1);
  EXPECT_NE(main_current, dialog);
}

TEST(ModalFormTest, CloseRequestAnswersMinusOneAndKeepsTheFormUntilFreed) {
  MainForm main = BuildMainForm();
  int answer = 0;
  bool window_kept = false, controls_back = false;
  RunInsideApplication(main.form, [&] {
    Control* dialog = CreateForm(main.form, "关于");
    WhenLoopRuns([&] { PostMessageA(dialog->ExistingWindow(), WM_CLOSE, 0, 0); });
    answer = ShowModal(dialog);
    window_kept = IsWindow(dialog->ExistingWindow()) != FALSE;
    Free(dialog);
    controls_back = main.convert->IsEnabled() && IsWindowEnabled(main.edit->ExistingWindow()) &&
                    main.panel->IsEnabled();
  });
  EXPECT_EQ(answer, -1);
  EXPECT_TRUE(window_kept);
  EXPECT_TRUE(controls_back);
}

TEST(ModalFormTest, LoopEndingWhileModalGivesZero) {
  MainForm main = BuildMainForm();
  int answer = 99;
  RunInsideApplication(main.form, [&] {
    Control* dialog = CreateForm(main.form, "关于");
    WhenLoopRuns([] { PostQuitMessage(0); });
    answer = ShowModal(dialog);
    Free(dialog);
  });
  EXPECT_EQ(answer, 0);
}

TEST(ModalFormTest, FormWithoutParentIsOnlyShown) {
  Control* form = CreateForm(nullptr, "独立");
  EXPECT_EQ(ShowModal(form), 0);
  EXPECT_TRUE(IsWindowVisible(form->ExistingWindow()));
  Free(form);
}

}  // namespace
}  // namespace linkshelf
