#include "import/page_bytes.h"

#include <algorithm>

namespace linkshelf {

std::string JoinPageLines(std::string_view bytes) {
  const size_t end = std::min(bytes.find('\x1A'), bytes.size());
  std::string text;
  text.reserve(end);
  // Every CR goes: before an LF it is part of the line break, alone it is
  // dropped. The bytes between line-break bytes are copied a run at a time.
  size_t run = 0;
  for (size_t i = 0; i < end; ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      text.append(bytes.data() + run, i - run);
      run = i + 1;
    }
  }
  text.append(bytes.data() + run, end - run);
  return text;
}

FileStatus ReadPageText(FileSystem& files, const std::string& path, std::string& text) {
  std::string bytes;
  if (FileStatus status = files.ReadFile(path, bytes); !status) return status;
  text = JoinPageLines(bytes);
  return FileStatus::Success();
}

}  // namespace linkshelf
