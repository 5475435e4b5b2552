// A holder of one registry key, null when not open.
#pragma once

#include <windows.h>

class RegistryKey {
public:
    // A holder with the key opened or created below root (a null key when that fails); null
    // when the holder cannot be allocated.
    static RegistryKey* Create(HKEY root, LPCWSTR subKey, LPWSTR keyClass, DWORD options, REGSAM access);
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void Close();
    LSTATUS SetValue(LPCWSTR name, DWORD type, const BYTE* data, DWORD size) const;
    // The value's type is not compared.
    LSTATUS QueryValue(LPCWSTR name, BYTE* data, DWORD* size) const;
    HKEY Key() const { return m_key; }

private:
    RegistryKey() : m_key(nullptr) {}
    HKEY m_key;
};
