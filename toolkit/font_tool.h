// The font of a control: its description, the font handle made from it, and
// the owner control that follows every change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/option_set.h"
#include "toolkit/toolkit_object.h"

namespace linkshelf {

enum class FontStyle { kBold = 0, kItalic = 1, kUnderline = 2, kStrikeOut = 3 };
using FontStyles = OptionSet<FontStyle>;

class FontTool : public ToolkitObject {
 public:
  FontTool() = default;
  ~FontTool() override;

  FontTool* SetFontHeight(std::int32_t height);
  FontTool* SetFontWidth(std::int32_t width);
  FontTool* SetFontEscapement(std::int32_t escapement);
  FontTool* SetFontWeight(std::int32_t weight);
  FontTool* SetFontPitch(std::uint8_t pitch_and_family);
  FontTool* SetFontStyle(FontStyles styles);
  FontTool* SetFontCharSet(std::uint8_t char_set);
  // "Default" names the default face too.
  FontTool* SetFontName(std::string_view face);
  FontTool* SetFontColor(std::uint32_t color);

  std::int32_t Height() const { return height_; }
  std::int32_t Weight() const { return weight_; }
  FontStyles Styles() const { return styles_; }
  std::uint32_t Color() const { return color_; }
  const std::string& FaceName() const { return face_; }

  // The font handle, made on first use after a change. When the platform
  // makes the requested font too small to read (it has no bitmap face for the
  // smallest size), the system's default GUI font stands in, with the
  // requested weight and styles; where its face would not be drawn smoothed
  // at its size, a face of its character set that is stands in at that size.
  HFONT Handle();
  // The weight the font is made with: 400, or 700 when bold, unless set.
  std::int32_t EffectiveWeight() const;

  // The control that follows this font's changes (none for a loose copy).
  void SetOwner(class Control* owner) { owner_ = owner; }
  // A copy of the description, without handle and owner.
  void CopyDescriptionFrom(const FontTool& other);

 private:
  void Changed();
  // Stores a new value in one field and fires the change when it differs.
  template <typename T>
  FontTool* Store(T& field, T value) {
    if (field != value) {
      field = value;
      Changed();
    }
    return this;
  }
  void DropHandle();

  std::uint32_t color_ = 0x80000008;
  std::int32_t height_ = 0;
  std::int32_t width_ = 0;
  std::int32_t escapement_ = 0;
  std::int32_t weight_ = 0;
  std::uint8_t pitch_and_family_ = 0;
  FontStyles styles_;
  std::uint8_t char_set_ = DEFAULT_CHARSET;
  std::string face_ = "MS Sans Serif";
  HFONT handle_ = nullptr;
  bool handle_is_stock_ = false;
  class Control* owner_ = nullptr;
};

}  // namespace linkshelf
