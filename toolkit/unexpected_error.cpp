// The one place where an error that escaped a handler ends up.
#include <exception>
#include <string>

#include "toolkit/application.h"
#include "toolkit/application_state.h"

namespace linkshelf {

void SetUnexpectedErrorHandler(UnexpectedErrorHandler handler) {
  App().unexpected_error = handler;
}

void ReportUnexpectedError(std::exception_ptr error) {
  if (UnexpectedErrorHandler handler = App().unexpected_error) {
    try {
      handler(error);
    } catch (...) {
      // The handler's own failure must not cross the callback either.
      ExitProcess(1);
    }
    return;
  }
  std::string text = "Unexpected error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
  ExitProcess(1);
}

}  // namespace linkshelf
