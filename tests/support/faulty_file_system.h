// A file layer that passes every call on to another one and fails the calls
// that a test names: the Nth call of one operation or of any, every call from
// then on, or every call on one path. Since the tests run as root, file
// permissions cannot make the disk fail; this can, at any step.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/file_system.h"

namespace linkshelf {

enum class FileOperation {
  kFindEntries,
  kFileExists,
  kFolderExists,
  kFileSize,
  kLastWriteTime,
  kReadFile,
  kCreateFolder,
  kWriteNewFile,
  kReplaceFile,
  kRemoveFile,
  kMoveNewFile,
  kRemoveFolder,
  kFlushFolder,
  kFlushFolderFiles,
};

const char* FileOperationName(FileOperation operation);

// True for the operations that change the disk.
bool ChangesFiles(FileOperation operation);

// How a failing call fails.
enum class FaultKind {
  // Nothing happens; the call reports a failure.
  kRefuse,
  // Writing: the file is created and half of the bytes are written, then the
  // write fails and the partial file is removed, as the layer promises.
  kPartialWrite,
  // As kPartialWrite, but the partial file stays behind (the removal failed
  // too, or the power went): the worst a crash can leave.
  kPartialWriteLeftBehind,
  // The operation is carried out, but the call reports a failure (a network
  // drive that loses the answer).
  kDoneButReported,
};

struct FaultPlan {
  // The Nth call (from 1) of one operation fails.
  static FaultPlan NthCallOf(FileOperation operation, std::size_t call) {
    FaultPlan plan;
    plan.operation = operation;
    plan.call = call;
    return plan;
  }
  // The Nth call of any operation fails.
  static FaultPlan NthCall(std::size_t call) {
    FaultPlan plan;
    plan.call = call;
    return plan;
  }
  // The Nth call that would change files fails.
  static FaultPlan NthChange(std::size_t call) {
    FaultPlan plan = NthCall(call);
    plan.changes_only = true;
    return plan;
  }
  // Every call on the path fails (a file that another program holds open).
  static FaultPlan EveryCallOn(std::string path) {
    FaultPlan plan;
    plan.path = std::move(path);
    plan.sticky = true;
    return plan;
  }
  // Every call on a path that holds `text` fails (compared as given, with case).
  static FaultPlan EveryCallOnPathsHolding(std::string text) {
    FaultPlan plan;
    plan.path_part = std::move(text);
    plan.sticky = true;
    return plan;
  }
  // Only calls of this operation count.
  FaultPlan Of(FileOperation counted) && {
    operation = counted;
    return std::move(*this);
  }
  // Every counted call from the Nth on fails as well (a full disk stays full).
  FaultPlan AndAfter() && {
    sticky = true;
    return std::move(*this);
  }
  FaultPlan As(FaultKind how) && {
    kind = how;
    return std::move(*this);
  }

  // The operation whose calls are counted; nothing counts every operation,
  // or only those that change files when `changes_only` is set.
  std::optional<FileOperation> operation;
  bool changes_only = false;
  std::size_t call = 1;
  bool sticky = false;
  FaultKind kind = FaultKind::kRefuse;
  // Only calls on this path count, when given (compared as given, without case).
  std::optional<std::string> path;
  // Only calls on a path holding this text count, when given.
  std::optional<std::string> path_part;
};

struct FileCall {
  FileOperation operation;
  std::string path;
  std::string second_path;  // the target of a move
  bool failed_by_plan = false;
  bool ok = true;
};

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

  void AddFault(FaultPlan plan) { plans_.push_back({std::move(plan), 0}); }
  void ClearFaults() { plans_.clear(); }
  // The file cannot be read: its size, its time and its bytes (a file that
  // another program holds open without sharing).
  void MakeUnreadable(const std::string& path);

  // Every call so far, in order, with whether it succeeded.
  const std::vector<FileCall>& calls() const { return calls_; }
  std::size_t CountCalls(std::optional<FileOperation> operation = std::nullopt) const;
  // True once a planned fault has struck.
  bool fault_struck() const { return fault_struck_; }

  std::vector<FolderEntry> FindEntries(const std::string& pattern) override;
  FileStatus SearchFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::optional<LocalTime> LastWriteTime(const std::string& path) override;
  FileStatus ReadFile(const std::string& path, std::string& bytes) override;
  std::unique_ptr<FileReader> OpenFileReader(const std::string& path, FileStatus& status) override;
  FileStatus CreateFolder(const std::string& path) override;
  FileStatus WriteNewFile(const std::string& path, std::string_view bytes) override;
  FileStatus ReplaceFile(const std::string& from, const std::string& to) override;
  FileStatus RemoveFile(const std::string& path) override;
  FileStatus ReadFileUpTo(const std::string& path, std::string& bytes,
                          std::uint64_t limit) override;
  FileStatus ReadDatedFileUpTo(const std::string& path, std::string& bytes, std::uint64_t limit,
                               std::optional<std::int64_t>& write_seconds) override;
  FileStatus MoveNewFile(const std::string& from, const std::string& to) override;
  FileStatus RemoveFolder(const std::string& path) override;
  FileStatus FlushFolder(const std::string& path) override;
  FileStatus FlushFolderFiles(const std::string& path) override;
  // Looks that change nothing pass straight through, uncounted.
  bool IsLink(const std::string& path) override { return inner_.IsLink(path); }
  void ForgetFolders() override { inner_.ForgetFolders(); }
  std::string LinkTarget(const std::string& path) override { return inner_.LinkTarget(path); }
  std::string FolderIdentity(const std::string& path) override {
    return inner_.FolderIdentity(path);
  }

 private:
  struct ActivePlan {
    FaultPlan plan;
    std::size_t counted = 0;
  };
  // Counts the call against every plan and returns the fault that strikes it.
  std::optional<FaultKind> Strike(FileOperation operation, const std::string& path,
                                  const std::string& second_path = {});
  // The read that a fault struck: a partial one hands back half the bytes.
  FileStatus StruckRead(FaultKind fault, const std::string& path, std::string& bytes);
  FileStatus Record(FileOperation operation, const std::string& path, FileStatus status,
                    bool by_plan, std::string second_path = {});

  FileSystem& inner_;
  std::vector<ActivePlan> plans_;
  std::vector<FileCall> calls_;
  bool fault_struck_ = false;
};

}  // namespace linkshelf
