#include "export/folder_scan.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>

#include "runtime/shortcut_address.h"
#include "runtime/wildcard.h"

namespace linkshelf {
namespace {

struct FoundLink {
  std::string stem;
  std::string address;
  std::optional<std::int64_t> write_seconds;
};

struct FoundFolder {
  std::string name;
  std::string path;  // ends in "\"
};

class TreeScan {
 public:
  TreeScan(FileSystem& files, const Collation& collation, ScanDates dates, const RecordSink& sink,
           const ScanProgress& progress, std::vector<ReadFailure>& unread)
      : files_(files),
        collation_(collation),
        dates_(dates),
        sink_(sink),
        progress_(progress),
        unread_(unread) {}

  // Scans one folder of the page. Usually it is one folder on disk; sibling
  // folders whose names compare equal make one folder of the page together.
  void ScanPageFolder(const std::vector<std::string>& paths, const std::string& relative) {
    const size_t depth = open_folders_.size();
    for (const std::string& path : paths) open_folders_.push_back({path, std::nullopt});
    ScanOpenFolder(paths, relative);
    open_folders_.resize(depth);
  }

 private:
  struct OpenFolder {
    std::string path;
    std::optional<std::string> identity;  // asked for only when a link is met
  };

  void ScanOpenFolder(const std::vector<std::string>& paths, const std::string& relative) {
    std::vector<FoundLink> links;
    std::vector<FoundFolder> folders;
    for (const std::string& path : paths) Read(path, links, folders);

    // The links are put in order by their numbers, which move more cheaply
    // than their texts. Stable sorts keep the first-found of equal entries in
    // front, so it is the one kept.
    order_.resize(links.size());
    std::iota(order_.begin(), order_.end(), std::uint32_t{0});
    std::stable_sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
      return CompareLinks(links[a], links[b]) < 0;
    });
    // A link goes to the page once the next one is known to differ from it.
    FoundLink* kept = nullptr;
    const auto hand_on = [this](FoundLink& link) {
      sink_({ScanRecord::Kind::kLink, std::move(link.stem), std::move(link.address),
             link.write_seconds});
      ++link_count_;
    };
    for (const std::uint32_t index : order_) {
      FoundLink& link = links[index];
      if (kept != nullptr && CompareLinks(*kept, link) == 0) continue;
      if (kept != nullptr) hand_on(*kept);
      kept = &link;
    }
    if (kept != nullptr) hand_on(*kept);
    links = {};  // not held while the subfolders are read

    std::stable_sort(folders.begin(), folders.end(),
                     [this](const FoundFolder& a, const FoundFolder& b) {
                       return collation_.Compare(a.name, b.name) < 0;
                     });
    if (progress_) progress_(link_count_, folder_count_);

    for (size_t first = 0; first < folders.size();) {
      std::vector<std::string> group{folders[first].path};
      size_t next = first + 1;
      while (next < folders.size() &&
             collation_.Compare(folders[first].name, folders[next].name) == 0) {
        group.push_back(folders[next++].path);
      }
      std::string text =
          relative.empty() ? folders[first].name : relative + "\\" + folders[first].name;
      std::optional<std::int64_t> seconds;
      if (dates_ == ScanDates::kRead) seconds = files_.LastWriteSeconds(folders[first].path);
      sink_({ScanRecord::Kind::kFolder, text, {}, seconds});
      ++folder_count_;
      ScanPageFolder(group, text);
      first = next;
    }
  }

  void Read(const std::string& path, std::vector<FoundLink>& links,
            std::vector<FoundFolder>& folders) {
    // Each entry is taken as the listing goes: only what the page needs of it
    // is kept. A failed search is named ahead of the shortcuts it did find.
    const size_t unread_before = unread_.size();
    const FileStatus searched = files_.VisitEntries(path + "*", [&](const FolderEntry& entry) {
      // Whatever the search finds under the shortcut pattern counts as a link,
      // even a folder: it then has no address (and is not read).
      if (MatchesWildcard(entry.name, "*.url")) {
        FoundLink link{ShortcutStem(entry.name), {}, std::nullopt};
        if (!entry.is_folder) {
          // One path buffer serves every shortcut of the tree.
          file_path_.assign(path);
          file_path_ += entry.name;
          link.address = ReadAddress(file_path_, link.write_seconds);
        }
        links.push_back(std::move(link));
        // A folder of many thousand shortcuts reports as it goes.
        if (progress_ && ++read_since_report_ == kReportEvery) {
          read_since_report_ = 0;
          progress_(link_count_ + static_cast<int>(links.size()), folder_count_);
        }
      }
      if (entry.is_folder && !entry.name.starts_with('.')) {
        std::string folder_path = path + entry.name + "\\";
        if (entry.is_link && LeadsBackUp(folder_path)) return;
        folders.push_back({entry.name, std::move(folder_path)});
      }
    });
    if (!searched) {
      unread_.insert(unread_.begin() + static_cast<std::ptrdiff_t>(unread_before),
                     {path, searched.reason});
    }
  }

  // True when the linked folder is one of the folders being read, so that
  // following it would never end; its contents are on the page already. Only links are looked at,
  // and the identities of the folders above are asked for once.
  bool LeadsBackUp(const std::string& linked_folder) {
    const std::string identity = files_.FolderIdentity(linked_folder);
    if (identity.empty()) return false;
    for (OpenFolder& open : open_folders_) {
      if (!open.identity) open.identity = files_.FolderIdentity(open.path);
      if (*open.identity == identity) return true;
    }
    return false;
  }

  std::string ReadAddress(const std::string& path, std::optional<std::int64_t>& write_seconds) {
    const FileStatus read =
        dates_ == ScanDates::kRead
            ? files_.ReadDatedFileUpTo(path, bytes_, kShortcutSizeLimit, write_seconds)
            : files_.ReadFileUpTo(path, bytes_, kShortcutSizeLimit);
    if (!read) {
      unread_.push_back({path, read.reason});
      return {};
    }
    return ShortcutAddress(bytes_);
  }

  int CompareLinks(const FoundLink& a, const FoundLink& b) const {
    const int by_name = collation_.Compare(a.stem, b.stem);
    return by_name != 0 ? by_name : collation_.Compare(a.address, b.address);
  }

  FileSystem& files_;
  const Collation& collation_;
  ScanDates dates_;
  const RecordSink& sink_;
  const ScanProgress& progress_;
  std::vector<ReadFailure>& unread_;
  std::string file_path_;             // the shortcut being read
  std::string bytes_;                 // its bytes, in a buffer kept from one to the next
  std::vector<std::uint32_t> order_;  // the links of a folder by number, in page order
  static constexpr int kReportEvery = 1000;
  int link_count_ = 0;
  int folder_count_ = 0;
  int read_since_report_ = 0;
  std::vector<OpenFolder> open_folders_;  // the folders from the root down to the one being read
};

}  // namespace

std::string ShortcutStem(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  return dot == std::string::npos ? file_name : file_name.substr(0, dot);
}

std::vector<ReadFailure> ScanFolderInto(FileSystem& files, const Collation& collation,
                                        const std::string& root, ScanDates dates,
                                        const RecordSink& sink, const ScanProgress& progress) {
  std::vector<ReadFailure> unread;
  std::string base = root;
  if (!base.ends_with('\\')) base += '\\';
  TreeScan(files, collation, dates, sink, progress, unread).ScanPageFolder({base}, "");
  return unread;
}

FolderScan ScanFolder(FileSystem& files, const Collation& collation, const std::string& root,
                      const ScanProgress& progress) {
  FolderScan scan;
  scan.unread = ScanFolderInto(
      files, collation, root, ScanDates::kLeftOut,
      [&scan](ScanRecord&& record) { scan.records.push_back(std::move(record)); }, progress);
  return scan;
}

}  // namespace linkshelf
