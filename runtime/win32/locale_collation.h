// The collation of one Windows locale, with the comparison's flags;
// MakeSystemCollation gives the user's default locale with NORM_IGNORECASE.
#pragma once

#include <windows.h>

#include <memory>

#include "runtime/collation.h"

namespace linkshelf {

std::unique_ptr<Collation> MakeLocaleCollation(LCID locale, DWORD flags);

}  // namespace linkshelf
