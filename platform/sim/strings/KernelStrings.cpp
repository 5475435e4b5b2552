// lstrlen, lstrcmp, lstrcpyn and friends of the kernel, and the user interface's case mapping.
#include <windows.h>

namespace {

bool IsLatinUpper(WCHAR c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x178;
}

bool IsLatinLower(WCHAR c)
{
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7);
}

WCHAR ToUpper(WCHAR c)
{
    if (c == 0xFF) {
        return 0x178;
    }
    return IsLatinLower(c) && c != 0xDF ? static_cast<WCHAR>(c - 0x20) : c;
}

WCHAR ToLower(WCHAR c)
{
    if (c == 0x178) {
        return 0xFF;
    }
    return IsLatinUpper(c) ? static_cast<WCHAR>(c + 0x20) : c;
}

// A pointer whose high bits are clear carries a single character instead of a text.
bool IsSingleCharacter(LPWSTR lpsz)
{
    return (reinterpret_cast<ULONG_PTR>(lpsz) >> 16) == 0;
}

LPWSTR MapText(LPWSTR lpsz, WCHAR (*map)(WCHAR))
{
    if (IsSingleCharacter(lpsz)) {
        return reinterpret_cast<LPWSTR>(
            static_cast<ULONG_PTR>(map(static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(lpsz)))));
    }
    for (LPWSTR p = lpsz; *p; ++p) {
        *p = map(*p);
    }
    return lpsz;
}

DWORD MapBuffer(LPWSTR lpsz, DWORD cchLength, WCHAR (*map)(WCHAR))
{
    if (!lpsz) {
        return 0;
    }
    for (DWORD i = 0; i < cchLength; ++i) {
        lpsz[i] = map(lpsz[i]);
    }
    return cchLength;
}

}  // namespace

int WINAPI lstrlenW(LPCWSTR lpString)
{
    return lpString ? static_cast<int>(wcslen(lpString)) : 0;
}

int WINAPI lstrlenA(LPCSTR lpString)
{
    return lpString ? static_cast<int>(strlen(lpString)) : 0;
}

int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2)
{
    // A null text sorts before every other, as on Windows.
    if (!lpString1 || !lpString2) {
        return lpString1 ? 1 : (lpString2 ? -1 : 0);
    }
    return CompareStringW(LOCALE_USER_DEFAULT, 0, lpString1, -1, lpString2, -1) - CSTR_EQUAL;
}

int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2)
{
    if (!lpString1 || !lpString2) {
        return lpString1 ? 1 : (lpString2 ? -1 : 0);
    }
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lpString1, -1, lpString2, -1) - CSTR_EQUAL;
}

LPWSTR WINAPI lstrcpyW(LPWSTR lpString1, LPCWSTR lpString2)
{
    return lpString1 && lpString2 ? wcscpy(lpString1, lpString2) : nullptr;
}

LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength)
{
    if (!lpString1 || !lpString2 || iMaxLength <= 0) {
        return lpString1;
    }
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i) {
        lpString1[i] = lpString2[i];
    }
    lpString1[i] = 0;
    return lpString1;
}

LPWSTR WINAPI lstrcatW(LPWSTR lpString1, LPCWSTR lpString2)
{
    return lpString1 && lpString2 ? wcscat(lpString1, lpString2) : nullptr;
}

LPWSTR WINAPI CharUpperW(LPWSTR lpsz)
{
    return MapText(lpsz, ToUpper);
}
LPWSTR WINAPI CharLowerW(LPWSTR lpsz)
{
    return MapText(lpsz, ToLower);
}
DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength)
{
    return MapBuffer(lpsz, cchLength, ToUpper);
}
DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength)
{
    return MapBuffer(lpsz, cchLength, ToLower);
}
BOOL WINAPI IsCharUpperW(WCHAR ch)
{
    return IsLatinUpper(ch);
}
BOOL WINAPI IsCharLowerW(WCHAR ch)
{
    return IsLatinLower(ch);
}
BOOL WINAPI IsCharAlphaW(WCHAR ch)
{
    return IsLatinUpper(ch) || IsLatinLower(ch) || ch == 0xAA || ch == 0xB5 || ch == 0xBA;
}
BOOL WINAPI IsCharAlphaNumericW(WCHAR ch)
{
    return IsCharAlphaW(ch) || (ch >= '0' && ch <= '9');
}
