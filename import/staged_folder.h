// A folder that the import makes for a page's links is filled under a
// temporary name beside it and takes its own name once the run moves on.
// Nothing can stand in it meanwhile, so each of its shortcuts is one create
// and one write; a run stopped at any moment leaves the folder absent, or
// there with whole shortcuts only, and its temporary is removed by the next
// run that makes a folder beside it.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "import/written_shortcuts.h"
#include "runtime/file_system.h"

namespace linkshelf {

// Why nothing is written into a folder that is a link: it could lead anywhere.
inline constexpr char kWritesThroughLink[] = "是符号链接或连接点，不会通过它写入";

// What became of the staged folder when it was given its name.
struct StagedOutcome {
  // false when it received no shortcut, or its shortcuts could not be had on
  // the disk, and it is gone again
  bool folder_made = false;
  std::string folder;  // the folder's own path, ending in a backslash
  struct Unplaced {
    WrittenShortcut shortcut;
    std::string reason;
  };
  std::vector<Unplaced> unplaced;  // shortcuts that could not be put in its place
};

class StagedFolder {
 public:
  explicit StagedFolder(FileSystem& files) : files_(files) {}

  // Starts filling `folder` (ending in a backslash), which does not stand
  // and whose parent does; false when no temporary folder could be made.
  bool Start(const std::string& folder);

  bool Active() const { return !temporary_.empty(); }
  bool Holds(const std::string& folder) const { return Active() && folder == folder_; }
  // Where the staged folder's shortcuts go, ending in a backslash.
  const std::string& Temporary() const { return temporary_; }

  // Notes a shortcut written into the temporary folder.
  void Written(std::string_view file_name, std::string_view link_text, std::string_view target);

  // Gives the staged folder its name. When a folder of that name appeared
  // meanwhile, each shortcut moves into it on its own, never over a file.
  StagedOutcome Finish();

 private:
  FileSystem& files_;
  std::string folder_;                       // ending in a backslash
  std::string temporary_;                    // ending in a backslash; empty when nothing is staged
  WrittenShortcuts written_;                 // needed only when the folder cannot take its name
  std::unordered_set<std::string> cleaned_;  // parents already rid of stale temporaries
};

}  // namespace linkshelf
