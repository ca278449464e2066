// The date pattern language and the number patterns on any pattern, any
// moment, any number and any regional separators.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

#include "export/date_text.h"
#include "export/number_text.h"
#include "fuzz/support/check.h"

namespace {

using namespace linkshelf;

std::string WithoutText(std::string text, const std::string& removed) {
  if (removed.empty()) return text;
  for (size_t at = text.find(removed); at != std::string::npos; at = text.find(removed, at)) {
    text.erase(at, removed.size());
  }
  return text;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  RegionalSettings regional;
  // Separators and designators as a locale could give them; the number checks
  // below need separators without digits.
  regional.thousands_separator = input.ConsumeBool() ? input.ConsumeRandomLengthString(3) : ",";
  regional.decimal_separator = input.ConsumeBool() ? input.ConsumeRandomLengthString(3) : ".";
  regional.date_separator = input.ConsumeRandomLengthString(3);
  regional.time_separator = input.ConsumeRandomLengthString(3);
  regional.morning_designator = input.ConsumeRandomLengthString(8);
  regional.afternoon_designator = input.ConsumeRandomLengthString(8);
  regional.short_date_format = input.ConsumeRandomLengthString(32);
  regional.long_time_format = input.ConsumeRandomLengthString(32);

  LocalTime moment;
  if (input.ConsumeBool()) {
    // Any values at all: a broken clock or file date must not break the text.
    moment = {input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
              input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
              input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
  } else {
    moment = {input.ConsumeIntegralInRange(1980, 2107), input.ConsumeIntegralInRange(1, 12),
              input.ConsumeIntegralInRange(1, 31),      input.ConsumeIntegralInRange(0, 23),
              input.ConsumeIntegralInRange(0, 59),      input.ConsumeIntegralInRange(0, 59)};
  }
  const double number = input.ConsumeFloatingPoint<double>();
  const std::int64_t whole = input.ConsumeIntegral<std::int64_t>();
  const std::string pattern = input.ConsumeRemainingBytesAsString();

  const std::string text = FormatDateTime(pattern, moment, regional);
  const size_t widest = 12 + regional.date_separator.size() + regional.time_separator.size() +
                        regional.morning_designator.size() + regional.afternoon_designator.size();
  FUZZ_CHECK(text.size() <= pattern.size() * widest);
  DateTimeText(moment, regional);

  const bool plain_separators =
      regional.thousands_separator.find_first_of("0123456789-") == std::string::npos &&
      regional.decimal_separator.find_first_of("0123456789-") == std::string::npos;
  const std::string grouped = GroupedWholeNumberText(whole, regional);
  if (plain_separators) {
    FUZZ_CHECK(WithoutText(grouped, regional.thousands_separator) == std::to_string(whole));
  }
  const std::string rounded = GroupedWholeNumberText(number, regional);
  const std::string decimals = GroupedTwoDecimalsText(number, regional);
  if (plain_separators && !regional.decimal_separator.empty()) {
    std::string magnitude = WithoutText(rounded, regional.thousands_separator);
    if (magnitude.starts_with('-')) magnitude.erase(0, 1);
    FUZZ_CHECK(AllDigits(magnitude));
    if (std::isfinite(number) && std::fabs(number) < 1e15) {
      FUZZ_CHECK(magnitude == std::to_string(std::llround(std::fabs(number))));
    }
    // Two digits after the decimal separator at the end, grouped digits before it.
    std::string two = decimals.starts_with('-') ? decimals.substr(1) : decimals;
    const size_t point = two.size() - 2 - regional.decimal_separator.size();
    FUZZ_CHECK(two.size() >= regional.decimal_separator.size() + 3);
    FUZZ_CHECK(two.substr(point, regional.decimal_separator.size()) == regional.decimal_separator);
    FUZZ_CHECK(AllDigits(two.substr(two.size() - 2)));
    FUZZ_CHECK(AllDigits(WithoutText(two.substr(0, point), regional.thousands_separator)));
  }
  return 0;
}
