// Names the system code page cannot hold. Inside the program every text is
// bytes in the system code page; a character the code page lacks travels as
// the reference `&#N;` (N its decimal code point, N >= 128), and a literal
// `&#` of a real name as `&#38;#`, so that a reference in a name always means
// one character. Only those two forms are ever decoded: a reference to an
// ASCII character stays literal text, so no reference can make a separator,
// a "..", a drive or a control byte. The file layer converts at its boundary
// with these functions; the core never does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace linkshelf {

// The reference that stands for a character the code page lacks: "&#128512;".
std::string CharacterReference(char32_t code_point);

// What a decodable reference at the start of `text` stands for.
struct DecodedReference {
  char32_t code_point = 0;  // '&' for the escape "&#38;#" (whose '#' stays text)
  std::size_t length = 0;   // bytes the reference takes, '#' of the escape not counted
};

// The reference at the start of `text` when it is one that is decoded: "&#N;"
// with N a character beyond ASCII (no leading zero, not a surrogate, at most
// U+10FFFF), or "&#38;" directly followed by '#'. Nothing for anything else.
std::optional<DecodedReference> DecodableReferenceAt(std::string_view text);

// Whether `text` holds a reference that is decoded (or the escape of a literal "&#").
bool HoldsReferences(std::string_view text);

// Calls `on_bytes` with each run of plain bytes and `on_character` with each
// decoded reference, in order. '&' never occurs inside a double-byte character
// of the code pages concerned, so the runs split no character.
template <typename OnBytes, typename OnCharacter>
void WalkReferences(std::string_view text, OnBytes&& on_bytes, OnCharacter&& on_character) {
  std::size_t run_start = 0;
  std::size_t at = text.find('&');
  while (at != std::string_view::npos) {
    if (const auto reference = DecodableReferenceAt(text.substr(at))) {
      if (at > run_start) on_bytes(text.substr(run_start, at - run_start));
      on_character(reference->code_point);
      run_start = at + reference->length;
      at = text.find('&', run_start);
    } else {
      at = text.find('&', at + 1);
    }
  }
  if (run_start < text.size()) on_bytes(text.substr(run_start));
}

// True when CodePageToUtf8 gives the text back unchanged: it holds no
// reference, and no character that the code page writes otherwise than UTF-8.
bool ReadsTheSameInUtf8(std::string_view code_page_text);

// A literal "&#" written as "&#38;#", every other byte unchanged.
std::string EscapeLiteralReferences(std::string_view text);
// The same into `escaped`, whose storage is reused.
void AssignLiteralReferencesEscaped(std::string_view text, std::string& escaped);

// The references decoded into UTF-8 characters, "&#38;#" into "&#"; every
// other byte unchanged.
std::string DecodeReferencesToUtf8(std::string_view text);

// The UTF-8 bytes of one code point appended to `out`.
void AppendUtf8(std::string& out, char32_t code_point);

// UTF-16 (as two bytes a unit, in the order given) into UTF-8; a unit that
// pairs with nothing becomes U+FFFD, an odd last byte is dropped.
enum class ByteOrder { kLittleEndian, kBigEndian };
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order);

// UTF-7 as a shortcut's wide section holds its values, into UTF-8.
std::string Utf7ToUtf8(std::string_view utf7);

// System-code-page bytes with references into UTF-8 with the references
// decoded. On POSIX the bytes are UTF-8 already: only the references are decoded.
std::string CodePageToUtf8(std::string_view text);

// How a character the code page cannot hold is written: as its reference in a
// name (with a literal "&#" escaped), or in an address as the percent-encoded
// UTF-8 bytes of the character ("%F0%9F%98%80"), which browsers read as the
// same address.
enum class Lacking { kReference, kPercentEncoded };

// UTF-8 into system-code-page bytes, each character the code page cannot hold
// written as `lacking` says. On POSIX only the escape of a name is added; on
// Windows bytes that are not UTF-8 are taken as U+FFFD.
std::string Utf8ToCodePage(std::string_view utf8, Lacking lacking = Lacking::kReference);

}  // namespace linkshelf
