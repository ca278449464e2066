#include <cstdint>

#include "runtime/code_page.h"

namespace linkshelf {

std::string CodePageToUtf8(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i).starts_with("&#38;#")) {
      out += "&";
      i += 4;
      continue;
    }
    if (text.substr(i).starts_with("&#")) {
      size_t end = i + 2;
      std::uint32_t n = 0;
      while (end < text.size() && end < i + 10 && text[end] >= '0' && text[end] <= '9') n = n * 10 + (text[end++] - '0');
      if (end < text.size() && text[end] == ';' && n >= 128 && n <= 0x10FFFF) {
        if (n < 0x800) {
          out += static_cast<char>(0xC0 | (n >> 6));
        } else if (n < 0x10000) {
          out += static_cast<char>(0xE0 | (n >> 12));
          out += static_cast<char>(0x80 | ((n >> 6) & 0x3F));
        } else {
          out += static_cast<char>(0xF0 | (n >> 18));
          out += static_cast<char>(0x80 | ((n >> 12) & 0x3F));
          out += static_cast<char>(0x80 | ((n >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (n & 0x3F));
        i = end;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    out += utf8[i];
    if (utf8.substr(i).starts_with("&#")) out += "#38;#", ++i;
  }
  return out;
}

}  // namespace linkshelf
