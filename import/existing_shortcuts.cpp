#include "import/existing_shortcuts.h"

#include "runtime/file_operations.h"

namespace linkshelf {

StandingFile ExistingShortcuts::Take(const std::string& folder, const std::string& name) {
  auto [place, added] = names_.try_emplace(folder);
  if (added) {
    for (FolderEntry& entry : files_.FindEntries(folder + "*")) {
      if (entry.is_folder) continue;
      // The one look at the folder also finds what stopped runs left behind.
      if (!entry.is_link && entry.name.ends_with(".tmp"))
        RemoveIfStaleTemporary(files_, folder, entry.name);
      place->second.emplace(std::move(entry.name), entry.is_link);
    }
  }
  const auto found = place->second.find(name);
  if (found == place->second.end()) return StandingFile::kNone;
  const StandingFile standing = found->second ? StandingFile::kLink : StandingFile::kFile;
  place->second.erase(found);
  return standing;
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) {
  names_.try_emplace(folder);
}

}  // namespace linkshelf
