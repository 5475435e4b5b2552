// A named, typed value that can be read and written. The base class reads and writes the
// registry key it is bound to; CNiraPrinterDataValue replaces both operations with printer data.
#pragma once

#include <windows.h>

class CNiraRegValue {
public:
    // Names of 260 characters or more are not taken (the name stays empty); at most 255
    // characters are stored.
    CNiraRegValue(LPCWSTR name, DWORD type);

    // Reads the value into buffer; *size is the buffer's size in bytes and receives the value's.
    // With copy, the value is read through a temporary and *size changes only on success.
    virtual bool Query(LPBYTE buffer, LPDWORD size, bool copy);
    virtual bool Set(const BYTE* data, DWORD size);
    virtual ~CNiraRegValue();

    // A 4-byte value through Query and Set.
    bool GetDword(DWORD* value);
    bool SetDword(DWORD value);

    // Binds the value to an open key held elsewhere (the registry forms of Query and Set).
    void BindKey(HKEY* key) { m_key = key; }
    LPCWSTR GetName() const { return m_name; }
    DWORD GetType() const { return m_type; }

    static constexpr size_t kNameChars = 256;
    static constexpr size_t kNameLimit = 260;

protected:
    WCHAR m_name[kNameChars];
    DWORD m_type;
    HKEY* m_key;
};
