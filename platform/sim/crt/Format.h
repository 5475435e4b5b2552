// The printf engine of the simulated C runtime, with the Windows rules for string arguments and
// length prefixes (see crtwide.h).
#pragma once

#include <windows.h>

#include <stdarg.h>
#include <string>

namespace nirasim::crt {

// Formats into out; false for a format the Windows runtime refuses (unknown conversion, %n).
bool FormatWide(const WCHAR* format, va_list args, std::u16string& out);
bool FormatNarrow(const char* format, va_list args, std::string& out);

}  // namespace nirasim::crt
