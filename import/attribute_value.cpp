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
  // Usually the quote closes the value; blanks are trimmed only after it is out.
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
  return EqualsIgnoringAsciiCase(NameView(attribute), name);
}

}  // namespace linkshelf
