#include "app/settings_store.h"

#include <gtest/gtest.h>

#include "registry_fixture.h"

namespace linkshelf {
namespace {

constexpr char kFolder[] = "C:\\Tools\\";

class SettingsStoreTest : public RegistryTest {
 protected:
  void Store(const std::string& name, const std::string& text) {
    SetTextValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, name, text);
  }
  RawValue Stored(const std::string& name) {
    return GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, name);
  }
};

TEST_F(SettingsStoreTest, FirstReadCreatesTheKeyAndGivesTheDefaults) {
  const auto settings = ReadStoredSettings(*registry_, kFolder);
  ASSERT_TRUE(settings);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKeyPath));
  EXPECT_EQ(*settings, (StoredSettings{"C:\\Tools\\mybook.htm", "我的收藏夹列表", 1, false}));
}

TEST_F(SettingsStoreTest, StoredTextsAreTakenEvenWhenEmpty) {
  Store(kOutputFileNameValue, "");
  Store(kTitleValue, "");
  Store(kMethodValue, "2");
  Store(kOpenWithNotepadValue, "");
  const auto settings = ReadStoredSettings(*registry_, kFolder);
  ASSERT_TRUE(settings);
  EXPECT_EQ(*settings, (StoredSettings{"", "", 2, true}));
}

TEST_F(SettingsStoreTest, NotepadIsTickedByAnyTextButZero) {
  for (const auto& [text, ticked] :
       {std::pair{"0", false}, {"1", true}, {"yes", true}, {" 0", true}}) {
    Store(kOpenWithNotepadValue, text);
    EXPECT_EQ(ReadStoredSettings(*registry_, kFolder)->open_with_notepad, ticked) << text;
  }
}

TEST_F(SettingsStoreTest, MethodOutsideTheListIsKeptAsNoSelection) {
  Store(kMethodValue, "7");
  EXPECT_EQ(ReadStoredSettings(*registry_, kFolder)->method, 7);
  Store(kMethodValue, "-1");
  EXPECT_EQ(ReadStoredSettings(*registry_, kFolder)->method, -1);
}

TEST_F(SettingsStoreTest, MethodThatIsNotAWholeNumberReadsAsTheDefault) {
  for (const char* text : {"", "abc", "1.5", "2x", " 2", "99999999999", "+-1"}) {
    Store(kMethodValue, text);
    EXPECT_EQ(ReadStoredSettings(*registry_, kFolder)->method, 1) << '"' << text << '"';
  }
}

TEST_F(SettingsStoreTest, ValuesOfAnotherTypeReadAsMissing) {
  const DWORD number = 2;
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTitleValue, REG_DWORD, &number, sizeof number);
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kMethodValue, REG_DWORD, &number,
              sizeof number);
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOutputFileNameValue, REG_BINARY, "ab", 2);
  const auto settings = ReadStoredSettings(*registry_, kFolder);
  ASSERT_TRUE(settings);
  EXPECT_EQ(*settings, (StoredSettings{"C:\\Tools\\mybook.htm", "我的收藏夹列表", 1, false}));
}

TEST_F(SettingsStoreTest, ExpandableTextIsReadAsStoredAndEndsAtItsFirstZero) {
  const char expandable[] = "%TEMP%\\page.htm";
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOutputFileNameValue, REG_EXPAND_SZ, expandable,
              sizeof expandable);
  const char with_zero[] = "first\0second";
  SetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTitleValue, REG_SZ, with_zero,
              sizeof with_zero);
  const auto settings = ReadStoredSettings(*registry_, kFolder);
  EXPECT_EQ(settings->output_file_name, expandable);
  EXPECT_EQ(settings->title, "first");
}

TEST_F(SettingsStoreTest, WritesFourPlainStringsWithTheirZeroCounted) {
  WriteStoredSettings(*registry_, {"D:\\页面.htm", "标题", 2, true});
  const std::pair<const char*, std::string> expected[] = {{kOutputFileNameValue, "D:\\页面.htm"},
                                                          {kTitleValue, "标题"},
                                                          {kMethodValue, "2"},
                                                          {kOpenWithNotepadValue, "1"}};
  for (const auto& [name, text] : expected) {
    const RawValue value = Stored(name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(value.bytes, text + '\0') << name;
  }
}

TEST_F(SettingsStoreTest, NoSelectionIsWrittenAsMinusOneAndReadBackSo) {
  WriteStoredSettings(*registry_, {"p", "t", 7, false});
  EXPECT_EQ(Stored(kMethodValue).bytes, std::string("-1") + '\0');
  EXPECT_EQ(Stored(kOpenWithNotepadValue).bytes, std::string("0") + '\0');
  EXPECT_EQ(ReadStoredSettings(*registry_, kFolder)->method, -1);
}

TEST(SettingsStoreRefusals, UnopenableKeyGivesNothingAndWritesNothing) {
  RemoveProgramKeys();
  RefusingRegistry registry;
  registry.refused_hives.insert(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(ReadStoredSettings(registry, kFolder));
  WriteStoredSettings(registry, {"p", "t", 1, false});
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKeyPath));
}

TEST(SettingsStoreRefusals, RefusedValueIsPassedOverAndTheOthersAreWritten) {
  RemoveProgramKeys();
  RefusingRegistry registry;
  registry.refused_values.insert(kTitleValue);
  WriteStoredSettings(registry, {"page.htm", "title", 0, true});
  EXPECT_FALSE(GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTitleValue).exists);
  EXPECT_EQ(GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOutputFileNameValue).bytes,
            std::string("page.htm") + '\0');
  EXPECT_EQ(GetRawValue(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kOpenWithNotepadValue).bytes,
            std::string("1") + '\0');
  RemoveProgramKeys();
}

TEST(WholeNumber, AcceptsOnlyASignAndDigits) {
  EXPECT_EQ(ParseWholeNumber("0"), 0);
  EXPECT_EQ(ParseWholeNumber("-1"), -1);
  EXPECT_EQ(ParseWholeNumber("+2"), 2);
  EXPECT_EQ(ParseWholeNumber("007"), 7);
  for (const char* text : {"", "-", "+", "1 ", "0x1", "++2", "1e3"})
    EXPECT_FALSE(ParseWholeNumber(text)) << text;
}

}  // namespace
}  // namespace linkshelf
