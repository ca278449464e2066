#include "import/text_source.h"

#include <algorithm>

namespace linkshelf {

bool HeldText::TakeMore() {
  if (!more_) return false;
  if (more_(text_)) return true;
  more_ = nullptr;
  return false;
}

std::size_t HeldText::Find(std::string_view wanted, std::size_t from) {
  for (;;) {
    const std::size_t found =
        wanted.size() == 1 ? text_.find(wanted.front(), from) : text_.find(wanted, from);
    if (found != std::string::npos) return found;
    // What was searched already is not searched again.
    if (text_.size() >= wanted.size()) from = std::max(from, text_.size() - wanted.size() + 1);
    if (!TakeMore()) return std::string::npos;
  }
}

}  // namespace linkshelf
