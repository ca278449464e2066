// The real main window under Wine: start-up, settings, convert, import, the
// dialogs and the keyboard, driven through window messages.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

#include "../support/temp_folder.h"
#include "app/about_box.h"
#include "app/replace_dialogs.h"
#include "export/page_header.h"
#include "registry_fixture.h"
#include "runtime/system.h"
#include "window_driver.h"

namespace linkshelf {
namespace {

std::string Stored(const char* name) {
  const RawValue value = GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, name);
  if (!value.exists) return "<missing>";
  return value.bytes.substr(0, value.bytes.find('\0'));
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Contains(const std::vector<std::string>& texts, const std::string& wanted) {
  for (const std::string& text : texts)
    if (text.find(wanted) != std::string::npos) return true;
  return false;
}

class MainWindowTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    services_.registry = registry_.get();
    services_.files = files_.get();
    services_.collation = collation_.get();
    services_.program_path = temp_.path() + "linkshelf.exe";
    services_.shell_open = [this](const std::string& file, const std::string& parameters,
                                  const std::string& folder) {
      opened_.push_back({file, parameters, folder});
    };
  }

  // A Favorites tree with two shortcuts, A and B, in a folder of its own.
  std::string MakeFavorites() {
    const std::string root = temp_.path() + "Favorites\\";
    CreateDirectoryA(root.c_str(), nullptr);
    WriteWholeFile(root + "A.url", "[InternetShortcut]\r\nURL=http://a.example.org/\r\n");
    WriteWholeFile(root + "B.url", "[InternetShortcut]\r\nURL=http://b.example.org/\r\n");
    return root;
  }

  TempFolder temp_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  std::unique_ptr<Collation> collation_ = MakeSystemCollation();
  AppServices services_;
  RefusingRegistry stand_in_;  // for the tests that count or refuse registry writes
  std::vector<std::array<std::string, 3>> opened_;
};

TEST_F(MainWindowTest, FreshStartShowsDefaultsWritesTheVerbAndSavesAllFourAtClose) {
  const std::string favorites =
      GetShellFolder(*registry_, ShellFolderHive::kCurrentUser, "Favorites");
  RunMainWindow(services_, [&](MainWindow& window) {
    EXPECT_EQ(window.FavoritesEdit->GetText(), favorites);
    EXPECT_EQ(window.FavoritesEdit->GetText().back(), '\\');
    EXPECT_EQ(window.OutputFileEdit->GetText(), temp_.path() + "mybook.htm");
    EXPECT_EQ(window.TitleEdit->GetText(), "我的收藏夹列表");
    EXPECT_EQ(window.MethodList->GetSelectedIndex(), 1);
    EXPECT_EQ(window.MethodList->GetItem(1), "超链接标题");
    EXPECT_FALSE(window.NotepadBox->IsChecked());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKeyPath));
    EXPECT_EQ(Stored(kTitleValue), "<missing>");  // nothing is written before the close
    Click(window.ExitButton);
    ServePendingMessages();
  });
  EXPECT_EQ(Stored(kOutputFileNameValue), temp_.path() + "mybook.htm");
  EXPECT_EQ(Stored(kTitleValue), "我的收藏夹列表");
  EXPECT_EQ(Stored(kMethodValue), "1");
  EXPECT_EQ(Stored(kOpenWithNotepadValue), "0");
  EXPECT_EQ(GetRawValue(HKEY_CLASSES_ROOT, kFolderVerbKeyPath, "").bytes,
            std::string("Open with Linkshelf") + '\0');
  EXPECT_EQ(GetRawValue(HKEY_CLASSES_ROOT, std::string(kFolderVerbKeyPath) + "\\command", "").bytes,
            services_.program_path + " \"%1\"" + '\0');
}

TEST_F(MainWindowTest, StoredSettingsFillTheControlsAndComeBackNormalised) {
  struct Case {
    const char* method;
    const char* notepad;
    int shown_index;
    bool ticked;
    const char* saved_method;
    const char* saved_notepad;
  };
  for (const Case& c :
       {Case{"2", "", 2, true, "2", "1"}, Case{"7", "0", -1, false, "-1", "0"},
        Case{"", "word", 1, true, "1", "1"}, Case{"-1", "1", -1, true, "-1", "1"}}) {
    SCOPED_TRACE(std::string("Method \"") + c.method + "\", OpenWithNotepad \"" + c.notepad + '"');
    SetTextValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kMethodValue, c.method);
    SetTextValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOpenWithNotepadValue, c.notepad);
    SetTextValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOutputFileNameValue, "");
    RunMainWindow(services_, [&](MainWindow& window) {
      EXPECT_EQ(window.MethodList->GetSelectedIndex(), c.shown_index);
      EXPECT_EQ(window.NotepadBox->IsChecked(), c.ticked);
      EXPECT_EQ(window.OutputFileEdit->GetText(), "");  // stored empty: the default is not used
    });
    EXPECT_EQ(Stored(kMethodValue), c.saved_method);
    EXPECT_EQ(Stored(kOpenWithNotepadValue), c.saved_notepad);
    EXPECT_EQ(Stored(kOutputFileNameValue), "");
  }
}

TEST_F(MainWindowTest, TitleOfAnotherTypeStartsWithTheDefaultAndIsRepairedAtClose) {
  const DWORD number = 5;
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTitleValue, REG_DWORD, &number, sizeof number);
  RunMainWindow(services_, [](MainWindow& window) {
    EXPECT_EQ(window.TitleEdit->GetText(), "我的收藏夹列表");
  });
  EXPECT_EQ(GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTitleValue).type,
            static_cast<DWORD>(REG_SZ));
}

TEST_F(MainWindowTest, FolderArgumentIsShownAsGivenAndNeverSaved) {
  services_.folder_argument = "D:\\My Links";
  RunMainWindow(services_, [](MainWindow& window) {
    EXPECT_EQ(window.FavoritesEdit->GetText(), "D:\\My Links");
    window.TitleEdit->SetText("Links");
  });
  for (const char* name : {kOutputFileNameValue, kTitleValue, kMethodValue, kOpenWithNotepadValue})
    EXPECT_EQ(Stored(name).find("My Links"), std::string::npos) << name;
  EXPECT_EQ(Stored(kTitleValue), "Links");

  services_.folder_argument.reset();
  RunMainWindow(services_, [&](MainWindow& window) {
    EXPECT_EQ(window.FavoritesEdit->GetText(),
              GetShellFolder(*registry_, ShellFolderHive::kCurrentUser, "Favorites"));
    EXPECT_EQ(window.TitleEdit->GetText(), "Links");
  });
}

TEST_F(MainWindowTest, SettingsAreSavedOnceHoweverTheCloseArrives) {
  RefusingRegistry& counting = stand_in_;
  services_.registry = &counting;
  using Close = void (*)(MainWindow&);
  const Close closes[] = {[](MainWindow& window) {  // the exit button, then the close box as well
                            Click(window.ExitButton);
                            SendMessageA(window.Window->WindowHandle(), WM_CLOSE, 0, 0);
                          },
                          [](MainWindow& window) {  // Windows logging the user off
                            SendMessageA(window.Window->WindowHandle(), WM_QUERYENDSESSION, 0, 0);
                            SendMessageA(window.Window->WindowHandle(), WM_ENDSESSION, TRUE, 0);
                          }};
  for (Close close : closes) {
    RunMainWindow(services_, [&](MainWindow& window) {
      counting.writes = 0;  // the folder verb written at start does not count
      window.TitleEdit->SetText("closing");
      close(window);
      ServePendingMessages();
    });
    EXPECT_EQ(counting.writes, 4);
    EXPECT_EQ(Stored(kTitleValue), "closing");
    RemoveProgramKeys();
  }
}

TEST_F(MainWindowTest, RefusingRegistryLeavesInitialValuesAndTheProgramRuns) {
  stand_in_.refused_hives = {HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_CURRENT_USER};
  services_.registry = &stand_in_;
  bool ran = false;
  RunMainWindow(services_, [&](MainWindow& window) {
    ran = true;
    EXPECT_EQ(window.FavoritesEdit->GetText(), "");
    EXPECT_EQ(window.OutputFileEdit->GetText(), "");
    EXPECT_EQ(window.TitleEdit->GetText(), "");
    EXPECT_EQ(window.MethodList->GetSelectedIndex(), 1);
    EXPECT_FALSE(window.NotepadBox->IsChecked());
  });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKeyPath));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kFolderVerbKeyPath));
}

TEST_F(MainWindowTest, ConvertAsksBeforeReplacingAnExistingPageAndKeepsItOnNo) {
  const std::string root = MakeFavorites();
  const std::string page = temp_.path() + "page.htm";
  WriteWholeFile(page, "old page");
  RunMainWindow(services_, [&](MainWindow& window) {
    window.FavoritesEdit->SetText(root);
    window.OutputFileEdit->SetText(page);
    {
      DialogAnswerer answers({"否"});
      Click(window.ConvertButton);
      ASSERT_EQ(answers.seen().size(), 1u);
      const DialogSeen& seen = answers.seen()[0];
      EXPECT_EQ(seen.caption, kReplaceFileCaption);
      EXPECT_TRUE(Contains(seen.texts, page));
      EXPECT_TRUE(Contains(seen.texts, "8 bytes"));
      EXPECT_EQ(seen.focus_text, "是");
    }
    EXPECT_EQ(ReadWholeFile(page), "old page");
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(FocusedControl(window), window.ConvertButton);

    DialogAnswerer answers({"是"});
    Click(window.ConvertButton);
  });
  const std::string written = ReadWholeFile(page);
  EXPECT_EQ(written.rfind("<html>\r\n", 0), 0u);
  EXPECT_NE(written.find("http://a.example.org/"), std::string::npos);
  EXPECT_NE(written.find("<title>我的收藏夹列表</title>"), std::string::npos);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (std::array<std::string, 3>{page, "", ""}));
}

TEST_F(MainWindowTest, ConvertReadsTheControlsAtTheClick) {
  const std::string root = MakeFavorites();
  RunMainWindow(services_, [&](MainWindow& window) {
    window.FavoritesEdit->SetText(root);
    window.OutputFileEdit->SetText("list.txt");  // no folder: completed with the program's
    window.MethodList->SetSelectedIndex(0);
    window.NotepadBox->SetChecked(true);
    Click(window.ConvertButton);
    EXPECT_EQ(window.OutputFileEdit->GetText(), temp_.path() + "list.txt");
  });
  EXPECT_EQ(ReadWholeFile(temp_.path() + "list.txt").find("<html>"), std::string::npos);
  EXPECT_NE(ReadWholeFile(temp_.path() + "list.txt").find("http://b.example.org/"),
            std::string::npos);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (std::array<std::string, 3>{"notepad.exe", temp_.path() + "list.txt", ""}));
  EXPECT_EQ(Stored(kOutputFileNameValue), temp_.path() + "list.txt");
}

TEST_F(MainWindowTest, ConvertOfATreeWithoutLinksSaysSoAndWritesNothing) {
  const std::string root = temp_.path() + "Empty\\";
  CreateDirectoryA(root.c_str(), nullptr);
  RunMainWindow(services_, [&](MainWindow& window) {
    window.FavoritesEdit->SetText(root);
    window.OutputFileEdit->SetText(temp_.path() + "page.htm");
    DialogAnswerer answers({""});
    Click(window.ConvertButton);
    ASSERT_EQ(answers.seen().size(), 1u);
    EXPECT_TRUE(Contains(answers.seen()[0].texts, NoLinksMessage(root)));
  });
  EXPECT_FALSE(files_->FileExists(temp_.path() + "page.htm"));
  EXPECT_TRUE(opened_.empty());
}

class ImportThroughWindowTest : public MainWindowTest {
 protected:
  // Exports the two-link tree, then changes both shortcuts so that the import
  // finds them in its way.
  void SetUp() override {
    MainWindowTest::SetUp();
    root_ = MakeFavorites();
    page_ = temp_.path() + "page.htm";
    RunMainWindow(services_, [&](MainWindow& window) {
      window.FavoritesEdit->SetText(root_);
      window.OutputFileEdit->SetText(page_);
      Click(window.ConvertButton);
    });
    ASSERT_TRUE(files_->FileExists(page_));
    WriteWholeFile(root_ + "A.url", "[InternetShortcut]\r\nURL=http://old-a.example.org/\r\n");
    WriteWholeFile(root_ + "B.url", "[InternetShortcut]\r\nURL=http://old-b.example.org/\r\n");
  }

  // Imports the page into the root with these answers; the dialogs seen.
  std::vector<DialogSeen> Import(std::vector<std::string> answers) {
    std::vector<DialogSeen> seen;
    RunMainWindow(services_, [&](MainWindow& window) {
      window.FavoritesEdit->SetText(root_);
      window.OutputFileEdit->SetText(page_);
      DialogAnswerer answerer(std::move(answers));
      Click(window.OptionsButton);
      seen = answerer.seen();
      EXPECT_EQ(FocusedControl(window), window.OptionsButton);
    });
    return seen;
  }

  bool Replaced(const char* name, const char* host) {
    return ReadWholeFile(root_ + name).find(std::string("URL=http://") + host + ".example.org/") !=
           std::string::npos;
  }

  std::string root_;
  std::string page_;
};

TEST_F(ImportThroughWindowTest, YesReplacesAndNoKeepsEachShortcut) {
  const auto seen = Import({"是", "否"});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, kReplaceShortcutCaption);
  EXPECT_EQ(seen[0].focus_text, "是");
  EXPECT_TRUE(Contains(seen[0].texts, "http://a.example.org/"));
  EXPECT_TRUE(Contains(seen[0].texts, "A.url"));
  EXPECT_TRUE(Contains(seen[0].texts, "http://old-a.example.org/"));
  EXPECT_TRUE(Replaced("A.url", "a"));
  EXPECT_TRUE(Replaced("B.url", "old-b"));
}

TEST_F(ImportThroughWindowTest, YesToAllReplacesTheRestWithoutAsking) {
  EXPECT_EQ(Import({"全部确定"}).size(), 1u);
  EXPECT_TRUE(Replaced("A.url", "a"));
  EXPECT_TRUE(Replaced("B.url", "b"));
}

TEST_F(ImportThroughWindowTest, CancelStopsTheImport) {
  EXPECT_EQ(Import({"取消"}).size(), 1u);
  EXPECT_TRUE(Replaced("A.url", "old-a"));
  EXPECT_TRUE(Replaced("B.url", "old-b"));
}

TEST_F(ImportThroughWindowTest, ACloseRequestCountsAsNo) {
  EXPECT_EQ(Import({"", "是"}).size(), 2u);
  EXPECT_TRUE(Replaced("A.url", "old-a"));
  EXPECT_TRUE(Replaced("B.url", "b"));
}

TEST_F(MainWindowTest, ImportOfAMissingPageSaysSoAndWritesNothing) {
  const std::string root = temp_.path() + "Target\\";
  RunMainWindow(services_, [&](MainWindow& window) {
    window.FavoritesEdit->SetText(root);
    window.OutputFileEdit->SetText(temp_.path() + "missing.htm");
    DialogAnswerer answers({""});
    Click(window.OptionsButton);
    ASSERT_EQ(answers.seen().size(), 1u);
    EXPECT_EQ(answers.seen()[0].caption, kMainWindowCaption);
    EXPECT_TRUE(Contains(answers.seen()[0].texts, "文件 missing.htm 未找到！程序出错。"));
  });
  EXPECT_FALSE(files_->FolderExists(root));
}

TEST_F(MainWindowTest, ImportReadsABrowserFileByItsFirstLine) {
  const std::string root = temp_.path() + "Target\\";
  WriteWholeFile(
      temp_.path() + "bookmarks.html",
      "<!DOCTYPE "
      "NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>\xE5\xB7\xA5\xE5\x85\xB7</H3>\n<DL><p>\n"
      "<DT><A HREF=\"https://a.example.org/\">A</A>\n</DL><p>\n</DL><p>\n");
  RunMainWindow(services_, [&](MainWindow& window) {
    window.FavoritesEdit->SetText(root);
    window.OutputFileEdit->SetText(temp_.path() + "bookmarks.html");
    DialogAnswerer answers({});
    Click(window.OptionsButton);
    EXPECT_TRUE(answers.seen().empty());
  });
  // The folder's name comes from UTF-8 into the code page.
  EXPECT_TRUE(files_->FileExists(root + "\xB9\xA4\xBE\xDF\\A.url"));
}

TEST_F(MainWindowTest, TabVisitsTheControlsInCreationOrderAndWraps) {
  RunMainWindow(services_, [](MainWindow& window) {
    Activate(window.ConvertButton);
    const std::vector<Control*> order = {window.ExitButton,
                                         window.OptionsButton,
                                         window.AboutButton,
                                         window.FavoritesEdit,
                                         window.BrowseFavoritesButton,
                                         window.OutputFileEdit,
                                         window.BrowseOutputButton,
                                         window.TitleEdit,
                                         window.MethodList,
                                         window.NotepadBox,
                                         window.ConvertButton};
    for (Control* expected : order) {
      PressKey(VK_TAB);
      EXPECT_EQ(FocusedControl(window), expected) << "after tab order " << expected->TabOrder() - 1;
    }
  });
}

TEST_F(MainWindowTest, AboutBoxShowsItsTextsAndGivesTheFocusBackToAboutButton) {
  RunMainWindow(services_, [](MainWindow& window) {
    for (const char* answer : {"确定", ""}) {  // OK, then the title-bar close box
      Activate(window.ConvertButton);
      DialogAnswerer answers({answer});
      Click(window.AboutButton);
      ASSERT_EQ(answers.seen().size(), 1u);
      const DialogSeen& seen = answers.seen()[0];
      EXPECT_EQ(seen.caption, kAboutCaption);
      EXPECT_EQ(seen.focus_text, "确定");
      EXPECT_TRUE(Contains(seen.texts, kProductLabelText));
      EXPECT_TRUE(Contains(seen.texts, kHomePageAddress));
      EXPECT_TRUE(Contains(seen.texts, kSecondHomePage));
      EXPECT_EQ(FocusedControl(window), window.AboutButton);
      EXPECT_TRUE(window.ConvertButton->IsEnabled());
    }
  });
}

TEST_F(MainWindowTest, WindowIsCentredAndCannotBeResizedOrMaximised) {
  RunMainWindow(services_, [](MainWindow& window) {
    HWND handle = window.Window->WindowHandle();
    EXPECT_EQ(GetWindowLongPtrA(handle, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    RECT bounds{};
    GetWindowRect(handle, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, kMainWindowWidth);
    EXPECT_EQ(bounds.bottom - bounds.top, kMainWindowHeight);
    EXPECT_NEAR(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2, 1);

    MINMAXINFO limits{};
    SendMessageA(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, kMainWindowWidth);
    EXPECT_EQ(limits.ptMaxTrackSize.x, kMainWindowWidth);
    EXPECT_EQ(limits.ptMinTrackSize.y, kMainWindowHeight);
    EXPECT_EQ(limits.ptMaxTrackSize.y, kMainWindowHeight);
  });
}

TEST_F(MainWindowTest, CancelledFolderBrowserLeavesTheRootAsItWas) {
  for (const std::string& root : {temp_.path(), std::string("Q:\\No Such Folder")}) {
    RunMainWindow(services_, [&](MainWindow& window) {
      window.FavoritesEdit->SetText(root);
      DialogAnswerer answers({""});
      Click(window.BrowseFavoritesButton);
      EXPECT_EQ(answers.seen().size(), 1u);
      EXPECT_EQ(window.FavoritesEdit->GetText(), root);
    });
  }
}

TEST_F(MainWindowTest, PageDialogProposesTheNameOnlyInAnExistingFolder) {
  RunMainWindow(services_, [&](MainWindow& window) {
    window.OutputFileEdit->SetText(temp_.path() + "proposed.htm");
    {
      DialogAnswerer answers({""});
      Click(window.BrowseOutputButton);
      ASSERT_EQ(answers.seen().size(), 1u);
      EXPECT_TRUE(Contains(answers.seen()[0].texts, "proposed.htm"));
    }
    EXPECT_EQ(window.OutputFileEdit->GetText(), temp_.path() + "proposed.htm");  // cancelled

    window.OutputFileEdit->SetText("Q:\\Missing\\elsewhere.htm");
    DialogAnswerer answers({""});
    Click(window.BrowseOutputButton);
    ASSERT_EQ(answers.seen().size(), 1u);
    EXPECT_FALSE(Contains(answers.seen()[0].texts, "elsewhere.htm"));
    EXPECT_EQ(window.OutputFileEdit->GetText(), "Q:\\Missing\\elsewhere.htm");
  });
}

TEST_F(MainWindowTest, CaptionsOpenTheFolderOfTheirOwnRow) {
  RunMainWindow(services_, [this](MainWindow& window) {
    window.FavoritesEdit->SetText("D:\\Links");
    window.OutputFileEdit->SetText("C:\\Pages\\mybook.htm");
    SendMessageA(window.FavoritesCaption->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window.FavoritesCaption->WindowHandle(), WM_LBUTTONUP, 0, 0);
    SendMessageA(window.OutputCaption->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window.OutputCaption->WindowHandle(), WM_LBUTTONUP, 0, 0);
    ServePendingMessages();
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0][0], "D:\\");
    EXPECT_EQ(opened_[1][0], "C:\\Pages\\");
  });
}

}  // namespace
}  // namespace linkshelf
