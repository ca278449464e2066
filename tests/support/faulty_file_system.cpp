#include "tests/support/faulty_file_system.h"

#include <algorithm>
#include <cstdint>

#include "runtime/text.h"

namespace linkshelf {

namespace {

FileStatus Injected(FileOperation operation) {
  return FileStatus::Failure(std::string("injected failure of ") + FileOperationName(operation));
}

}  // namespace

const char* FileOperationName(FileOperation operation) {
  switch (operation) {
    case FileOperation::kFindEntries:
      return "FindEntries";
    case FileOperation::kFileExists:
      return "FileExists";
    case FileOperation::kFolderExists:
      return "FolderExists";
    case FileOperation::kFileSize:
      return "FileSize";
    case FileOperation::kLastWriteTime:
      return "LastWriteTime";
    case FileOperation::kReadFile:
      return "ReadFile";
    case FileOperation::kCreateFolder:
      return "CreateFolder";
    case FileOperation::kWriteNewFile:
      return "WriteNewFile";
    case FileOperation::kReplaceFile:
      return "ReplaceFile";
    case FileOperation::kRemoveFile:
      return "RemoveFile";
    case FileOperation::kMoveNewFile:
      return "MoveNewFile";
    case FileOperation::kRemoveFolder:
      return "RemoveFolder";
    case FileOperation::kFlushFolder:
      return "FlushFolder";
    case FileOperation::kFlushFolderFiles:
      return "FlushFolderFiles";
  }
  return "?";
}

bool ChangesFiles(FileOperation operation) {
  return operation == FileOperation::kCreateFolder || operation == FileOperation::kWriteNewFile ||
         operation == FileOperation::kReplaceFile || operation == FileOperation::kRemoveFile ||
         operation == FileOperation::kMoveNewFile || operation == FileOperation::kRemoveFolder;
}

std::size_t FaultyFileSystem::CountCalls(std::optional<FileOperation> operation) const {
  std::size_t count = 0;
  for (const FileCall& call : calls_) {
    if (!operation || call.operation == *operation) ++count;
  }
  return count;
}

void FaultyFileSystem::MakeUnreadable(const std::string& path) {
  for (FileOperation operation :
       {FileOperation::kFileSize, FileOperation::kLastWriteTime, FileOperation::kReadFile}) {
    AddFault(FaultPlan::EveryCallOn(path).Of(operation));
  }
}

std::optional<FaultKind> FaultyFileSystem::Strike(FileOperation operation, const std::string& path,
                                                  const std::string& second_path) {
  std::optional<FaultKind> fault;
  for (ActivePlan& active : plans_) {
    const FaultPlan& plan = active.plan;
    if (plan.operation && *plan.operation != operation) continue;
    if (plan.changes_only && !ChangesFiles(operation)) continue;
    if (plan.path && !EqualsIgnoringAsciiCase(*plan.path, path) &&
        !(second_path.size() > 0 && EqualsIgnoringAsciiCase(*plan.path, second_path))) {
      continue;
    }
    if (plan.path_part && path.find(*plan.path_part) == std::string::npos &&
        second_path.find(*plan.path_part) == std::string::npos) {
      continue;
    }
    ++active.counted;
    if (active.counted == plan.call || (plan.sticky && active.counted > plan.call)) {
      if (!fault) fault = plan.kind;
    }
  }
  if (fault) fault_struck_ = true;
  return fault;
}

FileStatus FaultyFileSystem::Record(FileOperation operation, const std::string& path,
                                    FileStatus status, bool by_plan, std::string second_path) {
  calls_.push_back({operation, path, std::move(second_path), by_plan, status.ok});
  return status;
}

std::vector<FolderEntry> FaultyFileSystem::FindEntries(const std::string& pattern) {
  if (Strike(FileOperation::kFindEntries, pattern)) {
    Record(FileOperation::kFindEntries, pattern, Injected(FileOperation::kFindEntries), true);
    return {};
  }
  Record(FileOperation::kFindEntries, pattern, FileStatus::Success(), false);
  return inner_.FindEntries(pattern);
}

FileStatus FaultyFileSystem::SearchFolder(const std::string& pattern,
                                          std::vector<FolderEntry>& entries) {
  entries.clear();
  if (Strike(FileOperation::kFindEntries, pattern)) {
    return Record(FileOperation::kFindEntries, pattern, Injected(FileOperation::kFindEntries),
                  true);
  }
  const FileStatus status = inner_.SearchFolder(pattern, entries);
  return Record(FileOperation::kFindEntries, pattern, status, false);
}

bool FaultyFileSystem::FileExists(const std::string& path) {
  const bool struck = Strike(FileOperation::kFileExists, path).has_value();
  Record(FileOperation::kFileExists, path,
         struck ? Injected(FileOperation::kFileExists) : FileStatus(), struck);
  return !struck && inner_.FileExists(path);
}

bool FaultyFileSystem::FolderExists(const std::string& path) {
  const bool struck = Strike(FileOperation::kFolderExists, path).has_value();
  Record(FileOperation::kFolderExists, path,
         struck ? Injected(FileOperation::kFolderExists) : FileStatus(), struck);
  return !struck && inner_.FolderExists(path);
}

std::optional<std::uint64_t> FaultyFileSystem::FileSize(const std::string& path) {
  const bool struck = Strike(FileOperation::kFileSize, path).has_value();
  Record(FileOperation::kFileSize, path, struck ? Injected(FileOperation::kFileSize) : FileStatus(),
         struck);
  if (struck) return std::nullopt;
  return inner_.FileSize(path);
}

std::optional<LocalTime> FaultyFileSystem::LastWriteTime(const std::string& path) {
  const bool struck = Strike(FileOperation::kLastWriteTime, path).has_value();
  Record(FileOperation::kLastWriteTime, path,
         struck ? Injected(FileOperation::kLastWriteTime) : FileStatus(), struck);
  if (struck) return std::nullopt;
  return inner_.LastWriteTime(path);
}

FileStatus FaultyFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  return ReadFileUpTo(path, bytes, UINT64_MAX);
}

namespace {

// A read that breaks off: the inner layer's pieces up to half the file, then the failure.
class BrokenOffReader final : public FileReader {
 public:
  BrokenOffReader(std::unique_ptr<FileReader> inner, FileStatus failure)
      : inner_(std::move(inner)), failure_(std::move(failure)) {}
  FileStatus ReadMore(std::string& bytes, std::size_t most) override {
    const std::uint64_t half = inner_->Size() / 2;
    if (given_ >= half) return failure_;
    const std::size_t before = bytes.size();
    FileStatus read = inner_->ReadMore(
        bytes, static_cast<std::size_t>(std::min<std::uint64_t>(most, half - given_)));
    given_ += bytes.size() - before;
    return read;
  }
  std::uint64_t Size() const override { return inner_->Size(); }

 private:
  std::unique_ptr<FileReader> inner_;
  FileStatus failure_;
  std::uint64_t given_ = 0;
};

}  // namespace

std::unique_ptr<FileReader> FaultyFileSystem::OpenFileReader(const std::string& path,
                                                             FileStatus& status) {
  const auto fault = Strike(FileOperation::kReadFile, path);
  const bool breaks_off =
      fault == FaultKind::kPartialWrite || fault == FaultKind::kPartialWriteLeftBehind;
  if (!fault || breaks_off) {
    std::unique_ptr<FileReader> reader = inner_.OpenFileReader(path, status);
    Record(FileOperation::kReadFile, path, status, breaks_off);
    if (!reader || !breaks_off) return reader;
    return std::make_unique<BrokenOffReader>(std::move(reader), Injected(FileOperation::kReadFile));
  }
  status = Record(FileOperation::kReadFile, path, Injected(FileOperation::kReadFile), true);
  return nullptr;
}

FileStatus FaultyFileSystem::ReadFileUpTo(const std::string& path, std::string& bytes,
                                          std::uint64_t limit) {
  const auto fault = Strike(FileOperation::kReadFile, path);
  if (!fault)
    return Record(FileOperation::kReadFile, path, inner_.ReadFileUpTo(path, bytes, limit), false);
  return StruckRead(*fault, path, bytes);
}

FileStatus FaultyFileSystem::ReadDatedFileUpTo(const std::string& path, std::string& bytes,
                                               std::uint64_t limit,
                                               std::optional<std::int64_t>& write_seconds) {
  write_seconds.reset();
  const auto fault = Strike(FileOperation::kReadFile, path);
  if (!fault) {
    return Record(FileOperation::kReadFile, path,
                  inner_.ReadDatedFileUpTo(path, bytes, limit, write_seconds), false);
  }
  return StruckRead(*fault, path, bytes);
}

FileStatus FaultyFileSystem::StruckRead(FaultKind fault, const std::string& path,
                                        std::string& bytes) {
  bytes.clear();
  if (fault == FaultKind::kPartialWrite || fault == FaultKind::kPartialWriteLeftBehind) {
    // A read that breaks off hands back what it got so far.
    std::string all;
    if (inner_.ReadFile(path, all)) bytes = all.substr(0, all.size() / 2);
  }
  return Record(FileOperation::kReadFile, path, Injected(FileOperation::kReadFile), true);
}

FileStatus FaultyFileSystem::CreateFolder(const std::string& path) {
  const auto fault = Strike(FileOperation::kCreateFolder, path);
  if (!fault) return Record(FileOperation::kCreateFolder, path, inner_.CreateFolder(path), false);
  if (*fault == FaultKind::kDoneButReported) inner_.CreateFolder(path);
  return Record(FileOperation::kCreateFolder, path, Injected(FileOperation::kCreateFolder), true);
}

FileStatus FaultyFileSystem::WriteNewFile(const std::string& path, std::string_view bytes) {
  const auto fault = Strike(FileOperation::kWriteNewFile, path);
  if (!fault)
    return Record(FileOperation::kWriteNewFile, path, inner_.WriteNewFile(path, bytes), false);
  switch (*fault) {
    case FaultKind::kRefuse:
      break;
    case FaultKind::kPartialWrite:
      if (inner_.WriteNewFile(path, bytes.substr(0, bytes.size() / 2))) inner_.RemoveFile(path);
      break;
    case FaultKind::kPartialWriteLeftBehind:
      inner_.WriteNewFile(path, bytes.substr(0, bytes.size() / 2));
      break;
    case FaultKind::kDoneButReported:
      inner_.WriteNewFile(path, bytes);
      break;
  }
  return Record(FileOperation::kWriteNewFile, path, Injected(FileOperation::kWriteNewFile), true);
}

FileStatus FaultyFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
  // A move counts against plans for either of its paths.
  const auto fault = Strike(FileOperation::kReplaceFile, from, to);
  if (!fault)
    return Record(FileOperation::kReplaceFile, from, inner_.ReplaceFile(from, to), false, to);
  if (*fault == FaultKind::kDoneButReported) inner_.ReplaceFile(from, to);
  return Record(FileOperation::kReplaceFile, from, Injected(FileOperation::kReplaceFile), true, to);
}

FileStatus FaultyFileSystem::RemoveFile(const std::string& path) {
  const auto fault = Strike(FileOperation::kRemoveFile, path);
  if (!fault) return Record(FileOperation::kRemoveFile, path, inner_.RemoveFile(path), false);
  if (*fault == FaultKind::kDoneButReported) inner_.RemoveFile(path);
  return Record(FileOperation::kRemoveFile, path, Injected(FileOperation::kRemoveFile), true);
}

FileStatus FaultyFileSystem::MoveNewFile(const std::string& from, const std::string& to) {
  const auto fault = Strike(FileOperation::kMoveNewFile, from, to);
  if (!fault)
    return Record(FileOperation::kMoveNewFile, from, inner_.MoveNewFile(from, to), false, to);
  if (*fault == FaultKind::kDoneButReported) inner_.MoveNewFile(from, to);
  return Record(FileOperation::kMoveNewFile, from, Injected(FileOperation::kMoveNewFile), true, to);
}

FileStatus FaultyFileSystem::RemoveFolder(const std::string& path) {
  const auto fault = Strike(FileOperation::kRemoveFolder, path);
  if (!fault) return Record(FileOperation::kRemoveFolder, path, inner_.RemoveFolder(path), false);
  if (*fault == FaultKind::kDoneButReported) inner_.RemoveFolder(path);
  return Record(FileOperation::kRemoveFolder, path, Injected(FileOperation::kRemoveFolder), true);
}

FileStatus FaultyFileSystem::FlushFolderFiles(const std::string& path) {
  const auto fault = Strike(FileOperation::kFlushFolderFiles, path);
  if (!fault) {
    return Record(FileOperation::kFlushFolderFiles, path, inner_.FlushFolderFiles(path), false);
  }
  return Record(FileOperation::kFlushFolderFiles, path, Injected(FileOperation::kFlushFolderFiles),
                true);
}

FileStatus FaultyFileSystem::FlushFolder(const std::string& path) {
  const auto fault = Strike(FileOperation::kFlushFolder, path);
  if (!fault) return Record(FileOperation::kFlushFolder, path, inner_.FlushFolder(path), false);
  return Record(FileOperation::kFlushFolder, path, Injected(FileOperation::kFlushFolder), true);
}

}  // namespace linkshelf
