// The collation of one Windows locale, letters compared without regard to
// case; MakeSystemCollation gives the user's default locale.
#pragma once

#include <windows.h>

#include <memory>

#include "runtime/collation.h"

namespace linkshelf {

std::unique_ptr<Collation> MakeLocaleCollation(LCID locale);

}  // namespace linkshelf
