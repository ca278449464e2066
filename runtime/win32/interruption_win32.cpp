// The console's control events caught into a mark. The system calls the
// handler on a thread of its own, so the mark is atomic and process-wide.
#include <windows.h>

#include <atomic>

#include "runtime/interruption.h"

namespace linkshelf {
namespace {

std::atomic<int> caught{static_cast<int>(InterruptKind::kNone)};
// Set when the catcher goes: the run has finished its file and cleaned up.
std::atomic<bool> finished{false};

BOOL WINAPI Mark(DWORD event) {
  const InterruptKind kind = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT
                                 ? InterruptKind::kInterrupt
                                 : InterruptKind::kTerminate;
  int expected = static_cast<int>(InterruptKind::kNone);
  // Asked twice: the default handler ends the program now.
  if (!caught.compare_exchange_strong(expected, static_cast<int>(kind))) return FALSE;
  if (kind == InterruptKind::kTerminate) {
    // The console ends the process once this returns: wait (the system allows
    // a few seconds) until the run has finished its file and cleaned up.
    for (int waited = 0; waited < 40 && !finished.load(); ++waited) Sleep(100);
  }
  return TRUE;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  caught = static_cast<int>(InterruptKind::kNone);
  finished = false;
  SetConsoleCtrlHandler(Mark, TRUE);
}

InterruptCatcher::~InterruptCatcher() {
  finished = true;
  SetConsoleCtrlHandler(Mark, FALSE);
}

InterruptKind InterruptCatcher::Caught() const {
  return static_cast<InterruptKind>(caught.load());
}

int InterruptExitStatus(InterruptKind kind) {
  switch (kind) {
    case InterruptKind::kInterrupt:
      return 130;
    case InterruptKind::kTerminate:
      return 143;
    case InterruptKind::kNone:
      break;
  }
  return 0;
}

}  // namespace linkshelf
