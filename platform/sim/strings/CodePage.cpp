// MultiByteToWideChar and WideCharToMultiByte for the code pages the machine knows, with the
// platform's argument checks, size queries and error codes.
#include <windows.h>

#include <nirasim/Runtime.h>

#include "strings/Utf8.h"

#include <atomic>
#include <string>

namespace {

constexpr UINT kWindows1252 = 1252;
constexpr UINT kLatin1 = 28591;
constexpr UINT kAscii = 20127;
constexpr WCHAR kReplacement = 0xFFFD;

std::atomic<UINT> g_ansiCodePage{kWindows1252};

// Windows-1252 at 0x80..0x9F; the five bytes the code page leaves open map to the C1 controls.
constexpr WCHAR kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

UINT Resolve(UINT codePage)
{
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
        return g_ansiCodePage.load();
    default:
        return codePage;
    }
}

bool IsSingleByte(UINT codePage)
{
    return codePage == kWindows1252 || codePage == kLatin1 || codePage == kAscii;
}

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

// One byte of a single-byte code page as UTF-16; false when the code page has no such character.
bool ByteToWide(UINT codePage, unsigned char byte, WCHAR& wide)
{
    if (codePage == kAscii && byte >= 0x80) {
        return false;
    }
    wide = (codePage == kWindows1252 && byte >= 0x80 && byte < 0xA0) ? kWindows1252High[byte - 0x80] : byte;
    return true;
}

bool WideToByte(UINT codePage, WCHAR wide, char& byte)
{
    if (wide < 0x80 || (codePage == kLatin1 && wide < 0x100) ||
        (codePage == kWindows1252 && wide >= 0xA0 && wide < 0x100)) {
        byte = static_cast<char>(wide);
        return true;
    }
    if (codePage == kWindows1252) {
        for (int i = 0; i < 32; ++i) {
            if (kWindows1252High[i] == wide) {
                byte = static_cast<char>(0x80 + i);
                return true;
            }
        }
    }
    return false;
}

// Hands the converted text out as the platform does: a size query when the buffer count is 0,
// else a copy or ERROR_INSUFFICIENT_BUFFER.
template <class Ch>
int Deliver(const std::basic_string<Ch>& text, Ch* dest, int destCount)
{
    if (text.size() > static_cast<size_t>(INT32_MAX)) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    int n = static_cast<int>(text.size());
    if (destCount == 0) {
        return n;
    }
    if (n > destCount) {
        memcpy(dest, text.data(), static_cast<size_t>(destCount) * sizeof(Ch));
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    memcpy(dest, text.data(), static_cast<size_t>(n) * sizeof(Ch));
    return n;
}

template <class Ch>
size_t SourceLength(const Ch* s, int count)
{
    if (count >= 0) {
        return static_cast<size_t>(count);
    }
    size_t n = 0;
    while (s[n]) {
        ++n;
    }
    return n + 1;  // -1 converts the terminator as well
}

bool Overlaps(const void* a, size_t aBytes, const void* b, size_t bBytes)
{
    auto pa = reinterpret_cast<uintptr_t>(a);
    auto pb = reinterpret_cast<uintptr_t>(b);
    return pa < pb + bBytes && pb < pa + aBytes;
}

WCHAR FoldCase(WCHAR c)
{
    bool latin1Lower = c >= 0xE0 && c <= 0xFE && c != 0xF7;
    return (c >= 'a' && c <= 'z') || latin1Lower ? static_cast<WCHAR>(c - 0x20) : c;
}

}  // namespace

namespace nirasim {

void SetAnsiCodePage(unsigned int codePage)
{
    g_ansiCodePage.store(codePage == 0 ? kWindows1252 : codePage);
}

unsigned int GetAnsiCodePage()
{
    return g_ansiCodePage.load();
}

}  // namespace nirasim

UINT WINAPI GetACP(void)
{
    return g_ansiCodePage.load();
}

UINT WINAPI GetOEMCP(void)
{
    return g_ansiCodePage.load();
}

BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar)
{
    constexpr UINT kShiftJis = 932;
    UINT codePage = CodePage == CP_ACP ? g_ansiCodePage.load() : CodePage;
    if (codePage != kShiftJis) {
        return FALSE;
    }
    return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC);
}

BOOL WINAPI IsValidCodePage(UINT CodePage)
{
    return IsSingleByte(CodePage) || CodePage == CP_UTF8;
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar)
{
    constexpr DWORD known = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    size_t length = SourceLength(lpMultiByteStr, cbMultiByte);
    if (cchWideChar > 0 &&
        Overlaps(lpMultiByteStr, length, lpWideCharStr, static_cast<size_t>(cchWideChar) * sizeof(WCHAR))) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    UINT codePage = Resolve(CodePage);
    if ((dwFlags & ~known) || ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE)) ||
        (CodePage == CP_UTF8 && (dwFlags & ~MB_ERR_INVALID_CHARS))) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
    std::u16string wide;
    auto bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    if (codePage == CP_UTF8) {
        if (!nirasim::DecodeUtf8(bytes, length, strict, wide)) {
            return Fail(ERROR_NO_UNICODE_TRANSLATION);
        }
    } else if (IsSingleByte(codePage)) {
        for (size_t i = 0; i < length; ++i) {
            WCHAR c = 0;
            if (!ByteToWide(codePage, bytes[i], c)) {
                if (strict) {
                    return Fail(ERROR_NO_UNICODE_TRANSLATION);
                }
                c = kReplacement;
            }
            wide += c;
        }
    } else {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return Deliver(wide, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar)
{
    constexpr DWORD known = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_ERR_INVALID_CHARS |
                            WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS;
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    size_t length = SourceLength(lpWideCharStr, cchWideChar);
    if (cbMultiByte > 0 &&
        Overlaps(lpWideCharStr, length * sizeof(WCHAR), lpMultiByteStr, static_cast<size_t>(cbMultiByte))) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    UINT codePage = Resolve(CodePage);
    if (dwFlags & ~known) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    if (codePage == CP_UTF8) {
        // UTF-8 never substitutes a default character, so the platform refuses to be asked for one.
        if (dwFlags & ~WC_ERR_INVALID_CHARS) {
            return Fail(ERROR_INVALID_FLAGS);
        }
        if (lpDefaultChar || lpUsedDefaultChar) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        std::string narrow;
        if (!nirasim::EncodeUtf8(lpWideCharStr, length, (dwFlags & WC_ERR_INVALID_CHARS) != 0, narrow)) {
            return Fail(ERROR_NO_UNICODE_TRANSLATION);
        }
        return Deliver(narrow, lpMultiByteStr, cbMultiByte);
    }
    if (!IsSingleByte(codePage)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    char defaultChar = lpDefaultChar ? *lpDefaultChar : '?';
    bool usedDefault = false;
    std::string narrow;
    for (size_t i = 0; i < length; ++i) {
        char c = 0;
        if (!WideToByte(codePage, lpWideCharStr[i], c)) {
            c = defaultChar;
            usedDefault = true;
        }
        narrow += c;
    }
    if (lpUsedDefaultChar) {
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    return Deliver(narrow, lpMultiByteStr, cbMultiByte);
}

int WINAPI CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWCH lpString1, int cchCount1, LPCWCH lpString2,
                          int cchCount2)
{
    UNREFERENCED_PARAMETER(Locale);
    if (!lpString1 || !lpString2 || cchCount1 < -1 || cchCount2 < -1) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    size_t n1 = cchCount1 < 0 ? wcslen(lpString1) : static_cast<size_t>(cchCount1);
    size_t n2 = cchCount2 < 0 ? wcslen(lpString2) : static_cast<size_t>(cchCount2);
    bool ignoreCase = (dwCmpFlags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE)) != 0;
    for (size_t i = 0; i < n1 && i < n2; ++i) {
        WCHAR a = ignoreCase ? FoldCase(lpString1[i]) : lpString1[i];
        WCHAR b = ignoreCase ? FoldCase(lpString2[i]) : lpString2[i];
        if (a != b) {
            return a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
        }
    }
    return n1 == n2 ? CSTR_EQUAL : (n1 < n2 ? CSTR_LESS_THAN : CSTR_GREATER_THAN);
}
