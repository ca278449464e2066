// A moment of the local clock, as the date and time texts need it.
#pragma once

namespace linkshelf {

struct LocalTime {
  int year = 1980;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;   // 0 to 23
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

}  // namespace linkshelf
