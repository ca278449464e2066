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

// The size of the file by kind: 0 bytes, 1 kilobytes, 3 megabytes (all "#,0"),
// 2 kilobytes with two decimals ("%.2n", a decimal part of zeros left out).
// Empty when the file cannot be read or the kind is unknown.
std::string FileSizeText(FileSystem& files, int kind, const std::string& path, const RegionalSettings& regional);

// The last-write time of the file in the packed form of the file system's
// dates: years 1980 to 2107, seconds in steps of two. -1 when it cannot be
// read or lies outside that range.
std::int32_t PackedFileDate(FileSystem& files, const std::string& path);
std::optional<LocalTime> UnpackFileDate(std::int32_t packed);

// Kind 1: the last-write time in `pattern`, empty when it cannot be read;
// kind 2: the packed date as a decimal number. Empty for any other kind.
std::string FileDateText(FileSystem& files, int kind, const std::string& path, std::string_view pattern,
                         const RegionalSettings& regional);

}  // namespace linkshelf
