// The file layer on Windows, through the ANSI functions.
#include <windows.h>

#include "runtime/system.h"
#include "runtime/win32/handle.h"
#include "runtime/win32/system_error.h"

namespace linkshelf {

namespace {

FileStatus LastErrorFailure() { return FileStatus::Failure(SystemErrorText(GetLastError())); }

// Read access that never needs the file to itself: another program may hold it open.
HANDLE OpenForSharedReading(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

class Win32FileSystem final : public FileSystem {
 public:
  std::vector<FolderEntry> FindEntries(const std::string& pattern) override {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data{};
    FindHandle search(FindFirstFileA(pattern.c_str(), &data));
    if (!search.valid()) return entries;
    do {
      entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search.get(), &data));
    return entries;
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
    return LocalTime{parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
  }

  std::optional<std::int64_t> LastWriteSeconds(const std::string& path) override {
    // The attributes give the time of a folder as well as of a file, without opening either.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const std::int64_t ticks = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime;
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
    return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
  }

  FileStatus ReadFile(const std::string& path, std::string& bytes) override {
    bytes.clear();
    FileHandle file(OpenForSharedReading(path));
    if (!file.valid()) return LastErrorFailure();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
      bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return LastErrorFailure();
      if (got == 0) break;
      bytes.append(buffer, got);
    }
    return FileStatus::Success();
  }

  FileStatus CreateFolder(const std::string& path) override {
    if (CreateDirectoryA(path.c_str(), nullptr)) return FileStatus::Success();
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && FolderExists(path)) return FileStatus::Success();
    return FileStatus::Failure(SystemErrorText(error));
  }

  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
    if (status && !file.Close()) status = LastErrorFailure();
    if (!status) {
      file.Close();
      DeleteFileA(path.c_str());
    }
    return status;
  }

  FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastErrorFailure();
    }
    return FileStatus::Success();
  }

  FileStatus RemoveFile(const std::string& path) override {
    if (!DeleteFileA(path.c_str())) return LastErrorFailure();
    return FileStatus::Success();
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace linkshelf
