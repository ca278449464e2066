// The arguments of "linkshelf-cli import".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/option_table.h"

namespace linkshelf {

struct ImportOptions {
  std::string page;  // as given, in the platform's spelling
  std::string root;
  // kYes: yes to all; kNo: keep every existing shortcut; kAsk: ask on the terminal.
  ReplaceAnswer replace = ReplaceAnswer::kAsk;
  bool help = false;
};

struct ParsedImportOptions {
  std::optional<ImportOptions> options;
  std::string problem;
};

ParsedImportOptions ParseImportOptions(const std::vector<std::string>& arguments);

}  // namespace linkshelf
