// The base of every toolkit object and the ownership rules shared by all of them.
//
// Every object has exactly one owner: its parent control (child controls and
// forms opened on another form), the auto-free list of another object
// (AddAutoFree), or the toolkit itself for objects nobody took yet. `Free`
// releases an object wherever it is held; an object that the toolkit is using
// at that moment (a reference is held) is released when the last reference goes.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "toolkit/event_slot.h"

namespace linkshelf {

class ToolkitObject {
 public:
  ToolkitObject() = default;
  ToolkitObject(const ToolkitObject&) = delete;
  ToolkitObject& operator=(const ToolkitObject&) = delete;
  virtual ~ToolkitObject();

  // Runs once, first thing when the object is destroyed.
  EventSlot<DestroyHandler> OnDestroy;

  bool IsReferenced() const { return (reference_count_ >> 1) > 0; }
  bool IsReleaseRequested() const { return (reference_count_ & 1) != 0; }
  bool IsDestroying() const { return destroying_; }

 protected:
  // The object's destroy step: the destroy event, then the auto-free list.
  // Overrides run their own steps and call this at the point their order needs.
  virtual void Destroy();

 private:
  friend class ObjectReference;
  friend class ObjectOwnership;

  // Doubled count; the lowest bit marks a release requested while referenced.
  std::int32_t reference_count_ = 0;
  bool destroying_ = false;
  ToolkitObject* auto_free_owner_ = nullptr;
  std::vector<std::unique_ptr<ToolkitObject>> auto_free_;
};

// Holds a reference for as long as it lives: a `Free` meanwhile is deferred.
class ObjectReference {
 public:
  explicit ObjectReference(ToolkitObject* object);
  ObjectReference(const ObjectReference&) = delete;
  ObjectReference& operator=(const ObjectReference&) = delete;
  ~ObjectReference();

 private:
  ToolkitObject* object_;
};

// Hands a new object to the toolkit, which holds it until it is tied to an
// owner with AddAutoFree or released with Free.
void AdoptObject(std::unique_ptr<ToolkitObject> object);

// Creates an object of the program's own kind (such as the record that keeps a
// window's controls) held by the toolkit.
template <typename T, typename... Args>
T* CreateObject(Args&&... args) {
  auto object = std::make_unique<T>(std::forward<Args>(args)...);
  T* created = object.get();
  AdoptObject(std::move(object));
  return created;
}

// Ties `object` to `owner`: it is released when `owner` is destroyed, after the
// owner's destroy event, newest entry first.
void AddAutoFree(ToolkitObject* owner, ToolkitObject* object);

// Releases the object (deferred while referenced). Free(nullptr) does nothing.
void Free(ToolkitObject* object);

}  // namespace linkshelf
