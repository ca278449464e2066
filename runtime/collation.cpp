#include "runtime/collation.h"

#include <algorithm>
#include <array>

#include "runtime/text.h"

namespace linkshelf {

namespace {

// The blank first, ASCII letters as lower case, every other byte by value.
constexpr int SortWeight(unsigned char byte) {
  if (byte == ' ') return -1;
  return static_cast<unsigned char>(LowerAsciiByte(static_cast<char>(byte)));
}

// The weights of all bytes, looked up rather than worked out: sorting
// compares names many times over.
struct SortWeights {
  std::array<short, 256> of{};
  constexpr SortWeights() {
    for (int byte = 0; byte < 256; ++byte)
      of[static_cast<size_t>(byte)] =
          static_cast<short>(SortWeight(static_cast<unsigned char>(byte)));
  }
};
constexpr SortWeights kWeights;

}  // namespace

int ByteCollation::Compare(std::string_view a, std::string_view b) const {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int x = kWeights.of[static_cast<unsigned char>(a[i])];
    const int y = kWeights.of[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace linkshelf
