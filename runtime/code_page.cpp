// The reference rule, the same on every platform.
#include "runtime/code_page.h"

#include <charconv>
#include <cstdint>

namespace linkshelf {

namespace {

constexpr std::string_view kEscape = "&#38;#";
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t code_point) {
  return code_point >= 0xD800 && code_point <= 0xDFFF;
}

}  // namespace

std::string CharacterReference(char32_t code_point) {
  return "&#" + std::to_string(static_cast<unsigned long>(code_point)) + ";";
}

std::optional<DecodedReference> DecodableReferenceAt(std::string_view text) {
  if (text.starts_with(kEscape)) return DecodedReference{U'&', kEscape.size() - 1};
  if (!text.starts_with("&#")) return std::nullopt;
  const std::string_view digits_on = text.substr(2);
  // Seven digits hold every code point; more, or a leading zero, is not a form this program writes.
  const std::size_t digits = digits_on.find_first_not_of("0123456789");
  if (digits == 0 || digits == std::string_view::npos || digits > 7 || digits_on[0] == '0' ||
      digits_on[digits] != ';') {
    return std::nullopt;
  }
  unsigned long value = 0;
  std::from_chars(digits_on.data(), digits_on.data() + digits, value);
  const auto code_point = static_cast<char32_t>(value);
  if (value < 128 || value > kLastCodePoint || IsSurrogate(code_point)) return std::nullopt;
  return DecodedReference{code_point, 2 + digits + 1};
}

bool HoldsReferences(std::string_view text) {
  for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    if (DecodableReferenceAt(text.substr(at))) return true;
  }
  return false;
}

void AssignLiteralReferencesEscaped(std::string_view text, std::string& escaped) {
  escaped.clear();
  std::size_t from = 0;
  for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", from)) {
    escaped.append(text.substr(from, at - from)).append(kEscape);
    from = at + 2;
  }
  escaped.append(text.substr(from));
}

std::string EscapeLiteralReferences(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  AssignLiteralReferencesEscaped(text, escaped);
  return escaped;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  const auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (code_point < 0x80) {
    byte(code_point);
  } else if (code_point < 0x800) {
    byte(0xC0 | (code_point >> 6));
    byte(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    byte(0xE0 | (code_point >> 12));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  } else {
    byte(0xF0 | (code_point >> 18));
    byte(0x80 | ((code_point >> 12) & 0x3F));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  }
}

std::string DecodeReferencesToUtf8(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  WalkReferences(
      text, [&decoded](std::string_view bytes) { decoded.append(bytes); },
      [&decoded](char32_t code_point) { AppendUtf8(decoded, code_point); });
  return decoded;
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
  const auto unit_at = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return order == ByteOrder::kLittleEndian ? char32_t(first | second << 8)
                                             : char32_t(first << 8 | second);
  };
  std::string utf8;
  utf8.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    char32_t unit = unit_at(2 * i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const char32_t low = unit_at(2 * i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (IsSurrogate(unit)) unit = 0xFFFD;
    AppendUtf8(utf8, unit);
  }
  return utf8;
}

std::string Utf7ToUtf8(std::string_view utf7) {
  static constexpr std::string_view kBase64 =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string utf8;
  std::size_t at = 0;
  while (at < utf7.size()) {
    if (utf7[at] != '+') {
      utf8.push_back(utf7[at++]);
      continue;
    }
    ++at;
    if (at < utf7.size() && utf7[at] == '-') {  // "+-" is a plus sign
      utf8.push_back('+');
      ++at;
      continue;
    }
    // Base64 of UTF-16 (big-endian) up to the first byte outside the alphabet;
    // a '-' there only ends the run.
    std::string units;
    std::uint32_t bits = 0;
    int bit_count = 0;
    for (; at < utf7.size(); ++at) {
      const std::size_t value = kBase64.find(utf7[at]);
      if (value == std::string_view::npos) break;
      bits = (bits << 6) | static_cast<std::uint32_t>(value);
      bit_count += 6;
      if (bit_count >= 8) {
        bit_count -= 8;
        units.push_back(static_cast<char>((bits >> bit_count) & 0xFF));
      }
    }
    if (at < utf7.size() && utf7[at] == '-') ++at;
    utf8 += Utf16ToUtf8(units, ByteOrder::kBigEndian);
  }
  return utf8;
}

}  // namespace linkshelf
