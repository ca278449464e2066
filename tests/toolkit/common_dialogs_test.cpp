// The file, folder and message dialogs: the records handed to the platform,
// and real dialogs answered from a timer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/toolkit/window_test_support.h"
#include "toolkit/open_save_record.h"
#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

using window_test::WhenWindowAppears;

std::string Pairs(const char* list) {
  // A double-zero-terminated list back as "a;b;" for comparing.
  std::string out;
  for (const char* p = list; *p; p += std::strlen(p) + 1) out += std::string(p) + ";";
  return out;
}

TEST(OpenSaveDialogTest, FilterBarsBecomeZerosExceptALeadingOne) {
  EXPECT_EQ(Pairs(ConvertFilter("HTML 文件 |*.htm*").c_str()), "HTML 文件 ;*.htm*;");
  EXPECT_EQ(Pairs(ConvertFilter("|*.txt|All|*.*").c_str()), "|*.txt;All;*.*;");
  // 0x7C is also the second byte of some double-byte characters: it stays.
  const std::string with_trail_bar = "\x81\x7C|*.x";
  EXPECT_EQ(Pairs(ConvertFilter(with_trail_bar).c_str()), "\x81\x7C;*.x;");
}

TEST(OpenSaveDialogTest, MainWindowSaveDialogRecord) {
  auto* dialog =
      CreateOpenSaveDialog("", "",
                           {OpenSaveOption::kFileMustExist, OpenSaveOption::kHideReadOnly,
                            OpenSaveOption::kPathMustExist});
  dialog->Filter = "HTML 文件 |*.htm*";
  dialog->IsOpenDialog = false;
  dialog->DefaultExtension = "htm";
  dialog->FileName = "mybook.htm";
  OpenSaveRecord run;
  FillOpenSaveRecord(*dialog, nullptr, run);
  EXPECT_EQ(run.record.Flags, 0x281804u);
  EXPECT_EQ(run.record.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
  EXPECT_EQ(run.record.nMaxFile, 262u);
  EXPECT_STREQ(run.record.lpstrFile, "mybook.htm");
  EXPECT_STREQ(run.record.lpstrDefExt, "htm");
  EXPECT_EQ(run.record.lpstrInitialDir, nullptr);
  EXPECT_EQ(run.record.lpstrTitle, nullptr);
  EXPECT_EQ(Pairs(run.record.lpstrFilter), "HTML 文件 ;*.htm*;");
  EXPECT_EQ(run.record.lCustData, reinterpret_cast<LPARAM>(dialog));

  dialog->DialogOptions = {};
  EXPECT_EQ(OpenSaveFlags(dialog->DialogOptions),
            static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT |
                               OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES));
  Free(dialog);
}

TEST(OpenSaveDialogTest, LongProposedNameIsCutToFitTheBuffer) {
  OpenSaveDialog dialog;
  dialog.FileName = std::string(300, 'a');
  OpenSaveRecord run;
  FillOpenSaveRecord(dialog, nullptr, run);
  EXPECT_EQ(std::strlen(run.record.lpstrFile), 261u);

  // A cut that would split a double-byte character leaves it out whole.
  dialog.FileName = std::string(260, 'a') + "文件";
  FillOpenSaveRecord(dialog, nullptr, run);
  EXPECT_EQ(std::strlen(run.record.lpstrFile), 260u);

  dialog.DialogOptions = {OpenSaveOption::kAllowMultiSelect};
  FillOpenSaveRecord(dialog, nullptr, run);
  EXPECT_EQ(run.record.nMaxFile, 65520u);
  EXPECT_EQ(std::strlen(run.record.lpstrFile), dialog.FileName.size());
}

TEST(OpenSaveDialogTest, CancelEmptiesTheFileName) {
  auto* dialog = CreateOpenSaveDialog("选择文件", "", {OpenSaveOption::kPathMustExist});
  dialog->IsOpenDialog = false;
  dialog->FileName = "mybook.htm";
  std::string title;
  WhenWindowAppears("#32770", [&](HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    title = text;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ExecuteOpenSaveDialog(dialog));
  EXPECT_EQ(title, "选择文件");
  EXPECT_EQ(dialog->FileName, "");
  Free(dialog);
}

TEST(FolderBrowseDialogTest, InitialFolderCentresAndPreselects) {
  auto* dialog = CreateFolderBrowseDialog("", {});
  SetCenterOnScreen(dialog, true);
  SetInitialFolder(dialog, "C:\\windows");
  bool centred = false;
  WhenWindowAppears("#32770", [&](HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    centred = bounds.left == (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2 &&
              bounds.top == (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(ExecuteFolderBrowseDialog(dialog));
  EXPECT_TRUE(centred);
  EXPECT_STRCASEEQ(SelectedFolder(dialog).c_str(), "C:\\windows");
  Free(dialog);
}

TEST(ShowMessageTest, BoxIsCaptionedWithTheApplicationWindow) {
  Control* form = CreateForm(nullptr, "Linkshelf 1.1");
  std::string caption, text;
  window_test::RunInsideApplication(form, [&] {
    WhenWindowAppears("#32770", [&](HWND box) {
      char buffer[256] = {};
      GetWindowTextA(box, buffer, sizeof buffer);
      caption = buffer;
      HWND static_text = GetDlgItem(box, 0xFFFF);
      GetWindowTextA(static_text, buffer, sizeof buffer);
      text = buffer;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ShowMessage("文件 page.htm 未找到！程序出错。");
  });
  EXPECT_EQ(caption, "Linkshelf 1.1");
  EXPECT_EQ(text, "文件 page.htm 未找到！程序出错。");
}

}  // namespace
}  // namespace linkshelf
