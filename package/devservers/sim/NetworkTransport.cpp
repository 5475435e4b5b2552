// The transport on the simulated machine: its network devices are kept in the machine's registry
// (HKLM "SOFTWARE\NiraSim\NetworkDevices\<port>": "Supported", one "OID:<object id>" value per
// answer holding the type byte and the bytes), and every request is journalled there
// ("Requests": the id count of each request; "RequestedIds": the ids, each with its terminator).
#include "../NetworkTransport.h"

#include <objbase.h>

#include <string>

namespace {

typedef std::basic_string<WCHAR> WideString;

const WideString kDevicesKey = TEXT("SOFTWARE\\NiraSim\\NetworkDevices\\");
constexpr DWORD kMaxAnswerBytes = 0x10000;

HKEY OpenDevice(LPCWSTR port)
{
    if (port == nullptr || port[0] == 0) {
        return nullptr;
    }
    HKEY key = nullptr;
    WideString path = kDevicesKey + port;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void AppendBytes(HKEY key, LPCWSTR name, const void* bytes, DWORD size)
{
    std::string journal;
    DWORD stored = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &stored) == ERROR_SUCCESS && stored > 0) {
        journal.resize(stored);
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&journal[0]), &stored);
        journal.resize(stored);
    }
    journal.append(static_cast<const char*>(bytes), size);
    RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(journal.data()),
                   static_cast<DWORD>(journal.size()));
}

// FALSE when the answer could not be read here (the device's own "no such name" is an answer).
BOOL ReadAnswer(HKEY key, LPCWSTR objectId, SnmpAnswer* answer)
{
    *answer = {kSnmpErrorNoSuchName, 0, nullptr, 0};
    WideString name = TEXT("OID:");
    name += objectId;
    DWORD size = 0;
    const LSTATUS found = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    if (found == ERROR_FILE_NOT_FOUND) {
        return TRUE;
    }
    if (found != ERROR_SUCCESS) {
        return FALSE;
    }
    if (size == 0 || size > kMaxAnswerBytes) {
        return TRUE;
    }
    std::string stored(size, '\0');
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&stored[0]), &size) !=
        ERROR_SUCCESS) {
        return FALSE;
    }
    DWORD length = size - 1;
    BYTE* data = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (data == nullptr) {
        return FALSE;
    }
    memcpy(data, stored.data() + 1, length);
    *answer = {0, static_cast<BYTE>(stored[0]), data, length};
    return TRUE;
}

}  // namespace

BOOL TransportFindDevice(LPCWSTR port, BOOL* supported)
{
    HKEY key = OpenDevice(port);
    if (key == nullptr) {
        return FALSE;
    }
    DWORD value = 0;
    DWORD size = sizeof(value);
    *supported = RegQueryValueExW(key, TEXT("Supported"), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                                  &size) == ERROR_SUCCESS &&
                 value != 0;
    RegCloseKey(key);
    return TRUE;
}

BOOL TransportGet(LPCWSTR port, int count, const LPCWSTR* objectIds, SnmpAnswer* answers)
{
    HKEY key = OpenDevice(port);
    if (key == nullptr) {
        for (int i = 0; i < count; ++i) {
            answers[i] = {kSnmpErrorGeneral, 0, nullptr, 0};
        }
        return FALSE;
    }
    DWORD requestSize = static_cast<DWORD>(count);
    AppendBytes(key, TEXT("Requests"), &requestSize, sizeof(requestSize));
    BOOL read = TRUE;
    for (int i = 0; i < count; ++i) {
        WideString id = objectIds[i];
        AppendBytes(key, TEXT("RequestedIds"), id.c_str(),
                    static_cast<DWORD>((id.size() + 1) * sizeof(WCHAR)));
        if (!read || !ReadAnswer(key, objectIds[i], &answers[i])) {
            answers[i] = {kSnmpErrorGeneral, 0, nullptr, 0};
            read = FALSE;
        }
    }
    RegCloseKey(key);
    return read;
}
