#include "langmon/pcllm/PortContext.h"

#include "langmon/pcllm/JobEntry.h"
#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/RegistryKey.h"

#include <strsafe.h>

namespace {

constexpr size_t kMaxPortNameLength = 0x7FFF;

PortContext* g_ports = nullptr;

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL HasRequiredLowerMembers(const MONITOR2* lower)
{
    return lower != nullptr && lower->pfnOpenPort != nullptr && lower->pfnStartDocPort != nullptr &&
           lower->pfnWritePort != nullptr && lower->pfnReadPort != nullptr && lower->pfnClosePort != nullptr;
}

void FreePortContext(PortContext* port)
{
    if (port->statusBuffer != nullptr) {
        GlobalFree(port->statusBuffer);
    }
    if (port->portName != nullptr) {
        GlobalFree(port->portName);
    }
    port->signature = 0;
    GlobalFree(port);
}

void Unlink(PortContext* port)
{
    for (PortContext** link = &g_ports; *link != nullptr; link = &(*link)->next) {
        if (*link == port) {
            *link = port->next;
            return;
        }
    }
}

}  // namespace

PortContext* FindPortContext(LPCWSTR portName)
{
    if (portName == nullptr || *portName == 0) {
        return nullptr;
    }
    for (PortContext* port = g_ports; port != nullptr; port = port->next) {
        if (lstrcmpiW(port->portName, portName) == 0) {
            return port;
        }
    }
    return nullptr;
}

PortContext* CreatePortContext(LPCWSTR portName)
{
    size_t length = 0;
    if (portName == nullptr || FAILED(StringCchLengthW(portName, kMaxPortNameLength, &length))) {
        return nullptr;
    }
    PortContext* port = static_cast<PortContext*>(GlobalAlloc(GPTR, sizeof(PortContext)));
    LPWSTR name = static_cast<LPWSTR>(GlobalAlloc(GPTR, (length + 1) * sizeof(WCHAR)));
    if (port == nullptr || name == nullptr) {
        if (port != nullptr) {
            GlobalFree(port);
        }
        if (name != nullptr) {
            GlobalFree(name);
        }
        return nullptr;
    }
    StringCchCopyW(name, length + 1, portName);
    port->signature = kPortSignature;
    port->portName = name;
    port->next = g_ports;
    g_ports = port;
    return port;
}

void DeletePortContext(PortContext* port)
{
    if (port == nullptr) {
        return;
    }
    for (PortContext* listed = g_ports; listed != nullptr; listed = listed->next) {
        if (listed == port) {
            Unlink(port);
            FreePortContext(port);
            return;
        }
    }
}

BOOL IsPortContext(HANDLE handle)
{
    PortListLock lock;
    for (PortContext* port = g_ports; port != nullptr; port = port->next) {
        if (port == handle) {
            return port->signature == kPortSignature;
        }
    }
    return FALSE;
}

void FreeRemainingPortContexts()
{
    PortListLock lock;
    while (g_ports != nullptr) {
        PortContext* port = g_ports;
        g_ports = port->next;
        if (IsStatusWatcherRunning(&port->watcher)) {
            // Its thread may still read the record: ask it to stop and leave the record to it.
            SetEvent(port->watcher.stopEvent);
            continue;
        }
        delete port->watcher.key;
        delete port->driverDataKey;
        FreePortContext(port);
    }
}

BOOL WINAPI OpenPortEx(HANDLE, HANDLE lowerMonitor, LPWSTR portName, LPWSTR, PHANDLE portHandle,
                       LPMONITOR2 lowerTable)
{
    if (!HasRequiredLowerMembers(lowerTable)) {
        return Fail(ERROR_INVALID_PRINT_MONITOR);
    }
    if (portHandle == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = nullptr;
    {
        PortListLock lock;
        if (FindPortContext(portName) != nullptr) {
            return Fail(ERROR_BUSY);
        }
        port = CreatePortContext(portName);
    }
    if (port == nullptr) {
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (!lowerTable->pfnOpenPort(lowerMonitor, port->portName, &port->lowerPort)) {
        // Removed again, or the name would stay busy for ever; the lower monitor's error stays.
        const DWORD error = GetLastError();
        {
            PortListLock lock;
            DeletePortContext(port);
        }
        return Fail(error);
    }
    CopyMemory(&port->lower, lowerTable, kLowerTableSize);
    port->lowerMonitor = lowerMonitor;
    port->deviceIdControlCode = GetDeviceIdControlCode(GetWindowsClass(), port->portName);
    port->firstJob = 1;
    port->driverDataKey = nullptr;
    port->statusBuffer = static_cast<LPBYTE>(GlobalAlloc(GPTR, kStatusBufferSize));
    *portHandle = port;
    return TRUE;
}

BOOL WINAPI ReadPort(HANDLE portHandle, LPBYTE buffer, DWORD size, LPDWORD count)
{
    if (!IsPortContext(portHandle)) {
        return FALSE;
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    if (port->lowerPort == nullptr || port->lower.pfnReadPort == nullptr) {
        return FALSE;
    }
    return port->lower.pfnReadPort(port->lowerPort, buffer, size, count);
}

BOOL WINAPI ClosePort(HANDLE portHandle)
{
    if (portHandle == nullptr || !IsPortContext(portHandle)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    StopStatusWatcher(&port->watcher);
    EndPortJobs(port);  // their writers use the lower port and the record
    delete port->driverDataKey;
    port->driverDataKey = nullptr;
    if (port->statusBuffer != nullptr) {
        GlobalFree(port->statusBuffer);
        port->statusBuffer = nullptr;
    }
    if (port->lower.pfnClosePort != nullptr) {
        port->lower.pfnClosePort(port->lowerPort);
    }
    PortListLock lock;
    DeletePortContext(port);
    return TRUE;
}

VOID WINAPI Shutdown(HANDLE) {}
