#include "import/page_bytes.h"

#include <algorithm>

namespace linkshelf {

std::string JoinPageLines(std::string_view bytes) {
  const size_t end = std::min(bytes.find('\x1A'), bytes.size());
  std::string text;
  text.reserve(end);
  // Every CR goes: before an LF it is part of the line break, alone it is
  // dropped. The bytes between line-break bytes are copied a run at a time,
  // each kind of break found by its own search through the page.
  const std::string_view page = bytes.substr(0, end);
  size_t next_cr = page.find('\r');
  size_t next_lf = page.find('\n');
  size_t run = 0;
  for (;;) {
    const size_t cut = std::min(next_cr, next_lf);
    if (cut == std::string_view::npos) break;
    text.append(page.data() + run, cut - run);
    run = cut + 1;
    if (cut == next_cr) next_cr = page.find('\r', run);
    if (cut == next_lf) next_lf = page.find('\n', run);
  }
  text.append(page.data() + run, page.size() - run);
  return text;
}

FileStatus ReadPageText(FileSystem& files, const std::string& path, std::string& text) {
  std::string bytes;
  if (FileStatus status = files.ReadFile(path, bytes); !status) return status;
  text = JoinPageLines(bytes);
  return FileStatus::Success();
}

}  // namespace linkshelf
