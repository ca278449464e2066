#include "import/attribute_value.h"

#include "runtime/text.h"

namespace linkshelf {

std::string ExtractAttrValue(std::string_view attribute) {
  std::string value(attribute);
  size_t cut = value.find('"');
  if (cut == std::string::npos) cut = value.find('=');
  if (cut != std::string::npos) value.erase(0, cut + 1);
  if (const size_t quote = value.find('"'); quote != std::string::npos) value.erase(quote, 1);
  return TrimBoth(value);
}

std::string AttributeName(std::string_view attribute) {
  return LowerAscii(TrimBoth(attribute.substr(0, attribute.find('='))));
}

}  // namespace linkshelf
