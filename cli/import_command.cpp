// "linkshelf-cli import": the window's import, answered from flags and the terminal.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/import_options.h"
#include "cli/terminal.h"
#include "import/import_bookmark_page.h"
#include "import/link_place.h"
#include "runtime/interruption.h"
#include "runtime/system.h"

namespace linkshelf {
namespace {

// One answer read from the terminal: yes, no, all or cancel, by their first
// letter. An empty line is no; the end of input is cancel.
ShortcutReplaceAnswer ReadReplaceAnswer() {
  for (;;) {
    std::fputs("Replace it? [y]es, [n]o, [a]ll, [c]ancel: ", stderr);
    std::fflush(stderr);
    std::string answer;
    int c = std::fgetc(stdin);
    if (c == EOF) return ShortcutReplaceAnswer::kCancel;
    for (; c != EOF && c != '\n'; c = std::fgetc(stdin)) answer += static_cast<char>(c);
    switch (answer.empty() ? 'n' : answer[0]) {
      case 'y':
      case 'Y':
        return ShortcutReplaceAnswer::kYes;
      case 'n':
      case 'N':
        return ShortcutReplaceAnswer::kNo;
      case 'a':
      case 'A':
        return ShortcutReplaceAnswer::kYesToAll;
      case 'c':
      case 'C':
        return ShortcutReplaceAnswer::kCancel;
      default:
        break;
    }
  }
}

// A text from a page or a shortcut, fit for the terminal: a control byte could
// move the cursor or change the terminal's settings, so each becomes `?`.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = '?';
  }
  return text;
}

class TerminalImportPrompter final : public ImportPrompter {
 public:
  TerminalImportPrompter(ReplaceAnswer replace, std::string root,
                         const InterruptCatcher& interrupts)
      : replace_(replace), root_(std::move(root)), interrupts_(interrupts) {}

  bool StopRequested() override { return interrupts_.Requested(); }

  ShortcutReplaceAnswer AskReplaceShortcut(const std::string& new_address,
                                           const std::string& existing_file,
                                           const std::string& existing_base,
                                           const std::string& existing_address) override {
    progress_.Clear();
    // Standard input that is no terminal cannot answer: keep what exists.
    if (replace_ == ReplaceAnswer::kNo ||
        (replace_ == ReplaceAnswer::kAsk && !StandardInputIsTerminal())) {
      return ShortcutReplaceAnswer::kNo;
    }
    if (replace_ == ReplaceAnswer::kYes) return ShortcutReplaceAnswer::kYesToAll;
    std::fprintf(stderr,
                 "The shortcut %s exists.\n"
                 "  new address:      %s\n"
                 "  existing BASEURL: %s\n"
                 "  existing URL:     %s\n",
                 Printable(NativePathFromCore(root_ + existing_file)).c_str(),
                 Printable(new_address).c_str(), Printable(existing_base).c_str(),
                 Printable(existing_address).c_str());
    const ShortcutReplaceAnswer answer = ReadReplaceAnswer();
    // Ctrl-C at the question ends the wait; the run stops as it would between links.
    return interrupts_.Requested() ? ShortcutReplaceAnswer::kNo : answer;
  }

  void ShowProgress(int links) override {
    // Asked after every shortcut: the line's text is made only when it is shown.
    if (progress_.Due()) progress_.Show("writing: " + std::to_string(links) + " links");
  }
  void EndProgress() { progress_.Clear(); }

 private:
  ReplaceAnswer replace_;
  std::string root_;
  const InterruptCatcher& interrupts_;
  ProgressLine progress_;
};

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& arguments) {
  const ParsedImportOptions parsed = ParseImportOptions(arguments);
  if (!parsed.options) {
    ReportProblem(parsed.problem);
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
  }
  const ImportOptions& options = *parsed.options;
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitDone;
  }

  const std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  const ImportFormat format = !options.format                           ? ImportFormat::kDetect
                              : *options.format == FileFormat::kBrowser ? ImportFormat::kBrowser
                                                                        : ImportFormat::kPage;
  const ImportRequest request{CorePathFromNative(options.page),
                              RootFolder(CorePathFromNative(options.root)), format};
  const InterruptCatcher interrupts;
  TerminalImportPrompter prompter(options.replace, request.root, interrupts);
  const ImportResult result = ImportBookmarkPage(request, *files, prompter);
  prompter.EndProgress();

  if (result.page_missing) {
    ReportProblem(result.missing_page_message);
    return kExitFailed;
  }
  if (result.page_unreadable) {
    ReportProblem(DescribeImportFailures(result));
    return kExitFailed;
  }
  if (result.root_is_file) {
    ReportProblem(options.root + " is not a folder");
    return kExitFailed;
  }
  if (!result.root_reason.empty()) {
    ReportProblem("cannot create the folder " + options.root + ": " + result.root_reason);
    return kExitFailed;
  }
  // Every link not written, one a line, so that none is lost from view.
  for (const FailedLink& failed : result.failed_links) {
    std::fprintf(stderr, "%s\n", Printable(DescribeFailedLink(failed)).c_str());
  }
  std::string summary = Count(result.links_written, "link", "links") + ", " +
                        Count(result.folders_created, "folder", "folders") + " created -> " +
                        options.root;
  std::string notes;
  if (result.links_kept > 0)
    notes = Count(result.links_kept, "existing shortcut", "existing shortcuts") + " kept";
  if (result.links_unchanged > 0)
    notes += (notes.empty() ? "" : ", ") + std::to_string(result.links_unchanged) + " unchanged";
  if (!notes.empty()) summary += " (" + notes + ")";
  if (result.browser_views_skipped > 0)
    summary +=
        " (" + Count(result.browser_views_skipped, "browser view", "browser views") + " skipped)";
  if (result.cancelled) summary += "; cancelled";
  if (!result.failed_links.empty())
    summary += "; " + Count(static_cast<int>(result.failed_links.size()), "link", "links") +
               " not written";
  std::fprintf(stderr, "%s\n", summary.c_str());
  if (!result.stopped_reason.empty()) ReportProblem(result.stopped_reason);
  if (interrupts.Requested()) {
    std::fputs("interrupted\n", stderr);
    return InterruptExitStatus(interrupts.Caught());
  }
  return result.HasFailures() || result.cancelled ? kExitFailed : kExitDone;
}

}  // namespace linkshelf
