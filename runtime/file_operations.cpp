#include "runtime/file_operations.h"

#include <charconv>
#include <vector>

#include "runtime/system.h"
#include "runtime/text.h"

namespace linkshelf {

FileStatus FolderMaker::Make(std::string_view folder,
                             const std::function<void(const std::string& folder)>& created,
                             const std::function<FileStatus(const std::string& folder)>& standing) {
  // Where each level of the path ends.
  std::vector<size_t> ends;
  bool ends_in_separator = false;
  ForEachCharacter(folder, [&](size_t pos, std::string_view character) {
    ends_in_separator = character == "\\";
    if (ends_in_separator) ends.push_back(pos);
  });
  if (!folder.empty() && !ends_in_separator) ends.push_back(folder.size());
  const size_t server_and_share = folder.starts_with("\\\\") ? 4 : 0;
  for (size_t n = server_and_share; n < ends.size(); ++n) {
    // The root and the empty level between two backslashes need no creating.
    if (ends[n] == 0 || (n > 0 && ends[n] == ends[n - 1] + 1)) continue;
    std::string prefix(folder.substr(0, ends[n]));
    // Neither does a drive ("C:").
    if (prefix.back() == ':' || known_.contains(prefix)) continue;
    if (!files_.FolderExists(prefix)) {
      if (FileStatus status = files_.CreateFolder(prefix); !status) return status;
      if (created) created(prefix);
    } else if (standing) {
      if (FileStatus status = standing(prefix); !status) return status;
    }
    known_.insert(std::move(prefix));
  }
  return FileStatus::Success();
}

FileStatus CreateMissingFolders(FileSystem& files, std::string_view folder) {
  return FolderMaker(files).Make(folder);
}

namespace {

constexpr std::string_view kTemporaryPrefix = "~linkshelf-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Writes the bytes to a new temporary file in the folder of `beside`, named
// for this process so that no other run can take it and a stale one can be
// told from one in use.
FileStatus WriteTemporary(FileSystem& files, const std::string& beside, std::string_view bytes,
                          std::string& temporary) {
  const std::string folder = FolderPart(beside);
  const std::uint32_t process_id = CurrentProcessId();
  FileStatus created = FileStatus::Failure("no temporary file could be created");
  for (int attempt = 0; attempt < kTemporaryAttempts && !created; ++attempt) {
    temporary = folder + TemporaryFileName(process_id, attempt);
    // Creating fails when the name is taken; only then is it worth looking why.
    created = files.WriteNewFile(temporary, bytes);
    if (!created && !files.FileExists(temporary) && !files.FolderExists(temporary)) break;
  }
  return created;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

FileStatus FileSystem::ReplaceWholeFile(const std::string& given_path, std::string_view bytes) {
  // The user named the page a link leads to: that file gets the new bytes and
  // the link stays a link.
  const std::string path = LinkTarget(given_path);
  std::string temporary;
  if (FileStatus created = WriteTemporary(*this, path, bytes, temporary); !created) return created;
  if (FileStatus moved = ReplaceFile(temporary, path); !moved) {
    RemoveFile(temporary);
    return moved;
  }
  return FileStatus::Success();
}

FileStatus FileSystem::CreateWholeFile(const std::string& path, std::string_view bytes) {
  std::string temporary;
  if (FileStatus created = WriteTemporary(*this, path, bytes, temporary); !created) return created;
  if (FileStatus moved = MoveNewFile(temporary, path); !moved) {
    RemoveFile(temporary);
    return moved;
  }
  return FileStatus::Success();
}

FileStatus ReplaceFileContent(FileSystem& files, const std::string& path, std::string_view bytes) {
  return files.ReplaceWholeFile(path, bytes);
}

FileStatus WriteWholeNewFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  return files.CreateWholeFile(path, bytes);
}

std::string TemporaryFileName(std::uint32_t process_id, int attempt) {
  // An update names one for every shortcut it changes: formed in one buffer.
  char digits[16];
  std::string name(kTemporaryPrefix);
  name.append(digits, std::to_chars(digits, digits + sizeof digits, process_id).ptr);
  name += '-';
  name.append(digits, std::to_chars(digits, digits + sizeof digits, attempt).ptr);
  name.append(kTemporarySuffix);
  return name;
}

bool IsOwnTemporaryName(std::string_view name, std::uint32_t& process_id) {
  process_id = 0;
  if (!name.ends_with(kTemporarySuffix)) return false;
  name.remove_suffix(kTemporarySuffix.size());
  if (name.starts_with(kTemporaryPrefix)) {
    name.remove_prefix(kTemporaryPrefix.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash > 9 || !AllDigits(name.substr(0, dash)) ||
        !AllDigits(name.substr(dash + 1))) {
      return false;
    }
    process_id = static_cast<std::uint32_t>(std::stoul(std::string(name.substr(0, dash))));
    return true;
  }
  // The older form carried no process number: "NAME.~N.tmp", made only
  // beside shortcuts and pages.
  const size_t mark = name.rfind(".~");
  if (mark == std::string_view::npos || !AllDigits(name.substr(mark + 2))) return false;
  const std::string stem = LowerAscii(name.substr(0, mark));
  return stem.size() > 4 &&
         (stem.ends_with(".url") || stem.ends_with(".htm") || stem.ends_with(".html"));
}

void RemoveIfStaleTemporary(FileSystem& files, const std::string& folder, const std::string& name) {
  std::uint32_t process_id = 0;
  if (!IsOwnTemporaryName(name, process_id)) return;
  if (process_id == CurrentProcessId() || (process_id != 0 && ProcessIsRunning(process_id))) return;
  files.RemoveFile(folder + name);
}

void RemoveStaleTemporaries(FileSystem& files, const std::string& folder) {
  for (const FolderEntry& entry : files.FindEntries(folder + "*.tmp")) {
    if (entry.is_link) continue;
    if (entry.is_folder) {
      RemoveIfStaleTemporaryFolder(files, folder, entry.name);
    } else {
      RemoveIfStaleTemporary(files, folder, entry.name);
    }
  }
}

void RemoveIfStaleTemporaryFolder(FileSystem& files, const std::string& folder,
                                  const std::string& name) {
  std::uint32_t process_id = 0;
  // Only the import's folders carry the process number; nothing else is taken for one.
  if (!IsOwnTemporaryName(name, process_id) || process_id == 0) return;
  if (process_id == CurrentProcessId() || ProcessIsRunning(process_id)) return;
  const std::string inside = folder + name + '\\';
  // It holds the shortcuts of a run that was stopped: files only. A folder
  // or link inside keeps it standing.
  for (const FolderEntry& entry : files.FindEntries(inside + "*")) {
    if (!entry.is_folder && !entry.is_link) files.RemoveFile(inside + entry.name);
  }
  files.RemoveFolder(folder + name);
}

}  // namespace linkshelf
