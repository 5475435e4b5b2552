// The project's exception: every internal failure is thrown as one, by value, and caught at the
// library's entry points, which turn it into their own failure result.
#pragma once

#include <windows.h>

class CNiraException {
public:
    // code is a Win32 error number (ERROR_INVALID_DATA for a general failure, ...).
    explicit CNiraException(LONG code);
    CNiraException(const CNiraException& other);
    CNiraException& operator=(const CNiraException&) = delete;
    ~CNiraException();

    LONG GetCode() const { return m_code; }

    // Size in bytes of each descriptive text, terminator included.
    static constexpr size_t kTextSize = 260;

private:
    // Allocates a descriptive text holding a bounded copy of source; null when memory ran out.
    static char* NewText(const char* source);

    LONG m_code;
    char* m_text1;
    char* m_text2;
    LONG m_extra;
    char* m_text3;
};
