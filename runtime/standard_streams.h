// The standard streams of a program run from a terminal or a script.
#pragma once

namespace linkshelf {

enum class StandardStream { kInput, kOutput, kError };

// Whether the stream is a terminal rather than a file or a pipe.
bool IsTerminal(StandardStream stream);

// Makes standard output pass bytes as they are: on Windows a line end would
// otherwise gain a CR, and a page's CR LF would become CR CR LF.
void UseBinaryStandardOutput();

}  // namespace linkshelf
