// Separators, formats and designators of the user's regional settings, read once
// when the program starts. The defaults are those used when the locale supplies
// nothing, and on POSIX.
#pragma once

#include <string>

namespace linkshelf {

struct RegionalSettings {
  std::string thousands_separator = ",";
  std::string decimal_separator = ".";
  std::string date_separator = "/";
  std::string time_separator = ":";
  std::string short_date_format = "m/d/yy";
  std::string long_time_format = "h:mm:ss AMPM";
  std::string morning_designator = "am";
  std::string afternoon_designator = "pm";
};

}  // namespace linkshelf
