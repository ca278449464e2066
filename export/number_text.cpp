#include "export/number_text.h"

#include <cmath>
#include <cstdio>

namespace linkshelf {
namespace {

// The digits of a magnitude with the thousands separator between groups of three.
std::string GroupDigits(const std::string& digits, const RegionalSettings& regional) {
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3 * regional.thousands_separator.size());
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += regional.thousands_separator;
    grouped += digits[i];
  }
  return grouped;
}

// Whole numbers beyond this have no exact double; they are written in full
// digits all the same.
std::string WholeDigits(double magnitude) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
  return buffer;
}

}  // namespace

std::string GroupedWholeNumberText(double value, const RegionalSettings& regional) {
  if (!std::isfinite(value)) return "0";
  const double rounded = std::round(value);
  const std::string grouped = GroupDigits(WholeDigits(std::fabs(rounded)), regional);
  return rounded < 0 ? "-" + grouped : grouped;
}

std::string GroupedWholeNumberText(std::int64_t value, const RegionalSettings& regional) {
  const std::uint64_t magnitude =
      value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  const std::string grouped = GroupDigits(std::to_string(magnitude), regional);
  return value < 0 ? "-" + grouped : grouped;
}

std::string GroupedTwoDecimalsText(double value, const RegionalSettings& regional) {
  if (!std::isfinite(value)) value = 0;
  const double magnitude = std::fabs(value);
  // Hundredths as a whole number, so that the rounding happens once. Near the
  // top of the double range they would overflow; such a number has no decimals.
  const bool huge = magnitude >= 1e300;
  const double hundredths = huge ? 0.0 : std::round(magnitude * 100.0);
  const double whole = huge ? std::floor(magnitude) : std::floor(hundredths / 100.0);
  // fmod keeps the cents within 0 to 99 also where large hundredths are inexact.
  const int cents = static_cast<int>(std::fmod(hundredths, 100.0));
  std::string text = GroupDigits(WholeDigits(whole), regional);
  text += regional.decimal_separator;
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return value < 0 && (hundredths > 0 || huge) ? "-" + text : text;
}

}  // namespace linkshelf
