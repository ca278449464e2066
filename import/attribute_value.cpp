#include "import/attribute_value.h"

#include "runtime/text.h"

namespace linkshelf {

namespace {

std::string_view NameView(std::string_view attribute) {
  return TrimmedView(attribute.substr(0, attribute.find('=')));
}

}  // namespace

void AssignAttrValue(std::string_view attribute, std::string& value) {
  size_t cut = attribute.find('"');
  if (cut == std::string_view::npos) cut = attribute.find('=');
  const std::string_view rest =
      cut == std::string_view::npos ? attribute : attribute.substr(cut + 1);
  const size_t quote = rest.find('"');
  if (quote == std::string_view::npos) {
    value.assign(TrimmedView(rest));
    return;
  }
  // Usually the quote closes the value and ends the attribute: what it
  // encloses, trimmed, is the value.
  if (quote + 1 == rest.size()) {
    value.assign(TrimmedView(rest.substr(0, quote)));
    return;
  }
  // Otherwise blanks are trimmed only after the quote is out.
  value.assign(rest.substr(0, quote)).append(rest.substr(quote + 1));
  TrimInPlace(value);
}

std::string ExtractAttrValue(std::string_view attribute) {
  std::string value;
  AssignAttrValue(attribute, value);
  return value;
}

std::string AttributeName(std::string_view attribute) {
  return LowerAscii(NameView(attribute));
}

bool HasAttributeName(std::string_view attribute, std::string_view name) {
  // Every attribute of every link is asked about, and nearly all start with
  // their name: one that starts with another letter, or with the name and
  // its `=`, is told at once. The names asked about have no blank at either end.
  if (!name.empty() && !attribute.empty() && static_cast<unsigned char>(attribute[0]) > 32) {
    if (LowerAsciiByte(attribute[0]) != LowerAsciiByte(name[0])) return false;
    if (attribute.size() > name.size() && attribute[name.size()] == '=')
      return EqualsIgnoringAsciiCase(attribute.substr(0, name.size()), name);
  }
  return EqualsIgnoringAsciiCase(NameView(attribute), name);
}

}  // namespace linkshelf
