// A document handed over a piece at a time, so that a large one is never held whole.
#pragma once

#include <functional>
#include <string>

namespace linkshelf {

// Gives the rest of a document a piece at a time: appends the next piece to
// `text`, or returns false, appending nothing, once the document has ended.
using TextSource = std::function<bool(std::string& text)>;

}  // namespace linkshelf
