#include "tests/support/memory_file_system.h"

#include "runtime/text.h"
#include "runtime/wildcard.h"

namespace linkshelf {

namespace {

// Splits at backslashes and slashes, both separators on Windows; the second
// byte of a double-byte character separates nothing.
std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts(1);
  ForEachCharacter(path, [&](size_t, std::string_view character) {
    if (character == "\\" || character == "/") {
      parts.emplace_back();
    } else {
      parts.back() += character;
    }
  });
  return parts;
}

std::string LowerName(std::string_view name) {
  std::string lower;
  ForEachCharacter(name, [&](size_t, std::string_view character) {
    lower += character.size() == 1 ? std::string(1, LowerAsciiByte(character[0]))
                                   : std::string(character);
  });
  return lower;
}

bool IsDeviceName(std::string_view name) {
  const std::string stem = LowerName(TrimBoth(name.substr(0, name.find('.'))));
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// Why Windows would refuse to create an entry of this name; empty when it would not.
std::string NameFault(std::string_view name) {
  if (name.empty() || name == ".") return "empty name";
  bool illegal = false;
  ForEachCharacter(name, [&](size_t, std::string_view character) {
    const auto c = static_cast<unsigned char>(character[0]);
    illegal |= character.size() == 1 &&
               (c < 32 || std::string_view("<>:\"|?*").find(character) != std::string_view::npos);
  });
  if (illegal) return "the file name, folder name or volume label syntax is incorrect";
  if (IsDeviceName(name)) return "reserved device name";
  return {};
}

FileStatus NotFound() {
  return FileStatus::Failure("the system cannot find the file specified");
}

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string current_folder, NameCase name_case)
    : current_folder_(std::move(current_folder)), name_case_(name_case) {}

std::vector<std::string> MemoryFileSystem::Components(std::string_view path) const {
  std::vector<std::string> parts = SplitPath(path);
  std::vector<std::string> result;
  size_t next = 0;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
      (path[1] == '\\' || path[1] == '/')) {
    // \\server\share: parts are "", "", server, share, ...
    std::string root = "\\\\";
    if (parts.size() > 2) root += parts[2];
    if (parts.size() > 3) {
      root += '\\';
      root += parts[3];
    }
    result.push_back(root);
    next = 4;
  } else if (path.size() >= 2 && path[1] == ':' &&
             ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    result.push_back(parts[0].substr(0, 2));
    parts[0] = parts[0].substr(2);  // "C:name" is taken as "C:\name"
    next = 0;
  } else {
    result = Components(current_folder_);
    if (!parts.empty() && parts[0].empty() && parts.size() > 1) result.resize(1);  // "\name"
  }
  for (size_t i = next; i < parts.size(); ++i) {
    std::string part = parts[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (result.size() > 1) result.pop_back();
      continue;
    }
    // Windows drops dots and blanks at the end of a name.
    part.erase(part.find_last_not_of(". ") + 1);
    if (part.empty()) part.push_back('.');  // a name of dots alone names nothing creatable
    result.push_back(part);
  }
  return result;
}

std::string MemoryFileSystem::Key(const std::vector<std::string>& components) const {
  std::string key;
  for (size_t i = 0; i < components.size(); ++i) {
    if (i > 0) key += '\\';
    key += name_case_ == NameCase::kKept ? components[i] : LowerName(components[i]);
  }
  return key;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(std::string_view path) {
  const std::vector<std::string> components = Components(path);
  if (components.size() == 1) return nullptr;  // roots are not stored
  auto found = nodes_.find(Key(components));
  return found == nodes_.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::ParentIsFolder(const std::vector<std::string>& components) const {
  if (components.size() <= 2) return true;  // the parent is a root
  auto found = nodes_.find(Key({components.begin(), components.end() - 1}));
  return found != nodes_.end() && found->second.is_folder;
}

std::string MemoryFileSystem::FullPath(std::string_view path) const {
  const std::vector<std::string> components = Components(path);
  // Spell every component as the entry that holds it was created.
  std::string full = components[0];
  for (size_t n = 2; n <= components.size(); ++n) {
    auto found = nodes_.find(Key({components.begin(), components.begin() + n}));
    full = found != nodes_.end() ? found->second.full_path : full + "\\" + components[n - 1];
  }
  return full;
}

std::vector<FolderEntry> MemoryFileSystem::FindEntries(const std::string& pattern) {
  std::vector<FolderEntry> entries;
  const std::string wildcard = NamePart(pattern);
  const std::vector<std::string> folder = Components(FolderPart(pattern));
  const std::string key = Key(folder);
  if (folder.size() > 1) {
    auto self = nodes_.find(key);
    if (self == nodes_.end() || !self->second.is_folder) return entries;
    // A folder search lists the folder itself and its parent, as on disk.
    for (const char* dots : {".", ".."}) {
      if (MatchesWildcard(dots, wildcard)) entries.push_back({dots, true});
    }
  }
  const std::string prefix = key + "\\";
  for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix);
       ++it) {
    if (it->first.find('\\', prefix.size()) != std::string::npos) continue;  // deeper down
    const std::string name = NamePart(it->second.full_path);
    if (MatchesWildcard(name, wildcard)) entries.push_back({name, it->second.is_folder});
  }
  return entries;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  const Node* node = Find(path);
  return node != nullptr && !node->is_folder;
}

bool MemoryFileSystem::FolderExists(const std::string& path) {
  if (Components(path).size() == 1) return true;
  const Node* node = Find(path);
  return node != nullptr && node->is_folder;
}

std::optional<std::uint64_t> MemoryFileSystem::FileSize(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr || node->is_folder) return std::nullopt;
  return node->bytes.size();
}

std::optional<LocalTime> MemoryFileSystem::LastWriteTime(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr || node->is_folder) return std::nullopt;
  return node->written;
}

FileStatus MemoryFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const Node* node = Find(path);
  if (node == nullptr) return NotFound();
  if (node->is_folder) return FileStatus::Failure("access is denied");
  bytes = node->bytes;
  return FileStatus::Success();
}

FileStatus MemoryFileSystem::CreateFolder(const std::string& path) {
  const std::vector<std::string> components = Components(path);
  if (components.size() == 1) return FileStatus::Success();
  if (const std::string fault = NameFault(components.back()); !fault.empty()) {
    return FileStatus::Failure(fault);
  }
  if (!ParentIsFolder(components))
    return FileStatus::Failure("the system cannot find the path specified");
  const std::string key = Key(components);
  if (auto found = nodes_.find(key); found != nodes_.end()) {
    return found->second.is_folder
               ? FileStatus::Success()
               : FileStatus::Failure("cannot create a file when that file already exists");
  }
  nodes_[key] = Node{FullPath(path), true, {}, clock_};
  return FileStatus::Success();
}

FileStatus MemoryFileSystem::WriteNewFile(const std::string& path, std::string_view bytes) {
  const std::vector<std::string> components = Components(path);
  if (components.size() == 1) return FileStatus::Failure("access is denied");
  if (const std::string fault = NameFault(components.back()); !fault.empty()) {
    return FileStatus::Failure(fault);
  }
  if (!ParentIsFolder(components))
    return FileStatus::Failure("the system cannot find the path specified");
  const std::string key = Key(components);
  if (nodes_.contains(key)) return FileStatus::Failure("the file exists");
  nodes_[key] = Node{FullPath(path), false, std::string(bytes), clock_};
  return FileStatus::Success();
}

FileStatus MemoryFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
  const std::vector<std::string> source = Components(from);
  const std::vector<std::string> target = Components(to);
  auto moved = nodes_.find(Key(source));
  if (moved == nodes_.end() || moved->second.is_folder) return NotFound();
  if (target.size() == 1) return FileStatus::Failure("access is denied");
  if (const std::string fault = NameFault(target.back()); !fault.empty()) {
    return FileStatus::Failure(fault);
  }
  if (!ParentIsFolder(target))
    return FileStatus::Failure("the system cannot find the path specified");
  const std::string key = Key(target);
  if (key == moved->first) return FileStatus::Success();
  if (auto existing = nodes_.find(key); existing != nodes_.end() && existing->second.is_folder) {
    return FileStatus::Failure("access is denied");
  }
  Node node = std::move(moved->second);
  nodes_.erase(moved);
  // An existing target keeps the spelling of its name, as on Windows.
  node.full_path = FullPath(to);
  nodes_[key] = std::move(node);
  return FileStatus::Success();
}

FileStatus MemoryFileSystem::RemoveFile(const std::string& path) {
  const std::vector<std::string> components = Components(path);
  auto found = nodes_.find(Key(components));
  if (found == nodes_.end()) return NotFound();
  if (found->second.is_folder) return FileStatus::Failure("access is denied");
  nodes_.erase(found);
  return FileStatus::Success();
}

void MemoryFileSystem::PutFolder(const std::string& path) {
  const std::vector<std::string> components = Components(path);
  std::string partial = components[0];
  for (size_t n = 1; n < components.size(); ++n) {
    partial += "\\" + components[n];
    CreateFolder(partial);
  }
}

void MemoryFileSystem::PutFile(const std::string& path, std::string_view bytes) {
  const std::vector<std::string> components = Components(path);
  if (components.size() == 1) return;
  std::string folder = components[0];
  for (size_t n = 1; n + 1 < components.size(); ++n) folder += "\\" + components[n];
  PutFolder(folder);
  const std::string key = Key(components);
  if (auto found = nodes_.find(key); found != nodes_.end() && !found->second.is_folder) {
    found->second.bytes = bytes;
    found->second.written = clock_;
    return;
  }
  WriteNewFile(path, bytes);
}

void MemoryFileSystem::SetLastWriteTime(const std::string& path, LocalTime time) {
  if (Node* node = Find(path)) node->written = time;
}

std::map<std::string, std::string> MemoryFileSystem::Snapshot() const {
  std::map<std::string, std::string> entries;
  for (const auto& [key, node] : nodes_) {
    entries[node.is_folder ? node.full_path + "\\" : node.full_path] = node.bytes;
  }
  return entries;
}

}  // namespace linkshelf
