// The program's ties to the Windows shell: where the user's Favorites live, the
// Explorer verb that hands a folder to the program, and the opener of files.
#pragma once

#include <functional>
#include <string>

#include "runtime/win32/registry.h"

namespace linkshelf {

inline constexpr char kShellFoldersKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kFolderVerbKeyPath[] = "Directory\\shell\\shelfy";
inline constexpr char kFolderVerbCaption[] = "Open with Linkshelf";
// Where the current user's own classes live; Explorer merges them into the
// machine's view of the classes.
inline constexpr char kUserClassesKeyPath[] = "Software\\Classes\\";

// Whose Shell Folders key is read: the current user's or the machine-wide one.
enum class ShellFolderHive { kCurrentUser, kMachine };

// The named value of the Shell Folders key followed by a backslash; a lone
// backslash when the key has no such value; empty when the key does not open.
std::string GetShellFolder(Registry& registry, ShellFolderHive hive, const std::string& value_name);

// The folder verb's command: the program path unquoted, a blank, "%1" in quotes.
std::string FolderVerbCommand(const std::string& program_path);

// Writes the Explorer verb for folders, again on every start. When the machine's
// classes refuse it (an ordinary user), the same keys are written for the
// current user; when that fails too, the verb is passed over in silence.
void RegisterFolderVerb(Registry& registry, const std::string& program_path);

// OpenWithShell, or a stand-in that tests give the main window.
using ShellOpener = std::function<void(const std::string& file, const std::string& parameters,
                                       const std::string& folder)>;

}  // namespace linkshelf
