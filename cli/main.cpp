// linkshelf-cli: the conversions of the window program, from a terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  using namespace linkshelf;
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (arguments.empty()) {
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
  }
  const std::string command = arguments.front();
  arguments.erase(arguments.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(UsageText().c_str(), stdout);
    return kExitDone;
  }
  if (command == "--version") {
    std::printf("linkshelf-cli %s\n", LINKSHELF_VERSION);
    return kExitDone;
  }
  if (command == "export") return RunExportCommand(arguments);
  if (command == "import") return RunImportCommand(arguments);
  ReportProblem("unknown command '" + command + "'");
  std::fputs(UsageText().c_str(), stderr);
  return kExitUsage;
}
