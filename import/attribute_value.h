// The two parts of a raw attribute text such as `href="u"`.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The value part: everything after the first `"` (or, without one, after the
// first `=`), less the next `"`, trimmed. `href="x y"` gives `x y`, `href=x`
// gives `x`, `href='x'` gives `'x'`.
std::string ExtractAttrValue(std::string_view attribute);

// The name part: the text before the first `=`, trimmed, ASCII letters in
// lower case. Attributes are recognised by this, never by what their value holds.
std::string AttributeName(std::string_view attribute);

}  // namespace linkshelf
