// Copies of a text in another encoding, in buffers the caller owns and frees with delete[].
#pragma once

#include <windows.h>

// The wide text (with its terminator) in the code page; 1 on success, 0 on failure, when
// nothing is handed out.
BOOL ConvertToNarrow(LPCWSTR text, LPSTR* narrow, UINT codePage);
// The narrow text (with its terminator) converted from the code page with MB_PRECOMPOSED, which
// the platform refuses for CP_UTF8; 1 on success, 0 on failure, when nothing is handed out.
BOOL ConvertToWide(LPWSTR* wide, LPCSTR text, UINT codePage);
