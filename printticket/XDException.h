// The PrintTicket library's exception: a failure inside the library, carried as an HRESULT.
// Thrown by value, caught by reference at the edge of every document operation.
#pragma once

#include <windows.h>

class CXDException {
public:
    explicit CXDException(HRESULT result) : m_result(result) {}
    HRESULT GetResult() const { return m_result; }

private:
    HRESULT m_result;
};
