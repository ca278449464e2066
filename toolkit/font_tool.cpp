#include "toolkit/font_tool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/device_context.h"

namespace linkshelf {
namespace {

// Text whose letters are shorter than this many pixels cannot be read.
constexpr LONG kReadableTextHeight = 8;

LONG MeasuredHeight(HFONT font) {
  const WindowDeviceContext dc(nullptr, font);
  TEXTMETRICA metrics{};
  return dc && GetTextMetricsA(dc.get(), &metrics) ? metrics.tmHeight : 0;
}

std::uint16_t BigEndian16(const unsigned char* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

// Whether the face of `font` asks, in its own table of drawing sizes, to be
// drawn smoothed at `pixels` per em. A face without that table is.
bool IsDrawnSmoothed(HFONT font, LONG pixels) {
  constexpr DWORD kDrawingSizesTable = 'g' | ('a' << 8) | ('s' << 16) | ('p' << 24);
  constexpr std::uint16_t kSmoothed = 0x0002;
  std::vector<unsigned char> table;
  {
    const WindowDeviceContext dc(nullptr, font);
    if (!dc) return true;
    const DWORD size = GetFontData(dc.get(), kDrawingSizesTable, 0, nullptr, 0);
    if (size != GDI_ERROR && size >= 4) {
      table.resize(size);
      if (GetFontData(dc.get(), kDrawingSizesTable, 0, table.data(), size) != size) table.clear();
    }
  }
  if (table.size() < 4) return true;
  const std::size_t ranges = std::min<std::size_t>(BigEndian16(&table[2]), (table.size() - 4) / 4);
  for (std::size_t i = 0; i < ranges; ++i) {
    if (BigEndian16(&table[4 + 4 * i]) >= pixels)
      return (BigEndian16(&table[6 + 4 * i]) & kSmoothed) != 0;
  }
  return true;
}

LONG PixelsPerEm(HFONT font, const LOGFONTA& description) {
  if (description.lfHeight < 0) return -description.lfHeight;
  const WindowDeviceContext dc(nullptr, font);
  TEXTMETRICA metrics{};
  return dc && GetTextMetricsA(dc.get(), &metrics) ? metrics.tmHeight - metrics.tmInternalLeading
                                                   : 0;
}

BYTE CharSetOf(HFONT font) {
  const WindowDeviceContext dc(nullptr, font);
  if (!dc) return DEFAULT_CHARSET;
  const int char_set = GetTextCharset(dc.get());
  return char_set < 0 ? DEFAULT_CHARSET : static_cast<BYTE>(char_set);
}

// Whether the face of `font` has its own letters, digits and signs: some
// faces of a character set carry only its characters and would leave boxes.
bool DrawsLatinText(HFONT font) {
  static constexpr char kSample[] = "AZaz09.:\\@";
  constexpr int kLength = static_cast<int>(sizeof kSample - 1);
  const WindowDeviceContext dc(nullptr, font);
  if (!dc) return false;
  WORD glyphs[kLength] = {};
  const bool found = GetGlyphIndicesA(dc.get(), kSample, kLength, glyphs,
                                      GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(kLength);
  return found &&
         std::none_of(glyphs, glyphs + kLength, [](WORD glyph) { return glyph == 0xFFFF; });
}

struct FaceSearch {
  LOGFONTA wanted;
  LONG pixels;
  bool found;
};

int CALLBACK ConsiderFace(const LOGFONTA* face, const TEXTMETRICA*, DWORD type, LPARAM data) {
  auto* search = reinterpret_cast<FaceSearch*>(data);
  // Only outline faces can be asked about their drawing; '@' faces are the
  // vertical writing forms.
  if ((type & TRUETYPE_FONTTYPE) == 0 || face->lfFaceName[0] == '@') return 1;
  LOGFONTA candidate = search->wanted;
  std::memcpy(candidate.lfFaceName, face->lfFaceName, LF_FACESIZE);
  candidate.lfFaceName[LF_FACESIZE - 1] = '\0';
  HFONT font = CreateFontIndirectA(&candidate);
  if (!font) return 1;
  const bool fits = IsDrawnSmoothed(font, search->pixels) && DrawsLatinText(font);
  DeleteObject(font);
  if (!fits) return 1;
  search->wanted = candidate;
  search->found = true;
  return 0;
}

// The system's default GUI font, with the weight and styles of `requested`. Where its face would be
// drawn hinted in black and white at its size, which breaks up the strokes of Chinese characters,
// the first face of the same character set that is drawn smoothed at that size, and has Latin
// letters too, stands in for it.
HFONT CreateStandInFont(const LOGFONTA& requested) {
  LOGFONTA description{};
  if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description))
    return nullptr;
  description.lfWeight = requested.lfWeight;
  description.lfItalic = requested.lfItalic;
  description.lfUnderline = requested.lfUnderline;
  description.lfStrikeOut = requested.lfStrikeOut;
  HFONT font = CreateFontIndirectA(&description);
  if (!font) return nullptr;
  const LONG pixels = PixelsPerEm(font, description);
  if (pixels <= 0 || IsDrawnSmoothed(font, pixels)) return font;

  FaceSearch search{description, pixels, false};
  if (search.wanted.lfCharSet == DEFAULT_CHARSET) search.wanted.lfCharSet = CharSetOf(font);
  LOGFONTA faces{};
  faces.lfCharSet = search.wanted.lfCharSet;
  if (const WindowDeviceContext dc; dc) {
    EnumFontFamiliesExA(dc.get(), &faces, ConsiderFace, reinterpret_cast<LPARAM>(&search), 0);
  }
  if (!search.found) return font;
  HFONT smoothed = CreateFontIndirectA(&search.wanted);
  if (!smoothed) return font;
  DeleteObject(font);
  return smoothed;
}

}  // namespace

FontTool::~FontTool() {
  DropHandle();
}

FontTool* FontTool::SetFontHeight(std::int32_t height) {
  return Store(height_, height);
}

FontTool* FontTool::SetFontWidth(std::int32_t width) {
  return Store(width_, width);
}

FontTool* FontTool::SetFontEscapement(std::int32_t escapement) {
  return Store(escapement_, escapement);
}

FontTool* FontTool::SetFontWeight(std::int32_t weight) {
  return Store(weight_, weight);
}

FontTool* FontTool::SetFontPitch(std::uint8_t pitch_and_family) {
  return Store(pitch_and_family_, pitch_and_family);
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
    handle_ = CreateStandInFont(description);
    if (!handle_) {
      handle_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      handle_is_stock_ = true;
    }
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
