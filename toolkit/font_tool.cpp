#include "toolkit/font_tool.h"

#include <cstring>

#include "toolkit/control.h"

namespace linkshelf {
namespace {

// Text whose letters are shorter than this many pixels cannot be read.
constexpr LONG kReadableTextHeight = 8;

LONG MeasuredHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  const bool measured = GetTextMetricsA(dc, &metrics) != FALSE;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return measured ? metrics.tmHeight : 0;
}

}  // namespace

FontTool::~FontTool() {
  DropHandle();
}

FontTool* FontTool::SetFontHeight(std::int32_t height) {
  if (height_ != height) {
    height_ = height;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontWidth(std::int32_t width) {
  if (width_ != width) {
    width_ = width;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontEscapement(std::int32_t escapement) {
  if (escapement_ != escapement) {
    escapement_ = escapement;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontWeight(std::int32_t weight) {
  if (weight_ != weight) {
    weight_ = weight;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontPitch(std::uint8_t pitch_and_family) {
  if (pitch_and_family_ != pitch_and_family) {
    pitch_and_family_ = pitch_and_family;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontStyle(FontStyles styles) {
  if (styles_ != styles) {
    // Taking bold away also forgets an explicit weight.
    if (styles_.Has(FontStyle::kBold) && !styles.Has(FontStyle::kBold)) weight_ = 0;
    styles_ = styles;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontCharSet(std::uint8_t char_set) {
  if (char_set_ != char_set) {
    char_set_ = char_set;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontName(std::string_view face) {
  const std::string name = face == "Default" ? std::string("MS Sans Serif") : std::string(face);
  if (face_ != name) {
    face_ = name;
    Changed();
  }
  return this;
}

FontTool* FontTool::SetFontColor(std::uint32_t color) {
  if (color_ != color) {
    color_ = color;
    Changed();
  }
  return this;
}

std::int32_t FontTool::EffectiveWeight() const {
  if (weight_ != 0) return weight_;
  return styles_.Has(FontStyle::kBold) ? FW_BOLD : FW_NORMAL;
}

HFONT FontTool::Handle() {
  if (handle_) return handle_;
  LOGFONTA description{};
  description.lfHeight = height_;
  description.lfWidth = width_;
  description.lfEscapement = escapement_;
  description.lfOrientation = escapement_;
  description.lfWeight = EffectiveWeight();
  description.lfItalic = styles_.Has(FontStyle::kItalic);
  description.lfUnderline = styles_.Has(FontStyle::kUnderline);
  description.lfStrikeOut = styles_.Has(FontStyle::kStrikeOut);
  description.lfCharSet = char_set_;
  description.lfPitchAndFamily = pitch_and_family_;
  std::strncpy(description.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  handle_ = CreateFontIndirectA(&description);
  handle_is_stock_ = false;
  // Where the platform has no bitmap face for the smallest sizes, a tiny
  // height request gives a font too small to see: use the GUI font instead.
  if (!handle_ || MeasuredHeight(handle_) < kReadableTextHeight) {
    if (handle_) DeleteObject(handle_);
    handle_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    handle_is_stock_ = true;
  }
  return handle_;
}

void FontTool::CopyDescriptionFrom(const FontTool& other) {
  color_ = other.color_;
  height_ = other.height_;
  width_ = other.width_;
  escapement_ = other.escapement_;
  weight_ = other.weight_;
  pitch_and_family_ = other.pitch_and_family_;
  styles_ = other.styles_;
  char_set_ = other.char_set_;
  face_ = other.face_;
  DropHandle();
}

void FontTool::DropHandle() {
  if (handle_ && !handle_is_stock_) DeleteObject(handle_);
  handle_ = nullptr;
  handle_is_stock_ = false;
}

void FontTool::Changed() {
  // The owner's window still uses the old handle until it gets the new one.
  HFONT old = handle_;
  const bool old_is_stock = handle_is_stock_;
  handle_ = nullptr;
  handle_is_stock_ = false;
  if (owner_) owner_->FontChanged();
  if (old && !old_is_stock) DeleteObject(old);
}

}  // namespace linkshelf
