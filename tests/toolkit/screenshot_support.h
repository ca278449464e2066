// For the programs that tools/screenshots runs: each shows one window and
// tells the script where it is, then waits to be captured.
#pragma once

#include "toolkit/control.h"

namespace linkshelf {

// Once `form` is shown and drawn, prints "screenshot-ready X Y WIDTH HEIGHT"
// (its outer rectangle on the screen) on standard output.
void AnnounceReadyForScreenshot(Control* form);

// Shows `form` as the application window, announces it, and serves it until
// the script ends the program (or a minute has passed).
int RunForScreenshot(Control* form);

}  // namespace linkshelf
