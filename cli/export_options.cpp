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
  std::optional<FileFormat> format;
  bool page_given = false;
  bool title_given = false;
  bool method_given = false;
  const std::vector<CommandOption> table = {
      {"-o", "", OptionValue::kRequired,
       [&](const std::string& page) {
         options.page = page;
         page_given = true;
         return page.empty() ? std::string("the page name is empty") : std::string();
       }},
      {"-m", "", OptionValue::kRequired,
       [&](const std::string& word) {
         const std::optional<int> method = ParseMethod(word);
         if (!method) return "unknown method '" + word + "' (0/url, 1/title, 2/link)";
         options.method = *method;
         method_given = true;
         return std::string();
       }},
      {"-t", "", OptionValue::kRequired,
       [&](const std::string& title) {
         options.title = title;
         title_given = true;
         return std::string();
       }},
      FormatOption(format),
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
  options.format = format.value_or(FileFormat::kPage);
  if (options.format == FileFormat::kBrowser) {
    if (method_given) return {std::nullopt, "-m has no meaning for --format browser"};
    if (!page_given) options.page = "bookmarks.html";
    if (!title_given) options.title = "Bookmarks";
  }
  const std::vector<std::string>& positional = read->positional;
  if (positional.empty()) return {std::nullopt, "the folder to export is missing"};
  if (positional.size() > 1)
    return {std::nullopt, "one folder to export, not " + std::to_string(positional.size())};
  options.root = positional.front();
  if (options.open && options.page == "-")
    return {std::nullopt, "--open needs a page file, not standard output"};
  return {options, {}};
}

}  // namespace linkshelf
