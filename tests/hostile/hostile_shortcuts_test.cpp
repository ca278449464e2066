// Shortcut files from anywhere, exported on the real file layer: empty, huge,
// binary, overlong or full of markup, every one still gives a link, and no
// address can put markup into the page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "export/export_bookmark_page.h"
#include "export/page_header.h"
#include "runtime/system.h"
#include "tests/hostile/held_file.h"
#include "tests/support/prompters.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

class HostileShortcutTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& bytes) {
    fs::create_directories((temp_.native() / "Fav" / name).parent_path());
    std::ofstream(temp_.native() / "Fav" / name, std::ios::binary) << bytes;
  }
  ExportResult Export() {
    const std::unique_ptr<Collation> collation = MakeSystemCollation();
    const RegionalSettings regional;
    ExportEnvironment environment{*files_, *collation, regional,
                                  [] { return LocalTime{2026, 12, 8, 15, 4, 5}; }};
    ExportRequest request;
    request.root = temp_.path() + "Fav\\";
    request.page_path = temp_.path() + "page.htm";
    request.title = "Hostile";
    request.header_template = HeaderTemplateLines();
    request.open_page = false;
    ScriptedExportPrompter prompter;
    return ExportBookmarkPage(request, environment, prompter);
  }
  std::string Page() const {
    std::ifstream in(temp_.native() / "page.htm", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  TempFolder temp_;
};

TEST_F(HostileShortcutTest, EmptyHugeBinaryAndOverlongShortcutsEachGiveOneLink) {
  Put("empty.url", "");
  std::string huge(12 * 1024 * 1024, 'x');
  for (size_t i = 80; i < huge.size(); i += 81) huge[i] = '\n';
  Put("huge.url", huge + "\r\n[InternetShortcut]\r\nURL=https://huge.example/\r\n");
  std::mt19937 random(7);
  std::string binary(4096, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  Put("binary.url", binary + "\n[InternetShortcut]\nURL=https://binary.example/\0tail\n");
  Put("long.url",
      "[InternetShortcut]\r\nURL=https://long.example/" + std::string(3000, 'a') + "\r\n");

  const ExportResult result = Export();
  ASSERT_EQ(result.outcome, ExportOutcome::kWritten) << result.reason;
  EXPECT_EQ(result.links, 4);
  const std::string page = Page();
  EXPECT_NE(page.find(">empty</a>"), std::string::npos);
  // A file over a mebibyte is no shortcut: named as unread, not read into memory.
  EXPECT_EQ(page.find("https://huge.example/"), std::string::npos);
  ASSERT_EQ(result.unread.size(), 1u);
  EXPECT_TRUE(result.unread[0].path.ends_with("huge.url"));
  // The address is cut to 2,047 bytes as it is read.
  const std::string long_address = "https://long.example/" + std::string(2047 - 21, 'a');
  EXPECT_NE(page.find("href=\"" + long_address + "\""), std::string::npos);
}

TEST_F(HostileShortcutTest, MarkupInAnAddressStaysInsideItsAttribute) {
  Put("breakout.url", "[InternetShortcut]\r\nURL=\"><script>alert(1)</script><a href=\"x\r\n");
  Put("quoted.url", "[InternetShortcut]\r\nURL=https://x.example/?a=\"b\"&c=<d>\r\n");
  ASSERT_EQ(Export().outcome, ExportOutcome::kWritten);
  const std::string page = Page();
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("https://x.example/?a=%22b%22&c=%3Cd%3E"), std::string::npos);
  // Every anchor's address runs from its opening quote to the closing one.
  size_t anchors = 0;
  for (size_t at = page.find("<a "); at != std::string::npos; at = page.find("<a ", at + 1))
    ++anchors;
  EXPECT_EQ(anchors, 3u);  // the two links and the generated-by line
}

#ifdef _WIN32
TEST_F(HostileShortcutTest, AShortcutHeldOpenStillCountsAndAHeldPageIsReported) {
  Put("held.url", "[InternetShortcut]\r\nURL=https://held.example/\r\n");
  Put("free.url", "[InternetShortcut]\r\nURL=https://free.example/\r\n");
  {
    HeldFile held(temp_.native() / "Fav" / "held.url");
    ASSERT_TRUE(held.held());
    const ExportResult result = Export();
    ASSERT_EQ(result.outcome, ExportOutcome::kWritten);
    EXPECT_EQ(result.links, 2);
  }
  std::ofstream(temp_.native() / "page.htm", std::ios::binary) << "old page";
  HeldFile page(temp_.native() / "page.htm");
  ASSERT_TRUE(page.held());
  const ExportResult result = Export();
  EXPECT_EQ(result.outcome, ExportOutcome::kFailed);
  EXPECT_EQ(result.message, "Cannot create file " + temp_.path() + "page.htm");
}
#endif

}  // namespace
}  // namespace linkshelf
