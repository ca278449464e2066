// What the POSIX file layer does beyond what every layer promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/file_operations.h"
#include "runtime/file_system.h"
#include "runtime/text.h"
#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;

std::string ReadNative(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Replacements that wait keep every file's old content until they are
// finished, over two folders; one whose file became a folder meanwhile is
// named with why, keeps the folder as it is, and leaves no temporary.
TEST(PosixFileSystemTest, WaitingReplacementsTakeTheirPlacesOnlyWhenFinished) {
  TempFolder temp;
  const std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  for (const char* name : {"a\\1.url", "a\\2.url", "b\\3.url"}) {
    ASSERT_TRUE(CreateMissingFolders(*files, FolderPart(temp.path() + name)));
    ASSERT_TRUE(files->WriteNewFile(temp.path() + name, "old"));
  }
  fs::permissions(temp.native() / "a" / "2.url", fs::perms::owner_read | fs::perms::owner_write);
  for (const char* name : {"a\\1.url", "a\\2.url", "b\\3.url"})
    ASSERT_TRUE(files->ReplaceWholeFileLater(temp.path() + name, std::string("new ") + name));
  EXPECT_EQ(ReadNative(temp.native() / "a" / "1.url"), "old");
  EXPECT_EQ(ReadNative(temp.native() / "b" / "3.url"), "old");
  fs::remove(temp.native() / "b" / "3.url");
  fs::create_directory(temp.native() / "b" / "3.url");

  const std::vector<FileFailure> failures = files->FinishReplacements();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].path, temp.path() + "b\\3.url");
  EXPECT_FALSE(failures[0].reason.empty());
  EXPECT_EQ(ReadNative(temp.native() / "a" / "1.url"), "new a\\1.url");
  EXPECT_EQ(ReadNative(temp.native() / "a" / "2.url"), "new a\\2.url");
  EXPECT_EQ(fs::status(temp.native() / "a" / "2.url").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(fs::is_directory(temp.native() / "b" / "3.url"));
  size_t entries = 0;
  for (const auto& entry : fs::recursive_directory_iterator(temp.native())) {
    EXPECT_EQ(entry.path().filename().string().find("~linkshelf-"), std::string::npos);
    ++entries;
  }
  EXPECT_EQ(entries, 5u);  // a, a/1.url, a/2.url, b, b/3.url
  EXPECT_TRUE(files->FinishReplacements().empty());
}

}  // namespace
}  // namespace linkshelf
