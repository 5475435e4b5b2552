#include "common/CodePageConversion.h"

#include <new>

BOOL ConvertToNarrow(LPCWSTR text, LPSTR* narrow, UINT codePage)
{
    if (!text || !narrow) {
        return FALSE;
    }
    int needed = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return FALSE;
    }
    int size = 2 * needed + 2;
    LPSTR buffer = new (std::nothrow) char[size];
    if (!buffer) {
        return FALSE;
    }
    *narrow = buffer;
    if (WideCharToMultiByte(codePage, 0, text, -1, buffer, size, nullptr, nullptr) == 0) {
        delete[] buffer;
        *narrow = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL ConvertToWide(LPWSTR* wide, LPCSTR text, UINT codePage)
{
    if (!wide || !text) {
        return FALSE;
    }
    int needed = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (needed <= 0) {
        return FALSE;
    }
    LPWSTR buffer = new (std::nothrow) WCHAR[2 * static_cast<size_t>(needed)];
    if (!buffer) {
        return FALSE;
    }
    *wide = buffer;
    if (MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, buffer, needed) == 0) {
        delete[] buffer;
        *wide = nullptr;
        return FALSE;
    }
    return TRUE;
}
