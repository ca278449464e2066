// The creation operations: each kind's styles, sizes and defaults, and the
// steps every child control goes through.
#include "toolkit/create_controls.h"

#include "toolkit/application_state.h"

namespace linkshelf {

struct ControlBuilder {
  static Control* NewForm(Control* parent, std::string_view caption) {
    auto form = std::make_unique<Control>(ControlKind::kForm, parent);
    Control* created = form.get();
    created->style_ = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    created->ex_style_ = WS_EX_CONTROLPARENT;
    created->class_style_ = CS_OWNDC | CS_DBLCLKS;
    created->visible_ = true;
    created->children_3d_ = true;
    created->own_3d_ = true;
    created->cursor_ = LoadCursorA(nullptr, IDC_ARROW);
    if (parent) {
      created->left_ = created->margin_ = parent->margin_;
      created->top_ = parent->margin_;
      created->right_ = created->left_ + 64;
      created->bottom_ = created->top_ + 64;
      parent->children_.push_back(std::move(form));
    } else {
      AdoptObject(std::move(form));
    }
    created->AttachHook(FormHook);
    created->SetText(caption);
    return created;
  }

  // The steps every child control takes, in order; returns the new control
  // with its kind's style still to be completed by the caller.
  static Control* NewChild(ControlKind kind, Control* parent, std::uint32_t style,
                           std::uint32_t ex_style, int width, int height) {
    auto child = std::make_unique<Control>(kind, parent);
    Control* c = child.get();
    c->cursor_ = parent->cursor_;
    c->transparent_ = parent->transparent_;
    c->text_color_ = parent->text_color_;
    c->back_color_ = parent->back_color_;
    c->margin_ = parent->margin_;
    if (parent->font_) {
      c->font_ = std::make_unique<FontTool>();
      c->font_->CopyDescriptionFrom(*parent->font_);
      c->font_->SetOwner(c);
    }
    c->children_3d_ = parent->children_3d_;
    c->left_ = c->margin_;
    c->top_ = c->margin_;
    c->right_ = c->left_ + width;
    c->bottom_ = c->top_ + height;
    c->style_ = style;
    c->ex_style_ = ex_style;
    c->visible_ = (style & WS_VISIBLE) != 0;
    if (Control* form = parent->OwningForm()) {
      c->tab_order_ = ++form->tab_counter_;
      if (style & WS_TABSTOP) {
        c->tab_stop_ = true;
        if (!form->current_control_) form->current_control_ = c;
      }
    } else if (style & WS_TABSTOP) {
      c->tab_stop_ = true;
    }
    c->control_id_ = App().next_control_id++;
    c->AttachHook(ChildControlHook);
    parent->children_.push_back(std::move(child));
    return c;
  }

  // A yes in the 3-D column: the parent's rule for its children decides.
  static void ApplyBorder3D(Control* c) {
    if (c->parent_->children_3d_) {
      c->own_3d_ = true;
      c->style_ &= ~WS_BORDER;
      c->ex_style_ |= WS_EX_CLIENTEDGE;
    }
  }

  static void SetCursor(Control* c, LPCSTR cursor) { c->cursor_ = LoadCursorA(nullptr, cursor); }
  static void SetClassStyle(Control* c, UINT style) { c->class_style_ |= style; }
  static void SetCaption(Control* c, std::string_view caption) { c->caption_.assign(caption); }
};

namespace {

constexpr std::uint32_t kChildStyle = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kClipStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr std::uint32_t kStaticStyle = kChildStyle | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;

}  // namespace

Control* CreateForm(Control* parent, std::string_view caption) {
  return ControlBuilder::NewForm(parent, caption);
}

Control* CreateButton(Control* parent, std::string_view caption) {
  Control* button = ControlBuilder::NewChild(ControlKind::kButton, parent,
                                             kChildStyle | WS_TABSTOP | BS_PUSHLIKE | kClipStyle,
                                             WS_EX_CONTROLPARENT, 64, 22);
  ControlBuilder::SetCaption(button, caption);
  return button;
}

Control* CreateCheckBox(Control* parent, std::string_view caption) {
  // The check box's style replaces the common one, clipping bits included.
  Control* box = ControlBuilder::NewChild(ControlKind::kCheckBox, parent,
                                          kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX,
                                          WS_EX_CONTROLPARENT, 72, 22);
  ControlBuilder::SetCaption(box, caption);
  return box;
}

Control* CreateLabel(Control* parent, std::string_view caption) {
  Control* label = ControlBuilder::NewChild(ControlKind::kLabel, parent, kStaticStyle | kClipStyle,
                                            WS_EX_CONTROLPARENT, 64, 22);
  ControlBuilder::SetCaption(label, caption);
  return label;
}

Control* CreatePanel(Control* parent, PanelEdge edge) {
  std::uint32_t style = kStaticStyle | kClipStyle;
  if (edge == PanelEdge::kDialogFrame) style |= WS_DLGFRAME;
  if (edge == PanelEdge::kSunken) style |= SS_SUNKEN;
  return ControlBuilder::NewChild(ControlKind::kPanel, parent, style, WS_EX_CONTROLPARENT, 100,
                                  100);
}

Control* CreateEditBox(Control* parent, EditOptions options) {
  std::uint32_t style = kChildStyle | WS_BORDER | WS_TABSTOP | kClipStyle;
  if (!options.Has(EditOption::kNoHorizontalScroll)) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (!options.Has(EditOption::kNoVerticalScroll)) style |= WS_VSCROLL | ES_AUTOVSCROLL;
  if (options.Has(EditOption::kLowercase)) style |= ES_LOWERCASE;
  const bool multi_line = options.Has(EditOption::kMultiLine);
  if (multi_line) style |= ES_MULTILINE;
  if (options.Has(EditOption::kNoHideSelection)) style |= ES_NOHIDESEL;
  if (options.Has(EditOption::kOemConvert)) style |= ES_OEMCONVERT;
  if (options.Has(EditOption::kPassword)) style |= ES_PASSWORD;
  if (options.Has(EditOption::kReadOnly)) style |= ES_READONLY;
  if (options.Has(EditOption::kUppercase)) style |= ES_UPPERCASE;
  if (options.Has(EditOption::kWantReturn)) style |= ES_WANTRETURN;
  if (options.Has(EditOption::kNumber)) style |= ES_NUMBER;
  if (!multi_line) style &= ~(WS_HSCROLL | WS_VSCROLL);

  Control* edit =
      ControlBuilder::NewChild(ControlKind::kEditBox, parent, style, WS_EX_CONTROLPARENT,
                               multi_line ? 200 : 100, multi_line ? 200 : 22);
  ControlBuilder::ApplyBorder3D(edit);
  ControlBuilder::SetCursor(edit, IDC_IBEAM);
  const bool wants_tab = options.Has(EditOption::kWantTab);
  unsigned keys = multi_line ? kNavigateTab : kNavigateTab | kNavigateUpDown | kNavigatePage;
  if (wants_tab) keys &= ~kNavigateTab;
  edit->SetNavigationKeys(keys);
  return edit;
}

Control* CreateComboBox(Control* parent, ComboOptions options) {
  std::uint32_t style =
      kChildStyle | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWN | kClipStyle;
  if (options.Has(ComboOption::kDropDownList)) style |= CBS_DROPDOWNLIST;
  if (!options.Has(ComboOption::kNoHorizontalScroll)) style |= CBS_AUTOHSCROLL;
  if (options.Has(ComboOption::kDisableNoScroll)) style |= CBS_DISABLENOSCROLL;
  if (options.Has(ComboOption::kLowercase)) style |= CBS_LOWERCASE;
  if (options.Has(ComboOption::kNoIntegralHeight)) style |= CBS_NOINTEGRALHEIGHT;
  if (options.Has(ComboOption::kOemConvert)) style |= CBS_OEMCONVERT;
  if (options.Has(ComboOption::kSort)) style |= CBS_SORT;
  if (options.Has(ComboOption::kUppercase)) style |= CBS_UPPERCASE;
  if (options.Has(ComboOption::kOwnerDrawFixed)) style |= CBS_OWNERDRAWFIXED;
  if (options.Has(ComboOption::kOwnerDrawVariable)) style |= CBS_OWNERDRAWVARIABLE;

  Control* combo =
      ControlBuilder::NewChild(ControlKind::kComboBox, parent, style, WS_EX_CONTROLPARENT, 100, 22);
  ControlBuilder::ApplyBorder3D(combo);
  ControlBuilder::SetClassStyle(combo, CS_DBLCLKS);
  combo->SetNavigationKeys(
      options.Has(ComboOption::kDropDownList) ? kNavigateTab | kNavigateLeftRight : kNavigateTab);
  return combo;
}

int NextControlId() {
  return App().next_control_id;
}

}  // namespace linkshelf
