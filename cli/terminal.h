// The terminal around linkshelf-cli: whether there is one, questions asked on
// it, and a progress line on standard error for long jobs.
#pragma once

#include <chrono>
#include <string>

namespace linkshelf {

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// Writes the question to standard error and reads one line of standard input;
// true when the answer begins with "y" or "Y". No answer counts as no.
bool AskYesNo(const std::string& question);

// One line on standard error, rewritten in place, shown only when standard
// error is a terminal and the job has run for more than a second.
class ProgressLine {
 public:
  ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine();

  void Show(const std::string& text);
  // Whether Show would write now: a caller with many steps builds its text only then.
  bool Due() const;
  // Removes the line, so that the next message starts on a clean line.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  bool enabled_;
  Clock::time_point start_;
  Clock::time_point last_shown_;
  size_t shown_width_ = 0;
};

}  // namespace linkshelf
