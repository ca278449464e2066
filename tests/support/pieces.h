// A document handed over a few bytes at a time, as a large file is read.
#pragma once

#include <algorithm>
#include <string>

#include "import/text_source.h"

namespace linkshelf {

struct DocumentInPieces {
  std::string start;  // the first piece
  TextSource more;    // the others, one per call; `document` must outlive it
};

inline DocumentInPieces InPieces(const std::string& document, size_t piece) {
  const size_t first = std::min(piece, document.size());
  return {document.substr(0, first), [&document, piece, given = first](std::string& text) mutable {
            if (given == document.size()) return false;
            text.append(document, given, piece);
            given = std::min(given + piece, document.size());
            return true;
          }};
}

}  // namespace linkshelf
