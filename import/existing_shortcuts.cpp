#include "import/existing_shortcuts.h"

#include "runtime/file_operations.h"

namespace linkshelf {

bool ExistingShortcuts::Take(const std::string& folder, const std::string& name) {
  auto [place, added] = names_.try_emplace(folder);
  if (added) {
    for (FolderEntry& entry : files_.FindEntries(folder + "*")) {
      if (entry.is_folder) continue;
      // The one look at the folder also finds what stopped runs left behind.
      if (!entry.is_link && entry.name.ends_with(".tmp")) RemoveIfStaleTemporary(files_, folder, entry.name);
      place->second.insert(std::move(entry.name));
    }
  }
  return place->second.erase(name) > 0;
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) { names_.try_emplace(folder); }

}  // namespace linkshelf
