#include "runtime/text.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <new>

namespace linkshelf {

std::string TrimBoth(std::string_view text) {
  return std::string(TrimmedView(text));
}

void TrimInPlace(std::string& text) {
  const std::string_view trimmed = TrimmedView(text);
  const auto begin = static_cast<size_t>(trimmed.data() - text.data());
  text.erase(begin + trimmed.size());
  text.erase(0, begin);
}

void ReserveIfRoom(std::string& text, std::uint64_t total) {
  if (total > text.max_size()) return;
  try {
    text.reserve(static_cast<size_t>(total));
  } catch (const std::bad_alloc&) {
  }
}

std::string FolderPart(std::string_view path) {
  const size_t last = path.find_last_of("\\:");
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string NamePart(std::string_view path) {
  const size_t last = path.find_last_of("\\:");
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string CollapseDoubledBackslashes(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') ++i;
  }
  return result;
}

std::string LowerAscii(std::string_view text) {
  std::string result;
  AssignLowerAscii(result, text);
  return result;
}

void AssignLowerAscii(std::string& out, std::string_view text) {
  out.assign(text);
  // Walked through a pointer of its own, which the compiler then takes a
  // whole register at a time: a write through the string's own bytes could
  // change the string, so each step would look at it again.
  char* const bytes = out.data();
  const size_t size = out.size();
  for (size_t i = 0; i < size; ++i) bytes[i] = LowerAsciiByte(bytes[i]);
}

#ifdef _WIN32
bool IsLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}
#endif

}  // namespace linkshelf
