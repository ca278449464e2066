// The boundary between the program's code-page bytes and the system's wide
// (UTF-16) texts, with the reference rule of runtime/code_page.h.
#pragma once

#include <string>
#include <string_view>

#include "runtime/code_page.h"

namespace linkshelf {

// Code-page bytes into a wide text, each decodable reference as its character.
std::wstring WideFromCodePage(std::string_view bytes);

// A wide text into code-page bytes, each character the code page cannot hold
// written as `lacking` says (as its reference, with a literal "&#" as "&#38;#",
// unless told otherwise).
std::string CodePageFromWide(std::wstring_view wide, Lacking lacking = Lacking::kReference);

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace linkshelf
