// The tests' wide string: WCHAR is char16_t on the simulated machine and wchar_t on Windows.
#pragma once

#include <windows.h>

#include <string>

using WString = std::basic_string<WCHAR>;
