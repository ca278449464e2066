// A Favorites tree of any shortcut files, in any folders, made into a page:
// every link of the tree is on it, and no address or name can leave its place
// in the markup, whatever the shortcut says.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "fuzz/support/check.h"
#include "runtime/file_operations.h"
#include "runtime/text.h"
#include "tests/support/memory_file_system.h"

namespace {

using namespace linkshelf;

// The address of every anchor (its first attribute) ends at its closing quote
// on the same line, and holds no markup. A name may hold "href=" itself.
void CheckAddresses(const std::string& page) {
  constexpr std::string_view kAnchor = "<a href=\"";
  for (size_t at = page.find(kAnchor); at != std::string::npos; at = page.find(kAnchor, at + 1)) {
    const size_t start = at + kAnchor.size();
    const size_t end = page.find('"', start);
    FUZZ_CHECK(end != std::string::npos);
    const std::string value = page.substr(start, end - start);
    FUZZ_CHECK(value.find_first_of("<>\r\n") == std::string::npos);
    FUZZ_CHECK(page.compare(end, 2, "\" ") == 0 || page.compare(end, 2, "\">") == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryFileSystem memory;
  memory.PutFolder("C:\\Fav");
  const int method = input.ConsumeIntegralInRange(0, 3);
  int shortcuts = 0;
  for (int n = 0; n < 12 && input.remaining_bytes() > 0; ++n) {
    const std::string folder = input.ConsumeRandomLengthString(24);
    const std::string name = input.ConsumeRandomLengthString(24);
    const std::string content = input.ConsumeRandomLengthString(256);
    const std::string path = "C:\\Fav\\" + folder + "\\" + name + ".url";
    // Only names that stay inside the tree; the layer refuses what Windows refuses.
    if (memory.FullPath(path).rfind("C:\\Fav\\", 0) != 0) continue;
    CreateMissingFolders(memory, FolderPart(path));
    if (memory.WriteNewFile(path, content)) ++shortcuts;
  }
  const ByteCollation collation;
  const RegionalSettings regional;
  ExportEnvironment environment{memory, collation, regional,
                                [] { return LocalTime{2026, 12, 8, 15, 4, 5}; }};
  ExportRequest request;
  request.root = "C:\\Fav\\";
  request.page_path = "C:\\out\\mybook.htm";
  request.title = "Favorites";
  request.method = method;
  request.header_template = HeaderTemplateLines();
  const PageText page = FormBookmarkPage(request, environment);
  // Folders named like shortcuts count as links too, without an address.
  int named_like_shortcuts = 0;
  for (const auto& [path, bytes] : memory.Snapshot()) {
    const std::string name = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    if (name.size() >= 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".url"))
      ++named_like_shortcuts;
  }
  FUZZ_CHECK(shortcuts <= named_like_shortcuts && page.links <= named_like_shortcuts);
  if (method == kLinkTitles || method == kLinkAddresses) {
    CheckAddresses(page.bytes);
    FUZZ_CHECK(page.bytes.find("<script") == std::string::npos);
  }
  // Every line ends in CR LF and no lone CR or LF breaks one.
  for (size_t at = page.bytes.find_first_of("\r\n"); at != std::string::npos;
       at = page.bytes.find_first_of("\r\n", at + 2)) {
    FUZZ_CHECK(page.bytes.compare(at, 2, "\r\n") == 0);
  }
  return 0;
}
