// Reading and setting the two entries of a shortcut in any file text: a set
// value reads back as set, the other entry keeps its value, and setting twice
// changes nothing more.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/support/check.h"
#include "runtime/shortcut_entry.h"
#include "runtime/text.h"

namespace {

using namespace linkshelf;

struct Entry {
  const char* section;
  const char* key;
};
const Entry kEntries[] = {{"DEFAULT", "BASEURL"}, {"InternetShortcut", "URL"}};

// The value as a reader gets it back: on one line, without blanks at its ends
// or an enclosing pair of quotes, cut to the read limit.
std::string AsRead(std::string_view value) {
  std::string line;
  for (char c : value) {
    if (c != '\r' && c != '\n') line += c;
  }
  std::string trimmed = TrimBoth(line);
  if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
      trimmed.back() == trimmed.front()) {
    trimmed = trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed.substr(0, kShortcutValueLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const Entry& set = kEntries[data[0] & 1];
  const Entry& other = kEntries[(data[0] & 1) ^ 1];
  // The rest is the file, then a byte 0 and the value.
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = rest.rfind('\0');
  const std::string_view file = rest.substr(0, split);
  const std::string_view value =
      split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);

  const std::string other_before = FindShortcutEntry(file, other.section, other.key);
  FindShortcutEntry(file, set.section, set.key);
  const std::string changed = SetShortcutEntry(file, set.section, set.key, value);
  FUZZ_CHECK(FindShortcutEntry(changed, set.section, set.key) == AsRead(value));
  FUZZ_CHECK(FindShortcutEntry(changed, other.section, other.key) == other_before);
  FUZZ_CHECK(SetShortcutEntry(changed, set.section, set.key, value) == changed);

  // A new file holds the two entries in four lines, DEFAULT first.
  const std::string fresh = SetShortcutEntry(SetShortcutEntry({}, "DEFAULT", "BASEURL", value),
                                             "InternetShortcut", "URL", value);
  FUZZ_CHECK(fresh.starts_with("[DEFAULT]\r\nBASEURL="));
  size_t lines = 0;
  for (size_t at = fresh.find("\r\n"); at != std::string::npos; at = fresh.find("\r\n", at + 2))
    ++lines;
  FUZZ_CHECK(lines == 4 && fresh.ends_with("\r\n"));
  return 0;
}
