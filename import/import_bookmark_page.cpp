#include "import/import_bookmark_page.h"

#include <cstdint>

#include "import/attribute_value.h"
#include "import/existing_shortcuts.h"
#include "import/htmlpr.h"
#include "import/link_place.h"
#include "import/link_target.h"
#include "import/page_bytes.h"
#include "import/shortcut_writing.h"
#include "runtime/file_operations.h"
#include "runtime/text.h"

namespace linkshelf {

namespace {

// One link as the page gives it.
struct PageLink {
  std::string target;
  std::vector<std::string> folder_values;
  std::string text;
};

// Writes the shortcuts of one run: keeps the standing answer, the folders
// known to exist and the tally.
class LinkWriter {
 public:
  LinkWriter(FileSystem& files, ImportPrompter& prompter, std::string root, ImportResult& result)
      : files_(files), prompter_(prompter), root_(std::move(root)), result_(result), existing_(files) {}

  // Writes one link's shortcut or records why not; false when the user cancelled.
  bool Write(const PageLink& link) {
    if (link.text.empty()) return Fail(link, "链接文字为空");
    if (std::string refusal = TargetRefusal(link.target); !refusal.empty())
      return Fail(link, refusal);
    if (root_.empty()) return Fail(link, "未指定根文件夹");
    const LinkPlace place = PlaceLink(link.folder_values, link.text);
    if (!place.ok()) return Fail(link, place.reason);
    const std::string folder = root_ + place.folder;
    const std::string path = folder + place.file_name;
    // The joined path is checked too: whatever the page held, nothing is written outside the root.
    if (!StaysInsideRoot(root_, path)) return Fail(link, "路径指向根文件夹之外");
    const FileStatus made = folders_.Make(folder, [this](const std::string& created) {
      ++result_.folders_created;
      existing_.AddEmptyFolder(created + '\\');
    });
    if (!made) return Fail(link, made.reason);

    // A new shortcut takes one create and one write. The create fails without
    // touching a file that stands there already, also one that the folder's
    // listing did not show under this spelling; only then is it looked for.
    FileStatus written = FileStatus::Failure({});
    bool exists = existing_.Take(folder, place.file_name);
    if (!exists) {
      written = WriteNewShortcut(files_, path, link.target);
      exists = !written && files_.FileExists(path);
    }
    if (exists) {
      if (answer_ != ShortcutReplaceAnswer::kYesToAll) {
        const ShortcutTargets existing = ReadShortcutTargets(files_, path);
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
      written = UpdateShortcut(files_, path, link.target);
    }
    if (!written) return Fail(link, written.reason);
    ++result_.links_written;
    prompter_.ShowProgress(result_.links_written);
    return true;
  }

 private:
  bool Fail(const PageLink& link, std::string reason) {
    result_.failed_links.push_back({link.text, link.target, std::move(reason)});
    return true;
  }

  FileSystem& files_;
  ImportPrompter& prompter_;
  const std::string root_;
  ImportResult& result_;
  ShortcutReplaceAnswer answer_ = ShortcutReplaceAnswer::kYes;
  FolderMaker folders_{files_};
  ExistingShortcuts existing_;
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

}  // namespace

std::string MissingPageMessage(const std::string& page_path) {
  return "文件 " + NamePart(page_path) + " 未找到！程序出错。";
}

ImportResult ImportBookmarkPage(const ImportRequest& request, FileSystem& files,
                                ImportPrompter& prompter) {
  ImportResult result;
  if (!files.FileExists(request.page_path)) {
    result.page_missing = true;
    result.missing_page_message = MissingPageMessage(request.page_path);
    return result;
  }
  std::string page;
  if (FileStatus status = ReadPageText(files, request.page_path, page); !status) {
    result.page_unreadable = true;
    result.page_name = NamePart(request.page_path);
    result.page_reason = status.reason;
    return result;
  }

  THtmlParser parser;
  parser.LoadText(std::move(page));
  LinkWriter writer(files, prompter, RootFolder(request.root), result);
  PageLink link;
  bool in_link = false;  // an `a` start tag has been seen and its `</a>` not yet
  // Every `<` starts a tag that runs to the next `>`, so a page with many `<`
  // before one `>` makes tags that overlap, and reading them all would take
  // time that grows with the square of the page. A well-formed page reads each
  // byte in about one tag; past many times that, the page is given up on.
  const std::uint64_t tag_bytes_allowed =
      16 * static_cast<std::uint64_t>(parser.Text().size()) + (1u << 20);
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
    const std::string name = LowerAscii(tag.Name());
    if (name == "a") {
      in_link = true;
      link = PageLink{};
      for (const std::string& attribute : tag.fParams) {
        const std::string attribute_name = AttributeName(attribute);
        if (attribute_name == "href") {
          link.target = ExtractAttrValue(attribute);
        } else if (attribute_name == "mydir") {
          link.folder_values.push_back(ExtractAttrValue(attribute));
        }
      }
    } else if (name == "/a" && in_link) {
      in_link = false;
      if (!writer.Write(link)) {
        result.cancelled = true;
        break;
      }
    }
  }
  return result;
}

std::string DescribeImportFailures(const ImportResult& result) {
  if (result.page_unreadable) {
    return "无法读取文件 " + result.page_name + "：" + result.page_reason;
  }
  if (result.failed_links.empty() && result.stopped_reason.empty()) return {};
  constexpr size_t kListed = 10;
  std::string message = "已写入 " + std::to_string(result.links_written) + " 个链接";
  if (!result.stopped_reason.empty()) message += "；" + result.stopped_reason + "。";
  if (result.failed_links.empty()) return message;
  message += (result.stopped_reason.empty() ? "，" : "") + std::to_string(result.failed_links.size()) +
             " 个链接未能写入：";
  for (size_t i = 0; i < result.failed_links.size() && i < kListed; ++i) {
    const FailedLink& failed = result.failed_links[i];
    const std::string& label = failed.link_text.empty() ? failed.target : failed.link_text;
    message += '\n';
    message += ShownText(label);
    message += "：";
    message += failed.reason;
  }
  if (result.failed_links.size() > kListed) {
    message += "\n……另有 ";
    message += std::to_string(result.failed_links.size() - kListed);
    message += " 个链接未能写入。";
  }
  return message;
}

}  // namespace linkshelf
