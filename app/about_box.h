// The About box: product name, credits, the home-page addresses in boxes that
// can be copied from, and the freeware note.
#pragma once

#include "app/dialog_record.h"

namespace linkshelf {

class AboutBox : public DialogRecord {
 public:
  Control* CreditLabel = nullptr;
  Control* DescriptionLabel = nullptr;
  Control* HomePageLabel = nullptr;
  Control* ProductLabel = nullptr;
  Control* FreewareLabel = nullptr;
  Control* OkButton = nullptr;
  Control* FirstAddressBox = nullptr;
  Control* SecondAddressBox = nullptr;
};

inline constexpr char kAboutCaption[] = "关于";
inline constexpr char kProductLabelText[] = "Linkshelf ";
// The first address is the product's home page (kHomePageAddress); this one the second.
inline constexpr char kSecondHomePage[] = "https://www.example.org/linkshelf/";

// Built hidden on `parent`.
AboutBox* CreateAboutBox(Control* parent);

}  // namespace linkshelf
