#include "export/folder_scan.h"

#include <algorithm>

#include "runtime/shortcut_entry.h"
#include "runtime/wildcard.h"

namespace linkshelf {
namespace {

struct FoundLink {
  std::string stem;
  std::string address;
};

struct FoundFolder {
  std::string name;
  std::string path;  // ends in "\"
};

class TreeScan {
 public:
  TreeScan(FileSystem& files, const Collation& collation, const ScanProgress& progress,
           std::vector<ScanRecord>& records)
      : files_(files), collation_(collation), progress_(progress), records_(records) {}

  // Scans one folder of the page. Usually it is one folder on disk; sibling
  // folders whose names compare equal make one folder of the page together.
  void ScanPageFolder(const std::vector<std::string>& paths, const std::string& relative) {
    std::vector<FoundLink> links;
    std::vector<FoundFolder> folders;
    for (const std::string& path : paths) Read(path, links, folders);

    // Stable sorts keep the first-found of equal entries in front, so it is the one kept.
    std::stable_sort(links.begin(), links.end(), [this](const FoundLink& a, const FoundLink& b) {
      return CompareLinks(a, b) < 0;
    });
    links.erase(std::unique(links.begin(), links.end(),
                            [this](const FoundLink& a, const FoundLink& b) { return CompareLinks(a, b) == 0; }),
                links.end());
    for (FoundLink& link : links) {
      records_.push_back({ScanRecord::Kind::kLink, std::move(link.stem), std::move(link.address)});
    }
    link_count_ += static_cast<int>(links.size());
    links = {};  // not held while the subfolders are read

    std::stable_sort(folders.begin(), folders.end(), [this](const FoundFolder& a, const FoundFolder& b) {
      return collation_.Compare(a.name, b.name) < 0;
    });
    if (progress_) progress_(link_count_, folder_count_);

    for (size_t first = 0; first < folders.size();) {
      std::vector<std::string> group{folders[first].path};
      size_t next = first + 1;
      while (next < folders.size() && collation_.Compare(folders[first].name, folders[next].name) == 0) {
        group.push_back(folders[next++].path);
      }
      std::string text = relative.empty() ? folders[first].name : relative + "\\" + folders[first].name;
      records_.push_back({ScanRecord::Kind::kFolder, text, {}});
      ++folder_count_;
      ScanPageFolder(group, text);
      first = next;
    }
  }

 private:
  void Read(const std::string& path, std::vector<FoundLink>& links, std::vector<FoundFolder>& folders) {
    for (FolderEntry& entry : files_.FindEntries(path + "*")) {
      // Whatever the search finds under the shortcut pattern counts as a link,
      // even a folder: it then has no address.
      if (MatchesWildcard(entry.name, "*.url")) {
        std::string address = ReadShortcutEntry(files_, path + entry.name, "InternetShortcut", "URL");
        links.push_back({ShortcutStem(entry.name), std::move(address)});
        // A folder of many thousand shortcuts reports as it goes.
        if (progress_ && ++read_since_report_ == kReportEvery) {
          read_since_report_ = 0;
          progress_(link_count_ + static_cast<int>(links.size()), folder_count_);
        }
      }
      if (entry.is_folder && !entry.name.starts_with('.')) {
        std::string folder_path = path + entry.name + "\\";
        folders.push_back({std::move(entry.name), std::move(folder_path)});
      }
    }
  }

  int CompareLinks(const FoundLink& a, const FoundLink& b) const {
    const int by_name = collation_.Compare(a.stem, b.stem);
    return by_name != 0 ? by_name : collation_.Compare(a.address, b.address);
  }

  FileSystem& files_;
  const Collation& collation_;
  const ScanProgress& progress_;
  std::vector<ScanRecord>& records_;
  static constexpr int kReportEvery = 1000;
  int link_count_ = 0;
  int folder_count_ = 0;
  int read_since_report_ = 0;
};

}  // namespace

std::string ShortcutStem(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  return dot == std::string::npos ? file_name : file_name.substr(0, dot);
}

std::vector<ScanRecord> ScanFolder(FileSystem& files, const Collation& collation, const std::string& root,
                                   const ScanProgress& progress) {
  std::vector<ScanRecord> records;
  std::string base = root;
  if (!base.ends_with('\\')) base += '\\';
  TreeScan(files, collation, progress, records).ScanPageFolder({base}, "");
  return records;
}

}  // namespace linkshelf
