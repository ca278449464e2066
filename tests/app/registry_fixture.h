// The registry of the test's Wine prefix, cleaned of the program's keys before
// and after each test, and a registry that refuses chosen hives or values.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "app/settings_store.h"
#include "app/shell_integration.h"
#include "runtime/win32/registry.h"

namespace linkshelf {

inline void DeleteKeyTree(HKEY hive, const std::string& path) {
  RegDeleteTreeA(hive, path.c_str());
}

inline void RemoveProgramKeys() {
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
  DeleteKeyTree(HKEY_CLASSES_ROOT, kFolderVerbKeyPath);
  DeleteKeyTree(HKEY_CURRENT_USER, std::string(kUserClassesKeyPath) + kFolderVerbKeyPath);
}

// Sets a value of any type directly, as another program or a hand edit would.
inline void SetRawValue(HKEY hive, const std::string& path, const std::string& name, DWORD type,
                        const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(hive, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

inline void SetTextValue(HKEY hive, const std::string& path, const std::string& name,
                         const std::string& text) {
  SetRawValue(hive, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The value as the registry holds it: its type and its bytes.
struct RawValue {
  bool exists = false;
  DWORD type = 0;
  std::string bytes;
};

inline RawValue GetRawValue(HKEY hive, const std::string& path, const std::string& name) {
  RawValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  char data[4096] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    value.exists = true;
    value.bytes.assign(data, size);
  }
  RegCloseKey(key);
  return value;
}

inline bool KeyExists(HKEY hive, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The system registry, except that opening a key below a refused hive fails and
// writing a refused value name fails, as they do for a user without the right.
class RefusingRegistry final : public Registry {
 public:
  std::set<HKEY> refused_hives;
  std::set<std::string> refused_values;
  std::set<HKEY> write_refused_hives;  // the key opens, every write fails
  int writes = 0;                      // values written, refused ones not counted

  std::unique_ptr<RegistryKey> OpenKey(HKEY hive, const std::string& path, bool create) override {
    if (refused_hives.contains(hive)) return nullptr;
    auto key = system_->OpenKey(hive, path, create);
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), *this, write_refused_hives.contains(hive));
  }

 private:
  class Key final : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> inner, RefusingRegistry& owner, bool refuse_all)
        : inner_(std::move(inner)), owner_(owner), refuse_all_(refuse_all) {}
    RegistryValue Read(const std::string& name) override { return inner_->Read(name); }
    bool WriteText(const std::string& name, const std::string& text) override {
      if (refuse_all_ || owner_.refused_values.contains(name)) return false;
      const bool written = inner_->WriteText(name, text);
      owner_.writes += written ? 1 : 0;
      return written;
    }

   private:
    std::unique_ptr<RegistryKey> inner_;
    RefusingRegistry& owner_;
    bool refuse_all_;
  };

  std::unique_ptr<Registry> system_ = MakeSystemRegistry();
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveProgramKeys(); }
  void TearDown() override { RemoveProgramKeys(); }
  std::unique_ptr<Registry> registry_ = MakeSystemRegistry();
};

}  // namespace linkshelf
