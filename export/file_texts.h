// The size and the last-write date of a file as text, for the question asked
// before an existing page is replaced.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/file_system.h"
#include "runtime/local_time.h"
#include "runtime/regional_settings.h"

namespace linkshelf {

// How a file's size is shown: whole bytes, kilobytes or megabytes (all
// "#,0"), or kilobytes with two decimals ("%.2n", a decimal part of zeros left
// out). The numbers are those of the size kinds the program has always known.
enum class FileSizeKind : int {
  kBytes = 0,
  kKilobytes = 1,
  kKilobytesWithDecimals = 2,
  kMegabytes = 3
};

// The size of the file as `kind` shows it. Empty when the file cannot be read
// or the kind is unknown.
std::string FileSizeText(FileSystem& files, FileSizeKind kind, const std::string& path,
                         const RegionalSettings& regional);

// The last-write time of the file in the packed form of the file system's
// dates: years 1980 to 2107, seconds in steps of two. -1 when it cannot be
// read or lies outside that range.
std::int32_t PackedFileDate(FileSystem& files, const std::string& path);
std::optional<LocalTime> UnpackFileDate(std::int32_t packed);

// How a file's date is shown: the last-write time in a pattern (empty when
// it cannot be read), or the packed date as a decimal number.
enum class FileDateKind : int { kPattern = 1, kPacked = 2 };

// The last-write date of the file as `kind` shows it; empty for an unknown kind.
std::string FileDateText(FileSystem& files, FileDateKind kind, const std::string& path,
                         std::string_view pattern, const RegionalSettings& regional);

}  // namespace linkshelf
