// The names of one folder listing, each with a mark, kept in one buffer and
// found through an open-addressing table: a listing of many names costs a
// few allocations, and names that nobody looks for cost no hashing.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace linkshelf {

template <typename Mark>
class NameTable {
 public:
  // Forgets every name and lets go of the storage.
  void Clear() { *this = NameTable(); }

  bool empty() const { return added_.empty() && count_ == 0; }

  // Adds a name; of two equal names the first is kept.
  void Add(std::string_view name, Mark mark) {
    added_.push_back({static_cast<std::uint32_t>(names_.size()),
                      static_cast<std::uint32_t>(name.size()), mark, true});
    names_.append(name);
  }

  // Adds a name that was not added yet; false, and nothing added, when it was.
  bool Insert(std::string_view name, Mark mark) {
    if (!added_.empty() || 2 * (count_ + 1) > slots_.size()) {
      Add(name, mark);
      const size_t before = count_;
      Index();
      return count_ > before;
    }
    const size_t mask = slots_.size() - 1;
    size_t at = HashName(name) & mask;
    for (; slots_[at].used; at = (at + 1) & mask) {
      if (Name(slots_[at]) == name) return false;
    }
    slots_[at] = {static_cast<std::uint32_t>(names_.size()),
                  static_cast<std::uint32_t>(name.size()), mark, true};
    names_.append(name);
    ++count_;
    return true;
  }

  // The mark of `name`, which the caller may change; null when it was not added.
  Mark* Find(std::string_view name) {
    if (!added_.empty()) Index();
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t at = HashName(name) & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (!slot.used) return nullptr;
      if (Name(slot) == name) return &slot.mark;
    }
  }

 private:
  struct Slot {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    Mark mark{};
    bool used = false;
  };

  // Every listed name is hashed once and every looked-up one once more: a
  // multiply-and-fold over eight bytes at a time, inline, is enough for
  // names of one folder.
  static size_t HashName(std::string_view name) {
    std::uint64_t hash = 0x9E3779B97F4A7C15u ^ name.size();
    const auto mix = [&hash](std::uint64_t word) {
      hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
      hash ^= hash >> 32;
    };
    size_t at = 0;
    for (; at + 8 <= name.size(); at += 8) {
      std::uint64_t word;
      std::memcpy(&word, name.data() + at, 8);
      mix(word);
    }
    if (at < name.size()) {
      std::uint64_t word = 0;
      std::memcpy(&word, name.data() + at, name.size() - at);
      mix(word);
    }
    return static_cast<size_t>(hash ^ (hash >> 29));
  }

  std::string_view Name(const Slot& slot) const {
    return std::string_view(names_).substr(slot.offset, slot.size);
  }

  // Puts the names added since the last look into the table, which stays at
  // most half full.
  void Index() {
    size_t capacity = 8;
    while (capacity < 2 * (count_ + added_.size())) capacity *= 2;
    if (capacity != slots_.size()) {
      std::vector<Slot> old(capacity);
      old.swap(slots_);
      count_ = 0;
      for (const Slot& slot : old) {
        if (slot.used) Place(slot);
      }
    }
    for (const Slot& slot : added_) Place(slot);
    added_.clear();
  }

  void Place(const Slot& slot) {
    const size_t mask = slots_.size() - 1;
    size_t at = HashName(Name(slot)) & mask;
    while (slots_[at].used) {
      if (Name(slots_[at]) == Name(slot)) return;
      at = (at + 1) & mask;
    }
    slots_[at] = slot;
    ++count_;
  }

  std::string names_;
  std::vector<Slot> added_;  // not yet in the table
  std::vector<Slot> slots_;  // a power of two in number
  size_t count_ = 0;         // the names in the table
};

}  // namespace linkshelf
