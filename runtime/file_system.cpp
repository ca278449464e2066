// What a file layer without links, folder removal or a cache to flush does:
// the steps that can be built from the other operations are built from them.
#include "runtime/file_system.h"

#include <algorithm>

namespace linkshelf {

namespace {

// The pieces of a file read whole.
class WholeFileReader final : public FileReader {
 public:
  explicit WholeFileReader(std::string bytes) : bytes_(std::move(bytes)) {}

  FileStatus ReadMore(std::string& bytes, std::size_t most) override {
    const std::size_t piece = std::min(most, bytes_.size() - given_);
    bytes.append(bytes_, given_, piece);
    given_ += piece;
    return FileStatus::Success();
  }
  std::uint64_t Size() const override { return bytes_.size(); }

 private:
  std::string bytes_;
  std::size_t given_ = 0;
};

}  // namespace

std::unique_ptr<FileReader> FileSystem::OpenFileReader(const std::string& path,
                                                       FileStatus& status) {
  std::string bytes;
  status = ReadFile(path, bytes);
  if (!status) return nullptr;
  return std::make_unique<WholeFileReader>(std::move(bytes));
}

// A layer that reads from memory can hold the whole file before it measures it.
FileStatus FileSystem::ReadFileUpTo(const std::string& path, std::string& bytes,
                                    std::uint64_t limit) {
  FileStatus status = ReadFile(path, bytes);
  if (status && bytes.size() > limit) {
    bytes.clear();
    status = FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
  }
  return status;
}

FileStatus FileSystem::ReadDatedFileUpTo(const std::string& path, std::string& bytes,
                                         std::uint64_t limit,
                                         std::optional<std::int64_t>& write_seconds) {
  FileStatus status = ReadFileUpTo(path, bytes, limit);
  write_seconds = status ? LastWriteSeconds(path) : std::nullopt;
  return status;
}

FileStatus FileSystem::MoveNewFile(const std::string& from, const std::string& to) {
  if (FileExists(to) || FolderExists(to)) return FileStatus::Failure("File exists");
  return ReplaceFile(from, to);
}

FileStatus FileSystem::RemoveFolder(const std::string&) {
  return FileStatus::Failure("folders cannot be removed here");
}

FileStatus FileSystem::FlushFolder(const std::string&) {
  return FileStatus::Success();
}

bool FileSystem::IsLink(const std::string&) {
  return false;
}

std::string FileSystem::LinkTarget(const std::string& path) {
  return path;
}

std::string FileSystem::FolderIdentity(const std::string&) {
  return {};
}

}  // namespace linkshelf
