// Code pages and locale constants; the conversion functions themselves are in <stringapiset.h>.
#pragma once

#include <winerror.h>
#include <windef.h>

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_SYMBOL 42
#define CP_UTF7 65000
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define LOCALE_USER_DEFAULT ((LCID)0x0400)
#define LOCALE_SYSTEM_DEFAULT ((LCID)0x0800)
#define LOCALE_INVARIANT ((LCID)0x007F)
#define LOCALE_NEUTRAL ((LCID)0x0000)

#define NORM_IGNORECASE 0x00000001
#define NORM_IGNORENONSPACE 0x00000002
#define NORM_IGNORESYMBOLS 0x00000004
#define NORM_IGNOREKANATYPE 0x00010000
#define NORM_IGNOREWIDTH 0x00020000
#define LINGUISTIC_IGNORECASE 0x00000010
#define SORT_STRINGSORT 0x00001000

#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

UINT WINAPI GetACP(void);
// Lead bytes of the double-byte code pages (932); FALSE for every byte of a single-byte one.
BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);
UINT WINAPI GetOEMCP(void);
BOOL WINAPI IsValidCodePage(UINT CodePage);

// Languages of the user and of the system.
extern "C" {
LANGID WINAPI GetUserDefaultUILanguage(void);
LANGID WINAPI GetSystemDefaultUILanguage(void);
LANGID WINAPI GetUserDefaultLangID(void);
LANGID WINAPI GetSystemDefaultLangID(void);
LCID WINAPI GetUserDefaultLCID(void);
LCID WINAPI GetThreadLocale(void);
}  // extern "C"

#include <stringapiset.h>
#include <datetimeapi.h>
