#include "export/export_bookmark_page.h"

#include "export/browser_file_text.h"
#include "export/date_text.h"
#include "export/file_texts.h"
#include "export/folder_scan.h"
#include "runtime/file_operations.h"
#include "runtime/system.h"
#include "runtime/text.h"

namespace linkshelf {

std::string CompletePagePath(const std::string& page_path, const std::string& default_folder) {
  if (!FolderPart(page_path).empty() || default_folder.empty()) return page_path;
  std::string path = default_folder;
  if (path.back() != '\\' && path.back() != ':') path += '\\';
  return path + page_path;
}

PageText FormBookmarkPage(const ExportRequest& request, ExportEnvironment& environment,
                          ExportPrompter* progress) {
  ScanProgress report;
  if (progress != nullptr)
    report = [progress](int links, int folders) { progress->ShowProgress(links, folders); };
  // Each record goes into the page as soon as the scan has placed it, so
  // that the records are never all held beside the page.
  if (request.format == ExportFormat::kBrowser) {
    BrowserFileWriter writer(request.title);
    writer.Reserve(RoomForGrowingText());
    std::vector<ReadFailure> unread = ScanFolderInto(
        environment.files, environment.collation, request.root, ScanDates::kRead,
        [&writer](ScanRecord&& record) { writer.Add(record); }, report);
    BrowserFileText file = writer.Finish();
    PageText page;
    page.bytes = std::move(file.bytes);
    page.links = file.links;
    page.folders = file.folders;
    page.unread = std::move(unread);
    return page;
  }
  const std::string now = DateTimeText(environment.now(), environment.regional);
  PageWriter writer(request.method, request.title, request.header_template, now,
                    environment.regional);
  writer.Reserve(RoomForGrowingText());
  std::vector<ReadFailure> unread = ScanFolderInto(
      environment.files, environment.collation, request.root, ScanDates::kLeftOut,
      [&writer](ScanRecord&& record) { writer.Add(record); }, report);
  PageText page = writer.Finish();
  page.unread = std::move(unread);
  return page;
}

ExportResult ExportBookmarkPage(const ExportRequest& request, ExportEnvironment& environment,
                                ExportPrompter& prompter) {
  environment.files.ForgetFolders();
  PageText page = FormBookmarkPage(request, environment, &prompter);
  ExportResult result;
  result.unread = std::move(page.unread);
  result.page_path = CompletePagePath(request.page_path, request.default_folder);
  result.links = page.links;
  result.folders = page.folders;
  if (page.links == 0) {
    result.outcome = ExportOutcome::kNoLinks;
    return result;
  }

  if (prompter.StopRequested()) {
    result.outcome = ExportOutcome::kInterrupted;
    return result;
  }

  FileSystem& files = environment.files;
  const std::string& path = result.page_path;
  if (files.FileExists(path)) {
    const std::string size_text =
        FileSizeText(files, FileSizeKind::kBytes, path, environment.regional) + " bytes";
    const std::string date_text = FileDateText(files, FileDateKind::kPattern, path,
                                               "mm/dd/yyyy hh:mm:ss AMPM", environment.regional);
    if (!prompter.AskReplacePage(path, size_text, date_text)) {
      result.outcome = ExportOutcome::kDeclined;
      return result;
    }
  }

  // A folder that cannot be made is the reason the page cannot be written.
  FileStatus written = CreateMissingFolders(files, FolderPart(path));
  const std::string page_folder = FolderPart(files.LinkTarget(path));
  if (written) {
    RemoveStaleTemporaries(files, page_folder);
    written = ReplaceFileContent(files, path, page.bytes);
  }
  // The page's name, too, on the disk; a folder that cannot be flushed (some
  // file systems refuse) leaves it to the system's own time.
  if (written) files.FlushFolder(page_folder);
  if (!written) {
    result.outcome = ExportOutcome::kFailed;
    result.message = "Cannot create file " + path;
    result.reason = std::move(written.reason);
    return result;
  }
  result.outcome = ExportOutcome::kWritten;
  if (request.open_page) {
    if (request.open_with_notepad) {
      prompter.ShellOpen("notepad.exe", path, "");
    } else {
      prompter.ShellOpen(path, "", "");
    }
  }
  return result;
}

}  // namespace linkshelf
