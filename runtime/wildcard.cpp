#include "runtime/wildcard.h"

#include <algorithm>

#include "runtime/text.h"

namespace linkshelf {

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  // A star and then plain bytes ("*.url", as every folder scan asks) only
  // needs the end of the name compared.
  const auto is_wild = [](char c) { return c == '*' || c == '?'; };
  if (pattern.starts_with('*') && std::none_of(pattern.begin() + 1, pattern.end(), is_wild)) {
    const std::string_view tail = pattern.substr(1);
    return name.size() >= tail.size() &&
           EqualsIgnoringAsciiCase(name.substr(name.size() - tail.size()), tail);
  }
  // Iterative matching with one back-tracking point: linear for the patterns
  // the program uses, and never recursive however long the name.
  size_t n = 0, p = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    // A star is always a wildcard, also where the name holds a star itself.
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' ||
                EqualsIgnoringAsciiCase(pattern.substr(p, 1), name.substr(n, 1)))) {
      ++n;
      ++p;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace linkshelf
