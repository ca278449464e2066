#include "app/about_box.h"

#include "export/page_header.h"

namespace linkshelf {

AboutBox* CreateAboutBox(Control* parent) {
  auto* about = CreateDialogRecord<AboutBox>(parent, kAboutCaption);
  about->Form->SetPosition(203, 102)->SetSize(314, 259);
  UseTabNavigation(about->Form);
  EnableMnemonics();
  RemoveMinimizeAndMaximize(about->Form);

  about->CreditLabel = AddDialogLabel(about->Form, "软件汉化：Linkshelf 开发组     ", 16, 147);
  about->DescriptionLabel =
      AddDialogLabel(about->Form, "把收藏夹转成一个书签网页，也能转回来。", 16, 35);
  about->HomePageLabel = AddDialogLabel(about->Form, "主页：", 16, 57);
  about->ProductLabel = AddDialogLabel(about->Form, kProductLabelText, 16, 19, true);
  about->FreewareLabel =
      AddDialogLabel(about->Form, "本软件为免费软件，可自由使用和传播。", 16, 131);

  about->OkButton = CreateButton(about->Form, "确定")->SetPosition(224, 184);
  about->OkButton->Font()->SetFontHeight(1);
  about->OkButton->OnClick.Set(EndDialogWith<1>, about);

  about->FirstAddressBox = AddCopyableBox(about->Form, 16, 72, 273)->SetText(kHomePageAddress);
  about->SecondAddressBox = AddCopyableBox(about->Form, 16, 96, 273)->SetText(kSecondHomePage);
  about->Form->Center()->SetResizable(false);
  return about;
}

}  // namespace linkshelf
