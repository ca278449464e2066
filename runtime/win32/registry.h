// Registry access on Windows: keys opened (or created) for full access, text
// values read and written, every key closed when its object goes, whatever
// happened meanwhile. The program reaches the registry only through the
// abstract `Registry`, so that tests can stand in a registry that refuses.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace linkshelf {

// One value as read from a key.
struct RegistryValue {
  enum class Kind {
    kMissing,    // no value of that name
    kText,       // a plain or expandable string; `text` holds it up to its first zero
    kOtherType,  // present, but stored with a type other than text
  };
  Kind kind = Kind::kMissing;
  std::string text;
};

// One open key.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // An empty name stands for the key's default value.
  virtual RegistryValue Read(const std::string& name) = 0;
  // Writes a plain string, its terminating zero counted in the data size.
  // False when the registry refuses the value.
  virtual bool WriteText(const std::string& name, const std::string& text) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens `path` below `hive` for full access (read and write); with `create`,
  // missing keys on the way are created. Nothing when the key cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenKey(HKEY hive, const std::string& path, bool create) = 0;
};

// The registry of the running system.
std::unique_ptr<Registry> MakeSystemRegistry();

// Owns one open key handle and closes it when it goes.
class KeyHandle {
 public:
  KeyHandle() = default;
  explicit KeyHandle(HKEY key) : key_(key) {}
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  KeyHandle(KeyHandle&& other) noexcept : key_(other.Release()) {}
  KeyHandle& operator=(KeyHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~KeyHandle() { Reset(nullptr); }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY Release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
  }
  void Reset(HKEY key) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = key;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace linkshelf
