#include "import/page_text.h"

#include <algorithm>

namespace linkshelf {

std::string JoinPageLines(std::string_view bytes) {
  const size_t end = std::min(bytes.find('\x1A'), bytes.size());
  std::string text;
  text.reserve(end);
  for (size_t i = 0; i < end; ++i) {
    // Every CR goes: before an LF it is part of the line break, alone it is dropped.
    if (bytes[i] != '\r' && bytes[i] != '\n') text += bytes[i];
  }
  return text;
}

FileStatus ReadPageText(FileSystem& files, const std::string& path, std::string& text) {
  std::string bytes;
  if (FileStatus status = files.ReadFile(path, bytes); !status) return status;
  text = JoinPageLines(bytes);
  return FileStatus::Success();
}

}  // namespace linkshelf
