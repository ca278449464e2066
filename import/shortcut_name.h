// File and folder names of the shortcuts that the import writes.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// The link text with its extension changed to ".url": when the last of the
// single-byte characters `.`, `\` and `:` is a `.`, everything from it on is
// replaced; otherwise ".url" is appended. `Example.com` gives `Example.url`,
// `a.b.c` gives `a.b.url`, `News` gives `News.url`.
std::string ShortcutFileName(std::string_view link_text);
// The same into `name`, whose storage is reused.
void AssignShortcutFileName(std::string_view link_text, std::string& name);

// One folder or file name made into one that the file system can hold:
// `/ * ? " < > | :` and control bytes become `_`, so do trailing dots and
// blanks, and a reserved device name (CON, NUL, COM1, ... with or without an
// extension) gets a `_` in front. The second byte of a double-byte character
// is never changed.
std::string MakeLegalName(std::string_view name);
// The same, appended to `out`.
void AppendLegalName(std::string_view name, std::string& out);

// True when MakeLegalName would give the name back unchanged.
bool IsLegalName(std::string_view name);

}  // namespace linkshelf
