// A document handed over a few bytes at a time, as a large file is read.
#pragma once

#include <algorithm>
#include <string>
#include <utility>

#include "import/text_source.h"

namespace linkshelf {

// The first piece, and a source of the others that `document` must outlive.
inline std::pair<std::string, TextSource> InPieces(const std::string& document, size_t piece) {
  size_t given = std::min(piece, document.size());
  return {document.substr(0, given), [&document, piece, given](std::string& text) mutable {
            if (given == document.size()) return false;
            text.append(document, given, piece);
            given = std::min(given + piece, document.size());
            return true;
          }};
}

}  // namespace linkshelf
