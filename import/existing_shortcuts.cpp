#include "import/existing_shortcuts.h"

#include <utility>

#include "runtime/file_operations.h"

namespace linkshelf {

StandingFile ExistingShortcuts::Take(const std::string& folder, const std::string& name) {
  if (last_ == nullptr || last_->first != folder) {
    auto [place, added] = listings_.try_emplace(folder);
    if (added) {
      Listing& listing = place->second;
      files_.VisitEntries(folder + "*", [&](const FolderEntry& entry) {
        if (entry.is_folder) return;
        // The one look at the folder also finds what stopped runs left behind.
        if (!entry.is_link && entry.name.ends_with(".tmp"))
          RemoveIfStaleTemporary(files_, folder, entry.name);
        listing.names.Add(entry.name, entry.is_link ? StandingFile::kLink : StandingFile::kFile);
        ++listing.untold;
      });
    }
    last_ = &*place;
  }
  Listing& listing = last_->second;
  if (listing.untold == 0) return StandingFile::kNone;
  StandingFile* const mark = listing.names.Find(name);
  if (mark == nullptr) return StandingFile::kNone;
  const StandingFile standing = std::exchange(*mark, StandingFile::kNone);
  if (standing != StandingFile::kNone && --listing.untold == 0) listing.names.Clear();
  return standing;
}

void ExistingShortcuts::AddEmptyFolder(const std::string& folder) {
  listings_.try_emplace(folder);
}

}  // namespace linkshelf
