// "linkshelf-cli export": the window's export, answered from flags and the terminal.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/terminal.h"
#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "runtime/interruption.h"
#include "runtime/shell_open.h"
#include "runtime/standard_streams.h"
#include "runtime/system.h"

namespace linkshelf {
namespace {

class TerminalPrompter final : public ExportPrompter {
 public:
  TerminalPrompter(ReplaceAnswer replace, const InterruptCatcher& interrupts)
      : replace_(replace), interrupts_(interrupts) {}

  bool StopRequested() override { return interrupts_.Requested(); }

  bool AskReplacePage(const std::string& path, const std::string& size_text,
                      const std::string& date_text) override {
    progress_.Clear();
    switch (replace_) {
      case ReplaceAnswer::kYes:
        return true;
      case ReplaceAnswer::kNo:
        return false;
      case ReplaceAnswer::kAsk:
        break;
    }
    if (!StandardInputIsTerminal()) return false;
    std::string question = "Replace " + NativePathFromCore(path) + " (" + size_text;
    if (!date_text.empty()) question += ", " + date_text;
    question += ")?";
    // Ctrl-C at the question ends the wait and keeps the page.
    return AskYesNo(question) && !interrupts_.Requested();
  }

  void ShellOpen(const std::string& file, const std::string& parameters,
                 const std::string& folder) override {
    opened_ = OpenWithShell(NativePathFromCore(file), parameters, NativePathFromCore(folder));
  }

  void ShowProgress(int links, int folders) override {
    progress_.Show("reading: " + std::to_string(links) + " links, " + std::to_string(folders) +
                   " folders");
  }

  void EndProgress() { progress_.Clear(); }
  bool opened() const { return opened_; }

 private:
  ReplaceAnswer replace_;
  const InterruptCatcher& interrupts_;
  ProgressLine progress_;
  bool opened_ = true;
};

// The present moment for the last-created line: SOURCE_DATE_EPOCH when set,
// so that a page can be made again byte for byte, else the clock.
std::optional<std::function<LocalTime()>> PresentMoment(std::string& problem) {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr || *epoch == '\0') return std::function<LocalTime()>(CurrentLocalTime);
  char* end = nullptr;
  errno = 0;
  const long long seconds = std::strtoll(epoch, &end, 10);
  std::optional<LocalTime> moment;
  if (errno == 0 && end != epoch && *end == '\0') moment = LocalTimeFromEpoch(seconds);
  if (!moment) {
    problem = std::string("SOURCE_DATE_EPOCH is not a usable number of seconds: ") + epoch;
    return std::nullopt;
  }
  return std::function<LocalTime()>([value = *moment] { return value; });
}

std::string Summary(int links, int folders, const std::string& where) {
  return std::to_string(links) + (links == 1 ? " link, " : " links, ") + std::to_string(folders) +
         (folders == 1 ? " folder" : " folders") + " -> " + where;
}

// Names each shortcut or folder that could not be read, one a line; true when there was one.
bool ReportUnread(const std::vector<ReadFailure>& unread) {
  for (const ReadFailure& failure : unread) {
    ReportProblem("cannot read " + NativePathFromCore(failure.path) +
                  (failure.reason.empty() ? "" : ": " + failure.reason));
  }
  return !unread.empty();
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& arguments) {
  const ParsedExportOptions parsed = ParseExportOptions(arguments);
  if (!parsed.options) {
    ReportProblem(parsed.problem);
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
  }
  const ExportOptions& options = *parsed.options;
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitDone;
  }

  std::string problem;
  const auto now = PresentMoment(problem);
  if (!now) {
    ReportProblem(problem);
    return kExitFailed;
  }

  const std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  const std::unique_ptr<Collation> collation = MakeSystemCollation();
  const RegionalSettings regional = ReadSystemRegionalSettings();
  ExportEnvironment environment{*files, *collation, regional, *now};

  ExportRequest request;
  request.root = CorePathFromNative(options.root);
  request.page_path = options.page == "-" ? std::string() : CorePathFromNative(options.page);
  request.default_folder = CurrentFolder();
  request.title = options.title;
  request.method = options.method;
  request.header_template = HeaderTemplateLines();
  request.open_page = options.open;
  request.format =
      options.format == FileFormat::kBrowser ? ExportFormat::kBrowser : ExportFormat::kPage;

  if (!files->FolderExists(request.root)) {
    ReportProblem("no folder " + options.root);
    return kExitFailed;
  }

  const InterruptCatcher interrupts;
  TerminalPrompter prompter(options.replace, interrupts);
  if (options.page == "-") {
    const PageText page = FormBookmarkPage(request, environment, &prompter);
    prompter.EndProgress();
    const bool some_unread = ReportUnread(page.unread);
    if (page.links == 0) {
      ReportProblem("no shortcut found in " + options.root + "; nothing written");
      return kExitFailed;
    }
    // The page's CR LF line ends go out as they are.
    UseBinaryStandardOutput();
    if (std::fwrite(page.bytes.data(), 1, page.bytes.size(), stdout) != page.bytes.size() ||
        std::fflush(stdout) != 0) {
      ReportProblem("cannot write the page to standard output");
      return kExitFailed;
    }
    std::fprintf(stderr, "%s\n", Summary(page.links, page.folders, "standard output").c_str());
    return some_unread ? kExitFailed : kExitDone;
  }

  const ExportResult result = ExportBookmarkPage(request, environment, prompter);
  prompter.EndProgress();
  const bool some_unread = ReportUnread(result.unread);
  const std::string shown_path = NativePathFromCore(result.page_path);
  switch (result.outcome) {
    case ExportOutcome::kNoLinks:
      ReportProblem("no shortcut found in " + options.root + "; nothing written");
      return kExitFailed;
    case ExportOutcome::kFailed:
      ReportProblem("Cannot create file " + shown_path +
                    (result.reason.empty() ? "" : ": " + result.reason));
      return kExitFailed;
    case ExportOutcome::kDeclined:
      std::fprintf(stderr, "%s\n",
                   ("kept the existing page " + shown_path + " (-y replaces it)").c_str());
      if (interrupts.Requested()) break;
      return some_unread ? kExitFailed : kExitDone;
    case ExportOutcome::kInterrupted:
      std::fprintf(stderr, "%s\n", ("nothing written; " + shown_path + " stays as it was").c_str());
      break;
    case ExportOutcome::kWritten:
      break;
  }
  if (result.outcome == ExportOutcome::kWritten) {
    std::fprintf(stderr, "%s\n", Summary(result.links, result.folders, shown_path).c_str());
  }
  if (interrupts.Requested()) {
    std::fputs("interrupted\n", stderr);
    return InterruptExitStatus(interrupts.Caught());
  }
  if (!prompter.opened()) {
    ReportProblem("cannot open " + shown_path);
    return kExitFailed;
  }
  return some_unread ? kExitFailed : kExitDone;
}

}  // namespace linkshelf
