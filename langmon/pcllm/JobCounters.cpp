#include "langmon/pcllm/JobCounters.h"

#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/JobEntry.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/PortContext.h"
#include "langmon/pcllm/RegistryKey.h"

#include <strsafe.h>

// The PJL universal exit, which leaves any printer language.
const BYTE kUniversalExit[kUniversalExitSize + 1] = "\x1B%-12345X";

namespace {

const WCHAR kCounterSettingName[] = TEXT("ZQSETCTR");
const WCHAR kCounterDigitsName[] = TEXT("ZQDynCtrDigits");
const WCHAR kPrintingLanguageName[] = TEXT("ZQPrintingLanguage");
const WCHAR kCounterNameFormat[] = TEXT("CTR:%0*d");
const char kCounterNameFormatA[] = "CTR:%0*d";
constexpr size_t kCounterNameCapacity = 16;  // 15 characters and the terminator

const BYTE kLanguageSwitch[] = "\x1B%-12345X@PJL ENTER LANGUAGE=PCL3GUI\n";
const BYTE kCounterCommandHead[] = {0x1B, '*', 'o', '5', 'W', 0xC0, 0x01, 0x00};
constexpr BYTE kLineFeed = 0x0A;
constexpr DWORD kCounterCommandSize = sizeof(kCounterCommandHead) + 3;

// Shared by every port: two ports reading counters at once share their delays.
DWORD g_pollDelay = kCounterDelayStep;

BOOL ReadDword(const PortContext* port, LPCWSTR name, DWORD* value)
{
    if (port->driverDataKey == nullptr) {
        return FALSE;
    }
    DWORD size = sizeof(*value);
    return port->driverDataKey->QueryValue(name, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
           size == sizeof(*value);
}

void WriteToDevice(PortContext* port, const BYTE* bytes, DWORD size)
{
    DWORD written = 0;
    port->lower.pfnWritePort(port->lowerPort, const_cast<LPBYTE>(bytes), size, &written);
}

// The first occurrence of the name within the bytes read, or null.
const BYTE* FindName(const BYTE* text, DWORD size, const char* name)
{
    const size_t length = strlen(name);
    for (DWORD at = 0; at + length <= size; ++at) {
        if (memcmp(text + at, name, length) == 0) {
            return text + at;
        }
    }
    return nullptr;
}

// The text's length within the bytes read: up to its terminator or the end.
DWORD TextLength(const BYTE* text, DWORD size)
{
    DWORD length = 0;
    while (length < size && text[length] != 0) {
        ++length;
    }
    return length;
}

// One read of the device ID; 1 when it carried the counter and its answer was stored.
int StoreCounterAnswer(PortContext* port, LPCWSTR name, const char* nameA)
{
    BYTE id[kStatusBufferSize] = {};
    DWORD size = 0;
    if (!QueryDeviceStatus(port, nullptr, 0, id, kStatusBufferSize, &size)) {
        return -1;
    }
    const DWORD length = TextLength(id, size < kStatusBufferSize ? size : kStatusBufferSize);
    const BYTE* found = FindName(id, length, nameA);
    if (found == nullptr) {
        return -1;
    }
    const DWORD answerSize = static_cast<DWORD>(id + length - found);
    return port->driverDataKey != nullptr &&
           port->driverDataKey->SetValue(name, REG_BINARY, found, answerSize) == ERROR_SUCCESS;
}

int ReadCounter(PortContext* port, DWORD counter)
{
    if (!SendCounterRequest(port, counter)) {
        return 0;
    }
    DWORD digits = 0;
    if (!ReadDword(port, kCounterDigitsName, &digits) || digits == 0) {
        return 0;
    }
    WCHAR name[kCounterNameCapacity] = {};
    char nameA[kCounterNameCapacity] = {};
    StringCchPrintfW(name, kCounterNameCapacity, kCounterNameFormat, static_cast<int>(digits),
                     static_cast<int>(counter));
    StringCchPrintfA(nameA, kCounterNameCapacity, kCounterNameFormatA, static_cast<int>(digits),
                     static_cast<int>(counter));
    g_pollDelay = kCounterDelayStep;
    for (DWORD pass = 0; pass < kCounterPasses; ++pass) {
        const int stored = StoreCounterAnswer(port, name, nameA);
        if (stored == 1) {
            return 1;
        }
        if (stored == 0) {
            continue;  // found but not written: read again at once
        }
        Sleep(g_pollDelay);
        if (g_pollDelay < kCounterDelayLimit) {
            g_pollDelay += kCounterDelayStep;
        }
    }
    return 0;
}

}  // namespace

void OpenDriverDataKey(PortContext* port)
{
    const JobRecord* job = port->jobs;
    WCHAR path[kMaxKeyPathLength];
    if (job == nullptr || !BuildDriverDataKeyPath(job->printerName, path)) {
        return;
    }
    port->driverDataKey =
        RegistryKey::Create(HKEY_LOCAL_MACHINE, path, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS);
}

void CloseDriverDataKey(PortContext* port)
{
    delete port->driverDataKey;
    port->driverDataKey = nullptr;
}

int SendCounterRequest(PortContext* port, DWORD counter)
{
    DWORD language = 0;
    if (!ReadDword(port, kPrintingLanguageName, &language) || language != kPrintingLanguageWithCounters ||
        port->lower.pfnWritePort == nullptr || port->lowerPort == nullptr) {
        return 0;
    }
    BYTE command[kCounterCommandSize];
    CopyMemory(command, kCounterCommandHead, sizeof(kCounterCommandHead));
    command[sizeof(kCounterCommandHead)] = HIBYTE(LOWORD(counter));
    command[sizeof(kCounterCommandHead) + 1] = LOBYTE(LOWORD(counter));
    command[sizeof(kCounterCommandHead) + 2] = kLineFeed;
    WriteToDevice(port, kLanguageSwitch, sizeof(kLanguageSwitch) - 1);
    WriteToDevice(port, command, kCounterCommandSize);
    WriteToDevice(port, kUniversalExit, kUniversalExitSize);
    return 1;
}

int EndCounterRequest(PortContext* port)
{
    return SendCounterRequest(port, 0);
}

int ReadJobCounter(PortContext* port, DWORD counter)
{
    try {
        return ReadCounter(port, counter);
    } catch (...) {
        return 0;
    }
}

void ReadEndOfJobCounter(PortContext* port)
{
    DWORD counter = 0;
    if (ReadDword(port, kCounterSettingName, &counter) && counter != 0 &&
        GetWindowsClass() == WINDOWS_CLASS_2000) {
        ReadJobCounter(port, counter);
        EndCounterRequest(port);
    }
}
