// Dates and times as text, in the pattern language of the replace question and
// of the regional date and time formats.
#pragma once

#include <string>
#include <string_view>

#include "runtime/local_time.h"
#include "runtime/regional_settings.h"

namespace linkshelf {

// The moment written by `pattern`, read left to right, letters without regard
// to case:
//   d dd      day of the month, without / with a leading zero
//   m mm      month; minutes when the letter token before it was an hour
//   n nn      minutes
//   yy yyyy   year in two / four digits
//   h hh      hour; on the 12-hour clock when the first "a" after it (before
//             another hour) begins AMPM, AM/PM or A/P
//   s ss      seconds
//   AMPM      the morning or afternoon designator
//   AM/PM A/P "AM"/"PM" or "A"/"P", in the case written
//   / :       the date and the time separator
//   '...' "..." the text itself; any other byte stands for itself.
std::string FormatDateTime(std::string_view pattern, const LocalTime& moment,
                           const RegionalSettings& regional);

// The date-time text of a moment: the short date, then a blank and the long
// time unless the moment is exactly midnight.
std::string DateTimeText(const LocalTime& moment, const RegionalSettings& regional);

}  // namespace linkshelf
