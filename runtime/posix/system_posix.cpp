// Locale, clock and path conventions on POSIX.
#include <unistd.h>

#include <ctime>
#include <vector>

#include "runtime/code_page.h"
#include "runtime/system.h"

namespace linkshelf {

std::unique_ptr<Collation> MakeSystemCollation() { return std::make_unique<ByteCollation>(); }

RegionalSettings ReadSystemRegionalSettings() { return RegionalSettings{}; }

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
  std::string path;
  path.reserve(core_path.size());
  for (const char c : core_path) {
    const char mapped = c == '\\' ? '/' : c;
    // A doubled separator counts as one, as it does on Windows.
    if (mapped == '/' && !path.empty() && path.back() == '/') continue;
    path += mapped;
  }
  // UTF-8 holds every character: the references become the characters they stand for.
  return path.find("&#") == std::string::npos ? path : DecodeReferencesToUtf8(path);
}

}  // namespace linkshelf
