#include "export/browser_file_text.h"

#include <algorithm>
#include <charconv>

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

// The folder's own name: its path below the root after the last backslash
// that is not the second byte of a double-byte character.
std::string_view LastLevel(std::string_view path) {
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

void Indent(std::string& out, size_t depth) {
  out.append(4 * depth, ' ');
}

void AppendBrowserText(std::string& out, std::string_view code_page_text) {
  std::string converted;
  std::string_view utf8 = code_page_text;
  if (!ReadsTheSameInUtf8(code_page_text)) {
    converted = CodePageToUtf8(code_page_text);
    utf8 = converted;
  }
  // The bytes between markup characters go in whole; each of the four is
  // found by its own search, which goes on past it only once it is used, so
  // a text without markup takes four searches.
  constexpr std::string_view kMarkup = "&<>\"";
  constexpr std::string_view kReferences[] = {"&amp;", "&lt;", "&gt;", "&quot;"};
  size_t next[4];
  for (size_t kind = 0; kind < 4; ++kind) next[kind] = utf8.find(kMarkup[kind]);
  size_t plain = 0;
  for (;;) {
    const size_t kind = static_cast<size_t>(std::min_element(next, next + 4) - next);
    const size_t at = next[kind];
    if (at == std::string_view::npos) break;
    out.append(utf8.substr(plain, at - plain));
    out += kReferences[kind];
    plain = at + 1;
    next[kind] = utf8.find(kMarkup[kind], plain);
  }
  out.append(utf8.substr(plain));
}

void AppendDate(std::string& out, std::string_view name, std::int64_t seconds) {
  // Formed in one buffer and added at once: every link has a date.
  char text[64];
  char* at = text;
  *at++ = ' ';
  at = std::copy(name.begin(), name.begin() + std::min<size_t>(name.size(), 32), at);
  *at++ = '=';
  *at++ = '"';
  at = std::to_chars(at, text + sizeof text - 1, seconds).ptr;
  *at++ = '"';
  out.append(text, at);
}

}  // namespace

std::string BrowserText(std::string_view code_page_text) {
  std::string text;
  AppendBrowserText(text, code_page_text);
  return text;
}

BrowserFileWriter::BrowserFileWriter(std::string_view title) : open_(1) {
  std::string shown_title;
  AppendBrowserText(shown_title, title);
  bytes_ += kHeaderStart;
  bytes_ += "<TITLE>" + shown_title + "</TITLE>\n";
  bytes_ += "<H1>" + shown_title + "</H1>\n";
  bytes_ += "<DL><p>\n";
}

void BrowserFileWriter::Reserve(size_t bytes) {
  ReserveIfRoom(bytes_, std::uint64_t{bytes_.size()} + bytes);
}

void BrowserFileWriter::Add(const ScanRecord& record) {
  if (record.kind == ScanRecord::Kind::kLink) {
    if (record.address.empty()) return;
    std::string& out = open_.back().links;
    Indent(out, open_.size());
    out += "<DT><A HREF=\"";
    AppendBrowserText(out, record.address);
    out += '"';
    if (record.write_seconds) AppendDate(out, "ADD_DATE", *record.write_seconds);
    out += '>';
    AppendBrowserText(out, TrimmedView(record.text));
    out += "</A>\n";
    ++links_;
    return;
  }
  // The scan gives each folder right after its parent's links or an earlier
  // sibling's contents: it belongs to the innermost open folder whose path its own path extends.
  while (open_.size() > 1) {
    const std::string& parent = open_.back().text;
    if (record.text.size() > parent.size() && record.text.starts_with(parent) &&
        record.text[parent.size()] == '\\') {
      break;
    }
    CloseInnermost();
  }
  const size_t depth = open_.size();
  Indent(bytes_, depth);
  bytes_ += "<DT><H3";
  if (record.write_seconds) {
    AppendDate(bytes_, "ADD_DATE", *record.write_seconds);
    AppendDate(bytes_, "LAST_MODIFIED", *record.write_seconds);
  }
  bytes_ += '>';
  AppendBrowserText(bytes_, LastLevel(record.text));
  bytes_ += "</H3>\n";
  Indent(bytes_, depth);
  bytes_ += "<DL><p>\n";
  ++folders_;
  open_.push_back({record.text, {}});
}

void BrowserFileWriter::CloseInnermost() {
  bytes_ += open_.back().links;
  open_.pop_back();
  Indent(bytes_, open_.size());
  bytes_ += "</DL><p>\n";
}

BrowserFileText BrowserFileWriter::Finish() {
  while (open_.size() > 1) CloseInnermost();
  bytes_ += open_.back().links;
  open_.back().links = {};
  bytes_ += "</DL><p>\n";
  return {std::move(bytes_), links_, folders_};
}

BrowserFileText FormBrowserFileText(const std::vector<ScanRecord>& records,
                                    std::string_view title) {
  BrowserFileWriter writer(title);
  size_t size = 2 * title.size() + 64;
  for (const ScanRecord& record : records) size += record.text.size() + record.address.size() + 80;
  writer.Reserve(size);
  for (const ScanRecord& record : records) writer.Add(record);
  return writer.Finish();
}

}  // namespace linkshelf
