// Names and addresses the code page cannot hold, through the real Windows file
// layer: Favorites -> page -> Favorites keeps every wide name and address.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "import/import_bookmark_page.h"
#include "runtime/system.h"
#include "runtime/win32/wide_text.h"
#include "tests/support/prompters.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

const std::wstring kLong = L"Long" + std::wstring(120, L'a') + L"\\" + std::wstring(140, L'b');

std::wstring Extended(const std::string& core_folder) {
  return L"\\\\?\\" + WideFromCodePage(core_folder);
}

void PutFile(const std::string& root, const std::wstring& relative, const std::string& bytes) {
  const std::wstring path = Extended(root) + relative;
  for (size_t at = path.find(L'\\', Extended(root).size() - 1); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8FromWide(relative);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Every file below the folder by its wide relative path, with its address.
void ListTree(const std::wstring& folder, const std::wstring& relative,
              std::map<std::wstring, size_t>& found) {
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW((folder + relative + L"*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListTree(folder, relative + name + L"\\", found);
    } else {
      found[relative + name] = (relative + name).size();
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);
}

std::string Shortcut(const std::string& url) {
  return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

std::string Utf16Shortcut(const std::wstring& url) {
  const std::wstring text = L"\uFEFF[InternetShortcut]\r\nURL=" + url + L"\r\n";
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

class NamesRoundTripTest : public ::testing::Test {
 protected:
  PageText Export(const std::string& root) {
    ExportRequest request;
    request.root = root;
    request.page_path = folder.path() + "page.htm";
    request.title = "Names";
    request.method = kLinkTitles;
    request.header_template = HeaderTemplateLines();
    request.open_page = false;
    ExportEnvironment environment{*files, *collation, regional,
                                  [] { return LocalTime{2026, 12, 8, 23, 0, 0}; }};
    ScriptedExportPrompter prompter;
    const ExportResult result = ExportBookmarkPage(request, environment, prompter);
    EXPECT_EQ(result.outcome, ExportOutcome::kWritten);
    EXPECT_TRUE(result.unread.empty())
        << result.unread.front().path << ": " << result.unread.front().reason;
    std::string bytes;
    EXPECT_TRUE(files->ReadFile(request.page_path, bytes));
    return {bytes, result.links, result.folders, {}};
  }

  std::string Import(const std::string& root) {
    ScriptedImportPrompter prompter;
    const ImportResult result =
        ImportBookmarkPage({folder.path() + "page.htm", root}, *files, prompter);
    EXPECT_FALSE(result.HasFailures()) << DescribeImportFailures(result);
    return root;
  }

  TempFolder folder;
  std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  std::unique_ptr<Collation> collation = MakeSystemCollation();
  RegionalSettings regional = ReadSystemRegionalSettings();
};

TEST_F(NamesRoundTripTest, EveryNameAndAddressComesBack) {
  const std::string from = folder.path() + "From\\";
  // Only references and ASCII: the same page on every platform (the golden file).
  PutFile(from, L"\u0108efpa\u011Do\\Esperanto \u0109iutage.url", Shortcut("http://eo.example/"));
  PutFile(from, L"Smile\\Face \U0001F600.url",
          Shortcut("http://smile.example/?") +
              "[InternetShortcut.W]\r\nURL=http://smile.example/+2D3eAA-\r\n");
  PutFile(from, L"Brand\u2122.url", Utf16Shortcut(L"http://tm.example/\u2122"));
  PutFile(from, L"Literal &#65;.url", "\xEF\xBB\xBF" + Shortcut("http://lit.example/?a&#65;"));
  PutFile(from, kLong + L"\\Deep \u0109.url", Shortcut("http://deep.example/"));
  // Characters the code page holds stay its bytes.
  PutFile(from, L"\u666E\u901A\\\u7B11\u8138 \U0001F600.url", Shortcut("http://gbk.example/"));
  PutFile(from, L"Dash \u2013 en.url", Shortcut("http://dash.example/"));

  const PageText page = Export(from);
  EXPECT_EQ(page.links, 7);
  for (const char* reference :
       {"MyDir=\"&#264;efpa&#285;o\"", "Esperanto &#265;iutage", "Face &#128512;", "Brand&#8482;",
        "Literal &#38;#65;", "http://smile.example/%F0%9F%98%80", "http://tm.example/%E2%84%A2",
        "http://lit.example/?a&#65;", "\xD0\xA6\xC1\xB3 &#128512;", "Dash \xA8\x43 en"}) {
    EXPECT_NE(page.bytes.find(reference), std::string::npos) << reference;
  }

  // The page kept beside the tests imports on Linux into the same names.
  std::string golden;
  files->ReadFile(CorePathFromNative(LINKSHELF_SOURCE_DIR) + "\\tests\\data\\names-page.htm",
                  golden);
  EXPECT_EQ(page.bytes, golden);

  const std::string to = Import(folder.path() + "To\\");
  // The page's own "Generated by" link comes in as a shortcut too.
  ASSERT_TRUE(DeleteFileW((Extended(to) + L"Linkshelf.url").c_str()));
  std::map<std::wstring, size_t> before, after;
  ListTree(Extended(from), L"", before);
  ListTree(Extended(to), L"", after);
  EXPECT_EQ(after, before);
  EXPECT_GT(Extended(to).size() - 4 + (kLong + L"\\Deep \u0109.url").size(), 300u);
  // The addresses too: the imported tree gives the same page.
  EXPECT_EQ(Export(to).bytes, page.bytes);
}

}  // namespace
}  // namespace linkshelf
