// Modal forms over the application window, answered from inside the test.
#include <gtest/gtest.h>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::AfterDelay;
using window_test::FocusedControl;
using window_test::RunInsideApplication;

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
    AfterDelay(50, [&] {
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

TEST(ModalFormTest, CloseRequestAnswersMinusOneAndKeepsTheFormUntilFreed) {
  MainForm main = BuildMainForm();
  int answer = 0;
  bool window_kept = false, controls_back = false;
  RunInsideApplication(main.form, [&] {
    Control* dialog = CreateForm(main.form, "关于");
    AfterDelay(50, [&] { PostMessageA(dialog->ExistingWindow(), WM_CLOSE, 0, 0); });
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
    AfterDelay(50, [] { PostQuitMessage(0); });
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
