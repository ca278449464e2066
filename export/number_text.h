// Numbers as the page and the replace question show them, with the separators
// of the user's regional settings.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/regional_settings.h"

namespace linkshelf {

// The pattern "#,0": the value rounded to a whole number (halves away from
// zero), thousands separators between groups of three digits, no decimals.
std::string GroupedWholeNumberText(double value, const RegionalSettings& regional);
std::string GroupedWholeNumberText(std::int64_t value, const RegionalSettings& regional);

// The pattern "%.2n": exactly two decimals after the decimal separator and
// thousands separators in the whole part (12345.6 gives 12,345.60).
std::string GroupedTwoDecimalsText(double value, const RegionalSettings& regional);

}  // namespace linkshelf
