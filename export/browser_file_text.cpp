#include "export/browser_file_text.h"

#include "runtime/code_page.h"
#include "runtime/text.h"

namespace linkshelf {
namespace {

constexpr std::string_view kHeaderStart =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\n"
    "     It will be read and overwritten.\n"
    "     DO NOT EDIT! -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";

// One folder of the file: where its record stands and what it holds.
struct FolderNode {
  size_t record = 0;  // unused for the root
  std::vector<size_t> folders;
  std::vector<size_t> links;
};

class FileWriter {
 public:
  FileWriter(const std::vector<ScanRecord>& records, const WriteSecondsLookup& write_seconds,
             std::string& out)
      : records_(records), write_seconds_(write_seconds), out_(out) {}

  void Contents(const std::vector<FolderNode>& nodes, size_t node, int depth) {
    for (size_t child : nodes[node].folders) {
      const ScanRecord& record = records_[nodes[child].record];
      const std::string date = DateAttribute(record.path);
      Indent(depth);
      out_ += "<DT><H3";
      if (!date.empty()) {
        out_ += " ADD_DATE=\"" + date + "\" LAST_MODIFIED=\"" + date + "\"";
      }
      out_ += '>';
      out_ += BrowserText(LastLevel(record.text));
      out_ += "</H3>\n";
      Indent(depth);
      out_ += "<DL><p>\n";
      ++folders;
      Contents(nodes, child, depth + 1);
      Indent(depth);
      out_ += "</DL><p>\n";
    }
    for (size_t index : nodes[node].links) {
      const ScanRecord& record = records_[index];
      const std::string date = DateAttribute(record.path);
      Indent(depth);
      out_ += "<DT><A HREF=\"";
      out_ += BrowserText(record.address);
      out_ += '"';
      if (!date.empty()) out_ += " ADD_DATE=\"" + date + "\"";
      out_ += '>';
      out_ += BrowserText(TrimBoth(record.text));
      out_ += "</A>\n";
      ++links;
    }
  }

  int links = 0;
  int folders = 0;

 private:
  void Indent(int depth) { out_.append(4 * static_cast<size_t>(depth), ' '); }

  std::string DateAttribute(const std::string& path) const {
    if (!write_seconds_) return {};
    const std::optional<std::int64_t> seconds = write_seconds_(path);
    return seconds ? std::to_string(*seconds) : std::string();
  }

  // The folder's own name: its path below the root after the last backslash
  // that is not the second byte of a double-byte character.
  static std::string_view LastLevel(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
      if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
        ++i;
      } else if (path[i] == '\\') {
        start = i + 1;
      }
    }
    return path.substr(std::min(start, path.size()));
  }

  const std::vector<ScanRecord>& records_;
  const WriteSecondsLookup& write_seconds_;
  std::string& out_;
};

// The records as a tree. The scan gives each folder right after its parent's
// links or an earlier sibling's contents, so the open folders form a stack:
// a folder belongs to the innermost open one whose path its own path extends.
std::vector<FolderNode> BuildTree(const std::vector<ScanRecord>& records) {
  std::vector<FolderNode> nodes(1);
  std::vector<size_t> open{0};
  for (size_t i = 0; i < records.size(); ++i) {
    const ScanRecord& record = records[i];
    if (record.kind == ScanRecord::Kind::kLink) {
      if (!record.address.empty()) nodes[open.back()].links.push_back(i);
      continue;
    }
    while (open.size() > 1) {
      const std::string& parent = records[nodes[open.back()].record].text;
      if (record.text.size() > parent.size() && record.text.starts_with(parent) &&
          record.text[parent.size()] == '\\') {
        break;
      }
      open.pop_back();
    }
    nodes[open.back()].folders.push_back(nodes.size());
    open.push_back(nodes.size());
    nodes.push_back({i, {}, {}});
  }
  return nodes;
}

}  // namespace

std::string BrowserText(std::string_view code_page_text) {
  const std::string utf8 = CodePageToUtf8(code_page_text);
  std::string text;
  text.reserve(utf8.size() + 16);
  for (const char c : utf8) {
    switch (c) {
      case '&':
        text += "&amp;";
        break;
      case '<':
        text += "&lt;";
        break;
      case '>':
        text += "&gt;";
        break;
      case '"':
        text += "&quot;";
        break;
      default:
        text += c;
        break;
    }
  }
  return text;
}

BrowserFileText FormBrowserFileText(const std::vector<ScanRecord>& records, std::string_view title,
                                    const WriteSecondsLookup& write_seconds) {
  BrowserFileText file;
  const std::string shown_title = BrowserText(title);
  size_t size = kHeaderStart.size() + 2 * shown_title.size() + 64;
  for (const ScanRecord& record : records) size += record.text.size() + record.address.size() + 80;
  file.bytes.reserve(size);
  file.bytes += kHeaderStart;
  file.bytes += "<TITLE>" + shown_title + "</TITLE>\n";
  file.bytes += "<H1>" + shown_title + "</H1>\n";
  file.bytes += "<DL><p>\n";
  const std::vector<FolderNode> nodes = BuildTree(records);
  FileWriter writer(records, write_seconds, file.bytes);
  writer.Contents(nodes, 0, 1);
  file.bytes += "</DL><p>\n";
  file.links = writer.links;
  file.folders = writer.folders;
  return file;
}

}  // namespace linkshelf
