#include "app/settings_store.h"

#include <charconv>

#include "export/page_defaults.h"

namespace linkshelf {

std::string ReadSettingOrDefault(RegistryKey& key, const std::string& name,
                                 const std::string& default_text) {
  RegistryValue value = key.Read(name);
  return value.kind == RegistryValue::Kind::kText ? std::move(value.text) : default_text;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
  }
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<StoredSettings> ReadStoredSettings(Registry& registry,
                                                 const std::string& program_folder) {
  const auto key = registry.OpenKey(HKEY_LOCAL_MACHINE, kSettingsKeyPath, true);
  if (!key) return std::nullopt;
  StoredSettings settings;
  settings.output_file_name =
      ReadSettingOrDefault(*key, kOutputFileNameValue, program_folder + kDefaultPageName);
  settings.title = ReadSettingOrDefault(*key, kTitleValue, kDefaultTitle);
  // A method that is not a whole number counts as missing, as a wrong type does.
  settings.method = ParseWholeNumber(ReadSettingOrDefault(*key, kMethodValue, "1")).value_or(1);
  settings.open_with_notepad = ReadSettingOrDefault(*key, kOpenWithNotepadValue, "0") != "0";
  return settings;
}

void WriteStoredSettings(Registry& registry, const StoredSettings& settings) {
  const auto key = registry.OpenKey(HKEY_LOCAL_MACHINE, kSettingsKeyPath, true);
  if (!key) return;
  const int method = settings.method >= 0 && settings.method <= 2 ? settings.method : -1;
  key->WriteText(kOutputFileNameValue, settings.output_file_name);
  key->WriteText(kTitleValue, settings.title);
  key->WriteText(kMethodValue, std::to_string(method));
  key->WriteText(kOpenWithNotepadValue, settings.open_with_notepad ? "1" : "0");
}

}  // namespace linkshelf
