#include "cli/import_options.h"

namespace linkshelf {

ParsedImportOptions ParseImportOptions(const std::vector<std::string>& arguments) {
  ImportOptions options;
  const std::vector<CommandOption> table = {};
  std::string problem;
  const std::optional<CommandArguments> read = ReadCommandArguments(arguments, table, problem);
  if (!read) return {std::nullopt, problem};
  options.help = read->help;
  options.replace = read->replace;
  if (options.help) return {options, {}};
  const std::vector<std::string>& positional = read->positional;
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
