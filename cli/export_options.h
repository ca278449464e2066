// The arguments of "linkshelf-cli export".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/option_table.h"
#include "export/page_defaults.h"

namespace linkshelf {

struct ExportOptions {
  std::string root;                     // as given, in the platform's spelling
  std::string page = kDefaultPageName;  // "-" for standard output
  int method = 1;
  std::string title = kDefaultTitle;
  ReplaceAnswer replace = ReplaceAnswer::kAsk;
  bool open = false;
  bool help = false;
  // The browser file's own defaults: page bookmarks.html, title Bookmarks.
  FileFormat format = FileFormat::kPage;
};

// The options, or the reason the arguments are not usable.
struct ParsedExportOptions {
  std::optional<ExportOptions> options;
  std::string problem;
};

ParsedExportOptions ParseExportOptions(const std::vector<std::string>& arguments);

// The method named by a number or a word: 0/url, 1/title, 2/link.
std::optional<int> ParseMethod(const std::string& text);

}  // namespace linkshelf
