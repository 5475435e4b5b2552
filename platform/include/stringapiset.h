// Code-page conversion and locale string comparison. CP_ACP is the machine's ANSI code page
// (Windows-1252 unless a test chooses another); CP_UTF8, 1252, 28591 (Latin-1) and 20127 (ASCII)
// are known, any other code page is refused with ERROR_INVALID_PARAMETER.
#pragma once

#include <windef.h>

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar);
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar);

// Compares without linguistic rules: by code unit, with NORM_IGNORECASE folding ASCII and Latin-1
// letters. Answers CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, 0 on a bad argument.
int WINAPI CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWCH lpString1, int cchCount1, LPCWCH lpString2,
                          int cchCount2);
