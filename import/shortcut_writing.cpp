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

}  // namespace

ShortcutTargets ReadShortcutTargets(FileSystem& files, const std::string& path) {
  std::string bytes;
  if (!files.ReadFile(path, bytes)) return {};
  return {FindShortcutEntry(ShortcutText(bytes), kDefaultSection, kBaseUrlKey),
          ShortcutAddress(bytes)};
}

std::string NewShortcutText(const std::string& url) {
  // What setting both targets in an empty text gives, formed in one go.
  std::string text;
  text.reserve(2 * url.size() + 48);
  text.append("[").append(kDefaultSection).append("]\r\n").append(kBaseUrlKey).append("=");
  AppendSingleLineValue(text, url);
  text.append("\r\n[").append(kShortcutSection).append("]\r\n").append(kUrlKey).append("=");
  AppendSingleLineValue(text, url);
  text.append("\r\n");
  return text;
}

FileStatus WriteNewShortcut(FileSystem& files, const std::string& path, const std::string& url,
                            ShortcutFolder folder) {
  if (folder == ShortcutFolder::kTemporary) return files.WriteNewFile(path, NewShortcutText(url));
  return WriteWholeNewFile(files, path, NewShortcutText(url));
}

ShortcutUpdate UpdateShortcut(FileSystem& files, const std::string& path, const std::string& url) {
  std::string bytes;
  if (FileStatus status = files.ReadFile(path, bytes); !status) return {status};
  // A shortcut this program wrote for the same address needs no walk through its lines.
  if (bytes == NewShortcutText(url)) return {FileStatus::Success(), ShortcutChange::kUnchanged};
  std::string updated = WithTargets(bytes, url);
  if (updated == bytes) return {FileStatus::Success(), ShortcutChange::kUnchanged};
  return {ReplaceFileContent(files, path, updated)};
}

FileStatus WriteShortcutFile(FileSystem& files, const std::string& path, const std::string& url) {
  return files.FileExists(path) ? UpdateShortcut(files, path, url).status
                                : WriteNewShortcut(files, path, url);
}

}  // namespace linkshelf
