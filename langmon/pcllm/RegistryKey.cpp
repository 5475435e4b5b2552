#include "langmon/pcllm/RegistryKey.h"

#include <new>

RegistryKey* RegistryKey::Create(HKEY root, LPCWSTR subKey, LPWSTR keyClass, DWORD options, REGSAM access)
{
    RegistryKey* holder = new (std::nothrow) RegistryKey;
    if (holder != nullptr && RegCreateKeyExW(root, subKey, 0, keyClass, options, access, nullptr,
                                             &holder->m_key, nullptr) != ERROR_SUCCESS) {
        holder->m_key = nullptr;
    }
    return holder;
}

void RegistryKey::Close()
{
    if (m_key != nullptr) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}

LSTATUS RegistryKey::SetValue(LPCWSTR name, DWORD type, const BYTE* data, DWORD size) const
{
    return m_key == nullptr ? ERROR_INVALID_HANDLE : RegSetValueExW(m_key, name, 0, type, data, size);
}

LSTATUS RegistryKey::QueryValue(LPCWSTR name, BYTE* data, DWORD* size) const
{
    return m_key == nullptr ? ERROR_INVALID_HANDLE
                            : RegQueryValueExW(m_key, name, nullptr, nullptr, data, size);
}
