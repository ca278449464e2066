#include "import/staged_folder.h"

#include "runtime/file_operations.h"
#include "runtime/system.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

std::string WithoutClosingBackslash(const std::string& folder) {
  return folder.substr(0, folder.size() - 1);
}

}  // namespace

bool StagedFolder::Start(const std::string& folder) {
  const std::string parent = FolderPart(WithoutClosingBackslash(folder));
  if (parent.empty()) return false;
  if (cleaned_.insert(parent).second) RemoveStaleTemporaries(files_, parent);
  const std::uint32_t process_id = CurrentProcessId();
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::string temporary = parent + TemporaryFileName(process_id, attempt);
    // A name that stands already, file or folder, is never used.
    if (files_.FileExists(temporary) || files_.FolderExists(temporary)) continue;
    if (!files_.CreateFolder(temporary) || files_.IsLink(temporary)) return false;
    folder_ = folder;
    temporary_ = temporary + '\\';
    written_.Clear();
    return true;
  }
  return false;
}

void StagedFolder::Written(std::string_view file_name, std::string_view link_text,
                           std::string_view target) {
  written_.Add(file_name, link_text, target);
}

StagedOutcome StagedFolder::Finish() {
  StagedOutcome outcome;
  if (!Active()) return outcome;
  outcome.folder = folder_;
  const std::string temporary = WithoutClosingBackslash(temporary_);
  temporary_.clear();
  if (written_.empty()) {
    files_.RemoveFolder(temporary);
    return outcome;
  }
  // The shortcuts reach the disk together before the folder takes the name
  // that anybody sees; shortcuts that may not have reached it are not shown.
  if (FileStatus flushed = files_.FlushFolderFiles(temporary); !flushed) {
    for (WrittenShortcut& shortcut : written_.Take()) {
      files_.RemoveFile(temporary + '\\' + shortcut.file_name);
      outcome.unplaced.push_back({std::move(shortcut), flushed.reason});
    }
    files_.RemoveFolder(temporary);
    return outcome;
  }
  outcome.folder_made = true;
  const std::string target = WithoutClosingBackslash(folder_);
  if (files_.MoveNewFile(temporary, target)) {
    written_.Clear();
    return outcome;
  }

  // Someone made the folder meanwhile, or this file system cannot move a
  // folder: the shortcuts go one by one, and never through a link.
  FileStatus reached = files_.CreateFolder(target);
  if (reached && files_.IsLink(target)) reached = FileStatus::Failure(kWritesThroughLink);
  for (WrittenShortcut& shortcut : written_.Take()) {
    const std::string from = temporary + '\\' + shortcut.file_name;
    FileStatus moved = reached ? files_.MoveNewFile(from, folder_ + shortcut.file_name) : reached;
    if (!moved) {
      files_.RemoveFile(from);
      outcome.unplaced.push_back({std::move(shortcut), moved.reason});
    }
  }
  files_.RemoveFolder(temporary);
  return outcome;
}

}  // namespace linkshelf
