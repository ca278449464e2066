// Stand-in until the code page conversions arrive: UTF-8 both ways, with the
// references of names the code page cannot hold decoded and escaped.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

std::string CodePageToUtf8(std::string_view text);
std::string Utf8ToCodePage(std::string_view utf8);

}  // namespace linkshelf
