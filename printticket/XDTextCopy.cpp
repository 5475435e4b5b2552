#include "printticket/XDTextCopy.h"

#include "printticket/XDException.h"

#include <strsafe.h>

void CopyWideN(LPWSTR destination, int capacity, LPCWSTR source, int count)
{
    if (capacity < count) {
        throw CXDException(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    }
    if (!destination) {
        throw CXDException(E_INVALIDARG);
    }
    if (!source || count == 0) {
        return;
    }
    HRESULT hr =
        StringCchCopyNW(destination, static_cast<size_t>(capacity), source, static_cast<size_t>(count));
    if (FAILED(hr)) {
        throw CXDException(hr);
    }
}

void CopyAnsiToWide(LPWSTR destination, int capacity, LPCSTR source, int byteCount)
{
    if (capacity < byteCount) {
        throw CXDException(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    }
    if (!destination) {
        throw CXDException(E_INVALIDARG);
    }
    if (!source || byteCount == 0) {
        return;
    }
    int converted = MultiByteToWideChar(CP_ACP, 0, source, byteCount, destination, capacity);
    if (converted != byteCount || byteCount >= capacity) {
        throw CXDException(E_FAIL);
    }
    destination[byteCount] = 0;
}

BSTR AllocBstrOrThrow(LPCWSTR text)
{
    BSTR copy = SysAllocString(text);
    if (!copy) {
        throw CXDException(E_OUTOFMEMORY);
    }
    return copy;
}
