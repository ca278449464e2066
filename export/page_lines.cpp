#include "export/page_lines.h"

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

// The body of the page: one line per record.
class BodyWriter {
 public:
  BodyWriter(int method, std::string& out) : method_(method), out_(out) {}

  void Folder(const std::string& text) {
    const std::string heading = PageName(text);
    const bool list_open = in_section_ > 0;
    in_section_ = 0;
    ++folders_;
    if (!TrimBoth(heading).empty()) {
      folder_attribute_.assign(kFolderAttributeStart);
      folder_attribute_ += heading;
      folder_attribute_ += kAttributeEnd;
    }
    if (method_ == kAddressList) {
      out_ += kLineEnd;
      out_ += heading;
    } else {
      out_ += list_open ? kListClosing : kSectionBreak;
      out_ += kHeadingStart;
      out_ += heading;
      out_ += kHeadingEnd;
    }
    out_ += kLineEnd;
  }

  void Link(const std::string& stem, const std::string& address) {
    ++in_section_;
    switch (method_) {
      case kAddressList:
        out_ += address;
        break;
      case kLinkTitles:
      case kLinkAddresses: {
        const std::string href = PageAddress(address);
        if (in_section_ == 1) out_ += kListOpening;
        out_ += kLinkStart;
        out_ += href;
        out_ += kAttributeEnd;
        out_ += folder_attribute_;
        out_ += kClass;
        out_ += method_ == kLinkTitles ? PageName(TrimBoth(stem)) : href;
        out_ += kLinkEnd;
        break;
      }
      default:
        out_ += PageName(TrimBoth(stem));
        break;
    }
    out_ += kLineEnd;
  }

  int folders() const { return folders_; }

 private:
  int method_;
  std::string& out_;
  int in_section_ = 0;  // links since the last folder line
  int folders_ = 0;
  std::string folder_attribute_;
};

}  // namespace

std::string PageAddress(std::string_view address) {
  // Most addresses hold none of the three bytes: they are copied whole.
  size_t first = 0;
  while (first < address.size() && address[first] != '"' && address[first] != '<' &&
         address[first] != '>') {
    ++first;
  }
  if (first == address.size()) return std::string(address);
  std::string text(address.substr(0, first));
  text.reserve(address.size() + 8);
  for (const char c : address.substr(first)) {
    switch (c) {
      case '"':
        text += "%22";
        break;
      case '<':
        text += "%3C";
        break;
      case '>':
        text += "%3E";
        break;
      default:
        text += c;
        break;
    }
  }
  return text;
}

std::string PageName(std::string_view name) {
  std::string text(name);
  // Only names made on other systems than Windows hold these bytes (no
  // double-byte character of the code page has them as its trail byte), so
  // the rule needs no platform of its own. A line break in a name would
  // also split the page's line.
  for (char& c : text) {
    if (c == '"' || c == '<' || c == '>' || c == '\r' || c == '\n') c = '_';
  }
  return text;
}

PageText FormPageText(const std::vector<ScanRecord>& records, int method, std::string_view title,
                      const std::vector<std::string>& header_template,
                      std::string_view date_time_text, const RegionalSettings& regional) {
  PageText page;
  size_t body_size = 0;
  for (const ScanRecord& record : records) {
    if (record.kind == ScanRecord::Kind::kLink) ++page.links;
    body_size += record.text.size() + 2 * record.address.size() + 100;
  }

  // The head states the number of links, so it is counted first; head and
  // body then go into the one buffer that gets written.
  std::vector<std::string> head;
  if (method != kAddressList) {
    head = header_template;
    head.push_back(GeneratedByLine());
    head.push_back(LastCreatedLine(date_time_text, page.links, regional));
    std::string title_line = "<title>" + std::string(title) + "</title>";
    constexpr size_t kTitleLineIndex = 6;
    if (head.size() > kTitleLineIndex) {
      head[kTitleLineIndex] = std::move(title_line);
    } else {
      head.insert(head.end() - 2, std::move(title_line));
    }
  }
  size_t head_size = 0;
  for (const std::string& line : head) head_size += line.size() + kLineEnd.size();
  page.bytes.reserve(head_size + body_size + 32);
  for (const std::string& line : head) {
    page.bytes += line;
    page.bytes += kLineEnd;
  }

  BodyWriter writer(method, page.bytes);
  for (const ScanRecord& record : records) {
    if (record.kind == ScanRecord::Kind::kFolder) {
      writer.Folder(record.text);
    } else {
      writer.Link(record.text, record.address);
    }
  }
  page.folders = writer.folders();
  if (method != kAddressList) page.bytes += "</body>\r\n</html>\r\n";
  return page;
}

}  // namespace linkshelf
