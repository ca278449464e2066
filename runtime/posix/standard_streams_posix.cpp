#include <unistd.h>

#include "runtime/standard_streams.h"

namespace linkshelf {

bool IsTerminal(StandardStream stream) {
  switch (stream) {
    case StandardStream::kInput:
      return ::isatty(STDIN_FILENO) != 0;
    case StandardStream::kOutput:
      return ::isatty(STDOUT_FILENO) != 0;
    case StandardStream::kError:
      break;
  }
  return ::isatty(STDERR_FILENO) != 0;
}

// POSIX streams never change the bytes.
void UseBinaryStandardOutput() {}

}  // namespace linkshelf
