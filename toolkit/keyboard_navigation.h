// The focus moves behind the form's navigation handlers.
#pragma once

#include <vector>

#include "toolkit/control.h"

namespace linkshelf {

// The form's tab stops that are enabled and visible together with all their
// containers, in tab order.
std::vector<Control*> NavigableControls(Control* form);
// One step forwards or backwards in tab order, wrapping around at the ends.
void StepInTabOrder(Control* form, Control* current, bool backward);

}  // namespace linkshelf
