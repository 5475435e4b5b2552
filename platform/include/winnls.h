// Declarations of the simulated machine for <winnls.h>; filled as the system needs them.
#pragma once

#include <winerror.h>
#include <windef.h>

// Languages of the user and of the system.
extern "C" {
LANGID WINAPI GetUserDefaultUILanguage(void);
LANGID WINAPI GetSystemDefaultUILanguage(void);
LANGID WINAPI GetUserDefaultLangID(void);
LANGID WINAPI GetSystemDefaultLangID(void);
LCID WINAPI GetUserDefaultLCID(void);
LCID WINAPI GetThreadLocale(void);
}  // extern "C"
