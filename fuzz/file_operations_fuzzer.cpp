// Folder creation and whole-file replacement on the in-memory layer, with
// failures injected at chosen calls: whatever happens, a replaced file holds
// its old bytes or all of the new ones, and no temporary file stays behind.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/file_operations.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

#include "fuzz/support/check.h"

namespace {

using namespace linkshelf;

// Every entry's folder exists.
void CheckTree(const MemoryFileSystem& memory) {
  const auto entries = memory.Snapshot();
  for (const auto& [path, bytes] : entries) {
    const std::string trimmed = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    const size_t last = trimmed.rfind('\\');
    if (last != std::string::npos && last > 2 && !trimmed.starts_with("\\\\")) {
      FUZZ_CHECK(entries.contains(trimmed.substr(0, last + 1)));
    }
  }
}

// The entries that are in `after` but not in `before`.
std::vector<std::string> Added(const std::map<std::string, std::string>& before,
                               const std::map<std::string, std::string>& after) {
  std::vector<std::string> added;
  for (const auto& [path, bytes] : after) {
    if (!before.contains(path)) added.push_back(path);
  }
  return added;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryFileSystem memory;
  memory.PutFile("C:\\root\\mybook.htm", "old");
  FaultyFileSystem files(memory);
  bool lost_write = false;  // a write that worked but reported failure may leave its file
  for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
    const int operation = input.ConsumeIntegralInRange(0, 5);
    const std::string path = "C:\\root\\" + input.ConsumeRandomLengthString(64);
    switch (operation) {
      case 0:
        CreateMissingFolders(files, path);
        break;
      case 1: {
        std::string before;
        const bool existed = memory.ReadFile(path, before).ok;
        const auto entries_before = memory.Snapshot();
        const std::size_t calls_before = files.calls().size();
        const std::string bytes = input.ConsumeRandomLengthString(64);
        const FileStatus status = ReplaceFileContent(files, path, bytes);
        std::string after;
        const bool exists = memory.ReadFile(path, after).ok;
        if (status) {
          FUZZ_CHECK(exists && after == bytes);
        } else if (existed) {
          FUZZ_CHECK(exists && (after == before || after == bytes));
        }
        // Nothing but the file itself may be new, unless the clean-up itself
        // was made to fail or a lost answer hid a finished write.
        bool cleanup_failed = lost_write;
        for (std::size_t n = calls_before; n < files.calls().size(); ++n) {
          if (files.calls()[n].operation == FileOperation::kRemoveFile && !files.calls()[n].ok) {
            cleanup_failed = true;
          }
        }
        if (!cleanup_failed) {
          const std::vector<std::string> added = Added(entries_before, memory.Snapshot());
          FUZZ_CHECK(added.empty() ||
                     (added.size() == 1 && exists && memory.FullPath(path) == added[0]));
        }
        break;
      }
      case 2: {
        const auto kind = static_cast<FaultKind>(input.ConsumeIntegralInRange(0, 3));
        const std::size_t call = input.ConsumeIntegralInRange<std::size_t>(1, 8);
        if (kind == FaultKind::kPartialWriteLeftBehind || kind == FaultKind::kDoneButReported) {
          lost_write = true;
        }
        files.AddFault(input.ConsumeBool() ? FaultPlan::NthCall(call).As(kind)
                                           : FaultPlan::NthChange(call).AndAfter().As(kind));
        break;
      }
      case 3:
        files.WriteNewFile(path, input.ConsumeRandomLengthString(16));
        break;
      case 4:
        files.RemoveFile(path);
        break;
      case 5:
        files.FindEntries(path);
        break;
    }
    CheckTree(memory);
  }
  return 0;
}
