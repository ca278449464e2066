#include "cli/commands.h"

namespace linkshelf {

int RunImportCommand(const std::vector<std::string>& /*arguments*/) {
  ReportProblem("import is not available in this build");
  return kExitFailed;
}

}  // namespace linkshelf
