// The commands of linkshelf-cli. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 something could not be done, 2 bad usage.
#pragma once

#include <string>
#include <vector>

namespace linkshelf {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int RunExportCommand(const std::vector<std::string>& arguments);
int RunImportCommand(const std::vector<std::string>& arguments);

// The usage text, every line ending in a line break.
std::string UsageText();

// Writes "linkshelf-cli: <message>" as one line on standard error.
void ReportProblem(const std::string& message);

}  // namespace linkshelf
