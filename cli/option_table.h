// The reading of a command's arguments, written once for every command: each
// command lists its own options in a table, one line each, and gets the
// options every command has (-h, -y, -n) and its other arguments back.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linkshelf {

enum class ReplaceAnswer { kAsk, kYes, kNo };

enum class OptionValue { kNone, kRequired };

struct CommandOption {
  std::string_view name;        // "-o" or "--open"
  std::string_view other_name;  // a second spelling, or empty
  OptionValue value;
  // Takes the option's value (the empty text for an option without one) and
  // returns why it is unusable, or the empty text when it is fine.
  std::function<std::string(const std::string& value)> apply;
};

struct CommandArguments {
  // The arguments that are no options, in order: "-" and all after "--" among them.
  std::vector<std::string> positional;
  bool help = false;
  ReplaceAnswer replace = ReplaceAnswer::kAsk;
};

// Reads the arguments against `options` and the options every command has:
// -h/--help, and -y/--yes or -n/--no. Nothing when they are not usable, with
// `problem` saying why. With --help, nothing after the options is checked.
std::optional<CommandArguments> ReadCommandArguments(const std::vector<std::string>& arguments,
                                                     const std::vector<CommandOption>& options,
                                                     std::string& problem);

}  // namespace linkshelf
