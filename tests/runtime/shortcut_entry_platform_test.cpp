// The shortcut reading must agree with the platform's own profile functions,
// which other programs use on the same files.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "runtime/shortcut_entry.h"
#include "runtime/system.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

std::string PlatformEntry(const std::string& path, const char* section, const char* key) {
  char buffer[2048];
  const DWORD length =
      GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path.c_str());
  return std::string(buffer, length);
}

TEST(ShortcutEntryOnWindows, ReadsAsThePlatformDoes) {
  TempFolder folder;
  auto files = MakeSystemFileSystem();
  const std::string long_address = "http://long.example/" + std::string(2980, 'a');
  const std::string samples[] = {
      "[InternetShortcut]\r\nURL=http://a.example/\r\n",
      "[internetshortcut]\r\nIconIndex=1\r\nurl = http://b.example/ \r\n",
      "[DEFAULT]\r\nURL=http://default/\r\n",
      "[InternetShortcut]\r\nURL=\"http://quoted/\"\r\n",
      "[InternetShortcut]\r\nURL='http://single/'\r\n",
      "[InternetShortcut]\r\nURL=a=b|c\\d\r\n",
      "[InternetShortcut]\r\nURL=" + long_address + "\r\n",
      "",
      "[InternetShortcut]\r\n",
  };
  int n = 0;
  for (const std::string& sample : samples) {
    const std::string path = folder.path() + "s" + std::to_string(n++) + ".url";
    ASSERT_TRUE(files->WriteNewFile(path, sample));
    EXPECT_EQ(ReadShortcutEntry(*files, path, "InternetShortcut", "URL"),
              PlatformEntry(path, "InternetShortcut", "URL"))
        << sample.substr(0, 80);
  }
}

TEST(ShortcutEntryOnWindows, WrittenFileReadsBackThroughThePlatform) {
  TempFolder folder;
  auto files = MakeSystemFileSystem();
  const std::string path = folder.path() + "new.url";
  ASSERT_TRUE(WriteShortcutEntry(*files, path, "DEFAULT", "BASEURL", "http://x/"));
  ASSERT_TRUE(WriteShortcutEntry(*files, path, "InternetShortcut", "URL", "http://x/"));
  EXPECT_EQ(PlatformEntry(path, "DEFAULT", "BASEURL"), "http://x/");
  EXPECT_EQ(PlatformEntry(path, "InternetShortcut", "URL"), "http://x/");
}

}  // namespace
}  // namespace linkshelf
#endif
