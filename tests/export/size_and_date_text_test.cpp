#include <gtest/gtest.h>

#include "export/date_text.h"
#include "export/file_texts.h"
#include "export/number_text.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

namespace linkshelf {
namespace {

RegionalSettings Designators(std::string am, std::string pm) {
  RegionalSettings regional;
  regional.morning_designator = std::move(am);
  regional.afternoon_designator = std::move(pm);
  return regional;
}

TEST(NumberText, GroupsThousands) {
  const RegionalSettings regional;
  EXPECT_EQ(GroupedWholeNumberText(std::int64_t{0}, regional), "0");
  EXPECT_EQ(GroupedWholeNumberText(std::int64_t{999}, regional), "999");
  EXPECT_EQ(GroupedWholeNumberText(std::int64_t{1234}, regional), "1,234");
  EXPECT_EQ(GroupedWholeNumberText(std::int64_t{1234567}, regional), "1,234,567");
  EXPECT_EQ(GroupedWholeNumberText(std::int64_t{-1234}, regional), "-1,234");
  EXPECT_EQ(GroupedWholeNumberText(12.49, regional), "12");
  EXPECT_EQ(GroupedWholeNumberText(999.5, regional), "1,000");
  EXPECT_EQ(GroupedTwoDecimalsText(12345.6, regional), "12,345.60");
  EXPECT_EQ(GroupedTwoDecimalsText(0.004, regional), "0.00");
  EXPECT_EQ(GroupedTwoDecimalsText(999.999, regional), "1,000.00");

  const RegionalSettings german{.thousands_separator = ".", .decimal_separator = ","};
  EXPECT_EQ(GroupedTwoDecimalsText(1234.5, german), "1.234,50");
}

TEST(DateText, PatternOfTheReplaceQuestion) {
  const RegionalSettings regional = Designators("AM", "PM");
  const char* pattern = "mm/dd/yyyy hh:mm:ss AMPM";
  EXPECT_EQ(FormatDateTime(pattern, {2026, 12, 3, 22, 7, 4}, regional), "12/03/2026 10:07:04 PM");
  // The twelve-hour clock at its edges.
  EXPECT_EQ(FormatDateTime(pattern, {2026, 1, 9, 0, 30, 0}, regional), "01/09/2026 12:30:00 AM");
  EXPECT_EQ(FormatDateTime(pattern, {2026, 1, 9, 12, 30, 0}, regional), "01/09/2026 12:30:00 PM");
  EXPECT_EQ(FormatDateTime(pattern, {2026, 1, 9, 11, 59, 59}, regional), "01/09/2026 11:59:59 AM");

  RegionalSettings dotted = regional;
  dotted.date_separator = std::string(1, '-');
  dotted.time_separator = std::string(1, '.');
  EXPECT_EQ(FormatDateTime(pattern, {2026, 12, 3, 22, 7, 4}, dotted), "12-03-2026 10.07.04 PM");
}

TEST(DateText, TokensOfThePatternLanguage) {
  const RegionalSettings regional = Designators("am", "pm");
  const LocalTime moment{2007, 3, 4, 15, 6, 8};
  // Without a designator the hour stays on the 24-hour clock.
  EXPECT_EQ(FormatDateTime("h:nn:ss", moment, regional), "15:06:08");
  EXPECT_EQ(FormatDateTime("d/m/yy", moment, regional), "4/3/07");
  // "m" after an hour means minutes, whatever stands between.
  EXPECT_EQ(FormatDateTime("hh 'at' m", moment, regional), "15 at 6");
  EXPECT_EQ(FormatDateTime("H:MM AM/PM", moment, regional), "3:06 PM");
  EXPECT_EQ(FormatDateTime("h a/p", moment, regional), "3 p");
  EXPECT_EQ(FormatDateTime("AMPM h", moment, regional), "pm 15");
  EXPECT_EQ(FormatDateTime("\"d/m\" yyyy", moment, regional), "d/m 2007");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd \"unclosed", moment, regional), "2007-03-04 unclosed");
}

TEST(DateText, DateTimeTextOfAMoment) {
  const RegionalSettings regional = Designators("AM", "PM");
  EXPECT_EQ(DateTimeText({2026, 12, 3, 22, 7, 5}, regional), "12/3/26 10:07:05 PM");
  EXPECT_EQ(DateTimeText({2026, 12, 3, 0, 0, 0}, regional), "12/3/26");
  EXPECT_EQ(DateTimeText({2026, 12, 3, 0, 0, 1}, regional), "12/3/26 12:00:01 AM");

  RegionalSettings chinese = regional;
  chinese.short_date_format = "yyyy/M/d";
  chinese.long_time_format = "AMPM h:mm:ss";
  chinese.morning_designator = "上午";
  chinese.afternoon_designator = "下午";
  // The hour looks only ahead for its designator: one in front leaves the
  // 24-hour clock, as pages made on such systems have always shown it.
  EXPECT_EQ(DateTimeText({2026, 12, 3, 22, 7, 5}, chinese), "2026/12/3 下午 22:07:05");
}

TEST(FileTexts, SizesByKind) {
  MemoryFileSystem files;
  const RegionalSettings regional;
  files.PutFile("C:\\empty", "");
  files.PutFile("C:\\small", std::string(1023, 'x'));
  files.PutFile("C:\\page", std::string(12345, 'x'));
  files.PutFile("C:\\mega", std::string(1048576, 'x'));
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kBytes, "C:\\empty", regional), "0");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kKilobytes, "C:\\small", regional), "1");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kKilobytesWithDecimals, "C:\\small", regional),
            "1");  // 1.00 without its zeros
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kBytes, "C:\\page", regional), "12,345");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kKilobytes, "C:\\page", regional), "12");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kKilobytesWithDecimals, "C:\\page", regional),
            "12.06");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kMegabytes, "C:\\page", regional), "0");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kMegabytes, "C:\\mega", regional), "1");
  EXPECT_EQ(FileSizeText(files, FileSizeKind{4}, "C:\\page", regional), "");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kBytes, "C:\\missing", regional), "");

  // A thousands separator that is a dot must not be taken for decimals.
  const RegionalSettings german{.thousands_separator = ".", .decimal_separator = ","};
  files.PutFile("C:\\thousand", std::string(1000, 'x'));
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kBytes, "C:\\thousand", german), "1.000");
  EXPECT_EQ(FileSizeText(files, FileSizeKind::kKilobytesWithDecimals, "C:\\mega", german), "1.024");
}

TEST(FileTexts, DatesInTwoSecondSteps) {
  MemoryFileSystem memory;
  FaultyFileSystem files(memory);
  const RegionalSettings regional = Designators("AM", "PM");
  memory.PutFile("C:\\page", "");
  memory.SetLastWriteTime("C:\\page", LocalTime{2026, 12, 3, 22, 7, 5});
  EXPECT_EQ(
      FileDateText(files, FileDateKind::kPattern, "C:\\page", "mm/dd/yyyy hh:mm:ss AMPM", regional),
      "12/03/2026 10:07:04 PM");
  const std::int32_t packed = PackedFileDate(files, "C:\\page");
  EXPECT_EQ(FileDateText(files, FileDateKind::kPacked, "C:\\page", "", regional),
            std::to_string(packed));
  EXPECT_EQ(UnpackFileDate(packed), (LocalTime{2026, 12, 3, 22, 7, 4}));

  // Dates the packed form cannot hold, and unreadable files, give no date text.
  memory.PutFile("C:\\old", "");
  memory.SetLastWriteTime("C:\\old", LocalTime{1979, 12, 31, 23, 59, 59});
  memory.PutFile("C:\\late", "");
  memory.SetLastWriteTime("C:\\late", LocalTime{2108, 1, 1, 0, 0, 0});
  memory.PutFile("C:\\held", "");
  files.MakeUnreadable("C:\\held");
  for (const char* path : {"C:\\old", "C:\\late", "C:\\held", "C:\\missing"}) {
    EXPECT_EQ(FileDateText(files, FileDateKind::kPattern, path, "mm/dd/yyyy", regional), "")
        << path;
    EXPECT_EQ(FileDateText(files, FileDateKind::kPacked, path, "", regional), "-1") << path;
  }
  memory.PutFile("C:\\first", "");
  memory.SetLastWriteTime("C:\\first", LocalTime{1980, 1, 1, 0, 0, 0});
  EXPECT_EQ(
      FileDateText(files, FileDateKind::kPattern, "C:\\first", "yyyy/mm/dd hh:nn:ss", regional),
      "1980/01/01 00:00:00");
}

}  // namespace
}  // namespace linkshelf
