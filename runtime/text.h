// Byte-text helpers shared by the export and the import. Texts are bytes in the
// system code page; positions count bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace linkshelf {

// The text without the bytes of value 32 or below (blanks and control bytes)
// at both ends: as a part of the same text, and as a text of its own.
std::string_view TrimmedView(std::string_view text);
std::string TrimBoth(std::string_view text);

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

// ASCII letters folded to lower case; every other byte unchanged.
std::string LowerAscii(std::string_view text);

// True when the two texts are equal with ASCII letters compared without case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// True for a byte that starts a double-byte character of the system code page
// (GBK on the target systems); such a byte and the one after it are one
// character. Always false on POSIX, whose UTF-8 never puts an ASCII byte inside
// a character.
bool IsLeadByte(unsigned char byte);

// The length in bytes of the character that starts at `pos`: two for a lead
// byte with a byte after it, else one.
std::size_t CharacterLength(std::string_view text, std::size_t pos);

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
