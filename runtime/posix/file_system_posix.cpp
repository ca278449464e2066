// The file layer on POSIX: core paths with backslashes become names with slashes.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

#include "runtime/code_page.h"
#include "runtime/file_operations.h"
#include "runtime/name_table.h"
#include "runtime/system.h"
#include "runtime/text.h"
#include "runtime/wildcard.h"

namespace linkshelf {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
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
  // Takes over the open folder `fd`.
  explicit DirectoryStream(int fd) : dir_(fd < 0 ? nullptr : ::fdopendir(fd)) {
    if (fd >= 0 && dir_ == nullptr) ::close(fd);
  }
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

// Only a regular file is let through to be read.
FileStatus CheckRegularFile(const FileDescriptor& file, struct stat& info) {
  if (!file.valid() || ::fstat(file.get(), &info) != 0) return ErrnoFailure();
  if (!S_ISREG(info.st_mode)) {
    return FileStatus::Failure(S_ISDIR(info.st_mode) ? std::strerror(EISDIR)
                                                     : "not a regular file");
  }
  return FileStatus::Success();
}

// One read of up to `most` bytes, taken again when a signal interrupts it.
ssize_t ReadSome(int fd, char* into, std::size_t most) {
  ssize_t got;
  while ((got = ::read(fd, into, most)) < 0 && errno == EINTR) {
  }
  return got;
}

// A regular file read from its descriptor a piece at a time.
class PosixFileReader final : public FileReader {
 public:
  PosixFileReader(FileDescriptor file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

  FileStatus ReadMore(std::string& bytes, std::size_t most) override {
    const std::size_t before = bytes.size();
    bytes.resize(before + most);
    const ssize_t got = ReadSome(file_.get(), bytes.data() + before, most);
    const int read_error = errno;
    bytes.resize(before + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got >= 0) return FileStatus::Success();
    errno = read_error;
    return ErrnoFailure();
  }
  std::uint64_t Size() const override { return size_; }

 private:
  FileDescriptor file_;
  std::uint64_t size_;
};

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

// The folder of the last file reached, held open. A run reaches its files
// folder by folder, so each one is reached by its name within the held folder
// instead of by its whole path, every level of which the system would walk
// again. A folder that was removed meanwhile is reached by its path again.
class HeldFolder {
 public:
  // Where to reach a native path: a folder handle and the name within it, or
  // (AT_FDCWD, the whole path) when the path has no folder part or its folder
  // cannot be held. `name` points into `native`.
  struct Place {
    int folder = AT_FDCWD;
    const char* name = nullptr;
    bool held = false;
  };

  Place Reach(const std::string& native) {
    // Searched from the end in whole-register steps: every file operation comes this way.
    const void* last = ::memrchr(native.data(), '/', native.size());
    const size_t slash =
        last == nullptr ? std::string::npos : static_cast<const char*>(last) - native.data();
    if (slash == std::string::npos || slash + 1 == native.size()) {
      return {AT_FDCWD, native.c_str(), false};
    }
    const std::string_view folder(native.data(), slash == 0 ? 1 : slash);
    if (!handle_.valid() || folder != path_) {
      ForgetListing();
      path_.assign(folder);
      handle_ = FileDescriptor(::open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
      if (!handle_.valid()) {
        path_.clear();
        return {AT_FDCWD, native.c_str(), false};
      }
    }
    return {handle_.get(), native.c_str() + slash + 1, true};
  }

  // Takes `handle` as the held folder at `native_folder` (without a closing
  // slash); the number returned names this hold to ListedAsFile.
  std::uint64_t Hold(std::string_view native_folder, FileDescriptor handle) {
    ForgetListing();
    path_.assign(native_folder);
    handle_ = std::move(handle);
    if (!handle_.valid()) path_.clear();
    return hold_;
  }

  // True when the held folder is still in its place: an error that says
  // "no such file" then means the file, not the folder.
  bool StillStanding() const {
    struct stat info {};
    return handle_.valid() && ::fstat(handle_.get(), &info) == 0 && info.st_nlink > 0;
  }

  // The held folder's native path, without a closing slash; empty when none is held.
  const std::string& Path() const { return path_; }

  void Forget() {
    handle_ = FileDescriptor(-1);
    path_.clear();
    ForgetListing();
  }

  // The listing of the folder held as `hold` showed `name` as a plain file;
  // told of a folder no longer held, it is forgotten. The name stays the one
  // being visited until Visited.
  void ListedAsFile(std::uint64_t hold, std::string_view name) {
    if (hold != hold_) return;
    listed_.Add(name, true);
    visited_.assign(name);
  }
  void Visited() { visited_.clear(); }

  // True when the listing of the held folder showed `place`'s name as a plain
  // file. The file whose entry is being visited is told without a search, and
  // a listing whose names nobody looks for costs one copy of them.
  bool WasListedAsFile(const Place& place) {
    if (!place.held) return false;
    if (!visited_.empty() && visited_ == place.name) return true;
    return !listed_.empty() && listed_.Find(place.name) != nullptr;
  }

 private:
  // Every change of the held folder goes through here.
  void ForgetListing() {
    listed_.Clear();
    visited_.clear();
    ++hold_;
  }

  std::string path_;
  FileDescriptor handle_{-1};
  // The plain files of the held folder's last listing.
  NameTable<bool> listed_;
  std::uint64_t hold_ = 0;  // counts the changes of the held folder
  std::string visited_;     // the plain file of the listing being visited, if any
};

// Core paths mapped to native ones. A run reaches its files folder by
// folder, so the folder part mapped last is kept: a name in the same folder
// that holds no slash and no `&` maps to itself and is only put behind it.
class NativePaths {
 public:
  std::string From(std::string_view core) {
    std::string native;
    From(core, native);
    return native;
  }

  // The same into `native`, whose storage a caller may keep from path to path.
  void From(std::string_view core, std::string& native) {
    const void* last = ::memrchr(core.data(), '\\', core.size());
    const size_t cut =
        last == nullptr ? 0 : static_cast<size_t>(static_cast<const char*>(last) - core.data()) + 1;
    const std::string_view name = core.substr(cut);
    if (last == nullptr || name.empty() || std::memchr(name.data(), '/', name.size()) != nullptr ||
        std::memchr(name.data(), '&', name.size()) != nullptr) {
      native = NativePathFromCore(core);
      return;
    }
    const std::string_view folder = core.substr(0, cut);
    if (!known_ || folder != core_folder_) {
      core_folder_.assign(folder);
      native_folder_ = NativePathFromCore(folder);
      known_ = true;
    }
    native.assign(native_folder_).append(name);
  }

 private:
  bool known_ = false;
  std::string core_folder_;    // ending in a backslash
  std::string native_folder_;  // the same, mapped: ending in a slash
};

// Whether a new file's bytes go to the disk at once or with the rest of its folder's.
enum class Flushing { kNow, kWithItsFolder };

// Whether a read asks the file's status before its bytes.
enum class Stating { kAlways, kWhenListed };

class PosixFileSystem final : public FileSystem {
 public:
  PosixFileSystem() = default;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;
  // New bytes that were never put in place go again; their files keep their old content.
  ~PosixFileSystem() override {
    for (const PendingFolder& pending : pending_) {
      for (const PendingFile& file : pending.files)
        ::unlinkat(pending.folder.get(), TemporaryFileName(process_id_, file.temporary).c_str(), 0);
    }
  }

  std::vector<FolderEntry> FindEntries(const std::string& pattern) override {
    std::vector<FolderEntry> entries;
    SearchFolder(pattern, entries);
    return entries;
  }

  FileStatus SearchFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
    entries.clear();
    return VisitEntries(pattern,
                        [&entries](const FolderEntry& entry) { entries.push_back(entry); });
  }

  FileStatus VisitEntries(const std::string& pattern,
                          const std::function<void(const FolderEntry&)>& visit) override {
    const std::string folder = native_.From(FolderPart(pattern));
    const std::string wildcard = NamePart(pattern);
    // The listing is where a run first meets a folder, so the folder held
    // from here on is the one listed.
    const std::string opened = folder.empty() ? std::string(".") : folder;
    DirectoryStream dir(::open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    bool listing_held = false;
    std::uint64_t hold = 0;
    if (dir.get() != nullptr) {
      std::string_view held(opened);
      while (held.size() > 1 && held.back() == '/') held.remove_suffix(1);
      FileDescriptor handle(::fcntl(::dirfd(dir.get()), F_DUPFD_CLOEXEC, 0));
      listing_held = handle.valid();
      hold = held_.Hold(held, std::move(handle));
    }
    if (dir.get() == nullptr) {
      if (errno == ENOENT || errno == ENOTDIR) return FileStatus::Success();
      return ErrnoFailure();
    }
    std::string unnamable;  // names that no path of the program can reach
    FolderEntry found;      // one entry whose name keeps its storage from entry to entry
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir.get());
      if (entry == nullptr) {
        if (errno != 0) return ErrnoFailure();
        break;
      }
      // A literal "&#" of a real name is escaped, so that a reference always means one character.
      AssignLiteralReferencesEscaped(entry->d_name, found.name);
      if (!MatchesWildcard(found.name, wildcard)) continue;
      // A backslash separates folders in the program's paths, so a name that
      // holds one would lead elsewhere: it is reported instead.
      if (found.name.find('\\') != std::string::npos) {
        unnamable += (unnamable.empty() ? "" : ", ") + found.name;
        continue;
      }
      found.is_folder = false;
      found.is_link = entry->d_type == DT_LNK;
      if (entry->d_type == DT_DIR) {
        found.is_folder = true;
      } else if (entry->d_type == DT_UNKNOWN || found.is_link) {
        // A link to a folder counts as a folder; whoever walks the tree keeps
        // it from leading back up.
        struct stat info {};
        const int listed = ::dirfd(dir.get());
        if (!found.is_link && ::fstatat(listed, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
          found.is_link = S_ISLNK(info.st_mode);
        if (found.is_link || entry->d_type == DT_UNKNOWN) {
          found.is_folder =
              ::fstatat(listed, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
      }
      // What the visit does may move the hold to another folder meanwhile.
      if (listing_held && entry->d_type == DT_REG) held_.ListedAsFile(hold, entry->d_name);
      visit(found);
      held_.Visited();
    }
    if (!unnamable.empty())
      return FileStatus::Failure("a name holding a backslash cannot be read: " + unnamable);
    return FileStatus::Success();
  }

  bool FileExists(const std::string& path) override {
    struct stat info {};
    return Inspect(path, info, Follow::kLinks) && !S_ISDIR(info.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    struct stat info {};
    return Inspect(path, info, Follow::kLinks) && S_ISDIR(info.st_mode);
  }

  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    struct stat info {};
    if (!InspectRegularFile(path, info)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
  }

  std::optional<LocalTime> LastWriteTime(const std::string& path) override {
    struct stat info {};
    if (!InspectRegularFile(path, info)) return std::nullopt;
    return LocalTimeFromEpoch(info.st_mtime);
  }

  std::optional<std::int64_t> LastWriteSeconds(const std::string& path) override {
    struct stat info {};
    if (!Inspect(path, info, Follow::kLinks)) return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
  }

  FileStatus ReadFile(const std::string& path, std::string& bytes) override {
    return ReadFileUpTo(path, bytes, std::numeric_limits<std::uint64_t>::max());
  }

  std::unique_ptr<FileReader> OpenFileReader(const std::string& path, FileStatus& status) override {
    FileDescriptor file(-1);
    struct stat info {};
    status = OpenRegularFile(native_.From(path), file, info);
    if (!status) return nullptr;
    return std::make_unique<PosixFileReader>(std::move(file),
                                             static_cast<std::uint64_t>(info.st_size));
  }

  FileStatus ReadFileUpTo(const std::string& path, std::string& bytes,
                          std::uint64_t limit) override {
    struct stat info {};
    return ReadStated(path, bytes, limit, info, Stating::kWhenListed);
  }

  FileStatus ReadDatedFileUpTo(const std::string& path, std::string& bytes, std::uint64_t limit,
                               std::optional<std::int64_t>& write_seconds) override {
    struct stat info {};
    FileStatus read = ReadStated(path, bytes, limit, info);
    write_seconds.reset();
    if (read) write_seconds = static_cast<std::int64_t>(info.st_mtime);
    return read;
  }

  // The read of ReadFileUpTo; `info` is the status of the opened file, which
  // kWhenListed may leave unasked.
  FileStatus ReadStated(const std::string& path, std::string& bytes, std::uint64_t limit,
                        struct stat& info, Stating stating = Stating::kAlways) {
    bytes.clear();
    native_.From(path, read_native_);
    const std::string& native = read_native_;
    // A file that the folder's listing showed as a plain file is read before
    // its status is asked: a read that ends short has met the end of such a
    // file, so a shortcut takes one read and no status. Any other file, and
    // any other outcome of the first read, is looked at before its bytes are
    // taken, and only a regular file is let through.
    const HeldFolder::Place place = held_.Reach(native);
    const bool listed = stating == Stating::kWhenListed && held_.WasListedAsFile(place);
    const FileDescriptor file = OpenForReading(native, place);
    if (!listed) {
      if (FileStatus regular = CheckRegularFile(file, info); !regular) return regular;
    } else if (!file.valid()) {
      return ErrnoFailure();
    }
    char first[4096];
    ssize_t got = ReadSome(file.get(), first, sizeof first);
    // The read's own error is the one reported, whatever the status question does to errno.
    const int read_error = got < 0 ? errno : 0;
    const bool ended_short = got > 0 && static_cast<size_t>(got) < sizeof first;
    if (listed && !ended_short) {
      if (FileStatus regular = CheckRegularFile(file, info); !regular) return regular;
    }
    if (got < 0) {
      errno = read_error;
      return ErrnoFailure();
    }
    const std::uint64_t size = listed && ended_short ? static_cast<std::uint64_t>(got)
                                                     : static_cast<std::uint64_t>(info.st_size);
    if (size > limit) return FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
    // A file that fills the first read is read to its size, so that a large
    // page goes into one buffer.
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
      got = ReadSome(file.get(), bytes.data() + length, asked);
      if (got < 0) {
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
    const std::string native = native_.From(path);
    if (At(native, [](int folder, const char* name) { return ::mkdirat(folder, name, 0777); }) == 0)
      return FileStatus::Success();
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && Inspect(path, info, Follow::kLinks) && S_ISDIR(info.st_mode)) {
      return FileStatus::Success();
    }
    errno = error;
    return ErrnoFailure();
  }

  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override {
    return WriteNew(path, bytes, Flushing::kNow);
  }

  FileStatus WriteNewFileUnflushed(const std::string& path, std::string_view bytes) override {
    return WriteNew(path, bytes, Flushing::kWithItsFolder);
  }

  FileStatus FlushFolderFiles(const std::string& path) override {
    return FlushFileSystemOf(AT_FDCWD, native_.From(path).c_str());
  }

  FileStatus WriteNew(const std::string& path, std::string_view bytes, Flushing flushing) {
    native_.From(path, written_native_);
    const std::string& native = written_native_;
    FileDescriptor file(At(native, [](int folder, const char* name) {
      return ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }));
    if (!file.valid()) return ErrnoFailure();
    FileStatus status = WriteAll(file.get(), bytes);
    // On the disk before anyone moves it into place: a power loss then leaves
    // the old file or the whole new one, never an empty one.
    if (status && flushing == Flushing::kNow && ::fsync(file.get()) != 0) status = ErrnoFailure();
    if (status && !file.Close()) status = ErrnoFailure();
    if (!status) {
      file.Close();
      ::unlink(native.c_str());
    }
    return status;
  }

  FileStatus CreateWholeFile(const std::string& path, std::string_view bytes) override {
    if (!unnamed_files_) return FileSystem::CreateWholeFile(path, bytes);
    const std::string native = native_.From(path);
    const HeldFolder::Place place = held_.Reach(native);
    if (!place.held) return FileSystem::CreateWholeFile(path, bytes);
    // A file without a name: a run that is stopped at any moment leaves
    // nothing behind, and the name appears only for the whole file.
    FileDescriptor file(::openat(place.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!file.valid()) {
      // Some file systems cannot; the temporary beside the file does the same
      // there, and reports any other error in its own words.
      if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) unnamed_files_ = false;
      held_.Forget();
      return FileSystem::CreateWholeFile(path, bytes);
    }
    FileStatus status = WriteAll(file.get(), bytes);
    // On the disk before it has a name: a power loss then leaves no file or
    // the whole new one, never an empty one.
    if (status && ::fsync(file.get()) != 0) status = ErrnoFailure();
    if (!status) return status;
    // Naming fails without touching a file that stands at the name.
    if (NameUnnamedFile(file.get(), place) != 0) {
      if (errno != ENOENT && errno != EPERM) return ErrnoFailure();
      // Neither way of naming is allowed here.
      unnamed_files_ = false;
      return FileSystem::CreateWholeFile(path, bytes);
    }
    if (!file.Close()) return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus ReplaceWholeFile(const std::string& path, std::string_view bytes) override {
    const std::string native = native_.From(path);
    struct stat old_file {};
    const bool found = InspectNative(native, old_file, Follow::kNoLinks);
    if (!found && errno != ENOENT) return ErrnoFailure();
    const HeldFolder::Place place = held_.Reach(native);
    // A link is written through to its target, which may be anywhere.
    if ((found && S_ISLNK(old_file.st_mode)) || !place.held)
      return FileSystem::ReplaceWholeFile(path, bytes);
    std::string temporary;
    int number = 0;
    FileStatus status = WriteReplacement(place.folder, bytes, Flushing::kNow,
                                         found ? &old_file : nullptr, temporary, number);
    if (status && ::renameat(place.folder, temporary.c_str(), place.folder, place.name) != 0) {
      status = ErrnoFailure();
      ::unlinkat(place.folder, temporary.c_str(), 0);
    }
    return status;
  }

  FileStatus ReplaceWholeFileLater(const std::string& path, std::string_view bytes) override {
    const std::string native = native_.From(path);
    struct stat old_file {};
    const bool found = InspectNative(native, old_file, Follow::kNoLinks);
    const HeldFolder::Place place = held_.Reach(native);
    // A link, a file that went meanwhile or a folder that cannot be held is replaced at once.
    if (!found || S_ISLNK(old_file.st_mode) || !place.held) return ReplaceWholeFile(path, bytes);
    if (pending_.empty() || pending_.back().folder_path != held_.Path()) {
      FileDescriptor folder(::fcntl(place.folder, F_DUPFD_CLOEXEC, 0));
      if (!folder.valid()) return ReplaceWholeFile(path, bytes);
      pending_.push_back({held_.Path(), std::move(folder), {}});
    }
    PendingFolder& pending = pending_.back();
    std::string temporary;
    int number = 0;
    FileStatus status = WriteReplacement(pending.folder.get(), bytes, Flushing::kWithItsFolder,
                                         &old_file, temporary, number);
    if (status) pending.files.push_back({path, number});
    return status;
  }

  std::vector<FileFailure> FinishReplacements() override {
    std::vector<FileFailure> failures;
    for (PendingFolder& pending : pending_) {
      // Every new file of the folder is on the disk before any of them takes an old one's place.
      const FileStatus flushed = FlushFileSystemOf(pending.folder.get(), ".");
      for (const PendingFile& file : pending.files) {
        const std::string temporary = TemporaryFileName(process_id_, file.temporary);
        native_.From(file.path, written_native_);
        const char* name = written_native_.c_str() + written_native_.rfind('/') + 1;
        FileStatus placed = flushed;
        if (placed &&
            ::renameat(pending.folder.get(), temporary.c_str(), pending.folder.get(), name) != 0) {
          placed = ErrnoFailure();
        }
        if (!placed) {
          ::unlinkat(pending.folder.get(), temporary.c_str(), 0);
          failures.push_back({file.path, placed.reason});
        }
      }
    }
    pending_.clear();
    return failures;
  }

  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    const std::string native_from = native_.From(from);
    const std::string native_to = native_.From(to);
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
    const std::string native_from = native_.From(from);
    const std::string native_to = native_.From(to);
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
    if (At(native_.From(path),
           [](int folder, const char* name) { return ::unlinkat(folder, name, 0); }) != 0)
      return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus RemoveFolder(const std::string& path) override {
    if (At(native_.From(path), [](int folder, const char* name) {
          return ::unlinkat(folder, name, AT_REMOVEDIR);
        }) != 0)
      return ErrnoFailure();
    return FileStatus::Success();
  }

  FileStatus FlushFolder(const std::string& path) override {
    const std::string native = path.empty() ? std::string(".") : native_.From(path);
    FileDescriptor folder(::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid() || ::fsync(folder.get()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  bool IsLink(const std::string& path) override {
    struct stat info {};
    return Inspect(path, info, Follow::kNoLinks) && S_ISLNK(info.st_mode);
  }

  std::string LinkTarget(const std::string& path) override {
    if (!IsLink(path)) return path;
    const std::unique_ptr<char, decltype(&std::free)> target(
        ::realpath(native_.From(path).c_str(), nullptr), &std::free);
    return target ? CorePathFromNative(target.get()) : path;
  }

  void ForgetFolders() override { held_.Forget(); }

  std::string FolderIdentity(const std::string& path) override {
    struct stat info {};
    if (::stat(native_.From(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
  }

 private:
  enum class Follow { kLinks, kNoLinks };

  // Runs `call(folder, name)` on the place of `native` and gives its result.
  // When the held folder has gone from its place meanwhile, the path is
  // walked once more from the start.
  template <typename Call>
  int At(const std::string& native, const Call& call) {
    return At(native, held_.Reach(native), call);
  }

  // The same, where the path was reached already.
  template <typename Call>
  int At(const std::string& native, const HeldFolder::Place& place, const Call& call) {
    const int result = call(place.folder, place.name);
    if (result < 0 && errno == ENOENT && place.held && !held_.StillStanding()) {
      held_.Forget();
      errno = ENOENT;
      return call(AT_FDCWD, native.c_str());
    }
    return result;
  }

  bool Inspect(const std::string& path, struct stat& info, Follow follow) {
    return InspectNative(native_.From(path), info, follow);
  }

  bool InspectNative(const std::string& native, struct stat& info, Follow follow) {
    const int flags = follow == Follow::kLinks ? 0 : AT_SYMLINK_NOFOLLOW;
    return At(native, [&info, flags](int folder, const char* name) {
             return ::fstatat(folder, name, &info, flags);
           }) == 0;
  }

  // Opens a file for reading without waiting: a pipe with no writer would
  // otherwise hold the open forever. Only a regular file is let through.
  FileStatus OpenRegularFile(const std::string& native, FileDescriptor& file, struct stat& info) {
    file = OpenForReading(native);
    return CheckRegularFile(file, info);
  }

  FileDescriptor OpenForReading(const std::string& native) {
    return OpenForReading(native, held_.Reach(native));
  }

  FileDescriptor OpenForReading(const std::string& native, const HeldFolder::Place& place) {
    return FileDescriptor(At(native, place, [](int folder, const char* name) {
      return ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }));
  }

  bool InspectRegularFile(const std::string& path, struct stat& info) {
    FileDescriptor file(-1);
    return static_cast<bool>(OpenRegularFile(native_.From(path), file, info));
  }

  // Gives the unnamed file open as `fd` its name at `place`; 0, or -1 with errno.
  int NameUnnamedFile(int fd, const HeldFolder::Place& place) {
    if (name_by_handle_ && ::linkat(fd, "", place.folder, place.name, AT_EMPTY_PATH) == 0) return 0;
    // Naming by the handle itself takes a privilege that a user may lack; the
    // process's own view of its open files does it without.
    if (name_by_handle_ && errno != ENOENT && errno != EPERM) return -1;
    const std::string own = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, own.c_str(), place.folder, place.name, AT_SYMLINK_FOLLOW) != 0)
      return -1;
    name_by_handle_ = false;
    return 0;
  }

  // Writes the new bytes of a file into a temporary of the next number in
  // `folder`, with the owner and permissions of `old_file` when there is
  // one; the temporary's name and number, or the failure, which leaves none.
  FileStatus WriteReplacement(int folder, std::string_view bytes, Flushing flushing,
                              const struct stat* old_file, std::string& temporary, int& number) {
    FileDescriptor file(-1);
    for (int attempt = 0; attempt < kTemporaryAttempts && !file.valid(); ++attempt) {
      number = next_temporary_++;
      temporary = TemporaryFileName(process_id_, number);
      file = FileDescriptor(
          ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (!file.valid() && errno != EEXIST) return ErrnoFailure();
    }
    if (!file.valid()) return FileStatus::Failure("no temporary file could be created");
    FileStatus status = WriteAll(file.get(), bytes);
    // On the disk before it takes the old file's place, as a new file is.
    if (status && flushing == Flushing::kNow && ::fsync(file.get()) != 0) status = ErrnoFailure();
    if (status && old_file != nullptr) status = TakeOwnerAndPermissions(file.get(), *old_file);
    if (status && !file.Close()) status = ErrnoFailure();
    if (!status) {
      file.Close();
      ::unlinkat(folder, temporary.c_str(), 0);
    }
    return status;
  }

  // Has everything written to the file system of the folder at `path`
  // (within `folder`) on the disk: one flush for all of a folder's new files,
  // where a flush of each would wait for the disk once per file.
  FileStatus FlushFileSystemOf(int folder, const char* path) {
    // A held folder is open for reaching its files only, not for this.
    const FileDescriptor readable(::openat(folder, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!readable.valid() || ::syncfs(readable.get()) != 0) return ErrnoFailure();
    return FileStatus::Success();
  }

  // The new file may be read by no one who could not read the old one.
  FileStatus TakeOwnerAndPermissions(int fd, const struct stat& old_file) {
    const bool other_owner = old_file.st_uid != user_ || old_file.st_gid != group_;
    // The owner changes only where it differs (another user's file, written by root).
    if (other_owner && ::fchown(fd, old_file.st_uid, old_file.st_gid) != 0 && errno != EPERM)
      return ErrnoFailure();
    const mode_t wanted = old_file.st_mode & 07777;
    if ((other_owner || wanted != created_mode_) && ::fchmod(fd, wanted) != 0)
      return ErrnoFailure();
    return FileStatus::Success();
  }

  static mode_t CreatedMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
  }

  // Whom a new file belongs to, what it may do, and this process's number
  // for its temporaries; asked once, not for every file written.
  const uid_t user_ = ::geteuid();
  const gid_t group_ = ::getegid();
  const mode_t created_mode_ = CreatedMode();
  const std::uint32_t process_id_ = CurrentProcessId();
  bool unnamed_files_ = true;   // the file system makes files without a name
  bool name_by_handle_ = true;  // and this process may name them by their handle
  // Files whose new bytes wait beside them for FinishReplacements, folder by
  // folder, each folder held open so that nothing moved meanwhile misleads the
  // renames.
  struct PendingFile {
    std::string path;  // as the caller named it
    int temporary;     // the number in the name of the waiting new file, in the folder
  };
  struct PendingFolder {
    std::string folder_path;  // native, as held
    FileDescriptor folder;
    std::vector<PendingFile> files;
  };
  std::vector<PendingFolder> pending_;
  int next_temporary_ = 0;  // numbers the temporaries of this run

  HeldFolder held_;
  NativePaths native_;
  // The native paths of the file read and the file written last, kept for
  // their storage: a run reads or writes one file after another.
  std::string read_native_;
  std::string written_native_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace linkshelf
