#include "import/existing_shortcuts.h"

namespace linkshelf {

bool ExistingShortcuts::Take(const std::string& folder, const std::string& name) {
  auto [place, added] = names_.try_emplace(folder);
  if (added) {
    for (FolderEntry& entry : files_.FindEntries(folder + "*")) {
      if (!entry.is_folder) place->second.insert(std::move(entry.name));
    }
  }
  return place->second.erase(name) > 0;
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) { names_.try_emplace(folder); }

}  // namespace linkshelf
