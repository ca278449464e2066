// The rules that turn a link of the page into a shortcut's place and target.
#include <gtest/gtest.h>

#include "import/attribute_value.h"
#include "import/link_place.h"
#include "import/link_target.h"
#include "import/page_bytes.h"
#include "import/shortcut_name.h"
#include "import/shortcut_writing.h"
#include "runtime/shortcut_entry.h"
#include "runtime/text.h"

namespace linkshelf {
namespace {

TEST(PageText, LinesAreJoinedWithNothingBetweenThem) {
  EXPECT_EQ(JoinPageLines("<a\r\nhref=x>\nN\rM</a>\r\n"), "<ahref=x>NM</a>");
  EXPECT_EQ(JoinPageLines(std::string("kept\x1A"
                                      "dropped",
                                      12)),
            "kept");
  // Bytes that are no valid character stay as they are.
  EXPECT_EQ(JoinPageLines("\xB9\x5C\xFF\x80"), "\xB9\x5C\xFF\x80");
}

// A new shortcut's text is formed in one go; it must equal what setting both
// targets gives, or a re-import would count a shortcut as changed.
TEST(ShortcutText, NewTextIsBothTargetsSetInAnEmptyText) {
  for (const std::string url : {"http://a/", "", "a\r\n[Evil]\r\nX=1", "[x]=y;z", "\n"}) {
    const std::string set = SetShortcutEntry(SetShortcutEntry("", "DEFAULT", "BASEURL", url),
                                             "InternetShortcut", "URL", url);
    EXPECT_EQ(NewShortcutText(url), set) << url;
  }
}

TEST(AttributeValues, ValueAfterTheFirstQuoteOrEquals) {
  EXPECT_EQ(ExtractAttrValue("href=\"x y\""), "x y");
  EXPECT_EQ(ExtractAttrValue("href=x"), "x");
  EXPECT_EQ(ExtractAttrValue("MyDir=\"News\""), "News");
  EXPECT_EQ(ExtractAttrValue("href='x'"), "'x'");
  EXPECT_EQ(ExtractAttrValue("href"), "href");
  EXPECT_EQ(ExtractAttrValue("href=\" a=b \""), "a=b");
  // Text after the closing quote stays part of the value.
  EXPECT_EQ(ExtractAttrValue("href=\"a\"b "), "ab");
  EXPECT_EQ(ExtractAttrValue("href=\" a\" "), "a");
}

TEST(AttributeValues, AttributesAreKnownByTheirNameOnly) {
  EXPECT_EQ(AttributeName("HREF=\"x\""), "href");
  EXPECT_EQ(AttributeName(" MyDir =x"), "mydir");
  EXPECT_EQ(AttributeName("MyDir=\"ahref\""), "mydir");
  EXPECT_EQ(AttributeName("ahref=\"x\""), "ahref");
  EXPECT_EQ(AttributeName("href"), "href");
}

TEST(ShortcutNames, ExtensionIsReplacedByUrl) {
  EXPECT_EQ(ShortcutFileName("Example.com"), "Example.url");
  EXPECT_EQ(ShortcutFileName("a.b.c"), "a.b.url");
  EXPECT_EQ(ShortcutFileName("News"), "News.url");
  EXPECT_EQ(ShortcutFileName(" News"), " News.url");
  EXPECT_EQ(ShortcutFileName("v1.2\\Notes"), "v1.2\\Notes.url");
  EXPECT_EQ(ShortcutFileName("http://x.org:8080"), "http://x.org:8080.url");
}

TEST(ShortcutNames, IllegalBytesBecomeUnderscores) {
  EXPECT_EQ(MakeLegalName("a/b*c?d\"e<f>g|h:i"), "a_b_c_d_e_f_g_h_i");
  EXPECT_EQ(MakeLegalName("tab\there"), "tab_here");
  EXPECT_EQ(MakeLegalName("end. ."), "end___");
  EXPECT_EQ(MakeLegalName("."), "_");
  EXPECT_EQ(MakeLegalName("ok.url"), "ok.url");
  EXPECT_EQ(MakeLegalName("新闻 网.url"), "新闻 网.url");
  // A trail byte that looks like a dot or a mark belongs to its character.
  const bool lead = IsLeadByte(0x81);
  EXPECT_EQ(MakeLegalName("a\x81."), lead ? "a\x81." : "a\x81_");
  EXPECT_EQ(MakeLegalName("a\x81|"), lead ? "a\x81|" : "a\x81_");
}

TEST(ShortcutNames, ReservedDeviceNamesGetAPrefix) {
  EXPECT_EQ(MakeLegalName("CON"), "_CON");
  EXPECT_EQ(MakeLegalName("nul.url"), "_nul.url");
  EXPECT_EQ(MakeLegalName("Com1.url"), "_Com1.url");
  EXPECT_EQ(MakeLegalName("LPT9"), "_LPT9");
  EXPECT_EQ(MakeLegalName("aux .txt"), "_aux .txt");
  EXPECT_EQ(MakeLegalName("COM0.url"), "COM0.url");
  EXPECT_EQ(MakeLegalName("CONSOLE.url"), "CONSOLE.url");
  EXPECT_EQ(MakeLegalName("LPT10"), "LPT10");
}

TEST(LinkPlaces, FoldersFromAttributesAndLinkText) {
  LinkPlace place = PlaceLink({}, "Name");
  EXPECT_TRUE(place.ok());
  EXPECT_EQ(place.folder, "");
  EXPECT_EQ(place.file_name, "Name.url");

  place = PlaceLink({"A\\B"}, "Name");
  EXPECT_EQ(place.folder, "A\\B\\");
  place = PlaceLink({"A", "B"}, "Sub\\N.htm");
  EXPECT_EQ(place.folder, "A\\B\\Sub\\");
  EXPECT_EQ(place.file_name, "N.url");
  // Empty levels add nothing; names are made legal level by level.
  place = PlaceLink({"", "A\\\\B."}, "CON");
  EXPECT_EQ(place.folder, "A\\B_\\");
  EXPECT_EQ(place.file_name, "_CON.url");
  // A link-only page names its links by their addresses.
  place = PlaceLink({}, "http://example.com/a.html");
  EXPECT_EQ(place.folder, "");
  EXPECT_EQ(place.file_name, "http___example.com_a.url");
}

TEST(LinkPlaces, PathsThatWouldLeaveTheRootAreRefused) {
  for (const auto& folders : std::vector<std::vector<std::string>>{{".."},
                                                                   {"A\\..\\.."},
                                                                   {"A", ".."},
                                                                   {"\\Windows"},
                                                                   {"\\\\host\\share"},
                                                                   {"\\\\?\\C:\\x"},
                                                                   {"C:\\Users"},
                                                                   {"c:x"}}) {
    EXPECT_FALSE(PlaceLink(folders, "N").ok()) << folders.back();
  }
  EXPECT_FALSE(PlaceLink({}, "..\\..\\Startup\\evil").ok());
  EXPECT_FALSE(PlaceLink({"A"}, "\\evil").ok());
  EXPECT_FALSE(PlaceLink({}, "D:evil").ok());
  // Dots that do not climb are plain names.
  EXPECT_TRUE(PlaceLink({"...", ". ."}, "..x").ok());
}

TEST(LinkPlaces, JoinedPathMustStayBelowTheRoot) {
  EXPECT_EQ(RootFolder("C:\\Fav"), "C:\\Fav\\");
  EXPECT_EQ(RootFolder("C:\\Fav\\"), "C:\\Fav\\");
  EXPECT_EQ(RootFolder(""), "");
  EXPECT_TRUE(StaysInsideRoot("C:\\Fav\\", "C:\\Fav\\A\\N.url"));
  EXPECT_FALSE(StaysInsideRoot("C:\\Fav\\", "C:\\Fav\\..\\N.url"));
  EXPECT_FALSE(StaysInsideRoot("C:\\Fav\\", "C:\\Fav\\\\N.url"));
  EXPECT_FALSE(StaysInsideRoot("C:\\Fav\\", "C:\\Fav\\A:b\\N.url"));
  EXPECT_FALSE(StaysInsideRoot("C:\\Fav\\", "C:\\Favorites\\N.url"));
  EXPECT_FALSE(StaysInsideRoot("", "N.url"));
}

TEST(LinkTargets, RemoteFilesAndControlBytesAreRefused) {
  for (const char* target : {"\\\\host\\share\\x.exe", "//host/share", "file://host/share/x",
                             "FILE://Host/x", "file:////host/share", "file:\\\\host\\share",
                             "file://localhost//host/share", "http://x/\r\n[evil]", "a\tb"}) {
    EXPECT_NE(TargetRefusal(target), "") << target;
  }
  for (const char* target : {"http://example.com/", "", "javascript:alert(1)", "file:///C:/x.htm",
                             "file://localhost/C:/x", "file://C:/x", "file:C:\\x.txt", "mailto:a@b",
                             "C:\\local\\file.htm"}) {
    EXPECT_EQ(TargetRefusal(target), "") << target;
  }
}

#ifdef _WIN32
// In the GBK code page the second byte of 乗 (81 5C) is a backslash and that
// of 亅 (81 7C) a bar: neither separates levels nor counts as illegal.
TEST(DoubleByteNames, TrailBytesAreNeverSeparatorsOrIllegal) {
  EXPECT_EQ(ShortcutFileName("x.\x81\x5C"), "x.url");
  EXPECT_EQ(ShortcutFileName("x\x81\x5C"), "x\x81\x5C.url");
  EXPECT_EQ(MakeLegalName("\x81\x7C"), "\x81\x7C");
  const LinkPlace place = PlaceLink({"A\x81\x5C"}, "B\x81\x5C");
  EXPECT_EQ(place.folder, "A\x81\x5C\\");
  EXPECT_EQ(place.file_name, "B\x81\x5C.url");
  EXPECT_EQ(RootFolder("C:\\\x81\x5C"), "C:\\\x81\x5C\\");
}
#endif

}  // namespace
}  // namespace linkshelf
