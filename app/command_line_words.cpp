// The splitting of a command line into words, free of any system call so that
// it can be tested and fuzzed on every platform.
#include "app/command_line.h"

namespace linkshelf {

namespace {

bool IsSeparator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

// Skips the separators and empty quote pairs before a word.
size_t SkipToWord(std::string_view line, size_t at) {
  while (at < line.size()) {
    if (IsSeparator(line[at])) {
      ++at;
    } else if (line[at] == '"' && at + 1 < line.size() && line[at + 1] == '"') {
      at += 2;
    } else {
      break;
    }
  }
  return at;
}

// The word that starts at `at`, quotes included; `at` moves past it.
std::string_view TakeWord(std::string_view line, size_t& at) {
  const size_t start = at;
  bool quoted = false;
  while (at < line.size() && (quoted || !IsSeparator(line[at]))) {
    if (line[at] == '"') quoted = !quoted;
    ++at;
  }
  return line.substr(start, at - start);
}

}  // namespace

std::string ArgumentOfCommandLine(std::string_view command_line, int n) {
  if (n < 0) return {};
  // A zero byte ends the line, as it does for the system.
  command_line = command_line.substr(0, command_line.find('\0'));
  size_t at = 0;
  std::string_view word;
  for (int index = 0; index <= n; ++index) {
    at = SkipToWord(command_line, at);
    if (at >= command_line.size()) return {};
    word = TakeWord(command_line, at);
  }
  if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
    word = word.substr(1, word.size() - 2);
  return std::string(word);
}

int ArgumentCountOfCommandLine(std::string_view command_line) {
  int count = 0;
  while (!ArgumentOfCommandLine(command_line, count + 1).empty()) ++count;
  return count;
}

}  // namespace linkshelf
