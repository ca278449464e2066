#include "runtime/collation.h"

#include <algorithm>

#include "runtime/text.h"

namespace linkshelf {

namespace {

// The blank first, ASCII letters as lower case, every other byte by value.
int SortWeight(unsigned char byte) {
  if (byte == ' ') return -1;
  return static_cast<unsigned char>(LowerAsciiByte(static_cast<char>(byte)));
}

}  // namespace

int ByteCollation::Compare(std::string_view a, std::string_view b) const {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int x = SortWeight(static_cast<unsigned char>(a[i]));
    const int y = SortWeight(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace linkshelf
