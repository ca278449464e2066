#include "export/page_lines.h"

#include <algorithm>
#include <limits>

#include "export/number_text.h"
#include "export/page_header.h"
#include "runtime/text.h"

namespace linkshelf {
namespace {

constexpr std::string_view kListOpening = "<ol><font face=\"Arial\" size=\"2\">";
constexpr std::string_view kListClosing = "</font></ol>";
constexpr std::string_view kSectionBreak = "<br>";
constexpr std::string_view kHeadingStart =
    "<font face=\"Verdana\" color=\"#FFFFFF\"><b><span style=\"background-color: #800000\">=";
constexpr std::string_view kHeadingEnd = "=</span></b></font><br>";
constexpr std::string_view kLinkStart = "<li><a href=\"";
constexpr std::string_view kAttributeEnd = "\" ";
constexpr std::string_view kFolderAttributeStart = "MyDir=\"";
constexpr std::string_view kClass = "class=\"topnav1\">";
constexpr std::string_view kLinkEnd = "</a></li>";
constexpr std::string_view kLineEnd = "\r\n";

std::string LastCreatedLine(std::string_view date_time_text, int links,
                            const RegionalSettings& regional) {
  std::string line = "<font face=\"Verdana\" size=\"2\" color=\"#008000\">Last created: ";
  line += date_time_text;
  line += " - Total Links: ";
  line += GroupedWholeNumberText(static_cast<std::int64_t>(links), regional);
  // The closing text opens a font element and closes a bold one; pages in use
  // carry it so and readers of them expect it.
  line += "<font></b><br><br>";
  return line;
}

// The head of an HTML page with its line ends: the template with the title,
// generated-by and last-created lines in their places.
std::string HeadText(std::string_view title, const std::vector<std::string>& header_template,
                     std::string_view date_time_text, int links, const RegionalSettings& regional) {
  std::vector<std::string> head = header_template;
  head.push_back(GeneratedByLine());
  head.push_back(LastCreatedLine(date_time_text, links, regional));
  std::string title_line = "<title>" + std::string(title) + "</title>";
  constexpr size_t kTitleLineIndex = 6;
  if (head.size() > kTitleLineIndex) {
    head[kTitleLineIndex] = std::move(title_line);
  } else {
    head.insert(head.end() - 2, std::move(title_line));
  }
  std::string text;
  for (const std::string& line : head) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

void AppendPageAddress(std::string& out, std::string_view address) {
  // Most addresses hold none of the three bytes: they are copied whole.
  size_t first = address.size();
  for (const char c : {'"', '<', '>'}) first = std::min(first, address.substr(0, first).find(c));
  out.append(address.substr(0, first));
  for (const char c : address.substr(first)) {
    switch (c) {
      case '"':
        out += "%22";
        break;
      case '<':
        out += "%3C";
        break;
      case '>':
        out += "%3E";
        break;
      default:
        out += c;
        break;
    }
  }
}

void AppendPageName(std::string& out, std::string_view name) {
  const size_t start = out.size();
  out.append(name);
  // Only names made on other systems than Windows hold these bytes (no
  // double-byte character of the code page has them as its trail byte), so
  // the rule needs no platform of its own. A line break in a name would
  // also split the page's line.
  for (size_t i = start; i < out.size(); ++i) {
    // Every byte of the five lies below '?'; most bytes of a name do not.
    const char c = out[i];
    if (c < '?' && (c == '"' || c == '<' || c == '>' || c == '\r' || c == '\n')) out[i] = '_';
  }
}

}  // namespace

std::string PageAddress(std::string_view address) {
  std::string text;
  AppendPageAddress(text, address);
  return text;
}

std::string PageName(std::string_view name) {
  std::string text;
  AppendPageName(text, name);
  return text;
}

PageWriter::PageWriter(int method, std::string_view title,
                       const std::vector<std::string>& header_template,
                       std::string_view date_time_text, const RegionalSettings& regional)
    : method_(method),
      title_(title),
      header_template_(header_template),
      date_time_text_(date_time_text),
      regional_(regional) {
  // The head states the number of links, known only at the end: the body
  // starts after room for the longest head, and the head goes into that room.
  if (method_ != kAddressList) {
    head_room_ = HeadText(title_, header_template_, date_time_text_,
                          std::numeric_limits<int>::max(), regional_)
                     .size();
  }
  bytes_.assign(head_room_, ' ');
}

void PageWriter::Reserve(size_t body_bytes) {
  ReserveIfRoom(bytes_, std::uint64_t{head_room_} + body_bytes + 32);
}

void PageWriter::Add(const ScanRecord& record) {
  if (record.kind == ScanRecord::Kind::kFolder) {
    Folder(record.text);
  } else {
    Link(record.text, record.address);
  }
}

void PageWriter::Folder(std::string_view text) {
  const bool list_open = in_section_ > 0;
  in_section_ = 0;
  ++folders_;
  if (method_ == kAddressList) {
    bytes_ += kLineEnd;
  } else {
    bytes_ += list_open ? kListClosing : kSectionBreak;
    bytes_ += kHeadingStart;
  }
  const size_t heading = bytes_.size();
  AppendPageName(bytes_, text);
  const std::string_view shown = std::string_view(bytes_).substr(heading);
  if (!TrimmedView(shown).empty()) {
    folder_attribute_.assign(kFolderAttributeStart);
    folder_attribute_ += shown;
    folder_attribute_ += kAttributeEnd;
  }
  if (method_ != kAddressList) bytes_ += kHeadingEnd;
  bytes_ += kLineEnd;
}

void PageWriter::Link(std::string_view stem, std::string_view address) {
  ++in_section_;
  ++links_;
  switch (method_) {
    case kAddressList:
      bytes_ += address;
      break;
    case kLinkTitles:
    case kLinkAddresses: {
      if (in_section_ == 1) bytes_ += kListOpening;
      bytes_ += kLinkStart;
      const size_t href = bytes_.size();
      AppendPageAddress(bytes_, address);
      const size_t href_size = bytes_.size() - href;
      bytes_ += kAttributeEnd;
      bytes_ += folder_attribute_;
      bytes_ += kClass;
      if (method_ == kLinkTitles) {
        AppendPageName(bytes_, TrimmedView(stem));
      } else {
        bytes_.append(bytes_, href, href_size);
      }
      bytes_ += kLinkEnd;
      break;
    }
    default:
      AppendPageName(bytes_, TrimmedView(stem));
      break;
  }
  bytes_ += kLineEnd;
}

PageText PageWriter::Finish() {
  PageText page;
  page.links = links_;
  page.folders = folders_;
  if (method_ != kAddressList) {
    bytes_ += "</body>\r\n</html>\r\n";
    const std::string head = HeadText(title_, header_template_, date_time_text_, links_, regional_);
    const size_t unused = head_room_ - head.size();
    bytes_.replace(unused, head.size(), head);
    bytes_.erase(0, unused);
  }
  page.bytes = std::move(bytes_);
  return page;
}

PageText FormPageText(const std::vector<ScanRecord>& records, int method, std::string_view title,
                      const std::vector<std::string>& header_template,
                      std::string_view date_time_text, const RegionalSettings& regional) {
  PageWriter writer(method, title, header_template, date_time_text, regional);
  size_t body_size = 0;
  for (const ScanRecord& record : records)
    body_size += record.text.size() + 2 * record.address.size() + 100;
  writer.Reserve(body_size);
  for (const ScanRecord& record : records) writer.Add(record);
  return writer.Finish();
}

}  // namespace linkshelf
