// The creation operations of the seven kinds of window. Each returns the new
// control, so building code reads as chains:
//   CreateButton(form, "转化")->SetPosition(8, 144)->SetSize(75, 25);
#pragma once

#include <cstdint>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/option_set.h"

namespace linkshelf {

enum class EditOption {
  kNoHorizontalScroll = 0,
  kNoVerticalScroll = 1,
  kLowercase = 2,
  kMultiLine = 3,
  kNoHideSelection = 4,
  kOemConvert = 5,
  kPassword = 6,
  kReadOnly = 7,
  kUppercase = 8,
  kWantReturn = 9,
  kWantTab = 10,
  kNumber = 11,
};
using EditOptions = OptionSet<EditOption>;

enum class ComboOption {
  kDropDownList = 0,
  kNoHorizontalScroll = 1,
  kDisableNoScroll = 2,
  kLowercase = 3,
  kNoIntegralHeight = 4,
  kOemConvert = 5,
  kSort = 6,
  kUppercase = 7,
  kOwnerDrawFixed = 8,
  kOwnerDrawVariable = 9,
};
using ComboOptions = OptionSet<ComboOption>;

// Panel edges.
enum class PanelEdge { kDialogFrame = 0, kSunken = 1, kNone = 2 };

// A form with no parent is a top-level window held by the toolkit until it is
// freed (or run by RunApplication); with a parent it is also that parent's child.
Control* CreateForm(Control* parent, std::string_view caption);
Control* CreateButton(Control* parent, std::string_view caption);
Control* CreateCheckBox(Control* parent, std::string_view caption);
Control* CreateLabel(Control* parent, std::string_view caption);
Control* CreatePanel(Control* parent, PanelEdge edge);
Control* CreateEditBox(Control* parent, EditOptions options);
Control* CreateComboBox(Control* parent, ComboOptions options);

// The identifier the next child control will get (rises from 0x8000, never reused).
int NextControlId();

}  // namespace linkshelf
