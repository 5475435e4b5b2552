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

LPSTR ReadDeviceId(HANDLE printer)
{
    if (printer == nullptr) {
        return nullptr;
    }
    // The size is asked first, so that a device ID of any length up to the bound is read whole.
    DWORD type = 0;
    DWORD size = 0;
    DWORD result = GetPrinterDataW(printer, const_cast<LPWSTR>(kDeviceIdValue), &type, nullptr, 0, &size);
    if ((result != ERROR_MORE_DATA && result != ERROR_SUCCESS) || size == 0 || size > kMaxDeviceIdBytes) {
        return nullptr;
    }
    // One byte more for the terminator: the value is stored without one.
    auto* deviceId = static_cast<LPSTR>(LocalAlloc(LPTR, size + 1));
    if (deviceId == nullptr) {
        return nullptr;
    }
    DWORD read = 0;
    result = GetPrinterDataW(printer, const_cast<LPWSTR>(kDeviceIdValue), &type,
                             reinterpret_cast<LPBYTE>(deviceId), size, &read);
    if (result != ERROR_SUCCESS || read == 0 || read > size) {
        LocalFree(deviceId);
        return nullptr;
    }
    deviceId[read] = 0;
    return deviceId;
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
            // A number too long for a LONG is no number: a cut one would be a wrong value.
            LONG number = 0;
            for (; IsDigit(*digits); ++digits) {
                const LONG digit = *digits - '0';
                if (number > (MAXLONG - digit) / 10) {
                    return FALSE;
                }
                number = number * 10 + digit;
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
