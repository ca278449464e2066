#include "app/unexpected_error.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <stdexcept>
#include <system_error>

#include "app/command_line.h"
#include "runtime/text.h"

namespace linkshelf {

UnexpectedError DescribeUnexpectedError(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
    return {"UnknownError", {}, 0};
  } catch (const std::bad_alloc&) {
    return {"OutOfMemory", "Out of memory", 0};
  } catch (const std::system_error& failure) {
    return {"SystemError", failure.what(), 0};
  } catch (const std::exception& failure) {
    return {"ProgramError", failure.what(), 0};
  } catch (...) {
    return {"UnknownError", {}, 0};
  }
}

std::string UnexpectedErrorText(const UnexpectedError& error, const std::string& module_name) {
  char place[16] = {};
  std::snprintf(place, sizeof place, "%08lX",
                static_cast<unsigned long>(error.place & 0xFFFFFFFFu));
  std::string text =
      "Exception " + error.kind + " in module " + module_name + " at " + place + ".\r\n";
  text += error.message;
  if (!error.message.empty() && error.message.back() != '.') text += '.';
  return text;
}

void ReportUnexpectedErrorAndExit(std::exception_ptr error) {
  const std::string text =
      UnexpectedErrorText(DescribeUnexpectedError(error), NamePart(CommandArgument(0)));
  MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace linkshelf
