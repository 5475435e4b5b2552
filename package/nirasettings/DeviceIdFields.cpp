#include "DeviceIdFields.h"

#include <winspool.h>

namespace {

constexpr WCHAR kDeviceIdValue[] = TEXT("ZQSTSSTR");
constexpr CHAR kFieldSeparator = ';';
constexpr CHAR kKeySeparator = ':';

bool IsDigit(CHAR c)
{
    return c >= '0' && c <= '9';
}

// True when the field at start is "key:".
bool FieldHasKey(LPCSTR start, LPCSTR key)
{
    while (*key != 0) {
        if (*start != *key) {
            return false;
        }
        ++start;
        ++key;
    }
    return *start == kKeySeparator;
}

}  // namespace

BOOL ReadDeviceId(HANDLE printer, LPSTR deviceId, DWORD capacity)
{
    if (printer == nullptr || deviceId == nullptr || capacity == 0) {
        return FALSE;
    }
    DWORD type = 0;
    DWORD size = 0;
    // One byte stays for the terminator: the value is stored without one.
    const DWORD result = GetPrinterDataW(printer, const_cast<LPWSTR>(kDeviceIdValue), &type,
                                         reinterpret_cast<LPBYTE>(deviceId), capacity - 1, &size);
    if (result != ERROR_SUCCESS || size >= capacity) {
        deviceId[0] = 0;
        return FALSE;
    }
    deviceId[size] = 0;
    return size > 0;
}

BOOL FindDeviceIdNumber(LPCSTR deviceId, LPCSTR key, LONG* value)
{
    if (deviceId == nullptr || key == nullptr || value == nullptr) {
        return FALSE;
    }
    for (LPCSTR field = deviceId; *field != 0;) {
        while (*field == ' ') {
            ++field;
        }
        if (FieldHasKey(field, key)) {
            LPCSTR digits = field + lstrlenA(key) + 1;
            if (!IsDigit(*digits)) {
                return FALSE;
            }
            LONG number = 0;
            for (; IsDigit(*digits) && number < MAXLONG / 10; ++digits) {
                number = number * 10 + (*digits - '0');
            }
            *value = number;
            return TRUE;
        }
        while (*field != 0 && *field != kFieldSeparator) {
            ++field;
        }
        if (*field == kFieldSeparator) {
            ++field;
        }
    }
    return FALSE;
}
