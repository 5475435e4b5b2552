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

// The largest count StringCchCopyNW takes: a count of STRSAFE_MAX_CCH or more empties a usable
// destination and fails. Checked here, because not every strsafe.h a build may use refuses it.
constexpr size_t kMaxCopyCount = STRSAFE_MAX_CCH - 1;

HRESULT CopyStringSafeN(LPWSTR dest, size_t cchDest, LPCWSTR src, size_t cchToCopy)
{
    if (!dest || !src) {
        return E_INVALIDARG;
    }
    if (cchToCopy > kMaxCopyCount) {
        if (cchDest > 0 && cchDest <= STRSAFE_MAX_CCH) {
            dest[0] = 0;
        }
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return StringCchCopyNW(dest, cchDest, src, cchToCopy);
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
