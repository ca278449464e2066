// Any page, imported into a root on the in-memory file layer (which refuses
// the names Windows refuses), sometimes with a failing disk: every shortcut
// lands inside the root, is a whole shortcut, never points at another machine,
// and no temporary file is left. The tag scanner walks the same bytes alone.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/check.h"
#include "import/htmlpr.h"
#include "import/import_bookmark_page.h"
#include "import/link_target.h"
#include "import/page_bytes.h"
#include "runtime/shortcut_entry.h"
#include "runtime/text.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/prompters.h"

namespace {

using namespace linkshelf;

const char kRoot[] = "C:\\Fav";  // without its backslash, as a folder argument comes
const char kRootFolder[] = "C:\\Fav\\";
const char kPage[] = "C:\\work\\mybook.htm";
const char kExisting[] = "C:\\Fav\\News\\Daily.url";
const char kExistingText[] = "[InternetShortcut]\r\nURL=http://old.example/\r\nIconIndex=1\r\n";

void ScanAlone(const std::string& page) {
  THtmlParser parser;
  parser.LoadText(page);
  std::size_t steps = 0;
  while (parser.NextTag()) {
    FUZZ_CHECK(parser.GetTag() != nullptr);
    FUZZ_CHECK(++steps <= page.size());
  }
  FUZZ_CHECK(parser.GetTag() == nullptr);
  FUZZ_CHECK(!parser.NextTag());
}

// The four lines of a new shortcut, both holding the same value as written.
bool IsWholeNewShortcut(std::string_view content) {
  constexpr std::string_view head = "[DEFAULT]\r\nBASEURL=";
  constexpr std::string_view middle = "\r\n[InternetShortcut]\r\nURL=";
  if (!content.starts_with(head) || !content.ends_with("\r\n")) return false;
  const size_t split = content.find(middle);
  if (split == std::string_view::npos) return false;
  const std::string_view base = content.substr(head.size(), split - head.size());
  const std::string_view url =
      content.substr(split + middle.size(), content.size() - 2 - split - middle.size());
  return base == url && base.find_first_of("\r\n") == std::string_view::npos;
}

bool IsInsideRoot(std::string_view path) {
  return path.size() > sizeof kRootFolder - 1 &&
         EqualsIgnoringAsciiCase(path.substr(0, sizeof kRootFolder - 1), kRootFolder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Two bytes steer the run: the first answer, and the change that fails (0: none).
  const int first_answer = data[0];
  const std::size_t failing_change = data[1] % 16;
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  ScanAlone(JoinPageLines(bytes));

  MemoryFileSystem memory("C:\\work\\");
  memory.PutFile(kPage, bytes);
  memory.PutFile(kExisting, kExistingText);
  const auto before = memory.Snapshot();
  FaultyFileSystem files(memory);
  if (failing_change != 0) {
    files.AddFault(FaultPlan::NthChange(failing_change)
                       .As(data[1] & 16 ? FaultKind::kPartialWrite : FaultKind::kRefuse));
  }
  // Every possible answer in turn, invalid ones included.
  std::vector<ShortcutReplaceAnswer> answers;
  for (int i = 0; i < 6; ++i)
    answers.push_back(static_cast<ShortcutReplaceAnswer>((first_answer + i) % 6));
  ScriptedImportPrompter prompter(answers);
  prompter.repeat = true;
  const ImportResult result = ImportBookmarkPage({kPage, kRoot}, files, prompter);
  DescribeImportFailures(result);

  // A temporary whose removal was the failing change cannot go; the next run
  // in that folder removes it.
  std::set<std::string> refused_removals;
  for (const FileCall& call : files.calls()) {
    if (call.operation == FileOperation::kRemoveFile && call.failed_by_plan)
      refused_removals.insert(call.path);
  }
  const auto after = memory.Snapshot();
  std::size_t new_files = 0;
  for (const auto& [path, content] : after) {
    const auto old = before.find(path);
    if (old != before.end() && old->second == content) continue;
    if (refused_removals.contains(path)) continue;
    // Nothing new or changed outside the root, and nothing but shortcuts and their folders.
    FUZZ_CHECK(IsInsideRoot(path));
    if (path.back() == '\\') continue;
    FUZZ_CHECK(path.size() > 4 && EqualsIgnoringAsciiCase(path.substr(path.size() - 4), ".url"));
    const std::string base = FindShortcutEntry(content, "DEFAULT", "BASEURL");
    const std::string url = FindShortcutEntry(content, "InternetShortcut", "URL");
    FUZZ_CHECK(base == url);
    FUZZ_CHECK(TargetRefusal(url).empty());
    if (old == before.end()) {
      ++new_files;
      FUZZ_CHECK(IsWholeNewShortcut(content));
    } else {
      // An updated shortcut keeps the lines the import does not set.
      FUZZ_CHECK(content.find("IconIndex=1\r\n") != std::string::npos);
    }
  }
  for (const auto& [path, content] : before) FUZZ_CHECK(after.contains(path));
  FUZZ_CHECK(new_files <= static_cast<std::size_t>(result.links_written));
  if (!files.fault_struck()) {
    // Every name the import makes is one that Windows accepts.
    for (const FailedLink& failed : result.failed_links) {
      FUZZ_CHECK(failed.reason.find("syntax is incorrect") == std::string::npos);
      FUZZ_CHECK(failed.reason.find("device name") == std::string::npos);
      FUZZ_CHECK(failed.reason.find("empty name") == std::string::npos);
    }
  }
  return 0;
}
