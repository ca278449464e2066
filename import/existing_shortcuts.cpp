#include "import/existing_shortcuts.h"

namespace linkshelf {

bool ExistingShortcuts::Contains(const std::string& folder, const std::string& name) {
  return NamesIn(folder).contains(name);
}

void ExistingShortcuts::Add(const std::string& folder, const std::string& name) {
  NamesIn(folder).insert(name);
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) { names_.try_emplace(folder); }

std::unordered_set<std::string>& ExistingShortcuts::NamesIn(const std::string& folder) {
  auto [place, added] = names_.try_emplace(folder);
  if (added) {
    for (FolderEntry& entry : files_.FindEntries(folder + "*")) {
      if (!entry.is_folder) place->second.insert(std::move(entry.name));
    }
  }
  return place->second;
}

}  // namespace linkshelf
