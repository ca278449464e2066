#include "export/export_bookmark_page.h"

#include "export/date_text.h"
#include "export/file_texts.h"
#include "export/folder_scan.h"
#include "runtime/file_operations.h"
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
  if (progress != nullptr) report = [progress](int links, int folders) { progress->ShowProgress(links, folders); };
  const std::vector<ScanRecord> records =
      ScanFolder(environment.files, environment.collation, request.root, report);
  const std::string now = DateTimeText(environment.now(), environment.regional);
  return FormPageText(records, request.method, request.title, request.header_template, now,
                      environment.regional);
}

ExportResult ExportBookmarkPage(const ExportRequest& request, ExportEnvironment& environment,
                                ExportPrompter& prompter) {
  const PageText page = FormBookmarkPage(request, environment, &prompter);
  ExportResult result;
  result.page_path = CompletePagePath(request.page_path, request.default_folder);
  result.links = page.links;
  result.folders = page.folders;
  if (page.links == 0) {
    result.outcome = ExportOutcome::kNoLinks;
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

  // A folder that cannot be made shows as the failure to write the page.
  CreateMissingFolders(files, FolderPart(path));
  if (FileStatus written = ReplaceFileContent(files, path, page.bytes); !written) {
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
