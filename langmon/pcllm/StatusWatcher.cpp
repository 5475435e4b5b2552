#include "langmon/pcllm/StatusWatcher.h"

#include "common/StringResource.h"
#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/PortContext.h"
#include "langmon/pcllm/PortStatus.h"
#include "langmon/pcllm/RegistryKey.h"

#include <strsafe.h>

namespace {

const WCHAR kPrintersKey[] = TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\");
const WCHAR kDriverDataKey[] = TEXT("\\PrinterDriverData");
constexpr size_t kMaxNameLength = 0x7FFF;

}  // namespace

bool BuildDriverDataKeyPath(LPCWSTR printerName, LPWSTR path)
{
    size_t printerLength = 0;
    if (printerName == nullptr || FAILED(StringCchLengthW(printerName, kMaxNameLength, &printerLength))) {
        return false;
    }
    const size_t length = ARRAYSIZE(kPrintersKey) - 1 + printerLength + ARRAYSIZE(kDriverDataKey) - 1;
    if (length >= kMaxKeyPathLength) {
        return false;
    }
    StringCchCopyW(path, kMaxKeyPathLength, kPrintersKey);
    StringCchCatW(path, kMaxKeyPathLength, printerName);
    StringCchCatW(path, kMaxKeyPathLength, kDriverDataKey);
    return true;
}

namespace {

constexpr size_t kStopEventNameCapacity = 130;  // 129 characters and the terminator

// The stop event is named by printer and port, so a second watcher of the same pair shares it.
HANDLE OpenStopEvent(const StatusWatcher* watcher)
{
    WCHAR name[kStopEventNameCapacity] = {};
    StringCchCopyW(name, ARRAYSIZE(name), watcher->printerName);
    if (watcher->port != nullptr) {
        StringCchCatW(name, ARRAYSIZE(name), watcher->port->portName);
    }
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (event != nullptr) {
            CloseHandle(event);
        }
        event = OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, name);
        if (event != nullptr) {
            ResetEvent(event);
        }
    }
    return event;
}

// The ink texts, once per port record, from the string-resource library in the user's language.
void LoadStatusTexts(StatusWatcher* watcher)
{
    if (watcher->stringModule != nullptr) {
        return;
    }
    HMODULE module = LoadLibraryExW(watcher->stringLibraryPath, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) {
        return;
    }
    SetStringLanguage(GetUserDefaultUILanguage());
    LoadStringResource(module, kLowInkTextId, watcher->lowInkText, kStatusTextCapacity);
    LoadStringResource(module, kOutOfInkTextId, watcher->outOfInkText, kStatusTextCapacity);
    FreeLibrary(module);
    watcher->stringModule = module;
}

void Deactivate(StatusWatcher* watcher)
{
    delete watcher->key;
    watcher->key = nullptr;
    watcher->port = nullptr;
    watcher->active = 0;
}

DWORD WINAPI StatusThread(LPVOID parameter)
{
    StatusWatcher* watcher = static_cast<StatusWatcher*>(parameter);
    try {
        LoadStatusTexts(watcher);
        for (;;) {
            const DWORD waited = WaitForSingleObject(watcher->stopEvent, kStatusPollPeriod);
            if (waited == WAIT_OBJECT_0 || waited == WAIT_FAILED) {
                break;  // a failed wait would fail at once for ever
            }
            if (waited == WAIT_TIMEOUT) {
                PollDeviceStatus(watcher, 0);
            }
        }
    } catch (...) {
        Deactivate(watcher);  // the handles are left to StopStatusWatcher, which waits for this thread
    }
    return 0;
}

void StartThread(StatusWatcher* watcher)
{
    if (watcher->thread != nullptr) {
        return;
    }
    watcher->stopEvent = OpenStopEvent(watcher);
    if (watcher->stopEvent == nullptr) {
        return;
    }
    watcher->thread = CreateThread(nullptr, 0, StatusThread, watcher, 0, &watcher->threadId);
    if (watcher->thread == nullptr) {
        CloseHandle(watcher->stopEvent);
        watcher->stopEvent = nullptr;
    }
}

}  // namespace

void StartStatusWatcher(StatusWatcher* watcher, PortContext* port, LPCWSTR printerName)
{
    watcher->port = port;
    watcher->threadPort = port;
    watcher->thread = nullptr;
    watcher->stopEvent = nullptr;
    watcher->key = nullptr;
    watcher->active = 1;
    watcher->threadId = 0;
    ZeroMemory(watcher->printerName, sizeof(watcher->printerName));
    size_t length = 0;
    if (printerName != nullptr &&
        SUCCEEDED(StringCchLengthW(printerName, kWatcherPrinterNameLength + 1, &length))) {
        StringCchCopyW(watcher->printerName, ARRAYSIZE(watcher->printerName), printerName);
    }
    WCHAR keyPath[kMaxKeyPathLength];
    if (!BuildDriverDataKeyPath(printerName, keyPath)) {
        return;
    }
    watcher->key =
        RegistryKey::Create(HKEY_LOCAL_MACHINE, keyPath, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS);
    if (watcher->key == nullptr) {
        watcher->port = nullptr;
        watcher->active = 0;
        return;
    }
    StartThread(watcher);
}

BOOL IsStatusWatcherRunning(const StatusWatcher* watcher)
{
    return watcher->thread != nullptr;
}

void StopStatusWatcher(StatusWatcher* watcher)
{
    if (watcher->thread != nullptr) {
        SetEvent(watcher->stopEvent);
        WaitForSingleObject(watcher->thread, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeThread(watcher->thread, &exitCode);
        CloseHandle(watcher->stopEvent);
        CloseHandle(watcher->thread);
        watcher->stopEvent = nullptr;
        watcher->thread = nullptr;
    }
    Deactivate(watcher);
}

void PollDeviceStatus(StatusWatcher* watcher, DWORD startOfJob)
{
    if (!watcher->active || watcher->port == nullptr) {
        return;
    }
    BYTE id[kStatusBufferSize + 1] = {};  // the extra byte terminates an ID that fills the buffer
    DWORD size = 0;
    QueryDeviceStatus(watcher->port, nullptr, startOfJob, id, kStatusBufferSize, &size);
    if (id[0] == 0) {
        return;
    }
    if (watcher->key != nullptr) {
        watcher->key->SetValue(kStatusValueName, REG_BINARY, id, size);
    }
    ApplyDeviceId(watcher, watcher->port, reinterpret_cast<LPSTR>(id), &size);
}
