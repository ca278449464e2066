// The program's own reading of its command line: words split by blanks and
// control characters, double quotes holding a stretch together.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// Word n of `command_line` after the program's own word (n = 1 is the first
// argument); the empty text when there is no such word. A word that both begins
// and ends with a double quote loses those two; quotes elsewhere stay.
std::string ArgumentOfCommandLine(std::string_view command_line, int n);

// The number of words after the program's own, up to the first empty one.
int ArgumentCountOfCommandLine(std::string_view command_line);

// Argument 0 is the full path of the running program file; 1 and on are read
// from the process's raw command line.
std::string CommandArgument(int n);
int CommandArgumentCount();

}  // namespace linkshelf
