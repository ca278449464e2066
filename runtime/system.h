// The operating system behind the runtime: one implementation for Windows
// (ANSI functions, the system code page) and one for POSIX (UTF-8 names).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/collation.h"
#include "runtime/file_system.h"
#include "runtime/local_time.h"
#include "runtime/regional_settings.h"

namespace linkshelf {

std::unique_ptr<FileSystem> MakeSystemFileSystem();
std::unique_ptr<Collation> MakeSystemCollation();

// Windows: the locale items of the user's default locale; POSIX: the defaults.
RegionalSettings ReadSystemRegionalSettings();

LocalTime CurrentLocalTime();
// A moment given in seconds since 1970-01-01 UTC, in local time (TZ applies on POSIX).
std::optional<LocalTime> LocalTimeFromEpoch(std::int64_t seconds);

// This process's number, and whether a process of that number is running:
// what tells a temporary file of a run that ended from one still in use.
std::uint32_t CurrentProcessId();
bool ProcessIsRunning(std::uint32_t process_id);

// The room to set aside for a text that grows to megabytes while it is
// formed, such as a page during a scan: set aside at once, the text is
// neither copied nor its memory touched anew each time it outgrows its
// storage. POSIX backs only the memory written, so the room is generous
// there; Windows commits what is set aside, so none is.
std::size_t RoomForGrowingText();

// The working folder as a core path ending in a backslash.
std::string CurrentFolder();

// Core paths use backslashes; POSIX names use slashes. Identity on Windows.
std::string CorePathFromNative(std::string_view native_path);
std::string NativePathFromCore(std::string_view core_path);

}  // namespace linkshelf
