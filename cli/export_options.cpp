#include "cli/export_options.h"

#include "runtime/text.h"

namespace linkshelf {

std::optional<int> ParseMethod(const std::string& text) {
  const std::string word = LowerAscii(text);
  if (word == "0" || word == "url") return 0;
  if (word == "1" || word == "title") return 1;
  if (word == "2" || word == "link") return 2;
  return std::nullopt;
}

ParsedExportOptions ParseExportOptions(const std::vector<std::string>& arguments) {
  ExportOptions options;
  std::vector<std::string> positional;
  bool yes = false;
  bool no = false;
  bool options_ended = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "-y" || argument == "--yes") {
      yes = true;
    } else if (argument == "-n" || argument == "--no") {
      no = true;
    } else if (argument == "--open") {
      options.open = true;
    } else if (argument == "-o" || argument == "-m" || argument == "-t") {
      if (i + 1 >= arguments.size()) return {std::nullopt, "option " + argument + " needs a value"};
      const std::optional<std::string> given = arguments[++i];
      if (argument == "-o") {
        if (given->empty()) return {std::nullopt, "the page name is empty"};
        options.page = *given;
      } else if (argument == "-t") {
        options.title = *given;
      } else {
        const std::optional<int> method = ParseMethod(*given);
        if (!method) return {std::nullopt, "unknown method '" + *given + "' (0/url, 1/title, 2/link)"};
        options.method = *method;
      }
    } else {
      return {std::nullopt, "unknown option '" + argument + "'"};
    }
  }
  if (options.help) return {options, {}};
  if (yes && no) return {std::nullopt, "-y and -n exclude each other"};
  options.replace = yes ? ReplaceAnswer::kYes : no ? ReplaceAnswer::kNo : ReplaceAnswer::kAsk;
  if (positional.empty()) return {std::nullopt, "the folder to export is missing"};
  if (positional.size() > 1) return {std::nullopt, "one folder to export, not " + std::to_string(positional.size())};
  options.root = positional.front();
  if (options.open && options.page == "-") return {std::nullopt, "--open needs a page file, not standard output"};
  return {options, {}};
}

}  // namespace linkshelf
