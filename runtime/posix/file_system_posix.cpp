// The file layer on POSIX: core paths with backslashes become names with slashes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "runtime/code_page.h"
#include "runtime/system.h"
#include "runtime/text.h"
#include "runtime/wildcard.h"

namespace linkshelf {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and tells whether the close succeeded (a delayed write error shows here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

class DirectoryStream {
 public:
  explicit DirectoryStream(const std::string& path) : dir_(::opendir(path.c_str())) {}
  DirectoryStream(const DirectoryStream&) = delete;
  DirectoryStream& operator=(const DirectoryStream&) = delete;
  ~DirectoryStream() {
    if (dir_ != nullptr) ::closedir(dir_);
  }
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

FileStatus ErrnoFailure() { return FileStatus::Failure(std::strerror(errno)); }

FileStatus WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return ErrnoFailure();
    }
    done += static_cast<size_t>(written);
  }
  return FileStatus::Success();
}

class PosixFileSystem final : public FileSystem {
 public:
  std::vector<FolderEntry> FindEntries(const std::string& pattern) override {
    std::vector<FolderEntry> entries;
    SearchFolder(pattern, entries);
    return entries;
  }

  FileStatus SearchFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
    entries.clear();
    const std::string folder = NativePathFromCore(FolderPart(pattern));
    const std::string wildcard = NamePart(pattern);
    DirectoryStream dir(folder.empty() ? std::string(".") : folder);
    if (dir.get() == nullptr) {
      if (errno == ENOENT || errno == ENOTDIR) return FileStatus::Success();
      return ErrnoFailure();
    }
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir.get());
      if (entry == nullptr) {
        if (errno != 0) return ErrnoFailure();
        break;
      }
      // A literal "&#" of a real name is escaped, so that a reference always means one character.
      const std::string name = EscapeLiteralReferences(entry->d_name);
      if (!MatchesWildcard(name, wildcard)) continue;
      bool is_folder = false;
      if (entry->d_type == DT_DIR) {
        is_folder = true;
      } else if (entry->d_type == DT_UNKNOWN) {
        // A link to a folder is not followed: it could lead back up the tree.
        struct stat info {};
        const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + entry->d_name;
        is_folder = ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
      }
      entries.push_back({name, is_folder});
    }
    return FileStatus::Success();
  }

  bool FileExists(const std::string& path) override {
    struct stat info {};
    return ::stat(NativePathFromCore(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    struct stat info {};
    return ::stat(NativePathFromCore(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    struct stat info {};
    if (!Inspect(path, info)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
  }

  std::optional<LocalTime> LastWriteTime(const std::string& path) override {
    struct stat info {};
    if (!Inspect(path, info)) return std::nullopt;
    return LocalTimeFromEpoch(info.st_mtime);
  }

  std::optional<std::int64_t> LastWriteSeconds(const std::string& path) override {
    struct stat info {};
    if (::stat(NativePathFromCore(path).c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
  }

  FileStatus ReadFile(const std::string& path, std::string& bytes) override {
    bytes.clear();
    FileDescriptor file(::open(NativePathFromCore(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return ErrnoFailure();
    // No look at the file first: a folder fails its first read (EISDIR), and
    // a read that returns fewer bytes than asked for has met the end of the
    // file, so a shortcut takes one read. A file that fills the first read is
    // asked for its size once, so that a large page goes into one buffer.
    char first[4096];
    ssize_t got;
    while ((got = ::read(file.get(), first, sizeof first)) < 0) {
      if (errno != EINTR) return ErrnoFailure();
    }
    bytes.assign(first, static_cast<size_t>(got));
    if (static_cast<size_t>(got) < sizeof first) return FileStatus::Success();
    size_t length = bytes.size();
    size_t asked = length;
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<size_t>(info.st_size) >= length) {
      asked = static_cast<size_t>(info.st_size) - length + 1;
    }
    for (;;) {
      bytes.resize(length + asked);
      got = ::read(file.get(), bytes.data() + length, asked);
      if (got < 0) {
        if (errno == EINTR) continue;
        bytes.clear();
        return ErrnoFailure();
      }
      length += static_cast<size_t>(got);
      if (static_cast<size_t>(got) < asked) break;
      asked = length;
    }
    bytes.resize(length);
    return FileStatus::Success();
  }

  FileStatus CreateFolder(const std::string& path) override {
    const std::string native = NativePathFromCore(path);
    if (::mkdir(native.c_str(), 0777) == 0) return FileStatus::Success();
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      return FileStatus::Success();
    }
    errno = error;
    return ErrnoFailure();
  }

  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override {
    const std::string native = NativePathFromCore(path);
    FileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.valid()) return ErrnoFailure();
    FileStatus status = WriteAll(file.get(), bytes);
    if (status && !file.Close()) status = ErrnoFailure();
    if (!status) {
      file.Close();
      ::unlink(native.c_str());
    }
    return status;
  }

  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    if (::rename(NativePathFromCore(from).c_str(), NativePathFromCore(to).c_str()) != 0) {
      return ErrnoFailure();
    }
    return FileStatus::Success();
  }

  FileStatus RemoveFile(const std::string& path) override {
    if (::unlink(NativePathFromCore(path).c_str()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

 private:
  static bool Inspect(const std::string& path, struct stat& info) {
    FileDescriptor file(::open(NativePathFromCore(path).c_str(), O_RDONLY | O_CLOEXEC));
    return file.valid() && ::fstat(file.get(), &info) == 0 && !S_ISDIR(info.st_mode);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace linkshelf
