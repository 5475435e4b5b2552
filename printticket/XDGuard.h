// The edge of every document operation: a failure thrown inside comes back as its HRESULT, and
// nothing thrown leaves the library.
#pragma once

#include <windows.h>

#include "printticket/XDException.h"

#include <new>

template <class Body>
HRESULT XDGuarded(Body body)
{
    try {
        return body();
    } catch (const CXDException& failure) {
        return failure.GetResult();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

inline void XDThrowIfFailed(HRESULT result)
{
    if (FAILED(result)) {
        throw CXDException(result);
    }
}

inline bool XDIsEmpty(LPCWSTR text)
{
    return !text || !text[0];
}
