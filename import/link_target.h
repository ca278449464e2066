// Which link targets the import refuses to put into a shortcut.
#pragma once

#include <string>
#include <string_view>

namespace linkshelf {

// Why a shortcut must not point at `target`, or empty when it may. Refused:
// control bytes, and files on another machine (`\\host\...`, `//host/...`,
// `file://host/...`), which a shortcut would open with the user's network
// credentials. Local `file:` targets and every other scheme stay allowed.
std::string TargetRefusal(std::string_view target);

}  // namespace linkshelf
