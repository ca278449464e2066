// Matching of a file name against a search pattern as folder searches do it.
#pragma once

#include <string_view>

namespace linkshelf {

// `*` matches any run of bytes, `?` any one byte, letters match without regard
// to case; the pattern "*.*" matches every name, also one without a dot.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace linkshelf
