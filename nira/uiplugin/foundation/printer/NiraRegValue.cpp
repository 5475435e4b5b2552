#include "nira/uiplugin/foundation/printer/NiraRegValue.h"

#include <strsafe.h>

CNiraRegValue::CNiraRegValue(LPCWSTR name, DWORD type) : m_type(type), m_key(nullptr)
{
    m_name[0] = 0;
    size_t length = 0;
    if (name != nullptr && SUCCEEDED(StringCchLengthW(name, kNameLimit, &length))) {
        StringCchCopyNW(m_name, kNameChars, name, kNameChars - 1);
    }
}

CNiraRegValue::~CNiraRegValue() = default;

bool CNiraRegValue::Query(LPBYTE buffer, LPDWORD size, bool copy)
{
    if (m_key == nullptr || size == nullptr) {
        return false;
    }
    if (!copy || buffer == nullptr) {
        return RegQueryValueExW(*m_key, m_name, nullptr, nullptr, buffer, size) == ERROR_SUCCESS;
    }
    DWORD got = *size;
    LPBYTE temporary = static_cast<LPBYTE>(LocalAlloc(LPTR, got));
    if (temporary == nullptr) {
        return false;
    }
    bool read = RegQueryValueExW(*m_key, m_name, nullptr, nullptr, temporary, &got) == ERROR_SUCCESS;
    if (read) {
        CopyMemory(buffer, temporary, got);
        *size = got;
    }
    LocalFree(temporary);
    return read;
}

bool CNiraRegValue::Set(const BYTE* data, DWORD size)
{
    return m_key != nullptr && RegSetValueExW(*m_key, m_name, 0, m_type, data, size) == ERROR_SUCCESS;
}

bool CNiraRegValue::GetDword(DWORD* value)
{
    DWORD size = sizeof(DWORD);
    return value != nullptr && Query(reinterpret_cast<LPBYTE>(value), &size, false);
}

bool CNiraRegValue::SetDword(DWORD value)
{
    return Set(reinterpret_cast<const BYTE*>(&value), sizeof(value));
}
