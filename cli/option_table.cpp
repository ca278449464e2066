#include "cli/option_table.h"

namespace linkshelf {

std::optional<CommandArguments> ReadCommandArguments(const std::vector<std::string>& arguments,
                                                     const std::vector<CommandOption>& options,
                                                     std::string& problem) {
  CommandArguments result;
  bool yes = false;
  bool no = false;
  // Sets a flag; such an option has no value that could be unusable.
  auto set = [](bool& flag) {
    return [&flag](const std::string&) {
      flag = true;
      return std::string();
    };
  };
  const std::vector<CommandOption> common = {
      {"-h", "--help", OptionValue::kNone, set(result.help)},
      {"-y", "--yes", OptionValue::kNone, set(yes)},
      {"-n", "--no", OptionValue::kNone, set(no)},
  };
  bool options_ended = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      result.positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    const CommandOption* found = nullptr;
    for (const auto* table : {&common, &options}) {
      for (const CommandOption& option : *table) {
        if (argument == option.name ||
            (!option.other_name.empty() && argument == option.other_name)) {
          found = &option;
        }
      }
    }
    if (found == nullptr) {
      problem = "unknown option '" + argument + "'";
      return std::nullopt;
    }
    std::string value;
    if (found->value == OptionValue::kRequired) {
      if (i + 1 >= arguments.size()) {
        problem = "option " + argument + " needs a value";
        return std::nullopt;
      }
      value = arguments[++i];
    }
    if (std::string refusal = found->apply(value); !refusal.empty()) {
      problem = std::move(refusal);
      return std::nullopt;
    }
  }
  if (result.help) return result;
  if (yes && no) {
    problem = "-y and -n exclude each other";
    return std::nullopt;
  }
  result.replace = yes ? ReplaceAnswer::kYes : no ? ReplaceAnswer::kNo : ReplaceAnswer::kAsk;
  return result;
}

}  // namespace linkshelf
