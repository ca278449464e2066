// Conversions between the system code page, UTF-16 and UTF-8 on Windows.
#include <windows.h>

#include "runtime/code_page.h"
#include "runtime/win32/wide_text.h"

namespace linkshelf {

namespace {

void AppendWide(std::wstring& out, UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length));
  MultiByteToWideChar(code_page, 0, bytes.data(), size, out.data() + at, length);
}

void AppendUtf16(std::wstring& out, char32_t code_point) {
  if (code_point < 0x10000) {
    out.push_back(static_cast<wchar_t>(code_point));
  } else {
    code_point -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
  }
}

// The wide text in `code_page`; false when some character has no exact form
// there (a best-fit look-alike counts as none).
bool TryNarrow(std::wstring_view wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  const UINT code_page = GetACP();
  // The UTF code pages hold every character and accept no question about defaults.
  const bool asks = code_page != CP_UTF8 && code_page != CP_UTF7;
  const DWORD flags = asks ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL used_default = FALSE;
  const int size = static_cast<int>(wide.size());
  out.resize(wide.size() * 4);
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, out.data(),
                          static_cast<int>(out.size()), nullptr, asks ? &used_default : nullptr);
  out.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return length > 0 && !used_default;
}

std::string PercentEncoded(char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto value = static_cast<unsigned char>(byte);
  return {'%', kHex[value >> 4], kHex[value & 0xF]};
}

bool IsHighSurrogate(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::wstring WideFromCodePage(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  WalkReferences(
      bytes, [&wide](std::string_view run) { AppendWide(wide, CP_ACP, run); },
      [&wide](char32_t code_point) { AppendUtf16(wide, code_point); });
  return wide;
}

std::string CodePageFromWide(std::wstring_view wide, Lacking lacking) {
  const bool references = lacking == Lacking::kReference;
  std::string bytes;
  // Nearly every name fits the code page whole and holds no "&#".
  if ((!references || wide.find(L"&#") == std::wstring_view::npos) && TryNarrow(wide, bytes)) {
    return bytes;
  }
  bytes.clear();
  std::string piece;
  for (size_t at = 0; at < wide.size();) {
    const wchar_t unit = wide[at];
    if (references && unit == L'&' && at + 1 < wide.size() && wide[at + 1] == L'#') {
      bytes += "&#38;#";
      at += 2;
      continue;
    }
    if (unit < 0x80) {
      bytes.push_back(static_cast<char>(unit));
      ++at;
      continue;
    }
    const bool pair = IsHighSurrogate(unit) && at + 1 < wide.size() && IsLowSurrogate(wide[at + 1]);
    const size_t units = pair ? 2 : 1;
    if (TryNarrow(wide.substr(at, units), piece)) {
      bytes += piece;
    } else {
      const char32_t code_point =
          pair ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (wide[at + 1] - 0xDC00)
               : static_cast<char32_t>(unit);
      if (references) {
        bytes += CharacterReference(code_point);
      } else {
        for (const char byte : Utf8FromWide(wide.substr(at, units))) bytes += PercentEncoded(byte);
      }
    }
    at += units;
  }
  return bytes;
}

std::wstring WideFromUtf8(std::string_view utf8) {
  std::wstring wide;
  AppendWide(wide, CP_UTF8, utf8);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string CodePageToUtf8(std::string_view text) {
  return Utf8FromWide(WideFromCodePage(text));
}

bool ReadsTheSameInUtf8(std::string_view code_page_text) {
  // ASCII is the same in both; a reference, which starts with `&`, reads otherwise.
  for (const char c : code_page_text) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '&') return false;
  }
  return true;
}

std::string Utf8ToCodePage(std::string_view utf8, Lacking lacking) {
  return CodePageFromWide(WideFromUtf8(utf8), lacking);
}

}  // namespace linkshelf
