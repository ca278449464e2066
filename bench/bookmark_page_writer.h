// Renders a sample collection as a bookmark page in the shape that the export
// writes with link titles: a heading per folder, a numbered list of anchors
// that carry their folder in a MyDir attribute, CR LF line ends.
#pragma once

#include <string>

#include "bench/sample_favorites.h"

namespace linkshelf::bench {

// The address that the page's own generated-by link points at.
inline constexpr const char* kGeneratedByAddress = "https://example.org/linkshelf";

std::string BookmarkPageText(const SampleFavorites& favorites);

}  // namespace linkshelf::bench
