// The short date formats of the machine's locales: each locale has a default; a test may set
// another.
#pragma once

#include <windows.h>

#include <string>

namespace nirasim::sim {

void SetShortDatePattern(LCID locale, const std::u16string& pattern);

}  // namespace nirasim::sim
