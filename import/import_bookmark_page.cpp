#include "import/import_bookmark_page.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <set>
#include <span>
#include <unordered_map>

#include "import/attribute_value.h"
#include "import/browser_file.h"
#include "import/existing_shortcuts.h"
#include "import/htmlpr.h"
#include "import/link_place.h"
#include "import/link_target.h"
#include "import/page_bytes.h"
#include "import/shortcut_writing.h"
#include "import/staged_folder.h"
#include "import/written_shortcuts.h"
#include "runtime/file_operations.h"
#include "runtime/name_table.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

// A link as the failures name it: its text and its target.
struct ShownLink {
  const std::string& text;
  const std::string& target;
};

// One link as the page gives it. Its texts are kept from link to link, so
// that reading a page allocates for the longest link only.
struct PageLink {
  std::string target;
  std::vector<std::string> folder_storage;  // the first `folders` are the link's
  size_t folders = 0;
  std::string text;

  void Clear() {
    target.clear();
    folders = 0;
    text.clear();
  }
  std::span<const std::string> FolderValues() const { return {folder_storage.data(), folders}; }
  std::string& AddFolderValue() {
    if (folders == folder_storage.size()) folder_storage.emplace_back();
    return folder_storage[folders++];
  }
  ShownLink Shown() const { return {text, target}; }
};

// Writes the shortcuts of one run: keeps the standing answer, the folders
// known to exist and the tally.
class LinkWriter {
 public:
  LinkWriter(FileSystem& files, ImportPrompter& prompter, std::string root, ImportResult& result)
      : files_(files),
        prompter_(prompter),
        root_(std::move(root)),
        result_(result),
        existing_(files) {}

  // Writes one link's shortcut or records why not; false when the import
  // must stop (the user cancelled, or the root cannot hold anything).
  bool Write(const PageLink& link) {
    if (link.text.empty()) return Fail(link.Shown(), "链接文字为空");
    if (Refused(link.Shown())) return true;
    placer_.Place(link.FolderValues(), link.text, place_);
    if (!place_.ok()) return Fail(link.Shown(), place_.reason);
    return WritePlaced(link.Shown(), place_);
  }

  // True when the link's target or a missing root keep it from being written; the failure is
  // recorded.
  bool Refused(ShownLink link) {
    if (std::string refusal = TargetRefusal(link.target); !refusal.empty())
      return Fail(link, refusal);
    if (root_.empty()) return Fail(link, "未指定根文件夹");
    return false;
  }

  // Writes a link that passed `Refused` and whose place below the root is
  // known; false when the user cancelled.
  bool WritePlaced(ShownLink link, const LinkPlace& place) {
    if (!RootReady()) return false;
    if (FileStatus reached = ReachFolder(place); !reached) return Fail(link, reached.reason);
    const std::string& folder = folder_;
    const std::string& where = where_;
    const std::string& written_path = written_path_;

    // A new shortcut takes one create and one write. The create fails without
    // touching a file that stands there already, also one that the folder's
    // listing did not show under this spelling; only then is it looked for.
    // Whether a name is a link is known from the same listing.
    FileStatus written = FileStatus::Failure({});
    const StandingFile standing = existing_.Take(where, place.file_name);
    bool exists = standing != StandingFile::kNone;
    bool is_link = standing == StandingFile::kLink;
    if (!exists) {
      written = WriteNewShortcut(
          files_, written_path, link.target,
          staged_.Holds(folder) ? ShortcutFolder::kTemporary : ShortcutFolder::kNamed,
          shortcut_bytes_);
      if (!written) {
        is_link = files_.IsLink(written_path);
        exists = is_link || files_.FileExists(written_path);
      }
    }
    if (is_link) return Fail(link, kWritesThroughLink);
    // A shortcut whose new bytes still wait is read only once they are in place.
    if (exists && pending_names_.Find(place.file_name) != nullptr) FinishUpdates();
    if (exists) {
      if (answer_ != ShortcutReplaceAnswer::kYesToAll) {
        const ShortcutTargets existing = ReadShortcutTargets(files_, written_path);
        answer_ = prompter_.AskReplaceShortcut(link.target, place.folder + place.file_name,
                                               existing.base_url, existing.url);
        // Whatever is not one of the four answers counts as No.
        if (answer_ < ShortcutReplaceAnswer::kYes || answer_ > ShortcutReplaceAnswer::kCancel) {
          answer_ = ShortcutReplaceAnswer::kNo;
        }
        if (answer_ == ShortcutReplaceAnswer::kCancel) return false;
        if (answer_ == ShortcutReplaceAnswer::kNo) {
          ++result_.links_kept;
          return true;
        }
      }
      const ShortcutUpdate update = UpdateShortcut(
          files_, written_path, link.target, shortcut_bytes_, ShortcutReplacing::kWithItsFolder);
      if (update.status && update.change == ShortcutChange::kUnchanged) {
        ++result_.links_unchanged;
        return true;
      }
      written = update.status;
      if (written) {
        pending_updates_.Add(place.file_name, link.text, link.target);
        pending_names_.Insert(place.file_name, true);
      }
    }
    if (!written) return Fail(link, written.reason);
    if (staged_.Holds(folder)) {
      staged_.Written(place.file_name, link.text, link.target);
    } else if (last_written_folder_ == nullptr || *last_written_folder_ != folder) {
      last_written_folder_ = &*written_folders_.insert(folder).first;
    }
    ++result_.links_written;
    prompter_.ShowProgress(result_.links_written);
    return true;
  }

  // Makes a folder below the root (`folder` ends in a backslash), which may
  // stay empty; false when the import must stop.
  bool WriteFolder(const std::string& name, const std::string& folder) {
    if (root_.empty() || folder.empty()) return true;
    if (!RootReady()) return false;
    PublishStaged();
    const std::string path = root_ + folder;
    const std::string no_target;
    if (!StaysInsideRoot(root_, path.substr(0, path.size() - 1))) {
      Fail({name, no_target}, kOutsideRoot);
    } else if (FileStatus status = EnsureFolder(path); !status) {
      Fail({name, no_target}, status.reason);
    } else {
      // Kept when the run ends, as a folder that received a shortcut is.
      written_folders_.insert(path);
    }
    return true;
  }

  // Ends the run: the names of the new shortcuts go to the disk, one flush
  // per folder, and the folders this run made but left empty go again.
  void Finish() {
    PublishStaged();
    FinishUpdates();
    for (const std::string& folder : written_folders_) files_.FlushFolder(folder);
    for (auto made = created_folders_.rbegin(); made != created_folders_.rend(); ++made) {
      if (written_folders_.contains(*made + '\\')) continue;
      // Only an empty folder can be removed; one that holds anything stays.
      if (files_.RemoveFolder(*made)) --result_.folders_created;
    }
  }

  // Records why the link was not written; true, as the run goes on.
  bool Fail(ShownLink link, std::string reason) {
    result_.failed_links.push_back({std::string(link.text), link.target, std::move(reason)});
    return true;
  }

 private:
  static constexpr char kOutsideRoot[] = "路径指向根文件夹之外";

  // Sets `folder_` and `path_` for the place, makes sure the folder stands
  // or is staged, and sets `where_` and `written_path_` to where its
  // shortcut is written now. The links of a page come folder by folder: a folder checked and
  // made for the link before needs only the new file name checked.
  FileStatus ReachFolder(const LinkPlace& place) {
    if (ensured_known_ && place.folder == ensured_place_) {
      path_.resize(folder_.size());
      path_ += place.file_name;
      // The folder's levels passed already; a name cannot climb or jump elsewhere either.
      if (!StaysInsideRoot(folder_, path_)) return FileStatus::Failure(kOutsideRoot);
      written_path_.resize(where_.size());
      written_path_ += place.file_name;
      return FileStatus::Success();
    }
    ensured_known_ = false;
    // The updates of the folder left take their places before another one is written.
    FinishUpdates();
    folder_.assign(root_).append(place.folder);
    path_.assign(folder_).append(place.file_name);
    // The joined path is checked too: whatever the page held, nothing is written outside the root.
    if (!StaysInsideRoot(root_, path_)) return FileStatus::Failure(kOutsideRoot);
    FileStatus status = FileStatus::Success();
    where_ = FolderToWrite(folder_, status);
    if (!status) return status;
    written_path_.assign(where_).append(place.file_name);
    // Only a folder whose last backslash separates levels can be checked apart from the name.
    if (place.folder.empty() || EndsInBackslash(place.folder)) {
      ensured_place_ = place.folder;
      ensured_known_ = true;
    }
    return FileStatus::Success();
  }

  // The root, looked at once in a run, must be a folder or one that can be
  // made; when it cannot, every link would fail alike, so the run stops with
  // one reason.
  bool RootReady() {
    if (root_checked_) return root_ready_;
    root_checked_ = true;
    root_ready_ = CheckRoot();
    return root_ready_;
  }

  bool CheckRoot() {
    const std::string root_path = root_.substr(0, root_.size() - 1);
    if (files_.FileExists(root_path)) {
      result_.root_is_file = true;
      return false;
    }
    if (FileStatus status = EnsureFolder(root_); !status) {
      result_.root_reason = status.reason;
      return false;
    }
    return true;
  }

  // The folder that the shortcuts of `folder` (ending in a backslash) are
  // written into now: a folder below the root that does not stand yet is
  // filled under a temporary name and named when the run moves on; any other
  // is made as it is.
  const std::string& FolderToWrite(const std::string& folder, FileStatus& status) {
    if (staged_.Holds(folder)) return staged_.Temporary();
    PublishStaged();
    if (folder.size() > root_.size() && folder != last_standing_ && !files_.FolderExists(folder)) {
      const std::string parent = FolderPart(folder.substr(0, folder.size() - 1));
      status = EnsureFolder(parent);
      if (!status) return folder;
      if (staged_.Start(folder)) {
        ++result_.folders_created;
        existing_.AddEmptyFolder(staged_.Temporary());
        return staged_.Temporary();
      }
    }
    status = EnsureFolder(folder);
    if (status) last_standing_ = folder;
    return folder;
  }

  // A shortcut counted as written that did not reach its place after all.
  void CountAsNotWritten(WrittenShortcut& shortcut, std::string reason) {
    --result_.links_written;
    result_.failed_links.push_back(
        {std::move(shortcut.link_text), std::move(shortcut.target), std::move(reason)});
  }

  // Puts the updated shortcuts whose new bytes wait in their places; those
  // that kept their old content count as not written.
  void FinishUpdates() {
    if (pending_updates_.empty()) return;
    std::vector<FileFailure> failures = files_.FinishReplacements();
    if (!failures.empty()) {
      // All of them lie in the folder written last.
      std::vector<WrittenShortcut> updates = pending_updates_.Take();
      for (FileFailure& failure : failures) {
        const std::string name = NamePart(failure.path);
        const auto update = std::find_if(
            updates.begin(), updates.end(),
            [&name](const WrittenShortcut& written) { return written.file_name == name; });
        if (update != updates.end()) CountAsNotWritten(*update, std::move(failure.reason));
      }
    }
    pending_updates_.Clear();
    pending_names_.Clear();
  }

  // Gives the staged folder its name; the shortcuts that could not be put
  // there count as not written.
  void PublishStaged() {
    if (!staged_.Active()) return;
    ensured_known_ = false;
    StagedOutcome outcome = staged_.Finish();
    for (StagedOutcome::Unplaced& unplaced : outcome.unplaced)
      CountAsNotWritten(unplaced.shortcut, std::move(unplaced.reason));
    if (!outcome.folder_made) {
      --result_.folders_created;
      return;
    }
    // The new name in its parent goes to the disk with the rest.
    written_folders_.insert(outcome.folder);
    written_folders_.insert(FolderPart(outcome.folder.substr(0, outcome.folder.size() - 1)));
  }

  // Creates the missing folders of `folder` (ending in a backslash), each
  // looked at once in a run. Below the root, a folder that stands already and
  // is a link is never followed for writing: it could lead anywhere.
  FileStatus EnsureFolder(const std::string& folder) {
    return folders_.Make(
        folder,
        [this](const std::string& created) {
          ++result_.folders_created;
          created_folders_.push_back(created);
          existing_.AddEmptyFolder(created + '\\');
        },
        [this](const std::string& standing) {
          if (standing.size() >= root_.size() && files_.IsLink(standing)) {
            return FileStatus::Failure(kWritesThroughLink);
          }
          return FileStatus::Success();
        });
  }

  FileSystem& files_;
  ImportPrompter& prompter_;
  const std::string root_;
  ImportResult& result_;
  ShortcutReplaceAnswer answer_ = ShortcutReplaceAnswer::kYes;
  bool root_checked_ = false;
  bool root_ready_ = false;
  FolderMaker folders_{files_};
  std::vector<std::string> created_folders_;  // in the order made, each without its backslash
  std::set<std::string> written_folders_;     // ending in a backslash
  const std::string* last_written_folder_ = nullptr;  // the one of them written last
  ExistingShortcuts existing_;
  StagedFolder staged_{files_};
  std::string last_standing_;  // the folder last found standing or made
  LinkPlacer placer_;
  LinkPlace place_;
  // The folder and path of the link being written, below the root.
  std::string folder_;
  std::string path_;
  // Where that link's shortcut is written: the folder, or its staged temporary.
  std::string where_;
  std::string written_path_;
  // The bytes of the shortcut last read or formed, kept for their storage.
  std::string shortcut_bytes_;
  // The updated shortcuts of the folder being written whose new bytes wait.
  WrittenShortcuts pending_updates_;
  NameTable<bool> pending_names_;  // their file names
  // The place of the folder checked and made last, when it can stand for the next link's.
  bool ensured_known_ = false;
  std::string ensured_place_;
};

// A text fit to show in one line of the failure message: control bytes
// become `?` and a long text is cut, never inside a double-byte character.
std::string ShownText(std::string_view text) {
  constexpr size_t kLimit = 80;
  std::string shown;
  bool cut = false;
  ForEachCharacter(text, [&](size_t, std::string_view character) {
    if (shown.size() >= kLimit) {
      cut = true;
      return false;
    }
    const bool control = static_cast<unsigned char>(character[0]) < 0x20 && character.size() == 1;
    shown += control ? std::string_view("?") : character;
    return true;
  });
  if (cut) shown += "...";
  return shown;
}

const char kTagsOverlap[] = "页面中的标签大量相互重叠，导入在此停止";

// The bytes of the page read at a time.
constexpr size_t kPagePiece = size_t{1} << 16;

// The folders of a browser file below the root, each ending in a backslash,
// or why a folder cannot be made.
struct BrowserFolderPlace {
  std::string folder;
  std::string reason;
};

std::vector<BrowserFolderPlace> PlaceBrowserFolders(const BrowserBookmarks& file) {
  std::vector<BrowserFolderPlace> places(file.folders.size());
  for (size_t i = 1; i < file.folders.size(); ++i) {
    const BrowserFolderPlace& parent = places[file.folders[i].parent];
    if (!parent.reason.empty()) {
      places[i].reason = parent.reason;
      continue;
    }
    const LinkPlace own = PlaceLink({file.folders[i].name}, "_.url");
    if (!own.ok()) {
      places[i].reason = own.reason;
    } else if (parent.folder.size() + own.folder.size() > kLongestFolderPath) {
      places[i].reason = kNestedTooDeep;
    } else {
      places[i].folder = parent.folder + own.folder;
    }
  }
  return places;
}

// The names given in one place below the root while its links are written.
struct PlaceNames {
  NameTable<bool> taken;                             // file names, lower case
  NameTable<bool> written;                           // name, lower case, and address
  std::unordered_map<std::string, int> next_number;  // names, lower case, given more than once

  void Clear() {
    taken.Clear();
    written.Clear();
    next_number.clear();
  }
};

// Writes the links of a browser file, then makes its folders that hold none.
// Browsers let links of one folder share a name, a folder cannot: the second
// and later of a name with another address get " (2)", " (3)", ...; the same
// name with the same address is written once.
void WriteBrowserFile(const BrowserBookmarks& file, LinkWriter& writer, ImportPrompter& prompter,
                      ImportResult& result) {
  result.browser_views_skipped = file.browser_views;
  const std::vector<BrowserFolderPlace> folders = PlaceBrowserFolders(file);
  // Folders of one place below the root (merged ones among them) share a
  // number; a parent's number comes before its children's.
  std::vector<size_t> place_numbers(folders.size());
  std::unordered_map<std::string, size_t> numbered_places;
  for (size_t i = 0; i < folders.size(); ++i) {
    place_numbers[i] =
        numbered_places.try_emplace(LowerAscii(folders[i].folder), numbered_places.size())
            .first->second;
  }
  // The links go place by place, in the file's order within each place. A
  // folder's links, which the file may give before and after its subfolders,
  // are then written together: a new folder is filled before it takes its
  // name, and the names given are kept for one place at a time.
  std::vector<size_t> order(file.links.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return place_numbers[file.links[a].folder] < place_numbers[file.links[b].folder];
  });
  PlaceNames names;
  size_t named_place = folders.size();  // none yet
  // Kept from link to link, so that their storage is reused.
  LinkPlacer placer;
  LinkPlace place;
  std::string name_key;
  std::string text;
  std::string taken_key;
  std::string written_key;
  for (const size_t index : order) {
    const BrowserLink& link = file.links[index];
    if (prompter.StopRequested()) {
      result.interrupted = true;
      return;
    }
    const BrowserFolderPlace& folder = folders[link.folder];
    const ShownLink shown{link.name, link.address};
    if (!folder.reason.empty()) {
      writer.Fail(shown, folder.reason);
      continue;
    }
    if (link.address.empty()) {
      writer.Fail(shown, "链接没有地址");
      continue;
    }
    if (writer.Refused(shown)) continue;
    if (place_numbers[link.folder] != named_place) {
      names.Clear();
      named_place = place_numbers[link.folder];
    }
    AssignLowerAscii(name_key, link.name);
    written_key.assign(name_key).append(1, '\n').append(link.address);
    if (!names.written.Insert(written_key, true)) continue;
    // Numbers go on from the last one given for the name, so many links of one
    // name cost no more than as many names.
    const auto given = names.next_number.find(name_key);
    int number = given == names.next_number.end() ? 1 : given->second;
    for (;;) {
      text.assign(link.name);
      if (number >= 2) text.append(" (").append(std::to_string(number)).append(")");
      text += ".url";
      placer.Place({}, text, place);
      if (!place.ok()) break;
      AssignLowerAscii(taken_key, place.file_name);
      if (names.taken.Insert(taken_key, true)) break;
      ++number;
    }
    if (number > 1) names.next_number[name_key] = number;
    if (!place.ok()) {
      writer.Fail(shown, place.reason);
      continue;
    }
    place.folder = folder.folder;
    if (!writer.WritePlaced(shown, place)) {
      result.cancelled = !result.root_is_file && result.root_reason.empty();
      return;
    }
  }
  for (size_t i = 1; i < file.folders.size(); ++i) {
    if (!folders[i].reason.empty()) continue;
    if (!writer.WriteFolder(file.folders[i].name, folders[i].folder)) return;
  }
}

}  // namespace

std::string MissingPageMessage(const std::string& page_path) {
  return "文件 " + NamePart(page_path) + " 未找到！程序出错。";
}

ImportResult ImportBookmarkPage(const ImportRequest& request, FileSystem& files,
                                ImportPrompter& prompter) {
  ImportResult result;
  files.ForgetFolders();
  if (!files.FileExists(request.page_path)) {
    result.page_missing = true;
    result.missing_page_message = MissingPageMessage(request.page_path);
    return result;
  }
  const auto unreadable = [&result, &request](const FileStatus& status) {
    result.page_unreadable = true;
    result.page_name = NamePart(request.page_path);
    result.page_reason = status.reason;
    return result;
  };
  FileStatus read = FileStatus::Success();
  const std::unique_ptr<FileReader> reader = files.OpenFileReader(request.page_path, read);
  if (!reader) return unreadable(read);
  // The page is read a piece at a time as the scan needs it, so that a large
  // one is never held whole; enough of its start is read first to tell a
  // browser file.
  std::string bytes;
  bool ended = false;
  const auto read_piece = [&](std::string& into) {
    const size_t before = into.size();
    if (read = reader->ReadMore(into, kPagePiece); !read || into.size() == before) ended = true;
  };
  while (!ended && !CanTellBrowserFile(bytes)) read_piece(bytes);
  if (!read) return unreadable(read);

  LinkWriter writer(files, prompter, RootFolder(request.root), result);
  if (request.format == ImportFormat::kBrowser ||
      (request.format == ImportFormat::kDetect && IsBrowserFile(bytes))) {
    // Its links are written only once all of it has been read: a file that
    // cannot be read to its end writes none.
    const BrowserBookmarks file = ReadBrowserFile(std::move(bytes), [&](std::string& text) {
      const size_t before = text.size();
      if (!ended) read_piece(text);
      return text.size() > before;
    });
    if (!read) return unreadable(read);
    WriteBrowserFile(file, writer, prompter, result);
    writer.Finish();
    return result;
  }
  THtmlParser parser;
  // Each piece is joined as it comes in; a byte 26 ends the page.
  if (!JoinPageLinesFrom(bytes, 0)) ended = true;
  parser.LoadSource(std::move(bytes), [&](std::string& text) {
    while (!ended) {
      const size_t before = text.size();
      read_piece(text);
      if (!JoinPageLinesFrom(text, before)) ended = true;
      // A piece of nothing but line breaks adds nothing; the next is read.
      if (text.size() > before) return true;
    }
    return false;
  });
  PageLink link;
  bool in_link = false;  // an `a` start tag has been seen and its `</a>` not yet
  // Every `<` starts a tag that runs to the next `>`, so a page with many `<`
  // before one `>` makes tags that overlap, and reading them all would take
  // time that grows with the square of the page. A well-formed page reads each
  // byte in about one tag; past many times that, the page is given up on.
  const std::uint64_t tag_bytes_allowed = 16 * reader->Size() + (1u << 20);
  std::uint64_t tag_bytes_read = 0;
  while (parser.NextTag()) {
    tag_bytes_read += static_cast<std::uint64_t>(parser.TagLength());
    if (tag_bytes_read > tag_bytes_allowed) {
      result.stopped_reason = kTagsOverlap;
      break;
    }
    const TTag& tag = *parser.GetTag();
    // The link text is everything up to `</a>`, the text inside nested tags included.
    if (in_link) link.text += parser.TextBefore();
    const std::string& name = tag.Name();
    if (EqualsIgnoringAsciiCase(name, "a")) {
      in_link = true;
      link.Clear();
      for (const std::string& attribute : tag.fParams) {
        if (HasAttributeName(attribute, "href")) {
          AssignAttrValue(attribute, link.target);
        } else if (HasAttributeName(attribute, "mydir")) {
          AssignAttrValue(attribute, link.AddFolderValue());
        }
      }
    } else if (in_link && EqualsIgnoringAsciiCase(name, "/a")) {
      in_link = false;
      if (prompter.StopRequested()) {
        result.interrupted = true;
        break;
      }
      if (!writer.Write(link)) {
        result.cancelled = !result.root_is_file && result.root_reason.empty();
        break;
      }
    }
  }
  writer.Finish();
  // A page that could not be read to its end says so, after what was read of it.
  if (!read) return unreadable(read);
  return result;
}

std::string DescribeFailedLink(const FailedLink& failed) {
  return ShownText(failed.link_text.empty() ? failed.target : failed.link_text) + "：" +
         failed.reason;
}

std::string DescribeImportFailures(const ImportResult& result) {
  if (result.root_is_file) return "根文件夹是一个文件，不是文件夹";
  if (!result.root_reason.empty()) return "无法创建根文件夹：" + result.root_reason;
  if (result.page_unreadable) {
    return "无法读取文件 " + result.page_name + "：" + result.page_reason;
  }
  if (result.failed_links.empty() && result.stopped_reason.empty()) return {};
  constexpr size_t kListed = 10;
  std::string message = "已写入 " + std::to_string(result.links_written) + " 个链接";
  if (result.browser_views_skipped > 0) {
    message += "（跳过 " + std::to_string(result.browser_views_skipped) + " 个浏览器自身的页面）";
  }
  if (!result.stopped_reason.empty()) message += "；" + result.stopped_reason + "。";
  if (result.failed_links.empty()) return message;
  message += (result.stopped_reason.empty() ? "，" : "") +
             std::to_string(result.failed_links.size()) + " 个链接未能写入：";
  for (size_t i = 0; i < result.failed_links.size() && i < kListed; ++i) {
    message += '\n';
    message += DescribeFailedLink(result.failed_links[i]);
  }
  if (result.failed_links.size() > kListed) {
    message += "\n……另有 ";
    message += std::to_string(result.failed_links.size() - kListed);
    message += " 个链接未能写入。";
  }
  return message;
}

}  // namespace linkshelf
