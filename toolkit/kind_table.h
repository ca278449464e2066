// What the generic item operations send to each kind of control.
#pragma once

#include <windows.h>

namespace linkshelf {

enum class ControlKind { kForm, kButton, kCheckBox, kLabel, kPanel, kEditBox, kComboBox };

struct KindTable {
  enum class ClearAction { kSetTextEmpty, kResetContent };
  ClearAction clear = ClearAction::kSetTextEmpty;
  bool has_click = false;
  WORD click_notification = 0;
  UINT item_count = 0;        // 0: the kind has no items
  UINT item_text_length = 0;  // combo box: length of item i
  UINT item_text = 0;
  UINT add = 0;
  UINT remove = 0;
  UINT insert = 0;
  UINT get_index = 0;
  UINT set_index = 0;
  int auto_size_extra_width = 0;
  int auto_size_extra_height = 0;
  const char* class_base_name = "";
};

const KindTable& KindTableOf(ControlKind kind);

}  // namespace linkshelf
