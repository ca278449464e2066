#include "cli/import_options.h"

namespace linkshelf {

ParsedImportOptions ParseImportOptions(const std::vector<std::string>& arguments) {
  ImportOptions options;
  std::vector<std::string> positional;
  bool yes = false;
  bool no = false;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      positional.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "-y" || argument == "--yes") {
      yes = true;
    } else if (argument == "-n" || argument == "--no") {
      no = true;
    } else {
      return {std::nullopt, "unknown option '" + argument + "'"};
    }
  }
  if (options.help) return {options, {}};
  if (yes && no) return {std::nullopt, "-y and -n exclude each other"};
  options.replace = yes ? ReplaceAnswer::kYes : no ? ReplaceAnswer::kNo : ReplaceAnswer::kAsk;
  if (positional.size() != 2) {
    return {std::nullopt, "import needs a page and a root folder, not " +
                              std::to_string(positional.size()) +
                              (positional.size() == 1 ? " argument" : " arguments")};
  }
  options.page = positional[0];
  options.root = positional[1];
  return {options, {}};
}

}  // namespace linkshelf
