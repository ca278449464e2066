#include "import/page_bytes.h"

#include <algorithm>
#include <cstring>

namespace linkshelf {

bool JoinPageLinesFrom(std::string& bytes, size_t from) {
  const size_t end_mark = bytes.find('\x1A', from);
  const size_t end = std::min(end_mark, bytes.size());
  // Every CR goes: before an LF it is part of the line break, alone it is
  // dropped. The bytes between line-break bytes move forward a run at a time,
  // each kind of break found by its own search through the page.
  const std::string_view page(bytes.data(), end);
  size_t next_cr = page.find('\r', from);
  size_t next_lf = page.find('\n', from);
  size_t run = from;
  size_t length = from;
  const auto keep = [&](size_t stop) {
    if (run != length) std::memmove(bytes.data() + length, bytes.data() + run, stop - run);
    length += stop - run;
  };
  for (;;) {
    const size_t cut = std::min(next_cr, next_lf);
    if (cut == std::string_view::npos) break;
    keep(cut);
    run = cut + 1;
    if (cut == next_cr) next_cr = page.find('\r', run);
    if (cut == next_lf) next_lf = page.find('\n', run);
  }
  keep(end);
  bytes.resize(length);
  return end_mark == std::string::npos;
}

std::string JoinPageLines(std::string_view bytes) {
  std::string text(bytes);
  JoinPageLinesFrom(text, 0);
  return text;
}

}  // namespace linkshelf
