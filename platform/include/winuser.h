// Declarations of the simulated machine for <winuser.h>; filled as the system needs them.
#pragma once

#include <windef.h>

// Case mapping of the user interface: ASCII and Latin-1 letters (ÿ maps to Ÿ). CharUpperW and
// CharLowerW take either a text, changed in place, or a single character in the low word of the
// pointer, which comes back changed the same way.
LPWSTR WINAPI CharUpperW(LPWSTR lpsz);
LPWSTR WINAPI CharLowerW(LPWSTR lpsz);
DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);
DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength);
BOOL WINAPI IsCharAlphaW(WCHAR ch);
BOOL WINAPI IsCharAlphaNumericW(WCHAR ch);
BOOL WINAPI IsCharUpperW(WCHAR ch);
BOOL WINAPI IsCharLowerW(WCHAR ch);
#define CharUpper CharUpperW
#define CharLower CharLowerW
#define CharUpperBuff CharUpperBuffW
#define CharLowerBuff CharLowerBuffW
#define IsCharAlpha IsCharAlphaW
#define IsCharAlphaNumeric IsCharAlphaNumericW
