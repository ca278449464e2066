// A file layer held in memory, for tests that need exact control over what the
// disk holds and which operations fail. Paths compare as written (one backslash
// for a doubled one, no trailing backslash).
#pragma once

#include <map>
#include <set>
#include <string>

#include "runtime/file_system.h"
#include "runtime/text.h"
#include "runtime/wildcard.h"

namespace linkshelf {

class MemoryFileSystem : public FileSystem {
 public:
  struct File {
    std::string bytes;
    std::optional<LocalTime> written = LocalTime{2026, 12, 3, 22, 7, 5};
    bool readable = true;
  };

  static std::string Key(std::string_view path) {
    std::string key = CollapseDoubledBackslashes(path);
    while (key.size() > 1 && key.back() == '\\') key.pop_back();
    return key;
  }

  void AddFolder(const std::string& path) {
    std::string key = Key(path);
    while (!key.empty()) {
      folders_.insert(key);
      const size_t slash = key.rfind('\\');
      if (slash == std::string::npos || slash == 0) break;
      key.resize(slash);
    }
  }
  File& AddFile(const std::string& path, std::string bytes = {}) {
    const std::string key = Key(path);
    AddFolder(FolderPart(key));
    File& file = files_[key];
    file.bytes = std::move(bytes);
    return file;
  }
  File* Find(const std::string& path) {
    const auto found = files_.find(Key(path));
    return found == files_.end() ? nullptr : &found->second;
  }
  const std::map<std::string, File>& files() const { return files_; }

  std::vector<FolderEntry> FindEntries(const std::string& pattern) override {
    ++searches;
    std::vector<FolderEntry> entries;
    const std::string folder = Key(FolderPart(pattern));
    const std::string wildcard = NamePart(pattern);
    if (!folders_.contains(folder)) return entries;
    auto add = [&](const std::string& key, bool is_folder) {
      if (key.size() <= folder.size() + 1 || !key.starts_with(folder + "\\")) return;
      const std::string name = key.substr(folder.size() + 1);
      if (name.find('\\') == std::string::npos && MatchesWildcard(name, wildcard)) {
        entries.push_back({name, is_folder});
      }
    };
    for (const std::string& key : folders_) add(key, true);
    for (const auto& [key, file] : files_) add(key, false);
    return entries;
  }
  bool FileExists(const std::string& path) override { return Find(path) != nullptr; }
  bool FolderExists(const std::string& path) override { return folders_.contains(Key(path)); }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    const File* file = Find(path);
    if (file == nullptr || !file->readable) return std::nullopt;
    return file->bytes.size();
  }
  std::optional<LocalTime> LastWriteTime(const std::string& path) override {
    const File* file = Find(path);
    if (file == nullptr || !file->readable) return std::nullopt;
    return file->written;
  }
  FileStatus ReadFile(const std::string& path, std::string& bytes) override {
    ++reads;
    const File* file = Find(path);
    if (file == nullptr || !file->readable) return FileStatus::Failure("cannot read");
    bytes = file->bytes;
    return FileStatus::Success();
  }
  FileStatus CreateFolder(const std::string& path) override {
    if (fail_create_folder) return FileStatus::Failure("no room for a folder");
    folders_.insert(Key(path));
    return FileStatus::Success();
  }
  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override {
    if (fail_write_new || !folders_.contains(Key(FolderPart(Key(path))))) {
      return FileStatus::Failure("cannot write");
    }
    if (Find(path) != nullptr) return FileStatus::Failure("exists");
    files_[Key(path)].bytes = std::string(bytes);
    return FileStatus::Success();
  }
  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    File* source = Find(from);
    if (fail_replace || source == nullptr) return FileStatus::Failure("the page is held open");
    File moved = std::move(*source);
    files_.erase(Key(from));
    files_[Key(to)] = std::move(moved);
    return FileStatus::Success();
  }
  FileStatus RemoveFile(const std::string& path) override {
    return files_.erase(Key(path)) > 0 ? FileStatus::Success() : FileStatus::Failure("missing");
  }

  bool fail_create_folder = false;
  bool fail_write_new = false;
  bool fail_replace = false;
  int reads = 0;
  int searches = 0;

 private:
  std::set<std::string> folders_;
  std::map<std::string, File> files_;
};

}  // namespace linkshelf
