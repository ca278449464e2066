#include "runtime/shortcut_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/system.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

TEST(FindShortcutEntry, FindsSectionAndKeyWithoutRegardToCase) {
  const std::string file =
      "[DEFAULT]\r\nBASEURL=http://base/\r\n"
      "[internetshortcut]\r\nIconIndex=1\r\nUrl = http://a.example/ \r\nURL=http://second/\r\n";
  EXPECT_EQ(FindShortcutEntry(file, "InternetShortcut", "URL"), "http://a.example/");
  EXPECT_EQ(FindShortcutEntry(file, "default", "baseurl"), "http://base/");
  EXPECT_EQ(FindShortcutEntry(file, "InternetShortcut", "IconFile"), "");
  // Header and entry as the first two lines, in every spelling a reader takes.
  for (const char* opening : {"[S]\r\nK=x", "[S]\nK=x\r\n", "[S]\rK=x\n", " [S ]\r\nK =x",
                              "[s]\r\nk=x", "[S]\r\n\tK= x \r\nK=y"}) {
    EXPECT_EQ(FindShortcutEntry(opening, "S", "K"), "x") << opening;
  }
  // A header line that goes on is no header of that name.
  EXPECT_EQ(FindShortcutEntry("[S]K=x\r\n", "S", "K"), "");
  EXPECT_EQ(FindShortcutEntry("[S]\r\nK=x", "S", "K "), "");
}

TEST(FindShortcutEntry, MissingPiecesGiveTheEmptyText) {
  EXPECT_EQ(FindShortcutEntry("", "InternetShortcut", "URL"), "");
  // The entry stands only in another section.
  EXPECT_EQ(FindShortcutEntry("[DEFAULT]\r\nURL=http://x/\r\n", "InternetShortcut", "URL"), "");
  // Entries before any header belong to no section.
  EXPECT_EQ(FindShortcutEntry("URL=http://x/\r\n[InternetShortcut]\r\n", "InternetShortcut", "URL"),
            "");
  // Only the first section of that name counts.
  EXPECT_EQ(FindShortcutEntry("[InternetShortcut]\r\n[InternetShortcut]\r\nURL=x\r\n",
                              "InternetShortcut", "URL"),
            "");
  // The first line with the key decides, even one without a value.
  EXPECT_EQ(FindShortcutEntry("[S]\r\nK\r\nK=x\r\n", "S", "K"), "");
}

TEST(FindShortcutEntry, RemovesEnclosingQuotesAndCutsLongValues) {
  EXPECT_EQ(FindShortcutEntry("[S]\nK=\"a b\"\n", "S", "K"), "a b");
  EXPECT_EQ(FindShortcutEntry("[S]\nK='a b'\n", "S", "K"), "a b");
  EXPECT_EQ(FindShortcutEntry("[S]\nK=\"a b'\n", "S", "K"), "\"a b'");
  EXPECT_EQ(FindShortcutEntry("[S]\nK=a=b\n", "S", "K"), "a=b");
  EXPECT_EQ(FindShortcutEntry("[S]\rK=lone CR\r", "S", "K"), "lone CR");

  const std::string address = "http://long.example/" + std::string(2980, 'a');
  const std::string value =
      FindShortcutEntry("[InternetShortcut]\r\nURL=" + address + "\r\n", "InternetShortcut", "URL");
  EXPECT_EQ(value, address.substr(0, 2047));
}

TEST(SetShortcutEntry, NewFileHoldsExactlyFourLines) {
  std::string file = SetShortcutEntry("", "DEFAULT", "BASEURL", "http://a/");
  file = SetShortcutEntry(file, "InternetShortcut", "URL", "http://a/");
  EXPECT_EQ(file, "[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://a/\r\n");
}

TEST(SetShortcutEntry, UpdatesInPlaceAndKeepsOtherLines) {
  const std::string file =
      "[InternetShortcut]\r\nurl=http://old/\r\nIconFile=C:\\x.ico\r\nIconIndex=3\r\n"
      "\r\n[Other]\r\nK=V\r\n";
  EXPECT_EQ(SetShortcutEntry(file, "internetshortcut", "URL", "http://new/"),
            "[InternetShortcut]\r\nurl=http://new/\r\nIconFile=C:\\x.ico\r\nIconIndex=3\r\n"
            "\r\n[Other]\r\nK=V\r\n");
  // A missing key follows the section's last entry, before the blank line.
  EXPECT_EQ(
      SetShortcutEntry(file, "InternetShortcut", "HotKey", "0"),
      "[InternetShortcut]\r\nurl=http://old/\r\nIconFile=C:\\x.ico\r\nIconIndex=3\r\nHotKey=0\r\n"
      "\r\n[Other]\r\nK=V\r\n");
  // A missing section goes at the end, after a line end the file lacked.
  EXPECT_EQ(SetShortcutEntry("[A]\nK=V", "DEFAULT", "BASEURL", "u"),
            "[A]\nK=V\r\n[DEFAULT]\r\nBASEURL=u\r\n");
  EXPECT_EQ(SetShortcutEntry("[A]", "A", "K", "V"), "[A]\r\nK=V\r\n");
}

TEST(SetShortcutEntry, ValueCannotStartANewLine) {
  const std::string file = SetShortcutEntry("", "S", "K", "a\r\n[Evil]\r\nX=1");
  EXPECT_EQ(file, "[S]\r\nK=a[Evil]X=1\r\n");
  EXPECT_EQ(FindShortcutEntry(file, "Evil", "X"), "");
}

TEST(ShortcutEntryFile, WritesAndReadsThroughTheFileLayer) {
  TempFolder folder;
  auto files = MakeSystemFileSystem();
  const std::string path = folder.path() + "Link.url";
  EXPECT_EQ(ReadShortcutEntry(*files, path, "InternetShortcut", "URL"), "");
  ASSERT_TRUE(WriteShortcutEntry(*files, path, "DEFAULT", "BASEURL", "http://a/"));
  ASSERT_TRUE(WriteShortcutEntry(*files, path, "InternetShortcut", "URL", "http://a/"));
  ASSERT_TRUE(WriteShortcutEntry(*files, path, "InternetShortcut", "URL", "http://b/"));
  EXPECT_EQ(ReadShortcutEntry(*files, path, "InternetShortcut", "URL"), "http://b/");
  std::string bytes;
  ASSERT_TRUE(files->ReadFile(path, bytes));
  EXPECT_EQ(bytes, "[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://b/\r\n");
  // No temporary file is left beside the shortcut.
  EXPECT_EQ(files->FindEntries(folder.path() + "*.tmp").size(), 0u);

  const FileStatus failed =
      WriteShortcutEntry(*files, folder.path() + "missing\\x.url", "S", "K", "V");
  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.reason, "Unable to write to " + folder.path() + "missing\\x.url");
}

}  // namespace
}  // namespace linkshelf
