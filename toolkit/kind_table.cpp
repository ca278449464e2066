#include "toolkit/kind_table.h"

namespace linkshelf {
namespace {

KindTable MakeButtonTable(const char* name, int extra_width) {
  KindTable table;
  table.has_click = true;
  table.click_notification = BN_CLICKED;
  table.auto_size_extra_width = extra_width;
  table.class_base_name = name;
  return table;
}

KindTable MakeStaticTable() {
  KindTable table;
  table.has_click = true;
  table.click_notification = STN_CLICKED;
  table.auto_size_extra_width = 1;
  table.auto_size_extra_height = 1;
  table.class_base_name = "STATIC";
  return table;
}

KindTable MakeEditTable() {
  KindTable table;
  table.item_count = EM_GETLINECOUNT;
  table.item_text = EM_GETLINE;
  table.class_base_name = "EDIT";
  return table;
}

KindTable MakeComboTable() {
  KindTable table;
  table.clear = KindTable::ClearAction::kResetContent;
  table.item_count = CB_GETCOUNT;
  table.item_text_length = CB_GETLBTEXTLEN;
  table.item_text = CB_GETLBTEXT;
  table.add = CB_ADDSTRING;
  table.remove = CB_DELETESTRING;
  table.insert = CB_INSERTSTRING;
  table.get_index = CB_GETCURSEL;
  table.set_index = CB_SETCURSEL;
  table.class_base_name = "COMBOBOX";
  return table;
}

KindTable MakeFormTable() {
  KindTable table;
  table.class_base_name = "Form";
  return table;
}

}  // namespace

const KindTable& KindTableOf(ControlKind kind) {
  static const KindTable form = MakeFormTable();
  static const KindTable button = MakeButtonTable("BUTTON", 14);
  static const KindTable check_box = MakeButtonTable("BUTTON", 24);
  static const KindTable label = MakeStaticTable();
  static const KindTable edit = MakeEditTable();
  static const KindTable combo = MakeComboTable();
  switch (kind) {
    case ControlKind::kButton:
      return button;
    case ControlKind::kCheckBox:
      return check_box;
    case ControlKind::kLabel:
    case ControlKind::kPanel:
      return label;
    case ControlKind::kEditBox:
      return edit;
    case ControlKind::kComboBox:
      return combo;
    case ControlKind::kForm:
      break;
  }
  return form;
}

}  // namespace linkshelf
