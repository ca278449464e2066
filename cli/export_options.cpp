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
  const std::vector<CommandOption> table = {
      {"-o", "", OptionValue::kRequired,
       [&](const std::string& page) {
         options.page = page;
         return page.empty() ? std::string("the page name is empty") : std::string();
       }},
      {"-m", "", OptionValue::kRequired,
       [&](const std::string& word) {
         const std::optional<int> method = ParseMethod(word);
         if (!method) return "unknown method '" + word + "' (0/url, 1/title, 2/link)";
         options.method = *method;
         return std::string();
       }},
      {"-t", "", OptionValue::kRequired,
       [&](const std::string& title) {
         options.title = title;
         return std::string();
       }},
      {"--open", "", OptionValue::kNone,
       [&](const std::string&) {
         options.open = true;
         return std::string();
       }},
  };
  std::string problem;
  const std::optional<CommandArguments> read = ReadCommandArguments(arguments, table, problem);
  if (!read) return {std::nullopt, problem};
  options.help = read->help;
  options.replace = read->replace;
  if (options.help) return {options, {}};
  const std::vector<std::string>& positional = read->positional;
  if (positional.empty()) return {std::nullopt, "the folder to export is missing"};
  if (positional.size() > 1) return {std::nullopt, "one folder to export, not " + std::to_string(positional.size())};
  options.root = positional.front();
  if (options.open && options.page == "-") return {std::nullopt, "--open needs a page file, not standard output"};
  return {options, {}};
}

}  // namespace linkshelf
