// A handler function and the context pointer it is called with: the way the
// program attaches its plain functions to a window's events.
#pragma once

namespace linkshelf {

class Control;
class ToolkitObject;

template <typename Handler>
struct EventSlot {
  Handler handler = nullptr;
  void* context = nullptr;

  explicit operator bool() const { return handler != nullptr; }
  void Set(Handler new_handler, void* new_context) {
    handler = new_handler;
    context = new_context;
  }
  void Clear() { Set(nullptr, nullptr); }
  // Calls handler(context, sender, more...); an empty slot is skipped.
  template <typename Sender, typename... More>
  void operator()(Sender* sender, More&&... more) const {
    if (handler != nullptr) handler(context, sender, static_cast<More&&>(more)...);
  }
};

// Click, show, hide and drop-down events.
using NotifyHandler = void (*)(void* context, Control* sender);
// A close request; setting `accept` to false refuses it.
using CloseHandler = void (*)(void* context, Control* sender, bool& accept);
// Runs once when a toolkit object is destroyed.
using DestroyHandler = void (*)(void* context, ToolkitObject* sender);

}  // namespace linkshelf
