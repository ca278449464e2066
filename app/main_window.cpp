#include "app/main_window.h"

#include "export/page_header.h"

namespace linkshelf {

namespace {

// Calls a handler of the main window from a toolkit event slot.
template <void (*Handler)(MainWindow&)>
void Forward(void* context, Control*) {
  Handler(*static_cast<MainWindow*>(context));
}

void CloseRequested(void* context, Control*, bool& accept) {
  SaveSettings(*static_cast<MainWindow*>(context));
  accept = true;
}

// The small dialog face: height 1 lets the system pick the face's smallest size.
Control* SmallFont(Control* control) {
  control->Font()->SetFontHeight(1);
  return control;
}

Control* AddButton(Control* parent, const char* caption, int left, int top, int width, int height) {
  return SmallFont(CreateButton(parent, caption)->SetPosition(left, top)->SetSize(width, height));
}

Control* AddCaption(Control* panel, const char* caption, int left, int top) {
  return SmallFont(
      CreateLabel(panel, caption)->SetPosition(left, top)->SetAutoSize(true)->SetTransparent(true));
}

Control* AddLineEdit(Control* panel, int left, int top, int width) {
  return SmallFont(
      CreateEditBox(panel, {})->SetPosition(left, top)->SetSize(width, 0)->SetBackColor(
          kWindowColor));
}

// A multi-line edit outside the window's area: a text store, never seen.
Control* AddHiddenMemo(Control* form, int left, int top) {
  return CreateEditBox(form, {EditOption::kMultiLine})
      ->SetPosition(left, top)
      ->SetBackColor(kWindowColor)
      ->SetVisible(false);
}

void BuildDialogs(MainWindow& window) {
  window.FolderDialog = CreateFolderBrowseDialog("", {});
  SetCenterOnScreen(window.FolderDialog, true);
  AddAutoFree(window.Window, window.FolderDialog);

  window.PageFileDialog =
      CreateOpenSaveDialog("", "",
                           {OpenSaveOption::kFileMustExist, OpenSaveOption::kHideReadOnly,
                            OpenSaveOption::kPathMustExist});
  window.PageFileDialog->Filter = "HTML 文件 |*.htm*";
  window.PageFileDialog->IsOpenDialog = false;
  window.PageFileDialog->DefaultExtension = "htm";
  AddAutoFree(window.Window, window.PageFileDialog);
}

// The controls in creation order, which is also their tab order.
void BuildControls(MainWindow& window) {
  Control* form = window.Window;
  window.ConvertButton = AddButton(form, "转化", 8, 144, 75, 25);
  window.ExitButton = AddButton(form, "退出", 88, 144, 75, 25);
  window.OptionsButton = AddButton(form, "选项", 216, 144, 75, 25);
  window.AboutButton = AddButton(form, "关于", 296, 144, 75, 25);
  window.PageBufferMemo = AddHiddenMemo(form, 584, 487);

  Control* panel = CreatePanel(form, PanelEdge::kSunken)->SetPosition(4, 4)->SetSize(369, 133);
  window.SettingsPanel = panel;
  window.FavoritesCaption = AddCaption(panel, "个人收藏夹：", 15, 18);
  window.OutputCaption = AddCaption(panel, "文件保存到：", 15, 42);
  window.TitleCaption = AddCaption(panel, "标题：", 15, 74);
  window.MethodCaption = AddCaption(panel, "方式：", 15, 98);
  window.FavoritesEdit = AddLineEdit(panel, 103, 15, 217);
  window.BrowseFavoritesButton = AddButton(panel, ",,,", 327, 15, 24, 21);
  window.OutputFileEdit = AddLineEdit(panel, 103, 39, 217);
  window.BrowseOutputButton = AddButton(panel, ",,,", 327, 39, 24, 21);
  window.TitleEdit = AddLineEdit(panel, 103, 71, 249);

  window.MethodList =
      SmallFont(CreateComboBox(panel, {ComboOption::kDropDownList, ComboOption::kNoIntegralHeight})
                    ->SetPosition(103, 95)
                    ->SetSize(121, 0)
                    ->SetBackColor(kWindowColor));
  for (const char* method : {"URL 地址", "超链接标题", "仅超链接"})
    window.MethodList->AppendText(method);
  window.MethodList->SetSelectedIndex(1);

  window.NotepadBox =
      SmallFont(CreateCheckBox(panel, "以记事本打开")->SetPosition(231, 96)->SetAutoSize(true));
  window.HeaderMemo = AddHiddenMemo(form, 696, 463)->SetText(HeaderTemplateText());
}

void AttachHandlers(MainWindow& window) {
  window.Window->OnClose.Set(CloseRequested, &window);
  window.Window->OnShow.Set(Forward<StartUp>, &window);
  window.ConvertButton->OnClick.Set(Forward<RunConvert>, &window);
  window.ExitButton->OnClick.Set(Forward<ExitProgram>, &window);
  window.OptionsButton->OnClick.Set(Forward<RunImport>, &window);
  window.AboutButton->OnClick.Set(Forward<ShowAboutBox>, &window);
  window.BrowseFavoritesButton->OnClick.Set(Forward<BrowseFavoritesFolder>, &window);
  window.BrowseOutputButton->OnClick.Set(Forward<BrowseOutputFile>, &window);
  // Each caption opens the folder of its own row.
  window.FavoritesCaption->OnClick.Set(Forward<OpenFavoritesFolder>, &window);
  window.OutputCaption->OnClick.Set(Forward<OpenOutputFolder>, &window);
}

}  // namespace

MainWindow* CreateMainWindow(const AppServices& services) {
  auto* window = CreateObject<MainWindow>(services);
  window->Window =
      CreateForm(nullptr, kMainWindowCaption)->SetSize(kMainWindowWidth, kMainWindowHeight);
  AddAutoFree(window->Window, window);
  UseKeyNavigation(window->Window);
  window->Window->SetStyle(window->Window->Style() & ~static_cast<std::uint32_t>(WS_MAXIMIZEBOX));
  window->Window->SetIconResource(GetModuleHandleA(nullptr), "MAINICON");
  BuildDialogs(*window);
  BuildControls(*window);
  AttachHandlers(*window);
  window->FolderDialog->OwnerWindow = window->Window->WindowHandle();
  window->PageFileDialog->OwnerWindow = window->Window->WindowHandle();
  window->Window->Center()->SetResizable(false);
  return window;
}

}  // namespace linkshelf
