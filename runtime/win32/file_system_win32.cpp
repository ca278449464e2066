// The file layer on Windows, through the wide functions: every path given is
// turned into its wide form with the references decoded, every name read back
// into code-page bytes with references for what the code page lacks.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "runtime/code_page.h"
#include "runtime/system.h"
#include "runtime/win32/handle.h"
#include "runtime/win32/system_error.h"
#include "runtime/win32/wide_text.h"

namespace linkshelf {

namespace {

FileStatus LastErrorFailure() {
  return FileStatus::Failure(SystemErrorText(GetLastError()));
}

// Below this length every function takes the path as it is (folder creation
// keeps 12 characters of MAX_PATH for the names inside).
constexpr size_t kShortPathLimit = MAX_PATH - 12;

// The wide path for the system. A long one takes the "\\?\" form, which
// reaches 32,767 characters but must be complete: the full path is formed
// first, with "." and ".." resolved and separators made single.
std::wstring SystemPath(const std::string& path) {
  std::wstring wide = WideFromCodePage(path);
  if (wide.size() < kShortPathLimit || wide.starts_with(L"\\\\?\\")) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// Read access that never needs the file to itself: another program may hold it open.
HANDLE OpenForSharedReading(const std::string& path) {
  return CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(SystemPath(path).c_str());
}

// A file to read must be one on a disk: a pipe or a device could block or never end.
FileStatus OpenDiskFile(const std::string& path, FileHandle& file) {
  file = FileHandle(OpenForSharedReading(path));
  if (!file.valid()) return LastErrorFailure();
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return FileStatus::Failure("not a regular file");
  return FileStatus::Success();
}

// A file time (100-nanosecond ticks since 1601) as whole seconds since 1970.
std::int64_t SecondsSince1970(const FILETIME& time) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  constexpr std::int64_t kTicksPerSecond = 10'000'000;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
  return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
}

// A handle that tells about a file or folder, where any links lead, without reading it.
HANDLE OpenForInformation(const std::string& path) {
  return CreateFileW(SystemPath(path).c_str(), 0,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A file on a disk read a piece at a time, so that a large page is never held whole.
class Win32FileReader final : public FileReader {
 public:
  Win32FileReader(FileHandle file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

  FileStatus ReadMore(std::string& bytes, std::size_t most) override {
    const std::size_t before = bytes.size();
    const auto asked = static_cast<DWORD>(std::min<std::size_t>(most, 1u << 30));
    bytes.resize(before + asked);
    DWORD got = 0;
    const bool read = ::ReadFile(file_.get(), bytes.data() + before, asked, &got, nullptr) != FALSE;
    const DWORD error = GetLastError();
    bytes.resize(before + (read ? got : 0));
    if (!read) return FileStatus::Failure(SystemErrorText(error));
    return FileStatus::Success();
  }
  std::uint64_t Size() const override { return size_; }

 private:
  FileHandle file_;
  std::uint64_t size_;
};

// The attributes that a replacement takes over from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Win32FileSystem final : public FileSystem {
 public:
  std::vector<FolderEntry> FindEntries(const std::string& pattern) override {
    std::vector<FolderEntry> entries;
    SearchFolder(pattern, entries);
    return entries;
  }

  FileStatus SearchFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
    entries.clear();
    WIN32_FIND_DATAW data{};
    FindHandle search(FindFirstFileW(SystemPath(pattern).c_str(), &data));
    if (!search.valid()) {
      const DWORD error = GetLastError();
      // Nothing matches, or no such folder: an empty folder to the program.
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
          error == ERROR_NO_MORE_FILES || error == ERROR_DIRECTORY) {
        return FileStatus::Success();
      }
      return FileStatus::Failure(SystemErrorText(error));
    }
    do {
      entries.push_back({CodePageFromWide(data.cFileName),
                         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search.get(), &data));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) {
      return FileStatus::Failure(SystemErrorText(error));
    }
    return FileStatus::Success();
  }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool FolderExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    FileHandle file(OpenForSharedReading(path));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  std::optional<LocalTime> LastWriteTime(const std::string& path) override {
    FileHandle file(OpenForSharedReading(path));
    FILETIME written{}, local{};
    SYSTEMTIME parts{};
    if (!file.valid() || !GetFileTime(file.get(), nullptr, nullptr, &written) ||
        !FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &parts)) {
      return std::nullopt;
    }
    return LocalTime{parts.wYear, parts.wMonth,  parts.wDay,
                     parts.wHour, parts.wMinute, parts.wSecond};
  }

  std::optional<std::int64_t> LastWriteSeconds(const std::string& path) override {
    // The attributes give the time of a folder as well as of a file, without opening either.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data))
      return std::nullopt;
    return SecondsSince1970(data.ftLastWriteTime);
  }

  FileStatus ReadDatedFileUpTo(const std::string& path, std::string& bytes, std::uint64_t limit,
                               std::optional<std::int64_t>& write_seconds) override {
    write_seconds.reset();
    FileHandle file(INVALID_HANDLE_VALUE);
    FileStatus read = ReadOpened(path, bytes, limit, file);
    FILETIME written{};
    if (read && GetFileTime(file.get(), nullptr, nullptr, &written))
      write_seconds = SecondsSince1970(written);
    return read;
  }

  FileStatus ReadFile(const std::string& path, std::string& bytes) override {
    return ReadFileUpTo(path, bytes, UINT64_MAX);
  }

  std::unique_ptr<FileReader> OpenFileReader(const std::string& path, FileStatus& status) override {
    FileHandle file(INVALID_HANDLE_VALUE);
    if (status = OpenDiskFile(path, file); !status) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
      status = LastErrorFailure();
      return nullptr;
    }
    return std::make_unique<Win32FileReader>(std::move(file),
                                             static_cast<std::uint64_t>(size.QuadPart));
  }

  FileStatus ReadFileUpTo(const std::string& path, std::string& bytes,
                          std::uint64_t limit) override {
    FileHandle file(INVALID_HANDLE_VALUE);
    return ReadOpened(path, bytes, limit, file);
  }

  // The read of ReadFileUpTo; `file` stays open for what the caller asks of it next.
  static FileStatus ReadOpened(const std::string& path, std::string& bytes, std::uint64_t limit,
                               FileHandle& file) {
    bytes.clear();
    if (FileStatus opened = OpenDiskFile(path, file); !opened) return opened;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
      if (static_cast<std::uint64_t>(size.QuadPart) > limit) {
        return FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
      }
      bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return LastErrorFailure();
      if (got == 0) break;
      bytes.append(buffer, got);
      // A file that grows while it is read stays within its limit.
      if (bytes.size() > limit) {
        bytes.clear();
        return FileStatus::Failure("larger than " + std::to_string(limit) + " bytes");
      }
    }
    return FileStatus::Success();
  }

  FileStatus CreateFolder(const std::string& path) override {
    if (CreateDirectoryW(SystemPath(path).c_str(), nullptr)) return FileStatus::Success();
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && FolderExists(path)) return FileStatus::Success();
    return FileStatus::Failure(SystemErrorText(error));
  }

  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override {
    const std::wstring system_path = SystemPath(path);
    FileHandle file(CreateFileW(system_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorFailure();
    FileStatus status = FileStatus::Success();
    size_t done = 0;
    while (status && done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
        status = LastErrorFailure();
      }
      done += written;
    }
    // On the disk before anyone moves it into place: a power loss then leaves
    // the old file or the whole new one, never an empty one.
    if (status && !FlushFileBuffers(file.get())) status = LastErrorFailure();
    if (status && !file.Close()) status = LastErrorFailure();
    if (!status) {
      file.Close();
      DeleteFileW(system_path.c_str());
    }
    return status;
  }

  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    const std::wstring system_from = SystemPath(from);
    // A hidden or system page stays so.
    if (const DWORD old_attributes = Attributes(to);
        old_attributes != INVALID_FILE_ATTRIBUTES && (old_attributes & kKeptAttributes) != 0 &&
        !SetFileAttributesW(system_from.c_str(), old_attributes & kKeptAttributes)) {
      return LastErrorFailure();
    }
    if (!MoveFileExW(system_from.c_str(), SystemPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastErrorFailure();
    }
    return FileStatus::Success();
  }

  FileStatus MoveNewFile(const std::string& from, const std::string& to) override {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
    if (!MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
      return LastErrorFailure();
    }
    return FileStatus::Success();
  }

  FileStatus RemoveFile(const std::string& path) override {
    if (!DeleteFileW(SystemPath(path).c_str())) return LastErrorFailure();
    return FileStatus::Success();
  }

  FileStatus RemoveFolder(const std::string& path) override {
    if (!RemoveDirectoryW(SystemPath(path).c_str())) return LastErrorFailure();
    return FileStatus::Success();
  }

  bool IsLink(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  std::string LinkTarget(const std::string& path) override {
    if (!IsLink(path)) return path;
    const FileHandle file(OpenForInformation(path));
    if (!file.valid()) return path;
    std::wstring target(32768, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(
        file.get(), target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    if (length == 0 || length >= target.size()) return path;
    target.resize(length);
    return CodePageFromWide(target);
  }

  std::string FolderIdentity(const std::string& path) override {
    const FileHandle folder(OpenForInformation(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!folder.valid() || !GetFileInformationByHandle(folder.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return {};
    }
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string(information.nFileIndexHigh) + ":" +
           std::to_string(information.nFileIndexLow);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace linkshelf
