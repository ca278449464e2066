// Moving the focus between a form's controls with Tab and the arrow keys.
#include <algorithm>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/application_state.h"
#include "toolkit/keyboard_navigation.h"

namespace linkshelf {
namespace {

constexpr WPARAM kTabKey = VK_TAB;
constexpr WPARAM kBackwardFlag = 0x80;

bool ShiftIsDown() {
  return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

bool IsTabKey(WPARAM key) {
  return (key & ~kBackwardFlag) == kTabKey;
}
bool TabGoesBackward(WPARAM key) {
  return (key & kBackwardFlag) != 0 || ShiftIsDown();
}

unsigned GroupOf(WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
      return kNavigateLeftRight;
    case VK_UP:
    case VK_DOWN:
      return kNavigateUpDown;
    case VK_PRIOR:
    case VK_NEXT:
      return kNavigatePage;
    default:
      return IsTabKey(key) ? unsigned{kNavigateTab} : 0u;
  }
}

void Collect(Control* container, std::vector<Control*>& found) {
  for (std::size_t i = 0; i < container->ChildCount(); ++i) {
    Control* child = container->Child(i);
    // Forms opened on this one have their own navigation.
    if (child->IsForm() || !child->IsEnabled() || !child->IsVisible()) continue;
    if (child->IsTabStop()) found.push_back(child);
    Collect(child, found);
  }
}

// The control the focus moves from: the one with the focus, or for the form
// itself its current control.
Control* Origin(Control* control) {
  if (control->IsForm()) return control->CurrentControl();
  return control;
}

bool MoveFocusSpatially(Control* form, Control* current, WPARAM key) {
  RECT cur{};
  HWND current_window = current->ExistingWindow();
  if (!current_window || !GetWindowRect(current_window, &cur)) return false;
  std::vector<Control*> candidates = NavigableControls(form);
  Control* best = nullptr;
  LONG best_distance = 0;
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    Control* candidate = *it;
    if (candidate == current || !candidate->ExistingWindow()) continue;
    RECT cand{};
    GetWindowRect(candidate->ExistingWindow(), &cand);
    bool qualifies = false;
    LONG distance = 0;
    switch (key) {
      case VK_RIGHT:
        qualifies = cand.left >= cur.left && cand.bottom >= cur.top && cand.top < cur.bottom;
        distance = cand.left - cur.left;
        break;
      case VK_LEFT:
        qualifies = cand.left <= cur.left && cand.bottom >= cur.top && cand.top < cur.bottom;
        distance = cur.left - cand.left;
        break;
      case VK_DOWN:
      case VK_NEXT:
        qualifies = cand.top >= cur.top && cand.right >= cur.left && cand.left < cur.right;
        distance = cand.top - cur.top;
        break;
      case VK_UP:
      case VK_PRIOR:
        qualifies = cand.top <= cur.top && cand.right >= cur.left && cand.left < cur.right;
        distance = cur.top - cand.top;
        break;
      default:
        return false;
    }
    // Walking from the last in tab order, an equal distance lets the earlier one win.
    if (qualifies && (!best || distance <= best_distance)) {
      best = candidate;
      best_distance = distance;
    }
  }
  if (!best) return false;
  MoveFocusTo(best);
  return true;
}

// Moves for an arrow or page key, falling back as the key's group allows:
// Left as Up, Right as Down, and Up and Down as tab steps.
void MoveForKey(Control* form, Control* current, unsigned leaves, WPARAM key) {
  if (MoveFocusSpatially(form, current, key)) return;
  switch (key) {
    case VK_LEFT:
      if (leaves & kNavigateUpDown) MoveForKey(form, current, leaves, VK_UP);
      return;
    case VK_RIGHT:
      if (leaves & kNavigateUpDown) MoveForKey(form, current, leaves, VK_DOWN);
      return;
    case VK_UP:
    case VK_PRIOR:
      StepInTabOrder(form, current, true);
      return;
    default:
      StepInTabOrder(form, current, ShiftIsDown());
      return;
  }
}

bool KeyNavigation(Control* control, WPARAM key, bool key_down) {
  Control* form = control->OwningForm();
  if (!form) return false;
  const unsigned leaves = control->NavigationKeys();
  const unsigned group = GroupOf(key);
  if (group == 0 || (leaves & group) == 0) return false;
  Control* current = Origin(control);
  if (group != kNavigateTab && !form->CurrentControl()) return false;
  if (key_down) return true;
  if (group == kNavigateTab) {
    StepInTabOrder(form, current, TabGoesBackward(key));
  } else if (current) {
    MoveForKey(form, current, leaves, key);
  }
  return true;
}

bool TabNavigation(Control* control, WPARAM key, bool key_down) {
  if (!IsTabKey(key) || (control->NavigationKeys() & kNavigateTab) == 0) return false;
  Control* form = control->OwningForm();
  if (!form) return false;
  if (!key_down) StepInTabOrder(form, Origin(control), TabGoesBackward(key));
  return true;
}

}  // namespace

std::vector<Control*> NavigableControls(Control* form) {
  std::vector<Control*> found;
  Collect(form, found);
  std::stable_sort(found.begin(), found.end(), [](const Control* a, const Control* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return found;
}

void StepInTabOrder(Control* form, Control* current, bool backward) {
  const std::vector<Control*> controls = NavigableControls(form);
  if (controls.empty()) return;
  const int from = current ? current->TabOrder() : (backward ? 0x7FFFFFFF : 0);
  Control* target = nullptr;
  if (!backward) {
    for (Control* c : controls)
      if (c->TabOrder() > from) {
        target = c;
        break;
      }
    if (!target) target = controls.front();
  } else {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
      if ((*it)->TabOrder() < from) {
        target = *it;
        break;
      }
    if (!target) target = controls.back();
  }
  MoveFocusTo(target);
}

Control* UseKeyNavigation(Control* form) {
  form->SetFormNavigation(KeyNavigation);
  return form;
}

Control* UseTabNavigation(Control* form) {
  form->SetFormNavigation(TabNavigation);
  return form;
}

}  // namespace linkshelf
