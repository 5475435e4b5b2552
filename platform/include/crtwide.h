// The wide-character C runtime for 16-bit WCHAR, and the Microsoft-only narrow string functions.
// On Windows these come from <wchar.h>, <string.h>, <stdlib.h> and <stdio.h>; here WCHAR is
// char16_t, so the functions are overloads that the simulated machine implements. Case mapping and
// character classes are those of the C runtime's default "C" locale: only ASCII letters have a case.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <string.h>
#include <winnt.h>

// The C++ library names the C runtime's functions in std:: by using-declarations; including its
// headers first keeps those names to the host's own functions, so the library's templates that
// take their addresses (std::stoi, std::to_wstring) stay unambiguous.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#ifndef _TRUNCATE
#define _TRUNCATE ((size_t)-1)
#endif
#ifndef STRUNCATE
#define STRUNCATE 80
#endif

size_t wcslen(const WCHAR* s);
size_t wcsnlen(const WCHAR* s, size_t maxCount);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count);
WCHAR* wcscpy(WCHAR* dest, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count);
WCHAR* wcscat(WCHAR* dest, const WCHAR* src);
WCHAR* wcsncat(WCHAR* dest, const WCHAR* src, size_t count);
const WCHAR* wcschr(const WCHAR* s, WCHAR c);
WCHAR* wcschr(WCHAR* s, WCHAR c);
const WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
WCHAR* wcsrchr(WCHAR* s, WCHAR c);
const WCHAR* wcsstr(const WCHAR* s, const WCHAR* pattern);
WCHAR* wcsstr(WCHAR* s, const WCHAR* pattern);
const WCHAR* wcspbrk(const WCHAR* s, const WCHAR* set);
WCHAR* wcspbrk(WCHAR* s, const WCHAR* set);
size_t wcsspn(const WCHAR* s, const WCHAR* set);
size_t wcscspn(const WCHAR* s, const WCHAR* set);
WCHAR* wcstok_s(WCHAR* s, const WCHAR* delimiters, WCHAR** context);
WCHAR* _wcsupr(WCHAR* s);
WCHAR* _wcslwr(WCHAR* s);
int _wcsupr_s(WCHAR* s, size_t size);
int _wcslwr_s(WCHAR* s, size_t size);
WCHAR* _wcsdup(const WCHAR* s);  // free() releases the copy

int _wtoi(const WCHAR* s);
long _wtol(const WCHAR* s);
long long _wtoi64(const WCHAR* s);
double _wtof(const WCHAR* s);
long wcstol(const WCHAR* s, WCHAR** end, int base);
unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base);
long long wcstoll(const WCHAR* s, WCHAR** end, int base);
unsigned long long wcstoull(const WCHAR* s, WCHAR** end, int base);
double wcstod(const WCHAR* s, WCHAR** end);
WCHAR* _itow(int value, WCHAR* buffer, int radix);
WCHAR* _ltow(long value, WCHAR* buffer, int radix);
WCHAR* _ultow(unsigned long value, WCHAR* buffer, int radix);
WCHAR* _i64tow(long long value, WCHAR* buffer, int radix);
WCHAR* _ui64tow(unsigned long long value, WCHAR* buffer, int radix);
int _itow_s(int value, WCHAR* buffer, size_t size, int radix);

WCHAR towupper(WCHAR c);
WCHAR towlower(WCHAR c);
int iswspace(WCHAR c);
int iswdigit(WCHAR c);
int iswxdigit(WCHAR c);
int iswalpha(WCHAR c);
int iswalnum(WCHAR c);
int iswupper(WCHAR c);
int iswlower(WCHAR c);
int iswpunct(WCHAR c);

// Formatting with the Windows rules. In a wide format %s and %c take wide arguments and %S, %hs,
// %C, %hc narrow ones; in a narrow format it is the other way round; %ls and %ws are always wide.
// Length prefixes: h, hh, l (32-bit, as LONG), ll, I64, I32, I (pointer-sized), z, t, j, L.
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
int _snwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, ...);
int _vsnwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, va_list args);
int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
int swprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, ...);
int vswprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, va_list args);
int _scwprintf(const WCHAR* format, ...);
int _vscwprintf(const WCHAR* format, va_list args);

// The Microsoft-only narrow functions. sprintf_s and friends format with the Windows rules above.
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
char* _strupr(char* s);
char* _strlwr(char* s);
char* _itoa(int value, char* buffer, int radix);
char* _ultoa(unsigned long value, char* buffer, int radix);
char* _i64toa(long long value, char* buffer, int radix);
long long _atoi64(const char* s);
int strcpy_s(char* dest, size_t size, const char* src);
int strcat_s(char* dest, size_t size, const char* src);
int strncpy_s(char* dest, size_t size, const char* src, size_t count);
int sprintf_s(char* buffer, size_t size, const char* format, ...);
int vsprintf_s(char* buffer, size_t size, const char* format, va_list args);
int _snprintf(char* buffer, size_t count, const char* format, ...);
int _vsnprintf(char* buffer, size_t count, const char* format, va_list args);
int _snprintf_s(char* buffer, size_t size, size_t count, const char* format, ...);
int _vsnprintf_s(char* buffer, size_t size, size_t count, const char* format, va_list args);
int _scprintf(const char* format, ...);
int _vscprintf(const char* format, va_list args);
int wcscpy_s(WCHAR* dest, size_t size, const WCHAR* src);
int wcscat_s(WCHAR* dest, size_t size, const WCHAR* src);
int wcsncpy_s(WCHAR* dest, size_t size, const WCHAR* src, size_t count);

// The secure functions' C++ forms that take the buffer's size from its array type.
template <size_t N>
int wcscpy_s(WCHAR (&dest)[N], const WCHAR* src)
{
    return wcscpy_s(dest, N, src);
}
template <size_t N>
int wcscat_s(WCHAR (&dest)[N], const WCHAR* src)
{
    return wcscat_s(dest, N, src);
}
template <size_t N>
int wcsncpy_s(WCHAR (&dest)[N], const WCHAR* src, size_t count)
{
    return wcsncpy_s(dest, N, src, count);
}
template <size_t N>
int strcpy_s(char (&dest)[N], const char* src)
{
    return strcpy_s(dest, N, src);
}
template <size_t N>
int strcat_s(char (&dest)[N], const char* src)
{
    return strcat_s(dest, N, src);
}
template <size_t N>
int strncpy_s(char (&dest)[N], const char* src, size_t count)
{
    return strncpy_s(dest, N, src, count);
}
template <size_t N>
int _wcsupr_s(WCHAR (&s)[N])
{
    return _wcsupr_s(s, N);
}
template <size_t N>
int _wcslwr_s(WCHAR (&s)[N])
{
    return _wcslwr_s(s, N);
}
template <size_t N, class... Args>
int swprintf_s(WCHAR (&buffer)[N], const WCHAR* format, Args... args)
{
    return swprintf_s(buffer, N, format, args...);
}
template <size_t N, class... Args>
int _snwprintf_s(WCHAR (&buffer)[N], size_t count, const WCHAR* format, Args... args)
{
    return _snwprintf_s(buffer, N, count, format, args...);
}
template <size_t N, class... Args>
int sprintf_s(char (&buffer)[N], const char* format, Args... args)
{
    return sprintf_s(buffer, N, format, args...);
}
template <size_t N, class... Args>
int _snprintf_s(char (&buffer)[N], size_t count, const char* format, Args... args)
{
    return _snprintf_s(buffer, N, count, format, args...);
}
