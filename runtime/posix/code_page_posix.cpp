// On POSIX the system code page is UTF-8: it holds every character, so only
// the references and their escape are concerned.
#include "runtime/code_page.h"

namespace linkshelf {

std::string CodePageToUtf8(std::string_view text) {
  return DecodeReferencesToUtf8(text);
}

bool ReadsTheSameInUtf8(std::string_view code_page_text) {
  // Only a reference or its escape, both of which start with "&#", reads otherwise.
  return code_page_text.find("&#") == std::string_view::npos;
}

std::string Utf8ToCodePage(std::string_view utf8, Lacking lacking) {
  return lacking == Lacking::kReference ? EscapeLiteralReferences(utf8) : std::string(utf8);
}

}  // namespace linkshelf
