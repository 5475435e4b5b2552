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
    if (FAILED(result))
        throw CXDException(result);
}

// For calls whose other failures mean "not this one" (a node that has no such name, a DOM that
// does not answer for that kind of node): a memory failure must still end the operation, or what
// could not be read would pass for what is not there.
inline bool XDIsOutOfMemory(HRESULT result)
{
    return result == E_OUTOFMEMORY || result == HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY);
}

inline void XDThrowIfOutOfMemory(HRESULT result)
{
    if (XDIsOutOfMemory(result))
        throw CXDException(result);
}

inline bool XDIsEmpty(LPCWSTR text)
{
    return !text || !text[0];
}
