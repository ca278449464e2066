// The last resort for an error that nothing else caught: one error box, then
// the process ends with exit code 1 without saving anything.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace linkshelf {

struct UnexpectedError {
  std::string kind;          // a short name of the error's kind
  std::string message;       // the error's own words; may be empty
  std::uintptr_t place = 0;  // where it arose, when known
};

// Names the error that `error` holds.
UnexpectedError DescribeUnexpectedError(std::exception_ptr error);

// "Exception KIND in module MODULE at PLACE." and on the next line the message,
// with a full stop added when it has none.
std::string UnexpectedErrorText(const UnexpectedError& error, const std::string& module_name);

// Shows the task-modal "Application Error" box without owner and ends the
// process with exit code 1 once it is confirmed.
[[noreturn]] void ReportUnexpectedErrorAndExit(std::exception_ptr error);

}  // namespace linkshelf
