// The fixed texts that frame an HTML bookmark page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace linkshelf {

// The product's home page, named in the page head and in the generated-by line.
inline constexpr char kHomePageAddress[] = "https://linkshelf.example.org/";

// The 22 lines of the page head; the seventh is replaced by the title line on
// every page. The window keeps them as the text of its header memo.
std::vector<std::string> HeaderTemplateLines();

// The template lines joined by CR LF, as the header memo holds them.
std::string HeaderTemplateText();

// The line after the head that names the program and links to its home page.
std::string GeneratedByLine();

}  // namespace linkshelf
