// The program's reading of its own command line against a second reading
// written straight from the rules: separators are bytes 1 to 32, a double quote
// holds a stretch together up to the next one, separators and empty quote
// pairs before a word are skipped, the first word is the program's, and a word
// that begins and ends with a double quote loses both.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "fuzz/support/check.h"

namespace {

std::vector<std::string> ReferenceWords(std::string_view line) {
  line = line.substr(0, line.find('\0'));
  std::vector<std::string> words;
  size_t at = 0;
  for (;;) {
    for (;;) {
      if (at < line.size() && static_cast<unsigned char>(line[at]) >= 1 &&
          static_cast<unsigned char>(line[at]) <= 32) {
        ++at;
      } else if (line.substr(at, 2) == "\"\"") {
        at += 2;
      } else {
        break;
      }
    }
    if (at >= line.size()) break;
    std::string word;
    bool quoted = false;
    for (; at < line.size(); ++at) {
      const auto c = static_cast<unsigned char>(line[at]);
      if (c == '"')
        quoted = !quoted;
      else if (!quoted && c <= 32)
        break;
      word += line[at];
    }
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
      word = word.substr(1, word.size() - 2);
    words.push_back(word);
  }
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> words = ReferenceWords(line);
  int count = 0;
  while (count + 1 < static_cast<int>(words.size()) && !words[count + 1].empty()) ++count;
  FUZZ_CHECK(linkshelf::ArgumentCountOfCommandLine(line) == count);
  for (int n = 1; n <= static_cast<int>(words.size()) + 1; ++n) {
    const std::string expected = n < static_cast<int>(words.size()) ? words[n] : std::string();
    FUZZ_CHECK(linkshelf::ArgumentOfCommandLine(line, n) == expected);
  }
  FUZZ_CHECK(linkshelf::ArgumentOfCommandLine(line, -1).empty());
  return 0;
}
