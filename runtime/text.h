// Byte-text helpers shared by the export and the import. Texts are bytes in the
// system code page; positions count bytes.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The text without the bytes of value 32 or below at both ends.
std::string TrimBoth(std::string_view text);

// The path up to and including its last backslash or colon; empty when it has neither.
std::string FolderPart(std::string_view path);

// The rest of the path after its last backslash or colon.
std::string NamePart(std::string_view path);

// Every pair of consecutive backslashes replaced by one, left to right without
// overlap: three in a row become two.
std::string CollapseDoubledBackslashes(std::string_view text);

// ASCII letters folded to lower case; every other byte unchanged.
std::string LowerAscii(std::string_view text);

// True when the two texts are equal with ASCII letters compared without case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

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

}  // namespace linkshelf
