// SIGINT and SIGTERM caught into a mark. The mark is process-wide because a
// signal is: the handler can reach nothing else.
#include <signal.h>

#include "runtime/interruption.h"

namespace linkshelf {
namespace {

volatile sig_atomic_t caught_signal = 0;
struct sigaction previous_interrupt {};
struct sigaction previous_terminate {};

void Mark(int signal_number) {
  if (caught_signal != 0) {
    // Asked twice: end now, as the signal would have without the catcher.
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
    return;
  }
  caught_signal = signal_number;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  caught_signal = 0;
  struct sigaction action {};
  action.sa_handler = Mark;
  ::sigemptyset(&action.sa_mask);
  // No SA_RESTART: a question waiting on the terminal returns, and counts as cancel.
  action.sa_flags = 0;
  ::sigaction(SIGINT, &action, &previous_interrupt);
  ::sigaction(SIGTERM, &action, &previous_terminate);
}

InterruptCatcher::~InterruptCatcher() {
  ::sigaction(SIGINT, &previous_interrupt, nullptr);
  ::sigaction(SIGTERM, &previous_terminate, nullptr);
}

InterruptKind InterruptCatcher::Caught() const {
  switch (caught_signal) {
    case SIGINT:
      return InterruptKind::kInterrupt;
    case SIGTERM:
      return InterruptKind::kTerminate;
    default:
      return InterruptKind::kNone;
  }
}

int InterruptExitStatus(InterruptKind kind) {
  switch (kind) {
    case InterruptKind::kInterrupt:
      return 128 + SIGINT;
    case InterruptKind::kTerminate:
      return 128 + SIGTERM;
    case InterruptKind::kNone:
      break;
  }
  return 0;
}

}  // namespace linkshelf
