// The reference rule, the same on every platform.
#include "runtime/code_page.h"

#include <charconv>

namespace linkshelf {

namespace {

constexpr std::string_view kEscape = "&#38;#";
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t code_point) { return code_point >= 0xD800 && code_point <= 0xDFFF; }

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

std::string EscapeLiteralReferences(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", from)) {
    escaped.append(text.substr(from, at - from)).append(kEscape);
    from = at + 2;
  }
  escaped.append(text.substr(from));
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

}  // namespace linkshelf
