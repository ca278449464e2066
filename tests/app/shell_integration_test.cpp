#include "app/shell_integration.h"

#include <gtest/gtest.h>

#include "registry_fixture.h"

namespace linkshelf {
namespace {

const std::string kVerbCommandPath = std::string(kFolderVerbKeyPath) + "\\command";
const std::string kUserVerbPath = std::string(kUserClassesKeyPath) + kFolderVerbKeyPath;
constexpr char kProgram[] = "C:\\Program Files\\Link Shelf\\linkshelf.exe";

class FolderVerbTest : public RegistryTest {};

TEST_F(FolderVerbTest, WritesCaptionAndUnquotedPathWithQuotedPlaceholder) {
  RegisterFolderVerb(*registry_, kProgram);
  EXPECT_EQ(GetRawValue(HKEY_CLASSES_ROOT, kFolderVerbKeyPath, "").bytes,
            std::string("Open with Linkshelf") + '\0');
  const RawValue command = GetRawValue(HKEY_CLASSES_ROOT, kVerbCommandPath, "");
  EXPECT_EQ(command.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(command.bytes,
            std::string("C:\\Program Files\\Link Shelf\\linkshelf.exe \"%1\"") + '\0');
}

TEST_F(FolderVerbTest, OverwritesWhateverStandsThereOnEveryStart) {
  SetTextValue(HKEY_CLASSES_ROOT, kVerbCommandPath, "", "old.exe %1");
  RegisterFolderVerb(*registry_, "D:\\Tools\\app.exe");
  EXPECT_EQ(GetRawValue(HKEY_CLASSES_ROOT, kVerbCommandPath, "").bytes,
            std::string("D:\\Tools\\app.exe \"%1\"") + '\0');
}

TEST_F(FolderVerbTest, RefusedMachineClassesFallBackToTheUsersClasses) {
  RefusingRegistry refusing;
  refusing.write_refused_hives.insert(HKEY_CLASSES_ROOT);
  RegisterFolderVerb(refusing, kProgram);
  EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kUserVerbPath, "").bytes,
            std::string("Open with Linkshelf") + '\0');
  EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kUserVerbPath + "\\command", "").bytes,
            std::string(kProgram) + " \"%1\"" + '\0');
}

TEST_F(FolderVerbTest, BothClassesRefusedIsPassedOverInSilence) {
  RefusingRegistry refusing;
  refusing.refused_hives = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER};
  RegisterFolderVerb(refusing, kProgram);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kFolderVerbKeyPath));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserVerbPath));
}

class ShellFolderTest : public RegistryTest {};

TEST_F(ShellFolderTest, FavoritesGainsABackslashAndAMissingValueGivesOneAlone) {
  // A probe value of its own leaves the prefix's real Favorites entry alone.
  SetTextValue(HKEY_CURRENT_USER, kShellFoldersKeyPath, "LinkshelfProbe", "D:\\Profile\\Favorites");
  EXPECT_EQ(GetShellFolder(*registry_, ShellFolderHive::kCurrentUser, "LinkshelfProbe"),
            "D:\\Profile\\Favorites\\");
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKeyPath, 0, KEY_ALL_ACCESS, &key);
  RegDeleteValueA(key, "LinkshelfProbe");
  RegCloseKey(key);
  EXPECT_EQ(GetShellFolder(*registry_, ShellFolderHive::kCurrentUser, "LinkshelfProbe"), "\\");
}

TEST_F(ShellFolderTest, UnopenableKeyGivesTheEmptyText) {
  RefusingRegistry refusing;
  refusing.refused_hives.insert(HKEY_CURRENT_USER);
  EXPECT_EQ(GetShellFolder(refusing, ShellFolderHive::kCurrentUser, "Favorites"), "");
  refusing.refused_hives.insert(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(GetShellFolder(refusing, ShellFolderHive::kMachine, "Favorites"), "");
}

}  // namespace
}  // namespace linkshelf
