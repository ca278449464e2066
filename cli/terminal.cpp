#include "cli/terminal.h"

#include <cstdio>

#include "runtime/standard_streams.h"

namespace linkshelf {

bool StandardInputIsTerminal() {
  return IsTerminal(StandardStream::kInput);
}
bool StandardErrorIsTerminal() {
  return IsTerminal(StandardStream::kError);
}

bool AskYesNo(const std::string& question) {
  std::fprintf(stderr, "%s [y/N] ", question.c_str());
  std::fflush(stderr);
  std::string answer;
  for (int c = std::fgetc(stdin); c != EOF && c != '\n'; c = std::fgetc(stdin))
    answer += static_cast<char>(c);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

ProgressLine::ProgressLine()
    : enabled_(StandardErrorIsTerminal()), start_(Clock::now()), last_shown_(start_) {}

ProgressLine::~ProgressLine() {
  Clear();
}

bool ProgressLine::Due() const {
  if (!enabled_) return false;
  const Clock::time_point now = Clock::now();
  if (now - start_ < std::chrono::seconds(1)) return false;
  // A few updates a second are enough to read, and cost nothing.
  return shown_width_ == 0 || now - last_shown_ >= std::chrono::milliseconds(100);
}

void ProgressLine::Show(const std::string& text) {
  if (!Due()) return;
  last_shown_ = Clock::now();
  std::string line = "\r" + text;
  if (text.size() < shown_width_) line.append(shown_width_ - text.size(), ' ');
  shown_width_ = text.size() > shown_width_ ? text.size() : shown_width_;
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

void ProgressLine::Clear() {
  if (shown_width_ == 0) return;
  std::fprintf(stderr, "\r%s\r", std::string(shown_width_, ' ').c_str());
  std::fflush(stderr);
  shown_width_ = 0;
}

}  // namespace linkshelf
