// The file layer on POSIX: core paths with backslashes become names with slashes.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

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
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
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

FileStatus ErrnoFailure() {
  return FileStatus::Failure(std::strerror(errno));
}

// Opens a file for reading without waiting: a pipe with no writer would
// otherwise hold the open forever. Only a regular file is let through.
FileStatus OpenRegularFile(const std::string& native, FileDescriptor& file, struct stat& info) {
  file = FileDescriptor(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid() || ::fstat(file.get(), &info) != 0) return ErrnoFailure();
  if (!S_ISREG(info.st_mode)) {
    return FileStatus::Failure(S_ISDIR(info.st_mode) ? std::strerror(EISDIR)
                                                     : "not a regular file");
  }
  return FileStatus::Success();
}

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
    std::string unnamable;  // names that no path of the program can reach
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir.get());
      if (entry == nullptr) {
        if (errno != 0) return ErrnoFailure();
        break;
      }
      // A literal "&#" of a real name is escaped, so that a reference always means one character.
      std::string name = EscapeLiteralReferences(entry->d_name);
      if (!MatchesWildcard(name, wildcard)) continue;
      // A backslash separates folders in the program's paths, so a name that
      // holds one would lead elsewhere: it is reported instead.
      if (name.find('\\') != std::string::npos) {
        unnamable += (unnamable.empty() ? "" : ", ") + name;
        continue;
      }
      bool is_folder = false;
      bool is_link = entry->d_type == DT_LNK;
      if (entry->d_type == DT_DIR) {
        is_folder = true;
      } else if (entry->d_type == DT_UNKNOWN || is_link) {
        // A link to a folder counts as a folder; whoever walks the tree keeps
        // it from leading back up.
        struct stat info {};
        const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + entry->d_name;
        if (!is_link && ::lstat(path.c_str(), &info) == 0) is_link = S_ISLNK(info.st_mode);
        if (is_link || entry->d_type == DT_UNKNOWN) {
          is_folder = ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
      }
      entries.push_back({std::move(name), is_folder, is_link});
    }
    if (!unnamable.empty())
      return FileStatus::Failure("a name holding a backslash cannot be read: " + unnamable);
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
    return ReadFileUpTo(path, bytes, std::numeric_limits<std::uint64_t>::max());
  }

  FileStatus ReadFileUpTo(const std::string& path, std::string& bytes,
                          std::uint64_t limit) override {
    struct stat info {};
    return ReadStated(path, bytes, limit, info);
  }

  FileStatus ReadDatedFileUpTo(const std::string& path, std::string& bytes, std::uint64_t limit,
                               std::optional<std::int64_t>& write_seconds) override {
    struct stat info {};
    FileStatus read = ReadStated(path, bytes, limit, info);
    write_seconds.reset();
    if (read) write_seconds = static_cast<std::int64_t>(info.st_mtime);
    return read;
  }

  // The read of ReadFileUpTo; `info` is the status of the opened file.
  static FileStatus ReadStated(const std::string& path, std::string& bytes, std::uint64_t limit,
                               struct stat& info) {
    bytes.clear();
    FileDescriptor file(-1);
    if (FileStatus opened = OpenRegularFile(NativePathFromCore(path), file, info); !opened)
      return opened;
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
      return FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
    }
    // A read that returns fewer bytes than asked for has met the end of the
    // file, so a shortcut takes one read. A file that fills the first read is
    // read to its size, so that a large page goes into one buffer.
    char first[4096];
    ssize_t got;
    while ((got = ::read(file.get(), first, sizeof first)) < 0) {
      if (errno != EINTR) return ErrnoFailure();
    }
    bytes.assign(first, static_cast<size_t>(got));
    if (static_cast<size_t>(got) < sizeof first) return FileStatus::Success();
    size_t length = bytes.size();
    size_t asked = length;
    if (static_cast<size_t>(info.st_size) >= length)
      asked = static_cast<size_t>(info.st_size) - length + 1;
    for (;;) {
      // A file that grows while it is read stays within its limit.
      if (length + asked > limit) {
        if (length > limit)
          return FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
        asked = static_cast<size_t>(limit - length) + 1;
      }
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
    // On the disk before anyone moves it into place: a power loss then leaves
    // the old file or the whole new one, never an empty one.
    if (status && ::fsync(file.get()) != 0) status = ErrnoFailure();
    if (status && !file.Close()) status = ErrnoFailure();
    if (!status) {
      file.Close();
      ::unlink(native.c_str());
    }
    return status;
  }

  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    const std::string native_from = NativePathFromCore(from);
    const std::string native_to = NativePathFromCore(to);
    // The new file may be read by no one who could not read the old one.
    struct stat old_file {};
    if (::stat(native_to.c_str(), &old_file) == 0) {
      // The owner changes only where it differs (another user's file, written by root).
      if ((old_file.st_uid != user_ || old_file.st_gid != group_) &&
          ::chown(native_from.c_str(), old_file.st_uid, old_file.st_gid) != 0 && errno != EPERM) {
        return ErrnoFailure();
      }
      if (::chmod(native_from.c_str(), old_file.st_mode & 07777) != 0) return ErrnoFailure();
    }
    if (::rename(native_from.c_str(), native_to.c_str()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus MoveNewFile(const std::string& from, const std::string& to) override {
    const std::string native_from = NativePathFromCore(from);
    const std::string native_to = NativePathFromCore(to);
    if (::renameat2(AT_FDCWD, native_from.c_str(), AT_FDCWD, native_to.c_str(), RENAME_NOREPLACE) ==
        0) {
      return FileStatus::Success();
    }
    // A file system that cannot move without replacing can still link the
    // file under its new name, which fails just as well when the name is taken.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return ErrnoFailure();
    if (::link(native_from.c_str(), native_to.c_str()) != 0) return ErrnoFailure();
    ::unlink(native_from.c_str());
    return FileStatus::Success();
  }

  FileStatus RemoveFile(const std::string& path) override {
    if (::unlink(NativePathFromCore(path).c_str()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus RemoveFolder(const std::string& path) override {
    if (::rmdir(NativePathFromCore(path).c_str()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus FlushFolder(const std::string& path) override {
    const std::string native = path.empty() ? std::string(".") : NativePathFromCore(path);
    FileDescriptor folder(::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid() || ::fsync(folder.get()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  bool IsLink(const std::string& path) override {
    struct stat info {};
    return ::lstat(NativePathFromCore(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
  }

  std::string LinkTarget(const std::string& path) override {
    if (!IsLink(path)) return path;
    const std::unique_ptr<char, decltype(&std::free)> target(
        ::realpath(NativePathFromCore(path).c_str(), nullptr), &std::free);
    return target ? CorePathFromNative(target.get()) : path;
  }

  std::string FolderIdentity(const std::string& path) override {
    struct stat info {};
    if (::stat(NativePathFromCore(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
  }

 private:
  // Whom a new file belongs to; asked once, not for every file replaced.
  const uid_t user_ = ::geteuid();
  const gid_t group_ = ::getegid();

  static bool Inspect(const std::string& path, struct stat& info) {
    FileDescriptor file(-1);
    return static_cast<bool>(OpenRegularFile(NativePathFromCore(path), file, info));
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace linkshelf
