// The safe string functions, after the platform SDK's rules: a destination count of 0 or above
// STRSAFE_MAX_CCH is refused, a cut text is terminated and answers STRSAFE_E_INSUFFICIENT_BUFFER.
#include <strsafe.h>

#include "crt/Format.h"

namespace {

constexpr size_t kMaxCch = STRSAFE_MAX_CCH;
constexpr size_t kMaxLength = STRSAFE_MAX_LENGTH;

bool ValidDest(const void* dest, size_t cchDest)
{
    return dest && cchDest != 0 && cchDest <= kMaxCch;
}

// Copies at most cchToCopy characters of src; stops one short of the end of the destination.
template <class Ch>
HRESULT CopyWorker(Ch* dest, size_t cchDest, const Ch* src, size_t cchToCopy)
{
    if (!src) {
        *dest = 0;
        return STRSAFE_E_INVALID_PARAMETER;
    }
    size_t n = 0;
    while (n < cchDest && n < cchToCopy && src[n] != 0) {
        dest[n] = src[n];
        ++n;
    }
    HRESULT hr = S_OK;
    if (n == cchDest) {
        --n;
        hr = STRSAFE_E_INSUFFICIENT_BUFFER;
    }
    dest[n] = 0;
    return hr;
}

template <class Ch>
HRESULT LengthWorker(const Ch* psz, size_t cchMax, size_t* pcchLength)
{
    size_t n = 0;
    while (n < cchMax && psz[n] != 0) {
        ++n;
    }
    HRESULT hr = n == cchMax ? STRSAFE_E_INVALID_PARAMETER : S_OK;
    if (pcchLength) {
        *pcchLength = SUCCEEDED(hr) ? n : 0;
    }
    return hr;
}

template <class Ch>
HRESULT Length(const Ch* psz, size_t cchMax, size_t* pcchLength)
{
    if (!psz || cchMax > kMaxCch) {
        if (pcchLength) {
            *pcchLength = 0;
        }
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return LengthWorker(psz, cchMax, pcchLength);
}

template <class Ch>
HRESULT CopyN(Ch* dest, size_t cchDest, const Ch* src, size_t cchToCopy)
{
    if (!ValidDest(dest, cchDest)) {
        if (dest && cchDest > 0) {
            *dest = 0;
        }
        return STRSAFE_E_INVALID_PARAMETER;
    }
    if (cchToCopy > kMaxLength) {
        *dest = 0;
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return CopyWorker(dest, cchDest, src, cchToCopy);
}

template <class Ch>
HRESULT CatN(Ch* dest, size_t cchDest, const Ch* src, size_t cchToAppend)
{
    size_t length = 0;
    if (!ValidDest(dest, cchDest) || FAILED(LengthWorker(dest, cchDest, &length)) ||
        cchToAppend > kMaxLength) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    return CopyWorker(dest + length, cchDest - length, src, cchToAppend);
}

bool Format(const WCHAR* format, va_list args, std::u16string& out)
{
    return nirasim::crt::FormatWide(format, args, out);
}
bool Format(const char* format, va_list args, std::string& out)
{
    return nirasim::crt::FormatNarrow(format, args, out);
}

template <class Ch>
HRESULT VPrintf(Ch* dest, size_t cchDest, const Ch* format, va_list args)
{
    if (!ValidDest(dest, cchDest)) {
        if (dest && cchDest > 0) {
            *dest = 0;
        }
        return STRSAFE_E_INVALID_PARAMETER;
    }
    std::basic_string<Ch> text;
    bool formatted = Format(format, args, text);
    // A format the runtime refuses reads as a text that did not fit, as with the platform SDK.
    size_t room = cchDest - 1;
    size_t n = formatted && text.size() <= room ? text.size() : (formatted ? room : 0);
    memcpy(dest, text.data(), n * sizeof(Ch));
    dest[n] = 0;
    return formatted && text.size() <= room ? S_OK : STRSAFE_E_INSUFFICIENT_BUFFER;
}

// Byte counts: the character count they hold, refused when it exceeds the largest count.
template <class Ch>
size_t Characters(size_t cb)
{
    return cb / sizeof(Ch) <= kMaxCch ? cb / sizeof(Ch) : kMaxCch + 1;
}

}  // namespace

HRESULT StringCchCopyW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc)
{
    return CopyN(pszDest, cchDest, pszSrc, kMaxLength);
}
HRESULT StringCchCopyA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc)
{
    return CopyN(pszDest, cchDest, pszSrc, kMaxLength);
}
HRESULT StringCchCopyNW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc, size_t cchToCopy)
{
    return CopyN(pszDest, cchDest, pszSrc, cchToCopy);
}
HRESULT StringCchCopyNA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc, size_t cchToCopy)
{
    return CopyN(pszDest, cchDest, pszSrc, cchToCopy);
}
HRESULT StringCchCatW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc)
{
    return CatN(pszDest, cchDest, pszSrc, kMaxLength);
}
HRESULT StringCchCatA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc)
{
    return CatN(pszDest, cchDest, pszSrc, kMaxLength);
}
HRESULT StringCchCatNW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc, size_t cchToAppend)
{
    return CatN(pszDest, cchDest, pszSrc, cchToAppend);
}
HRESULT StringCchCatNA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc, size_t cchToAppend)
{
    return CatN(pszDest, cchDest, pszSrc, cchToAppend);
}
HRESULT StringCchLengthW(STRSAFE_LPCWSTR psz, size_t cchMax, size_t* pcchLength)
{
    return Length(psz, cchMax, pcchLength);
}
HRESULT StringCchLengthA(STRSAFE_LPCSTR psz, size_t cchMax, size_t* pcchLength)
{
    return Length(psz, cchMax, pcchLength);
}
HRESULT StringCchVPrintfW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszFormat, va_list argList)
{
    return VPrintf(pszDest, cchDest, pszFormat, argList);
}
HRESULT StringCchVPrintfA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszFormat, va_list argList)
{
    return VPrintf(pszDest, cchDest, pszFormat, argList);
}

HRESULT StringCchPrintfW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    HRESULT hr = VPrintf(pszDest, cchDest, pszFormat, args);
    va_end(args);
    return hr;
}

HRESULT StringCchPrintfA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    HRESULT hr = VPrintf(pszDest, cchDest, pszFormat, args);
    va_end(args);
    return hr;
}

HRESULT StringCbCopyW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc)
{
    return CopyN(pszDest, Characters<WCHAR>(cbDest), pszSrc, kMaxLength);
}
HRESULT StringCbCopyA(STRSAFE_LPSTR pszDest, size_t cbDest, STRSAFE_LPCSTR pszSrc)
{
    return CopyN(pszDest, Characters<char>(cbDest), pszSrc, kMaxLength);
}
HRESULT StringCbCopyNW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc, size_t cbToCopy)
{
    return CopyN(pszDest, Characters<WCHAR>(cbDest), pszSrc, cbToCopy / sizeof(WCHAR));
}
HRESULT StringCbCopyNA(STRSAFE_LPSTR pszDest, size_t cbDest, STRSAFE_LPCSTR pszSrc, size_t cbToCopy)
{
    return CopyN(pszDest, Characters<char>(cbDest), pszSrc, cbToCopy);
}
HRESULT StringCbCatW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc)
{
    return CatN(pszDest, Characters<WCHAR>(cbDest), pszSrc, kMaxLength);
}
HRESULT StringCbCatA(STRSAFE_LPSTR pszDest, size_t cbDest, STRSAFE_LPCSTR pszSrc)
{
    return CatN(pszDest, Characters<char>(cbDest), pszSrc, kMaxLength);
}

HRESULT StringCbLengthW(STRSAFE_LPCWSTR psz, size_t cbMax, size_t* pcbLength)
{
    size_t cch = 0;
    HRESULT hr = Length(psz, Characters<WCHAR>(cbMax), &cch);
    if (pcbLength) {
        *pcbLength = cch * sizeof(WCHAR);
    }
    return hr;
}

HRESULT StringCbLengthA(STRSAFE_LPCSTR psz, size_t cbMax, size_t* pcbLength)
{
    return Length(psz, Characters<char>(cbMax), pcbLength);
}

HRESULT StringCbPrintfW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    HRESULT hr = VPrintf(pszDest, Characters<WCHAR>(cbDest), pszFormat, args);
    va_end(args);
    return hr;
}

HRESULT StringCbPrintfA(STRSAFE_LPSTR pszDest, size_t cbDest, STRSAFE_LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    HRESULT hr = VPrintf(pszDest, Characters<char>(cbDest), pszFormat, args);
    va_end(args);
    return hr;
}
