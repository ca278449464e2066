// The bytes of a bookmark page, formed from the records of a scan.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/folder_scan.h"
#include "runtime/regional_settings.h"

namespace linkshelf {

// How the page shows the links.
enum PageMethod : int {
  kAddressList = 0,   // plain text: addresses, folder paths between them
  kLinkTitles = 1,    // HTML: link texts are the link names
  kLinkAddresses = 2  // HTML: link texts are the addresses
};

struct PageText {
  std::string bytes;  // every line ends in CR LF
  int links = 0;
  int folders = 0;
  // What the scan could not read; the page holds everything else.
  std::vector<ReadFailure> unread;
};

// The page for `records` in scan order. HTML pages (every method but 0) begin
// with `header_template`, whose seventh line gives way to the title line, the
// generated-by line and the last-created line (with `date_time_text` and the
// link count), and end with the closing tags. A method other than 0, 1 or 2
// writes the link names alone.
PageText FormPageText(const std::vector<ScanRecord>& records, int method, std::string_view title,
                      const std::vector<std::string>& header_template,
                      std::string_view date_time_text, const RegionalSettings& regional);

// Forms a page record by record as a scan gives them, holding nothing but
// the page's bytes. The texts given to it must outlive it.
class PageWriter {
 public:
  PageWriter(int method, std::string_view title, const std::vector<std::string>& header_template,
             std::string_view date_time_text, const RegionalSettings& regional);
  // Room for a body of about this many bytes, known beforehand or set aside
  // for a scan; only a hint.
  void Reserve(size_t body_bytes);
  void Add(const ScanRecord& record);
  // The whole page, head included; the writer is spent.
  PageText Finish();

 private:
  void Folder(std::string_view text);
  void Link(std::string_view stem, std::string_view address);

  int method_;
  std::string_view title_;
  const std::vector<std::string>& header_template_;
  std::string_view date_time_text_;
  const RegionalSettings& regional_;
  size_t head_room_ = 0;
  std::string bytes_;
  int links_ = 0;
  int folders_ = 0;
  int in_section_ = 0;  // links since the last folder line
  std::string folder_attribute_;
};

// An address as it may stand in the page: `"`, `<` and `>` written as %22,
// %3C and %3E, so that it cannot leave its attribute or add markup.
std::string PageAddress(std::string_view address);

// A link or folder name as it may stand in the page. Windows names cannot hold
// `"`, `<`, `>` or line breaks; other systems' names can, and each becomes "_".
std::string PageName(std::string_view name);

}  // namespace linkshelf
