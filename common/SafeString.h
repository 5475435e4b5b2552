// Bounded string functions: the platform's safe string functions behind a null-pointer check.
// Each answers an HRESULT: E_INVALIDARG for a null pointer (before anything is touched), else
// the platform function's result (STRSAFE_E_INSUFFICIENT_BUFFER with a cut, terminated text).
// None of them throws.
#pragma once

#include <windows.h>

HRESULT CopyStringSafe(LPWSTR dest, size_t cchDest, LPCWSTR src);
HRESULT CopyStringSafeA(LPSTR dest, size_t cbDest, LPCSTR src);
HRESULT AppendStringSafe(LPWSTR dest, size_t cchDest, LPCWSTR src);
HRESULT AppendStringSafeA(LPSTR dest, size_t cbDest, LPCSTR src);
// Copies at most cchToCopy characters; a count of STRSAFE_MAX_CCH or more empties the
// destination and answers E_INVALIDARG.
HRESULT CopyStringSafeN(LPWSTR dest, size_t cchDest, LPCWSTR src, size_t cchToCopy);
// E_INVALIDARG, with *length 0, when no terminator lies within cchMax characters.
HRESULT GetStringLengthSafe(LPCWSTR text, size_t cchMax, size_t* length);

// The comparisons answer the C runtime's result (negative, 0, positive), or E_INVALIDARG (which
// is negative) for a null argument, so that a null never compares equal.
HRESULT CompareStringSafe(LPCWSTR first, LPCWSTR second);
HRESULT CompareStringSafeA(LPCSTR first, LPCSTR second);
HRESULT CompareStringNoCaseSafe(LPCWSTR first, LPCWSTR second);
HRESULT CompareStringNoCaseSafeA(LPCSTR first, LPCSTR second);
