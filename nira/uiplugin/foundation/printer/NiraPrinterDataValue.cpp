#include "nira/uiplugin/foundation/printer/NiraPrinterDataValue.h"

#include <winspool.h>

CNiraPrinterDataValue::CNiraPrinterDataValue(const CNiraPrinterHandle& holder, LPCWSTR name, DWORD type)
    : CNiraRegValue(name, type), m_printer(holder.GetHandle(), false), m_valueName(m_name)
{}

CNiraPrinterDataValue::~CNiraPrinterDataValue()
{
    m_printer.Release();
}

bool CNiraPrinterDataValue::Query(LPBYTE buffer, LPDWORD size, bool copy)
{
    if (size == nullptr) {
        return false;
    }
    DWORD type = 0;
    LPWSTR name = const_cast<LPWSTR>(m_valueName);
    if (!copy) {
        return GetPrinterDataW(m_printer.GetHandle(), name, &type, buffer, *size, size) == ERROR_SUCCESS;
    }
    DWORD needed = 0;
    if (buffer == nullptr) {
        bool read =
            GetPrinterDataW(m_printer.GetHandle(), name, &type, nullptr, *size, &needed) == ERROR_SUCCESS;
        if (read) {
            *size = needed;
        }
        return read;
    }
    LPBYTE temporary = static_cast<LPBYTE>(LocalAlloc(LPTR, *size));
    if (temporary == nullptr) {
        return false;
    }
    bool read =
        GetPrinterDataW(m_printer.GetHandle(), name, &type, temporary, *size, &needed) == ERROR_SUCCESS;
    if (read) {
        *size = needed;
        CopyMemory(buffer, temporary, needed);
    }
    LocalFree(temporary);
    return read;
}

bool CNiraPrinterDataValue::Set(const BYTE* data, DWORD size)
{
    return SetPrinterDataW(m_printer.GetHandle(), const_cast<LPWSTR>(m_valueName), m_type,
                           const_cast<LPBYTE>(data), size) == ERROR_SUCCESS;
}

bool CNiraPrinterDataValue::Delete(LPCWSTR valueName)
{
    return valueName != nullptr &&
           DeletePrinterDataW(m_printer.GetHandle(), const_cast<LPWSTR>(valueName)) == ERROR_SUCCESS;
}
