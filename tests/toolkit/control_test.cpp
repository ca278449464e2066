// Controls: what each kind is made of, sizes, texts and items, read back
// from the real windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::ClassNameOf;

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override { form_ = CreateForm(nullptr, "控件"); }
  void TearDown() override { Free(form_); }

  static DWORD WindowStyle(Control* control) {
    return static_cast<DWORD>(GetWindowLongPtrA(control->WindowHandle(), GWL_STYLE));
  }
  static DWORD WindowExStyle(Control* control) {
    return static_cast<DWORD>(GetWindowLongPtrA(control->WindowHandle(), GWL_EXSTYLE));
  }
  static RECT ClientBounds(Control* control) {
    RECT bounds{};
    HWND window = control->WindowHandle();
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  }

  Control* form_ = nullptr;
};

TEST_F(ControlTest, KindsGetTheirClassesStylesAndDefaultSizes) {
  Control* button = CreateButton(form_, "转化");
  Control* check = CreateCheckBox(form_, "以记事本打开");
  Control* label = CreateLabel(form_, "标题：");
  Control* panel = CreatePanel(form_, PanelEdge::kSunken);
  Control* edit = CreateEditBox(form_, {});
  Control* memo = CreateEditBox(form_, {EditOption::kMultiLine});
  Control* list =
      CreateComboBox(form_, {ComboOption::kDropDownList, ComboOption::kNoIntegralHeight});

  EXPECT_EQ(ClassNameOf(button->WindowHandle()), "obj_BUTTON");
  EXPECT_EQ(ClassNameOf(label->WindowHandle()), "obj_STATIC");
  EXPECT_EQ(ClassNameOf(edit->WindowHandle()), "obj_EDIT");
  EXPECT_EQ(ClassNameOf(list->WindowHandle()), "obj_COMBOBOX");
  EXPECT_EQ(ClassNameOf(form_->WindowHandle()), "obj_Form");

  EXPECT_EQ(check->Style(), 0x50010003u);
  EXPECT_EQ(label->Style(), 0x5000018cu | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  EXPECT_EQ(WindowStyle(check) & 0xFFFF000Fu, 0x50010003u);
  EXPECT_TRUE(WindowStyle(panel) & SS_SUNKEN);
  EXPECT_TRUE(panel->ExStyle() & WS_EX_CONTROLPARENT);

  // On a form the edits get the 3-D edge in place of the plain border.
  EXPECT_FALSE(WindowStyle(edit) & WS_BORDER);
  EXPECT_TRUE(WindowExStyle(edit) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(edit->IsBorder3D());
  EXPECT_FALSE(button->IsBorder3D());
  // A single-line box keeps the auto-scroll bits but no scroll bars.
  EXPECT_EQ(edit->Style() & (ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL),
            static_cast<std::uint32_t>(ES_AUTOHSCROLL | ES_AUTOVSCROLL));
  EXPECT_EQ(memo->Style() & (ES_MULTILINE | WS_HSCROLL | WS_VSCROLL),
            static_cast<std::uint32_t>(ES_MULTILINE | WS_HSCROLL | WS_VSCROLL));
  EXPECT_EQ(list->Style() & 3u, static_cast<std::uint32_t>(CBS_DROPDOWNLIST));
  EXPECT_TRUE(list->Style() & CBS_NOINTEGRALHEIGHT);

  EXPECT_EQ(button->Width(), 64);
  EXPECT_EQ(button->Height(), 22);
  EXPECT_EQ(check->Width(), 72);
  EXPECT_EQ(panel->Width(), 100);
  EXPECT_EQ(edit->Width(), 100);
  EXPECT_EQ(memo->Width(), 200);
  EXPECT_EQ(memo->Height(), 200);
  EXPECT_EQ(button->Left(), 2);
  EXPECT_EQ(button->Top(), 2);

  EXPECT_EQ(edit->NavigationKeys(), 13u);
  EXPECT_EQ(memo->NavigationKeys(), 1u);
  EXPECT_EQ(list->NavigationKeys(), 3u);
  EXPECT_EQ(CreateEditBox(form_, {EditOption::kWantTab})->NavigationKeys(), 12u);
}

TEST_F(ControlTest, PositionAndSizeReachTheWindowAndNonPositiveSizesKeepTheOld) {
  Control* button = CreateButton(form_, "退出")->SetPosition(88, 144)->SetSize(75, 25);
  RECT bounds = ClientBounds(button);
  EXPECT_EQ(bounds.left, 88);
  EXPECT_EQ(bounds.top, 144);
  EXPECT_EQ(bounds.right - bounds.left, 75);
  EXPECT_EQ(bounds.bottom - bounds.top, 25);

  button->SetSize(313, 0);
  EXPECT_EQ(button->Width(), 313);
  EXPECT_EQ(button->Height(), 25);
  button->SetSize(-5, 30);
  EXPECT_EQ(button->Width(), 313);
  EXPECT_EQ(button->Height(), 30);
  bounds = ClientBounds(button);
  EXPECT_EQ(bounds.right - bounds.left, 313);
  EXPECT_EQ(bounds.bottom - bounds.top, 30);
}

TEST_F(ControlTest, FormAskedForItsWindowComesUpHiddenUntilShown) {
  form_->SetSize(386, 212);
  HWND window = form_->WindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  Show(form_);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 386);
  EXPECT_EQ(outer.bottom - outer.top, 212);
  EXPECT_EQ(GetPropA(window, "SELF_"), form_);
}

TEST_F(ControlTest, CenterUsesScreenForFormsAndParentClientForChildren) {
  form_->SetSize(386, 212)->Center();
  EXPECT_EQ(form_->Left(), (GetSystemMetrics(SM_CXSCREEN) - 386) / 2);
  EXPECT_EQ(form_->Top(), (GetSystemMetrics(SM_CYSCREEN) - 212) / 2);
  Control* panel = CreatePanel(form_, PanelEdge::kNone)->SetSize(100, 50);
  RECT client{};
  GetClientRect(form_->WindowHandle(), &client);
  panel->Center();
  EXPECT_EQ(panel->Left(), (client.right - 100) / 2);
  EXPECT_EQ(panel->Top(), (client.bottom - 50) / 2);
}

TEST_F(ControlTest, AutoSizeFitsLabelsToTheirTextAndEmptyLabelsToOnePixel) {
  Control* empty = CreateLabel(form_, "")->SetAutoSize(true);
  EXPECT_EQ(empty->Width(), 1);
  EXPECT_EQ(empty->Height(), 1);

  Control* label = CreateLabel(form_, "个人收藏夹：")->SetAutoSize(true);
  HDC dc = GetDC(label->WindowHandle());
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label->WindowHandle(), WM_GETFONT, 0, 0)));
  SIZE text{};
  const std::string caption = "个人收藏夹：";
  GetTextExtentPoint32A(dc, caption.data(), static_cast<int>(caption.size()), &text);
  ReleaseDC(label->WindowHandle(), dc);
  EXPECT_EQ(label->Width(), text.cx + 1);
  EXPECT_EQ(label->Height(), text.cy + 1);

  // The text changes, the size follows.
  const int before = label->Width();
  label->SetText("标题：");
  EXPECT_LT(label->Width(), before);

  // A check box keeps its height and leaves room for the box.
  Control* check = CreateCheckBox(form_, "以记事本打开")->SetAutoSize(true);
  EXPECT_EQ(check->Height(), 22);
  EXPECT_GT(check->Width(), 24);
}

struct InkCount {
  int ink = 0;   // pixels the text touched
  int gray = 0;  // pixels between text and background: the text is smoothed
};

// Draws `text` black on white in `font` and counts what was drawn.
InkCount DrawAndCount(HFONT font, const char* text) {
  constexpr int kWidth = 120, kHeight = 60;
  InkCount count;
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    DeleteDC(dc);
    return count;
  }
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ old_font = SelectObject(dc, font);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 4, 4, text, static_cast<int>(std::strlen(text)));
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < kWidth * kHeight; ++i) {
    const std::uint32_t green = (pixels[i] >> 8) & 0xFF;
    if (green < 0xF0) ++count.ink;
    if (green >= 0x40 && green < 0xC0) ++count.gray;
  }
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return count;
}

// The smallest font a control can ask for: where the platform has no face
// for it, the stand-in must be tall enough and draw Chinese smoothed (drawn
// hinted in black and white at small sizes, its strokes break up).
TEST_F(ControlTest, TinyFontRequestStillGivesReadableText) {
  Control* label = CreateLabel(form_, "方式：");
  label->Font()->SetFontHeight(1);
  Control* button = CreateButton(form_, "是");
  button->Font()->SetFontHeight(1)->SetFontPitch(2);
  for (Control* control : {label, button}) {
    SCOPED_TRACE(control->StoredCaption());
    HWND window = control->WindowHandle();
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    EXPECT_GE(metrics.tmHeight, 8);
    const InkCount ink = DrawAndCount(font, "是否帮助");
    EXPECT_GT(ink.ink, 40);
    EXPECT_GT(ink.gray, 0);
  }
}

TEST_F(ControlTest, TextBeforeAndAfterTheWindowExists) {
  Control* edit = CreateEditBox(form_, {});
  edit->SetText("C:\\收藏夹");
  EXPECT_EQ(edit->GetText(), "C:\\收藏夹");
  edit->WindowHandle();
  EXPECT_EQ(edit->GetText(), "C:\\收藏夹");
  edit->AppendText("\\链接");
  EXPECT_EQ(edit->GetText(), "C:\\收藏夹\\链接");
  edit->Clear();
  EXPECT_EQ(edit->GetText(), "");
}

// A name the code page cannot hold shows its real character, whether the text
// came before the window or after, and reads back as the same bytes. What the
// controls hold is read as they paint it: the label's own window text, the
// edit's text from the platform's wide procedure (GetWindowTextW would go
// through the toolkit's ANSI procedure and narrow it).
TEST_F(ControlTest, TextWithReferencesShowsTheRealCharacters) {
  const std::string name = "笑脸 &#128512; &#38;#65;";
  const std::wstring shown = L"笑脸 \U0001F600 &#65;";
  Control* label = CreateLabel(form_, name);
  Control* edit = CreateEditBox(form_, {});
  edit->WindowHandle();
  edit->SetText(name);

  wchar_t text[64] = {};
  InternalGetWindowText(label->WindowHandle(), text, 64);
  EXPECT_EQ(std::wstring(text), shown);
  WNDCLASSW platform{};
  ASSERT_TRUE(GetClassInfoW(nullptr, L"EDIT", &platform));
  CallWindowProcW(platform.lpfnWndProc, edit->WindowHandle(), WM_GETTEXT, 64,
                  reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), shown);

  EXPECT_EQ(label->GetText(), name);
  EXPECT_EQ(edit->GetText(), name);
  edit->SetText("C:\\收藏夹");
  EXPECT_EQ(edit->GetText(), "C:\\收藏夹");
}

TEST_F(ControlTest, ComboBoxItems) {
  Control* list = CreateComboBox(form_, {ComboOption::kDropDownList});
  EXPECT_EQ(list->ItemCount(), 0);
  list->AppendText("URL 地址");
  EXPECT_EQ(list->GetSelectedIndex(), 0);  // the first item becomes the selected one
  list->AppendText("超链接标题");
  list->AppendText("仅超链接");
  EXPECT_EQ(list->GetSelectedIndex(), 0);
  list->SetSelectedIndex(1);
  EXPECT_EQ(list->GetSelectedIndex(), 1);
  EXPECT_EQ(list->GetText(), "超链接标题");
  EXPECT_EQ(list->ItemCount(), 3);
  EXPECT_EQ(list->GetItem(2), "仅超链接");

  list->SetItem(1, "标题");
  EXPECT_EQ(list->ItemCount(), 3);
  EXPECT_EQ(list->GetItem(1), "标题");
  list->SetItem(3, "追加");  // the item count itself appends
  EXPECT_EQ(list->GetItem(3), "追加");
  list->SetItem(9, "越界");  // beyond that nothing changes
  EXPECT_EQ(list->ItemCount(), 4);
  EXPECT_EQ(list->GetItem(9), "");

  list->Clear();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(list->GetSelectedIndex(), -1);

  Control* empty = CreateComboBox(form_, {ComboOption::kDropDownList});
  empty->SetItem(0, "零")->SetItem(1, "一")->SetItem(2, "二");
  EXPECT_EQ(empty->ItemCount(), 3);
  EXPECT_EQ(empty->GetItem(0), "零");
  EXPECT_EQ(empty->GetItem(2), "二");
}

TEST_F(ControlTest, MultiLineEditLinesAreItemsWithoutTheirBreaks) {
  Control* memo = CreateEditBox(form_, {EditOption::kMultiLine})->SetVisible(false);
  EXPECT_EQ(memo->ItemCount(), 1);  // an empty box has one line
  EXPECT_EQ(memo->GetItem(0), "");
  memo->SetText("<HTML>\r\n<TITLE>收藏</TITLE>\r\n\r\nend");
  EXPECT_EQ(memo->ItemCount(), 4);
  EXPECT_EQ(memo->GetItem(0), "<HTML>");
  EXPECT_EQ(memo->GetItem(1), "<TITLE>收藏</TITLE>");
  EXPECT_EQ(memo->GetItem(2), "");
  EXPECT_EQ(memo->GetItem(3), "end");
  EXPECT_EQ(memo->GetItem(4), "");  // no such line
  EXPECT_EQ(memo->GetItem(-1), "");

  // Lines too long for the size word of the line request come whole.
  const std::string long_line(70000, 'x');
  memo->SetText("a\r\n" + long_line + "\r\nz");
  EXPECT_TRUE(memo->GetItem(1) == long_line);
  EXPECT_EQ(memo->GetItem(2), "z");
}

TEST_F(ControlTest, CheckBoxState) {
  Control* check = CreateCheckBox(form_, "以记事本打开");
  EXPECT_FALSE(check->IsChecked());
  check->SetChecked(true);
  EXPECT_TRUE(check->IsChecked());
  SendMessageA(check->WindowHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->IsChecked());
}

TEST_F(ControlTest, ControlIdentifiersKeepRisingAcrossForms) {
  const int first = NextControlId();
  EXPECT_GE(first, 0x8000);
  Control* a = CreateButton(form_, "a");
  Control* other = CreateForm(nullptr, "另一个");
  Control* b = CreateLabel(other, "b");
  Free(other);
  Control* c = CreateEditBox(form_, {});
  EXPECT_EQ(a->ControlId(), first);
  EXPECT_EQ(b->ControlId(), first + 1);
  EXPECT_EQ(c->ControlId(), first + 2);
  EXPECT_EQ(GetDlgCtrlID(c->WindowHandle()), first + 2);
}

TEST_F(ControlTest, FixedFrameKeepsTheSizeAndDisablesResizingHits) {
  form_->SetSize(386, 212)->SetStyle(form_->Style() & ~WS_MAXIMIZEBOX)->SetResizable(false);
  HWND window = form_->WindowHandle();
  EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongPtrA(window, GWL_STYLE) & WS_MAXIMIZEBOX);
  MINMAXINFO info{};
  SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 386);
  EXPECT_EQ(info.ptMaxTrackSize.y, 212);
  RECT outer{};
  GetWindowRect(window, &outer);
  const LRESULT hit =
      SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(outer.right - 1, outer.bottom - 1));
  EXPECT_EQ(hit, HTBORDER);
}

TEST_F(ControlTest, VisibilityAndStylesSetAfterCreation) {
  Control* memo = CreateEditBox(form_, {EditOption::kMultiLine})->SetVisible(false);
  EXPECT_FALSE(WindowStyle(memo) & WS_VISIBLE);
  Control* button = CreateButton(form_, "关于");
  button->WindowHandle();
  button->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(button->ExistingWindow()));
  button->SetBorder3D(false);
  EXPECT_TRUE(WindowStyle(button) & WS_BORDER);
  EXPECT_FALSE(WindowStyle(button) & WS_VISIBLE);  // the style change keeps it hidden
}

}  // namespace
}  // namespace linkshelf
