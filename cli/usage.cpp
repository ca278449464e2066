#include <cstdio>

#include "cli/commands.h"
#include "export/page_defaults.h"

namespace linkshelf {

std::string UsageText() {
  return "Usage: linkshelf-cli export ROOT [--format page|browser] [-o FILE] [-m METHOD] [-t "
         "TITLE] [-y|-n] [--open]\n"
         "       linkshelf-cli import FILE ROOT [--format page|browser] [-y|-n]\n"
         "       linkshelf-cli --help | --version\n"
         "\n"
         "export  writes the shortcuts (*.url) of the folder tree ROOT into one bookmark page.\n"
         "  --format   page: the bookmark page (default); browser: the bookmarks file that\n"
         "             browsers import (default file bookmarks.html, title Bookmarks, no -m)\n"
         "  -o FILE    the file (default " +
         std::string(kDefaultPageName) +
         " in the current folder); - for standard output\n"
         "  -m METHOD  0 or url: a plain list of addresses; 1 or title: links named by their\n"
         "             shortcuts (default); 2 or link: links shown as their addresses\n"
         "  -t TITLE   the page title (default " +
         kDefaultTitle +
         ")\n"
         "  -y         replace an existing page without asking\n"
         "  -n         never replace an existing page (the default when input is no terminal)\n"
         "  --open     open the finished page\n"
         "  SOURCE_DATE_EPOCH, when set, is the moment stamped into the page.\n"
         "import  writes one shortcut below ROOT for every link of FILE: a bookmark page, or a\n"
         "        browser's bookmarks file (known by its first line, or named by --format).\n"
         "\n"
         "Exit status: 0 done, 1 something could not be done, 2 bad usage.\n";
}

void ReportProblem(const std::string& message) {
  std::fprintf(stderr, "linkshelf-cli: %s\n", message.c_str());
}

}  // namespace linkshelf
