#include "common/SafeString.h"

#include <strsafe.h>

HRESULT CopyStringSafe(LPWSTR dest, size_t cchDest, LPCWSTR src)
{
    return dest && src ? StringCchCopyW(dest, cchDest, src) : E_INVALIDARG;
}

HRESULT CopyStringSafeA(LPSTR dest, size_t cbDest, LPCSTR src)
{
    return dest && src ? StringCchCopyA(dest, cbDest, src) : E_INVALIDARG;
}

HRESULT AppendStringSafe(LPWSTR dest, size_t cchDest, LPCWSTR src)
{
    return dest && src ? StringCchCatW(dest, cchDest, src) : E_INVALIDARG;
}

HRESULT AppendStringSafeA(LPSTR dest, size_t cbDest, LPCSTR src)
{
    return dest && src ? StringCchCatA(dest, cbDest, src) : E_INVALIDARG;
}

HRESULT CopyStringSafeN(LPWSTR dest, size_t cchDest, LPCWSTR src, size_t cchToCopy)
{
    return dest && src ? StringCchCopyNW(dest, cchDest, src, cchToCopy) : E_INVALIDARG;
}

HRESULT GetStringLengthSafe(LPCWSTR text, size_t cchMax, size_t* length)
{
    return text ? StringCchLengthW(text, cchMax, length) : E_INVALIDARG;
}

HRESULT CompareStringSafe(LPCWSTR first, LPCWSTR second)
{
    return first && second ? wcscmp(first, second) : E_INVALIDARG;
}

HRESULT CompareStringSafeA(LPCSTR first, LPCSTR second)
{
    return first && second ? strcmp(first, second) : E_INVALIDARG;
}

HRESULT CompareStringNoCaseSafe(LPCWSTR first, LPCWSTR second)
{
    return first && second ? _wcsicmp(first, second) : E_INVALIDARG;
}

HRESULT CompareStringNoCaseSafeA(LPCSTR first, LPCSTR second)
{
    return first && second ? _stricmp(first, second) : E_INVALIDARG;
}
