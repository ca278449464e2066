// Locale, collation, clock and paths on Windows.
#include <windows.h>

#include <limits>

#include "runtime/system.h"
#include "runtime/win32/handle.h"
#include "runtime/win32/locale_collation.h"

namespace linkshelf {

namespace {

class LocaleCollation final : public Collation {
 public:
  explicit LocaleCollation(LCID locale) : locale_(locale) {}
  int Compare(std::string_view a, std::string_view b) const override {
    const int result =
        CompareStringA(locale_, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                       static_cast<int>(b.size()));
    // A comparison the system refuses must not make two texts equal: the
    // sorted scan would keep only one of them. The byte order decides then.
    if (result == 0) return ByteCollation().Compare(a, b);
    return result - CSTR_EQUAL;
  }

 private:
  LCID locale_;
};

// One locale item of the user's default locale; nothing when it supplies nothing.
std::string LocaleItem(LCTYPE item) {
  char buffer[128] = {};
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

void TakeItem(std::string& setting, LCTYPE item) {
  if (std::string value = LocaleItem(item); !value.empty()) setting = std::move(value);
}

LocalTime FromSystemTime(const SYSTEMTIME& parts) {
  return LocalTime{parts.wYear, parts.wMonth,  parts.wDay,
                   parts.wHour, parts.wMinute, parts.wSecond};
}

}  // namespace

std::unique_ptr<Collation> MakeLocaleCollation(LCID locale) {
  return std::make_unique<LocaleCollation>(locale);
}

std::unique_ptr<Collation> MakeSystemCollation() {
  return MakeLocaleCollation(LOCALE_USER_DEFAULT);
}

RegionalSettings ReadSystemRegionalSettings() {
  RegionalSettings settings;
  TakeItem(settings.thousands_separator, LOCALE_STHOUSAND);
  TakeItem(settings.decimal_separator, LOCALE_SDECIMAL);
  TakeItem(settings.date_separator, LOCALE_SDATE);
  TakeItem(settings.time_separator, LOCALE_STIME);
  TakeItem(settings.short_date_format, LOCALE_SSHORTDATE);
  TakeItem(settings.morning_designator, LOCALE_S1159);
  TakeItem(settings.afternoon_designator, LOCALE_S2359);
  // The long time format is built from three items, as the date texts expect it.
  std::string format = LocaleItem(LOCALE_ITLZERO) != "0" ? "hh" : "h";
  format += ":mm:ss";
  if (LocaleItem(LOCALE_ITIME) == "0") {
    format = LocaleItem(LOCALE_ITIMEMARKPOSN) != "0" && !LocaleItem(LOCALE_ITIMEMARKPOSN).empty()
                 ? "AMPM " + format
                 : format + " AMPM";
  }
  settings.long_time_format = format;
  return settings;
}

LocalTime CurrentLocalTime() {
  SYSTEMTIME parts{};
  GetLocalTime(&parts);
  return FromSystemTime(parts);
}

std::optional<LocalTime> LocalTimeFromEpoch(std::int64_t seconds) {
  // FILETIME counts 100-nanosecond steps from 1601-01-01 UTC. The range is
  // checked before the steps are counted, which would overflow beyond it.
  constexpr std::int64_t kFrom1601 = 11644473600LL;
  constexpr std::int64_t kStepsPerSecond = 10000000LL;
  if (seconds < -kFrom1601 ||
      seconds > std::numeric_limits<std::int64_t>::max() / kStepsPerSecond - kFrom1601) {
    return std::nullopt;
  }
  const std::int64_t ticks = (seconds + kFrom1601) * kStepsPerSecond;
  FILETIME utc{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  FILETIME local{};
  SYSTEMTIME parts{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &parts)) {
    return std::nullopt;
  }
  return FromSystemTime(parts);
}

std::uint32_t CurrentProcessId() {
  return static_cast<std::uint32_t>(GetCurrentProcessId());
}

bool ProcessIsRunning(std::uint32_t process_id) {
  if (process_id == 0) return false;
  const HANDLE opened = OpenProcess(SYNCHRONIZE, FALSE, process_id);
  // A process that may not be opened runs all the same.
  if (opened == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const FileHandle process(opened);
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

std::size_t RoomForGrowingText() {
  return 0;
}

std::string CurrentFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  std::string folder(buffer, length < sizeof buffer ? length : 0);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string CorePathFromNative(std::string_view native_path) {
  return std::string(native_path);
}
std::string NativePathFromCore(std::string_view core_path) {
  return std::string(core_path);
}

}  // namespace linkshelf
