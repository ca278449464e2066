#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "runtime/standard_streams.h"

namespace linkshelf {

namespace {

std::FILE* Stream(StandardStream stream) {
  switch (stream) {
    case StandardStream::kInput:
      return stdin;
    case StandardStream::kOutput:
      return stdout;
    case StandardStream::kError:
      break;
  }
  return stderr;
}

}  // namespace

bool IsTerminal(StandardStream stream) {
  return _isatty(_fileno(Stream(stream))) != 0;
}

void UseBinaryStandardOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace linkshelf
