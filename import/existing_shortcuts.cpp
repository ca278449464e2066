#include "import/existing_shortcuts.h"

#include "runtime/file_operations.h"

namespace linkshelf {

StandingFile ExistingShortcuts::Take(const std::string& folder, const std::string& name) {
  if (last_ == nullptr || last_->first != folder) {
    auto [place, added] = names_.try_emplace(folder);
    if (added) {
      std::vector<FolderEntry> entries = files_.FindEntries(folder + "*");
      place->second.reserve(entries.size());
      for (FolderEntry& entry : entries) {
        if (entry.is_folder) continue;
        // The one look at the folder also finds what stopped runs left behind.
        if (!entry.is_link && entry.name.ends_with(".tmp"))
          RemoveIfStaleTemporary(files_, folder, entry.name);
        place->second.emplace(std::move(entry.name), entry.is_link);
      }
    }
    last_ = &*place;
  }
  auto& names = last_->second;
  if (names.empty()) return StandingFile::kNone;
  const auto found = names.find(name);
  if (found == names.end()) return StandingFile::kNone;
  const StandingFile standing = found->second ? StandingFile::kLink : StandingFile::kFile;
  names.erase(found);
  return standing;
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) {
  names_.try_emplace(folder);
}

}  // namespace linkshelf
