// The four settings kept between runs, as text values of one machine-wide
// registry key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/win32/registry.h"

namespace linkshelf {

inline constexpr char kSettingsKeyPath[] = "Software\\Varnel\\Linkshelf";
inline constexpr char kOutputFileNameValue[] = "OutputFileName";
inline constexpr char kTitleValue[] = "Title";
inline constexpr char kMethodValue[] = "Method";
inline constexpr char kOpenWithNotepadValue[] = "OpenWithNotepad";

// The settings as the main window's controls hold them. A method outside 0 to 2
// means that no method is selected.
struct StoredSettings {
  std::string output_file_name;
  std::string title;
  int method = 1;
  bool open_with_notepad = false;

  friend bool operator==(const StoredSettings&, const StoredSettings&) = default;
};

// The text of a value of the open key, even when it is empty; the default when
// the value is missing or stored with a type other than text (such a value is
// left for the next close to overwrite).
std::string ReadSettingOrDefault(RegistryKey& key, const std::string& name,
                                 const std::string& default_text);

// A decimal whole number with an optional sign and nothing else; nothing for
// any other text, the empty one included.
std::optional<int> ParseWholeNumber(std::string_view text);

// Opens (creating when missing) the settings key and reads the four settings;
// nothing when the key cannot be opened. `program_folder` ends in a backslash.
std::optional<StoredSettings> ReadStoredSettings(Registry& registry,
                                                 const std::string& program_folder);

// Opens (creating when missing) the settings key and writes the four values in
// order. A key that cannot be opened, or a value the registry refuses, is
// passed over: closing must not fail for it.
void WriteStoredSettings(Registry& registry, const StoredSettings& settings);

}  // namespace linkshelf
