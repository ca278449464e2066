// The walk of a Favorites tree into the records of the page, in page order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/collation.h"
#include "runtime/file_system.h"

namespace linkshelf {

struct ScanRecord {
  enum class Kind { kFolder, kLink };
  Kind kind = Kind::kLink;
  // A folder: its path below the root, names joined by "\" ("News\Tech").
  // A link: the shortcut's file name without its last extension.
  std::string text;
  // A link: the address read from the shortcut, empty when it has none.
  std::string address;
  // When the scan was asked for dates: the last-write time of the shortcut
  // (taken as it was read) or of the folder on disk (the first of merged
  // folders), in seconds since 1970 UTC, where the browser file finds its
  // date. Nothing when it could not be told.
  std::optional<std::int64_t> write_seconds;

  // Records are equal when they show the same: where on disk they were found does not count.
  friend bool operator==(const ScanRecord& a, const ScanRecord& b) {
    return a.kind == b.kind && a.text == b.text && a.address == b.address;
  }
};

// The largest file read as a shortcut; a real one is a few hundred bytes.
inline constexpr std::uint64_t kShortcutSizeLimit = 1 << 20;

// The records of a tree and what in it could not be read.
struct FolderScan {
  std::vector<ScanRecord> records;
  // Shortcuts and folders that could not be read, in the order met. An
  // unreadable shortcut still gives its link, without an address; an
  // unreadable folder adds nothing of its own.
  std::vector<ReadFailure> unread;
};

// Called after each folder is read, with the links and folders found so far.
using ScanProgress = std::function<void(int links, int folders)>;

// The records of the tree below `root`, in the order of the page: the root's
// own links by name, then each folder's record directly followed by its own
// links by name and then by its subfolders, each in turn with its contents.
// Names compare by `collation`, path component by path component. A link equal
// to one already held (name and address) and a folder equal to a sibling are
// held once; the contents of sibling folders that compare equal are merged
// under the first. Folders whose names begin with "." are left out; a folder
// that cannot be read adds nothing of its own. Each shortcut is read once, and
// only when it is a regular file of at most kShortcutSizeLimit bytes. A link
// to a folder is followed unless it leads back to a folder being read.
FolderScan ScanFolder(FileSystem& files, const Collation& collation, const std::string& root,
                      const ScanProgress& progress = {});

// Whether the records carry the last-write times of their files.
enum class ScanDates { kLeftOut, kRead };

// Takes each record as soon as the scan has placed it, in page order.
using RecordSink = std::function<void(ScanRecord&& record)>;

// The same scan handing each record to `sink` instead of holding them all, so
// that a page can be formed while the tree is read; returns what could not be read.
std::vector<ReadFailure> ScanFolderInto(FileSystem& files, const Collation& collation,
                                        const std::string& root, ScanDates dates,
                                        const RecordSink& sink, const ScanProgress& progress = {});

// The file name without its last extension ("Two.Dots.url" gives "Two.Dots").
std::string ShortcutStem(const std::string& file_name);

}  // namespace linkshelf
