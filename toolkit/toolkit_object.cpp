#include "toolkit/toolkit_object.h"

#include <algorithm>
#include <exception>

#include "toolkit/application.h"
#include "toolkit/control.h"

namespace linkshelf {

// Where objects live and how they leave: the one place that deletes them.
class ObjectOwnership {
 public:
  static std::vector<std::unique_ptr<ToolkitObject>>& Unowned() {
    static std::vector<std::unique_ptr<ToolkitObject>> objects;
    return objects;
  }

  static std::unique_ptr<ToolkitObject> TakeFrom(std::vector<std::unique_ptr<ToolkitObject>>& list,
                                                 ToolkitObject* object) {
    auto found = std::find_if(list.begin(), list.end(),
                              [object](const auto& held) { return held.get() == object; });
    if (found == list.end()) return nullptr;
    std::unique_ptr<ToolkitObject> taken = std::move(*found);
    list.erase(found);
    return taken;
  }

  // Takes the object out of whatever holds it.
  static std::unique_ptr<ToolkitObject> Detach(ToolkitObject* object) {
    if (ToolkitObject* owner = object->auto_free_owner_) {
      object->auto_free_owner_ = nullptr;
      return TakeFrom(owner->auto_free_, object);
    }
    if (auto* control = dynamic_cast<Control*>(object); control && control->parent_) {
      auto& siblings = control->parent_->children_;
      auto found = std::find_if(siblings.begin(), siblings.end(),
                                [control](const auto& held) { return held.get() == control; });
      control->parent_ = nullptr;
      if (found == siblings.end()) return nullptr;
      std::unique_ptr<ToolkitObject> taken = std::move(*found);
      siblings.erase(found);
      return taken;
    }
    return TakeFrom(Unowned(), object);
  }

  static void Release(ToolkitObject* object) {
    if (object->destroying_) return;
    if (object->IsReferenced()) {
      object->reference_count_ |= 1;
      return;
    }
    object->destroying_ = true;
    try {
      object->Destroy();
    } catch (...) {
      ReportUnexpectedError(std::current_exception());
    }
    std::unique_ptr<ToolkitObject> held = Detach(object);
    // `held` goes now; an object nobody held is left alone rather than deleted twice.
  }

  // An owner is going and must release what it holds. An object still in use
  // goes to the toolkit's keeping and is released when its last reference goes.
  static void ReleaseHeld(ToolkitObject* object) {
    if (object->IsReferenced() && !object->destroying_) {
      object->reference_count_ |= 1;
      Unowned().push_back(Detach(object));
      return;
    }
    Release(object);
  }

  static void AddReference(ToolkitObject* object) { object->reference_count_ += 2; }
  static void DropReference(ToolkitObject* object) {
    object->reference_count_ -= 2;
    if (!object->IsReferenced() && object->IsReleaseRequested()) {
      object->reference_count_ &= ~1;
      Release(object);
    }
  }

  static void AddAutoFree(ToolkitObject* owner, ToolkitObject* object) {
    if (auto* control = dynamic_cast<Control*>(object); control && control->parent_) return;
    std::unique_ptr<ToolkitObject> held = Detach(object);
    if (!held) return;
    object->auto_free_owner_ = owner;
    owner->auto_free_.push_back(std::move(held));
  }

  static void ReleaseAutoFree(ToolkitObject* owner) {
    while (!owner->auto_free_.empty()) ReleaseHeld(owner->auto_free_.back().get());
  }
};

ToolkitObject::~ToolkitObject() = default;

void ToolkitObject::Destroy() {
  EventSlot<DestroyHandler> on_destroy = OnDestroy;
  OnDestroy.Clear();
  on_destroy(this);
  ObjectOwnership::ReleaseAutoFree(this);
}

ObjectReference::ObjectReference(ToolkitObject* object) : object_(object) {
  if (object_) ObjectOwnership::AddReference(object_);
}

ObjectReference::~ObjectReference() {
  if (object_) ObjectOwnership::DropReference(object_);
}

void AdoptObject(std::unique_ptr<ToolkitObject> object) {
  if (object) ObjectOwnership::Unowned().push_back(std::move(object));
}

void AddAutoFree(ToolkitObject* owner, ToolkitObject* object) {
  if (owner && object && owner != object) ObjectOwnership::AddAutoFree(owner, object);
}

void Free(ToolkitObject* object) {
  if (object) ObjectOwnership::Release(object);
}

void ReleaseChildControl(ToolkitObject* child) {
  ObjectOwnership::ReleaseHeld(child);
}

}  // namespace linkshelf
