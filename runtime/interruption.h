// Ctrl-C and the request to end the program, caught so that a long run stops
// between two files instead of in the middle of one.
#pragma once

namespace linkshelf {

enum class InterruptKind {
  kNone,
  kInterrupt,  // Ctrl-C (SIGINT, the console's Ctrl-C and Ctrl-Break)
  kTerminate,  // the request to end (SIGTERM, the console closing)
};

// While an object of this class lives, the first such signal only sets a mark
// that the program asks for between its steps; a second one ends the program
// at once, as it would have without the catcher. One object at a time: a
// signal reaches the process, not an object.
class InterruptCatcher {
 public:
  InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  ~InterruptCatcher();

  InterruptKind Caught() const;
  bool Requested() const { return Caught() != InterruptKind::kNone; }
};

// The exit status that tells the shell how the run ended: 128 plus the
// signal's number, 130 for Ctrl-C and 143 for the request to end.
int InterruptExitStatus(InterruptKind kind);

}  // namespace linkshelf
