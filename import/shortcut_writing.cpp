#include "import/shortcut_writing.h"

#include "runtime/file_operations.h"
#include "runtime/shortcut_address.h"
#include "runtime/shortcut_entry.h"

namespace linkshelf {

namespace {

constexpr char kDefaultSection[] = "DEFAULT";
constexpr char kBaseUrlKey[] = "BASEURL";
constexpr char kShortcutSection[] = "InternetShortcut";
constexpr char kUrlKey[] = "URL";

std::string WithTargets(std::string_view text, const std::string& url) {
  return SetShortcutEntry(SetShortcutEntry(text, kDefaultSection, kBaseUrlKey, url),
                          kShortcutSection, kUrlKey, url);
}

// A new shortcut's text is these pieces around two copies of its address:
// what setting both targets in an empty text gives.
constexpr std::string_view kNewTextStart = "[DEFAULT]\r\nBASEURL=";
constexpr std::string_view kNewTextMiddle = "\r\n[InternetShortcut]\r\nURL=";
constexpr std::string_view kNewTextEnd = "\r\n";

// True when the bytes are what NewShortcutText(url) gives, told without forming it.
bool IsNewShortcutText(std::string_view bytes, std::string_view url) {
  // An address with a line break loses it in the text.
  if (url.find('\n') != std::string_view::npos || url.find('\r') != std::string_view::npos)
    return bytes == NewShortcutText(std::string(url));
  if (bytes.size() !=
      kNewTextStart.size() + kNewTextMiddle.size() + kNewTextEnd.size() + 2 * url.size())
    return false;
  for (const std::string_view piece : {kNewTextStart, url, kNewTextMiddle, url, kNewTextEnd}) {
    if (!bytes.starts_with(piece)) return false;
    bytes.remove_prefix(piece.size());
  }
  return true;
}

}  // namespace

ShortcutTargets ReadShortcutTargets(FileSystem& files, const std::string& path) {
  std::string bytes;
  if (!files.ReadFile(path, bytes)) return {};
  return {FindShortcutEntry(ShortcutText(bytes), kDefaultSection, kBaseUrlKey),
          ShortcutAddress(bytes)};
}

std::string NewShortcutText(const std::string& url) {
  std::string text;
  AssignNewShortcutText(url, text);
  return text;
}

void AssignNewShortcutText(const std::string& url, std::string& text) {
  text.clear();
  text.reserve(kNewTextStart.size() + kNewTextMiddle.size() + kNewTextEnd.size() + 2 * url.size());
  text.append(kNewTextStart);
  AppendSingleLineValue(text, url);
  text.append(kNewTextMiddle);
  AppendSingleLineValue(text, url);
  text.append(kNewTextEnd);
}

FileStatus WriteNewShortcut(FileSystem& files, const std::string& path, const std::string& url,
                            ShortcutFolder folder) {
  std::string text;
  return WriteNewShortcut(files, path, url, folder, text);
}

FileStatus WriteNewShortcut(FileSystem& files, const std::string& path, const std::string& url,
                            ShortcutFolder folder, std::string& text) {
  AssignNewShortcutText(url, text);
  if (folder == ShortcutFolder::kTemporary) return files.WriteNewFileUnflushed(path, text);
  return WriteWholeNewFile(files, path, text);
}

ShortcutUpdate UpdateShortcut(FileSystem& files, const std::string& path, const std::string& url) {
  std::string bytes;
  return UpdateShortcut(files, path, url, bytes);
}

ShortcutUpdate UpdateShortcut(FileSystem& files, const std::string& path, const std::string& url,
                              std::string& bytes, ShortcutReplacing replacing) {
  if (FileStatus status = files.ReadFile(path, bytes); !status) return {status};
  // A shortcut this program wrote for the same address needs no walk through its lines.
  if (IsNewShortcutText(bytes, url)) return {FileStatus::Success(), ShortcutChange::kUnchanged};
  std::string updated = WithTargets(bytes, url);
  if (updated == bytes) return {FileStatus::Success(), ShortcutChange::kUnchanged};
  if (replacing == ShortcutReplacing::kWithItsFolder)
    return {files.ReplaceWholeFileLater(path, updated)};
  return {ReplaceFileContent(files, path, updated)};
}

FileStatus WriteShortcutFile(FileSystem& files, const std::string& path, const std::string& url) {
  return files.FileExists(path) ? UpdateShortcut(files, path, url).status
                                : WriteNewShortcut(files, path, url);
}

}  // namespace linkshelf
