// A form with every kind of control and Chinese captions, for looking at what
// the toolkit draws (tools/screenshots makes toolkit-sample.png of it).
#include "tests/toolkit/screenshot_support.h"
#include "toolkit/toolkit.h"

using namespace linkshelf;

int main() {
  Control* form = CreateForm(nullptr, "控件示例");
  form->SetSize(386, 250);
  UseKeyNavigation(form);

  Control* panel = CreatePanel(form, PanelEdge::kSunken)->SetPosition(4, 4)->SetSize(369, 133);
  const struct {
    const char* caption;
    int top;
  } rows[] = {{"个人收藏夹：", 18}, {"文件保存到：", 42}, {"标题：", 74}, {"方式：", 98}};
  for (const auto& row : rows) {
    Control* label = CreateLabel(panel, row.caption)->SetPosition(15, row.top);
    label->Font()->SetFontHeight(1);
    label->SetTransparent(true)->SetAutoSize(true);
  }
  Control* folder = CreateEditBox(panel, {})->SetPosition(103, 15)->SetSize(217, 0);
  folder->SetText("C:\\Documents and Settings\\用户\\收藏夹")->SetBackColor(kWindowColor);
  CreateButton(panel, ",,,")->SetPosition(327, 15)->SetSize(24, 21)->Font()->SetFontHeight(1);
  Control* file = CreateEditBox(panel, {})->SetPosition(103, 39)->SetSize(217, 0);
  file->SetText("C:\\Linkshelf\\mybook.htm")->SetBackColor(kWindowColor);
  CreateButton(panel, ",,,")->SetPosition(327, 39)->SetSize(24, 21)->Font()->SetFontHeight(1);
  Control* title = CreateEditBox(panel, {})->SetPosition(103, 71)->SetSize(249, 0);
  title->SetText("我的收藏夹")->SetBackColor(kWindowColor);
  Control* method =
      CreateComboBox(panel, {ComboOption::kDropDownList, ComboOption::kNoIntegralHeight});
  method->SetPosition(103, 95)->SetSize(121, 0)->SetBackColor(kWindowColor);
  method->AppendText("URL 地址");
  method->AppendText("超链接标题");
  method->AppendText("仅超链接");
  method->SetSelectedIndex(1);
  Control* notepad = CreateCheckBox(panel, "以记事本打开")->SetPosition(231, 96);
  notepad->SetChecked(true);
  notepad->Font()->SetFontHeight(1);
  notepad->SetAutoSize(true);

  const char* buttons[] = {"转化", "退出", "选项", "关于"};
  const int lefts[] = {8, 88, 216, 296};
  for (int i = 0; i < 4; ++i) {
    Control* button = CreateButton(form, buttons[i])->SetPosition(lefts[i], 144)->SetSize(75, 25);
    button->Font()->SetFontHeight(1);
  }
  Control* memo =
      CreateEditBox(form, {EditOption::kMultiLine})->SetPosition(8, 176)->SetSize(363, 40);
  memo->SetText("多行编辑框：第一行\r\n第二行");
  for (Control* control : {folder, file, title, method, memo}) control->Font()->SetFontHeight(1);

  form->Center()->SetResizable(false);
  return RunForScreenshot(form);
}
