// Dates and times as text in a locale's formats.
#pragma once

#include <windef.h>
#include <minwinbase.h>

#define LOCALE_NOUSEROVERRIDE 0x80000000
#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002

extern "C" {

// The date (null: today, local time) in the format given or, without one, in the locale's short
// date format (on the simulated machine the long date is written as the short one). Pictures: d,
// dd, M, MM, MMM, MMMM, y, yy, yyyy and text between single quotes; other characters are copied.
// cchDate 0 answers the characters needed, with the terminator.
int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                          LPWSTR lpDateStr, int cchDate);

}  // extern "C"

#define GetDateFormat GetDateFormatW
