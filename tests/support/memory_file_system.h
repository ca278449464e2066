// A file layer held in memory: Windows path rules without a disk, for tests
// and fuzzing that must neither touch nor depend on real files.
//
// Paths follow the rules of the Windows layer: backslashes separate, doubled
// ones count as one, letters compare without regard to case, "." and ".."
// components are resolved, and a path without a drive or server is taken
// relative to the current folder. Drive roots ("C:") and network shares
// ("\\server\share") always exist. Letters compare without regard to case
// unless the layer is made to keep case apart, as the disks of other systems do.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/file_system.h"

namespace linkshelf {

// Whether two names that differ by the case of their letters alone name one entry.
enum class NameCase { kIgnored, kKept };

class MemoryFileSystem final : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string current_folder = "C:\\",
                            NameCase name_case = NameCase::kIgnored);

  std::vector<FolderEntry> FindEntries(const std::string& pattern) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::optional<LocalTime> LastWriteTime(const std::string& path) override;
  FileStatus ReadFile(const std::string& path, std::string& bytes) override;
  FileStatus CreateFolder(const std::string& path) override;
  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override;
  FileStatus ReplaceFile(const std::string& from, const std::string& to) override;
  FileStatus RemoveFile(const std::string& path) override;

  // Setting up: creates the missing folders of the path and puts a file there,
  // replacing one that stands there.
  void PutFile(const std::string& path, std::string_view bytes);
  void PutFolder(const std::string& path);
  void SetLastWriteTime(const std::string& path, LocalTime time);
  // The time that new and changed files get.
  void SetClock(LocalTime now) { clock_ = now; }

  // The full path that the layer makes of `path` ("C:\a\b", or "\\s\share\a"),
  // in the spelling of the names as they were created. Paths that name nothing
  // keep the spelling given.
  std::string FullPath(std::string_view path) const;

  // Every file and folder, by full path (folders end in a backslash), in a
  // fixed order; the value is the file's bytes, empty for folders.
  std::map<std::string, std::string> Snapshot() const;

 private:
  struct Node {
    std::string full_path;  // as created
    bool is_folder = false;
    std::string bytes;
    LocalTime written;
  };
  // The normalised components of a path; the first is its root ("c:" or
  // "\\server\share").
  std::vector<std::string> Components(std::string_view path) const;
  // The lookup key of a path: its components, in lower case unless case is kept.
  std::string Key(const std::vector<std::string>& components) const;
  Node* Find(std::string_view path);
  bool ParentIsFolder(const std::vector<std::string>& components) const;

  std::string current_folder_;
  NameCase name_case_;
  LocalTime clock_{2026, 12, 3, 22, 7, 4};
  std::map<std::string, Node> nodes_;  // by lower-case key
};

}  // namespace linkshelf
