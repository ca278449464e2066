#include "export/date_text.h"

#include <cstdio>

#include "runtime/text.h"

namespace linkshelf {
namespace {

bool StartsWithIgnoringCase(std::string_view text, size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(at, prefix.size()), prefix);
}

// The length of the run of the same letter (either case) that starts at `at`.
size_t RunLength(std::string_view pattern, size_t at) {
  size_t end = at + 1;
  while (end < pattern.size() && LowerAsciiByte(pattern[end]) == LowerAsciiByte(pattern[at])) ++end;
  return end - at;
}

// One past the quoted text that starts at `at` (its closing mark included).
size_t QuotedEnd(std::string_view pattern, size_t at) {
  const size_t close = pattern.find(pattern[at], at + 1);
  return close == std::string_view::npos ? pattern.size() : close + 1;
}

// Whether the hour token ending at `from` is on the 12-hour clock: the first
// "a" outside quotation marks before any further hour token begins a designator.
bool UsesTwelveHourClock(std::string_view pattern, size_t from) {
  for (size_t i = from; i < pattern.size();) {
    const char c = LowerAsciiByte(pattern[i]);
    if (CharacterLength(pattern, i) == 2) {
      i += 2;
    } else if (c == '"' || c == '\'') {
      i = QuotedEnd(pattern, i);
    } else if (c == 'h') {
      return false;
    } else if (c == 'a') {
      return StartsWithIgnoringCase(pattern, i, "ampm") ||
             StartsWithIgnoringCase(pattern, i, "am/pm") ||
             StartsWithIgnoringCase(pattern, i, "a/p");
    } else {
      ++i;
    }
  }
  return false;
}

void AppendNumber(std::string& text, int value, bool leading_zero) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, leading_zero ? "%02d" : "%d", value);
  text += buffer;
}

// The pattern's own letters with their case turned to that of `written`'s letters.
std::string InCaseOf(std::string_view written, std::string_view letters) {
  std::string result(letters);
  if (!written.empty() && written[0] >= 'a' && written[0] <= 'z') result = LowerAscii(result);
  return result;
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, const LocalTime& moment,
                           const RegionalSettings& regional) {
  enum class Token { kNone, kHour, kOther };
  Token last = Token::kNone;
  std::string text;
  const bool afternoon = moment.hour >= 12;
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = LowerAsciiByte(pattern[i]);
    if (CharacterLength(pattern, i) == 2) {
      text.append(pattern.substr(i, 2));
      i += 2;
      continue;
    }
    const size_t run = RunLength(pattern, i);
    const size_t pair = run >= 2 ? 2 : 1;
    switch (c) {
      case 'd':
        AppendNumber(text, moment.day, pair == 2);
        i += pair;
        last = Token::kOther;
        break;
      case 'm':
        AppendNumber(text, last == Token::kHour ? moment.minute : moment.month, pair == 2);
        i += pair;
        last = Token::kOther;
        break;
      case 'n':
        AppendNumber(text, moment.minute, pair == 2);
        i += pair;
        last = Token::kOther;
        break;
      case 'y': {
        const size_t taken = run >= 4 ? 4 : run;
        if (taken >= 3) {
          char buffer[16];
          std::snprintf(buffer, sizeof buffer, "%04d", moment.year);
          text += buffer;
        } else {
          AppendNumber(text, moment.year % 100, true);
        }
        i += taken;
        last = Token::kOther;
        break;
      }
      case 'h': {
        int hour = moment.hour;
        if (UsesTwelveHourClock(pattern, i + pair)) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        AppendNumber(text, hour, pair == 2);
        i += pair;
        last = Token::kHour;
        break;
      }
      case 's':
        AppendNumber(text, moment.second, pair == 2);
        i += pair;
        last = Token::kOther;
        break;
      case 'a':
        if (StartsWithIgnoringCase(pattern, i, "ampm")) {
          text += afternoon ? regional.afternoon_designator : regional.morning_designator;
          i += 4;
        } else if (StartsWithIgnoringCase(pattern, i, "am/pm")) {
          text += InCaseOf(pattern.substr(i), afternoon ? "PM" : "AM");
          i += 5;
        } else if (StartsWithIgnoringCase(pattern, i, "a/p")) {
          text += InCaseOf(pattern.substr(i), afternoon ? "P" : "A");
          i += 3;
        } else {
          text += pattern[i++];
          break;
        }
        last = Token::kOther;
        break;
      case '/':
        text += regional.date_separator;
        ++i;
        break;
      case ':':
        text += regional.time_separator;
        ++i;
        break;
      case '"':
      case '\'': {
        const size_t end = QuotedEnd(pattern, i);
        const size_t inner_end = end > i + 1 && pattern[end - 1] == pattern[i] ? end - 1 : end;
        text.append(pattern.substr(i + 1, inner_end - i - 1));
        i = end;
        break;
      }
      default:
        text += pattern[i++];
        break;
    }
  }
  return text;
}

std::string DateTimeText(const LocalTime& moment, const RegionalSettings& regional) {
  std::string text = FormatDateTime(regional.short_date_format, moment, regional);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
    text += ' ';
    text += FormatDateTime(regional.long_time_format, moment, regional);
  }
  return text;
}

}  // namespace linkshelf
