#include "runtime/win32/registry.h"

#include <vector>

namespace linkshelf {

namespace {

class SystemRegistryKey final : public RegistryKey {
 public:
  explicit SystemRegistryKey(KeyHandle key) : key_(std::move(key)) {}

  RegistryValue Read(const std::string& name) override {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegistryValue::Kind::kOtherType, {}};
    // The value may change between the two calls; ask again while it grows.
    std::vector<char> data;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
      data.assign(size + 1, '\0');
      size = static_cast<DWORD>(data.size());
      result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result == ERROR_FILE_NOT_FOUND) return {};
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
      return {RegistryValue::Kind::kOtherType, {}};
    data.resize(size);
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return {RegistryValue::Kind::kText, std::move(text)};
  }

  bool WriteText(const std::string& name, const std::string& text) override {
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

 private:
  KeyHandle key_;
};

class SystemRegistry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(HKEY hive, const std::string& path, bool create) override {
    HKEY key = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(hive, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
               : RegOpenKeyExA(hive, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<SystemRegistryKey>(KeyHandle(key));
  }
};

}  // namespace

std::unique_ptr<Registry> MakeSystemRegistry() {
  return std::make_unique<SystemRegistry>();
}

}  // namespace linkshelf
