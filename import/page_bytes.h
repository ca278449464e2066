// Joining the lines of a bookmark page into the one text that the tag scanner walks.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The page's lines joined with nothing between them: LF and CR LF end a line
// and are dropped, a lone CR is dropped too, and a byte 26 ends the text. No
// character set conversion happens.
std::string JoinPageLines(std::string_view bytes);
// The same done in place to the bytes from `from` on, which a page read
// piece by piece has just taken in; false when a byte 26 ended the text there.
bool JoinPageLinesFrom(std::string& bytes, size_t from);

}  // namespace linkshelf
