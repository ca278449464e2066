// Byte-text helpers shared by the export and the import. Texts are bytes in the
// system code page; positions count bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace linkshelf {

// The text without the bytes of value 32 or below (blanks and control bytes)
// at both ends: as a part of the same text (inline, as every tag of a page and
// every line of a shortcut is trimmed), and as a text of its own.
inline std::string_view TrimmedView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}
std::string TrimBoth(std::string_view text);
// The same done to a text in place, which keeps its storage.
void TrimInPlace(std::string& text);

// Sets aside room for `total` bytes of a text that is about to grow to about
// that size, so that it is not copied as it doubles. Only a hint: where the
// room cannot be had, the text grows as it goes.
void ReserveIfRoom(std::string& text, std::uint64_t total);

// The path up to and including its last backslash or colon; empty when it has neither.
std::string FolderPart(std::string_view path);

// The rest of the path after its last backslash or colon.
std::string NamePart(std::string_view path);

// Every pair of consecutive backslashes replaced by one, left to right without
// overlap: three in a row become two.
std::string CollapseDoubledBackslashes(std::string_view text);

// The byte with an ASCII letter turned to small or to capital; every other byte unchanged.
constexpr char LowerAsciiByte(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAsciiByte(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII letters folded to lower case; every other byte unchanged. The second
// form fills `out`, whose storage a caller may keep from text to text.
std::string LowerAscii(std::string_view text);
void AssignLowerAscii(std::string& out, std::string_view text);

// True when the two texts are equal with ASCII letters compared without case.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Texts compared here are mostly spelled alike: a long one is told by one
  // comparison of its bytes, and equal bytes need no folding.
  if (a.size() >= 8 && a == b) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && LowerAsciiByte(a[i]) != LowerAsciiByte(b[i])) return false;
  }
  return true;
}

// True for a byte that starts a double-byte character of the system code page
// (GBK on the target systems); such a byte and the one after it are one
// character. Always false on POSIX, whose UTF-8 never puts an ASCII byte inside
// a character.
#ifdef _WIN32
bool IsLeadByte(unsigned char byte);
#else
// Inline here, as every walk through a name asks it for each byte.
inline bool IsLeadByte(unsigned char) {
  return false;
}
#endif

// The length in bytes of the character that starts at `pos`: two for a lead
// byte with a byte after it, else one.
// Inline, as every walk through a name asks it for each byte.
inline std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  // No code page starts a double-byte character with an ASCII byte.
  const auto byte = static_cast<unsigned char>(text[pos]);
  return byte >= 0x80 && IsLeadByte(byte) && pos + 1 < text.size() ? 2 : 1;
}

// Calls `visit(pos, character)` for each character of the text in order; a
// character is one byte, or a lead byte together with the byte after it, so a
// trail byte is never taken for a backslash or a letter. When `visit` returns
// a bool, false ends the walk.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit&& visit) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharacterLength(text, pos);
    if constexpr (std::is_void_v<std::invoke_result_t<Visit&, std::size_t, std::string_view>>) {
      visit(pos, text.substr(pos, length));
    } else if (!visit(pos, text.substr(pos, length))) {
      return;
    }
    pos += length;
  }
}

}  // namespace linkshelf
