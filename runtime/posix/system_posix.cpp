// Locale, clock and path conventions on POSIX.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <ctime>
#include <vector>

#include "runtime/code_page.h"
#include "runtime/system.h"

namespace linkshelf {

std::unique_ptr<Collation> MakeSystemCollation() {
  return std::make_unique<ByteCollation>();
}

RegionalSettings ReadSystemRegionalSettings() {
  return RegionalSettings{};
}

std::optional<LocalTime> LocalTimeFromEpoch(std::int64_t seconds) {
  const std::time_t moment = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (::localtime_r(&moment, &parts) == nullptr) return std::nullopt;
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                   parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

LocalTime CurrentLocalTime() {
  return LocalTimeFromEpoch(static_cast<std::int64_t>(std::time(nullptr))).value_or(LocalTime{});
}

std::uint32_t CurrentProcessId() {
  return static_cast<std::uint32_t>(::getpid());
}

bool ProcessIsRunning(std::uint32_t process_id) {
  const auto pid = static_cast<pid_t>(process_id);
  if (pid <= 0 || static_cast<std::uint32_t>(pid) != process_id) return false;
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

std::size_t RoomForGrowingText() {
  // Address space is plentiful on 64-bit systems; a 32-bit one keeps it.
  return sizeof(void*) >= 8 ? std::size_t{64} << 20 : 0;
}

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return "\\";
    buffer.resize(buffer.size() * 2);
  }
  std::string folder = CorePathFromNative(buffer.data());
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string CorePathFromNative(std::string_view native_path) {
  std::string path(native_path);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return EscapeLiteralReferences(path);
}

std::string NativePathFromCore(std::string_view core_path) {
  // Every file operation maps its path. The walks below do the same to each
  // byte without a branch, which the compiler turns into whole-register steps.
  std::string path(core_path);
  char* const bytes = path.data();
  const size_t size = path.size();
  for (size_t i = 0; i < size; ++i) bytes[i] = bytes[i] == '\\' ? '/' : bytes[i];
  unsigned doubled = 0;     // a doubled separator counts as one, as it does on Windows
  unsigned references = 0;  // UTF-8 holds every character: a reference becomes its character
  for (size_t i = 1; i < size; ++i) {
    doubled |= static_cast<unsigned>(bytes[i - 1] == '/') & static_cast<unsigned>(bytes[i] == '/');
    references |=
        static_cast<unsigned>(bytes[i - 1] == '&') & static_cast<unsigned>(bytes[i] == '#');
  }
  if (doubled != 0) {
    size_t length = 0;
    for (const char c : path) {
      if (c == '/' && length > 0 && path[length - 1] == '/') continue;
      path[length++] = c;
    }
    path.resize(length);
  }
  if (references != 0) return DecodeReferencesToUtf8(path);
  return path;
}

}  // namespace linkshelf
