// The two targets that the import writes into a shortcut, and reads back from
// an existing one before asking whether to replace it.
#pragma once

#include <string>

#include "runtime/file_system.h"

namespace linkshelf {

struct ShortcutTargets {
  std::string base_url;  // section DEFAULT, key BASEURL
  std::string url;       // section InternetShortcut, key URL
};

// The targets of an existing shortcut; each empty when missing.
ShortcutTargets ReadShortcutTargets(FileSystem& files, const std::string& path);

// The four lines of a new shortcut: DEFAULT/BASEURL, then InternetShortcut/URL.
std::string NewShortcutText(const std::string& url);
// The same into `text`, whose storage a caller may keep from shortcut to shortcut.
void AssignNewShortcutText(const std::string& url, std::string& text);

// Where a new shortcut goes: a folder that stands under its name, or one that
// is filled under a temporary name and named only once its shortcuts stand.
enum class ShortcutFolder { kNamed, kTemporary };

// Creates the shortcut complete or not at all; fails when a file stands at
// the path already, so nothing is ever overwritten unasked. In a temporary
// folder nobody looks into, the shortcut is written straight under its name.
FileStatus WriteNewShortcut(FileSystem& files, const std::string& path, const std::string& url,
                            ShortcutFolder folder = ShortcutFolder::kNamed);
// The same, forming the text in `text`, whose storage a caller may keep.
FileStatus WriteNewShortcut(FileSystem& files, const std::string& path, const std::string& url,
                            ShortcutFolder folder, std::string& text);

// What an update did to an existing shortcut.
enum class ShortcutChange { kReplaced, kUnchanged };

struct ShortcutUpdate {
  FileStatus status;
  ShortcutChange change = ShortcutChange::kReplaced;
};

// Sets both targets in an existing shortcut and keeps its other lines. The
// file holds either its old bytes or all of the new ones. A shortcut that
// would come out byte for byte as it is is not written at all, so its
// last-write time stays too. The folder's entry is not flushed: the caller
// flushes each folder once it has written all its shortcuts there.
ShortcutUpdate UpdateShortcut(FileSystem& files, const std::string& path, const std::string& url);
// When a changed shortcut takes its new bytes: at once, or with the other
// shortcuts of its folder when the caller asks the file layer to finish them.
enum class ShortcutReplacing { kNow, kWithItsFolder };

// The same, reading the shortcut into `bytes`, whose storage a caller may keep
// from shortcut to shortcut.
ShortcutUpdate UpdateShortcut(FileSystem& files, const std::string& path, const std::string& url,
                              std::string& bytes,
                              ShortcutReplacing replacing = ShortcutReplacing::kNow);

// Writes the target into the shortcut at `path`, creating it when missing.
FileStatus WriteShortcutFile(FileSystem& files, const std::string& path, const std::string& url);

}  // namespace linkshelf
