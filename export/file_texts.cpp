#include "export/file_texts.h"

#include "export/date_text.h"
#include "export/number_text.h"

namespace linkshelf {

std::string FileSizeText(FileSystem& files, FileSizeKind kind, const std::string& path,
                         const RegionalSettings& regional) {
  const std::optional<std::uint64_t> size = files.FileSize(path);
  if (!size) return {};
  const double bytes = static_cast<double>(*size);
  switch (kind) {
    case FileSizeKind::kBytes:
      return GroupedWholeNumberText(static_cast<std::int64_t>(*size), regional);
    case FileSizeKind::kKilobytes:
      return GroupedWholeNumberText(bytes / 1024.0, regional);
    case FileSizeKind::kKilobytesWithDecimals: {
      std::string text = GroupedTwoDecimalsText(bytes / 1024.0, regional);
      // A whole number of kilobytes shows without its decimals (12.00 as 12).
      const std::string zeros = regional.decimal_separator + "00";
      if (text.ends_with(zeros)) text.resize(text.size() - zeros.size());
      return text;
    }
    case FileSizeKind::kMegabytes:
      return GroupedWholeNumberText(bytes / 1048576.0, regional);
  }
  return {};
}

std::int32_t PackedFileDate(FileSystem& files, const std::string& path) {
  const std::optional<LocalTime> time = files.LastWriteTime(path);
  if (!time || time->year < 1980 || time->year > 2107) return -1;
  const std::uint32_t date =
      static_cast<std::uint32_t>(((time->year - 1980) << 9) | (time->month << 5) | time->day);
  const std::uint32_t clock =
      static_cast<std::uint32_t>((time->hour << 11) | (time->minute << 5) | (time->second / 2));
  return static_cast<std::int32_t>((date << 16) | clock);
}

std::optional<LocalTime> UnpackFileDate(std::int32_t packed) {
  const auto value = static_cast<std::uint32_t>(packed);
  const std::uint32_t date = value >> 16;
  const std::uint32_t clock = value & 0xFFFF;
  LocalTime time;
  time.year = static_cast<int>(date >> 9) + 1980;
  time.month = static_cast<int>((date >> 5) & 15);
  time.day = static_cast<int>(date & 31);
  time.hour = static_cast<int>(clock >> 11);
  time.minute = static_cast<int>((clock >> 5) & 63);
  time.second = static_cast<int>(clock & 31) * 2;
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.hour > 23 || time.minute > 59 ||
      time.second > 59) {
    return std::nullopt;
  }
  return time;
}

std::string FileDateText(FileSystem& files, FileDateKind kind, const std::string& path,
                         std::string_view pattern, const RegionalSettings& regional) {
  if (kind == FileDateKind::kPacked) return std::to_string(PackedFileDate(files, path));
  if (kind != FileDateKind::kPattern) return {};
  const std::optional<LocalTime> time = UnpackFileDate(PackedFileDate(files, path));
  return time ? FormatDateTime(pattern, *time, regional) : std::string();
}

}  // namespace linkshelf
