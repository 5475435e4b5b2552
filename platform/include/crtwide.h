// The wide-character C runtime for 16-bit WCHAR (wcslen, wcscmp, _wcsicmp, ...).
// On Windows these come from <wchar.h> and <string.h>; here WCHAR is char16_t,
// so the functions are overloads that the simulated machine implements.
#pragma once

#include <stddef.h>
#include <winnt.h>
