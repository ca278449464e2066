// The lines of a page, for tests that read pages.
#pragma once

#include <string>
#include <vector>

namespace linkshelf {

// The page split at CR LF. A CR or LF on its own stays inside its line, and a
// tail without its CR LF becomes a last line, so stray line ends show.
inline std::vector<std::string> SplitPageLines(const std::string& page) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = page.find("\r\n"); end != std::string::npos; end = page.find("\r\n", start)) {
    lines.push_back(page.substr(start, end - start));
    start = end + 2;
  }
  if (start < page.size()) lines.push_back(page.substr(start));
  return lines;
}

}  // namespace linkshelf
