// The two parts of a raw attribute text such as `href="u"`.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The value part: everything after the first `"` (or, without one, after the
// first `=`), less the next `"`, trimmed. `href="x y"` gives `x y`, `href=x`
// gives `x`, `href='x'` gives `'x'`.
std::string ExtractAttrValue(std::string_view attribute);
// The same into `value`, whose storage is reused.
void AssignAttrValue(std::string_view attribute, std::string& value);

// The name part: the text before the first `=`, trimmed, ASCII letters in
// lower case. Attributes are recognised by this, never by what their value holds.
std::string AttributeName(std::string_view attribute);
// True when the name part is `name` (given in lower case), without a copy.
bool HasAttributeName(std::string_view attribute, std::string_view name);

}  // namespace linkshelf
