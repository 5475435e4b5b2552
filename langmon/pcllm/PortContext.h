// The record of an open port and the process-wide list of open ports, newest first, guarded by
// the port-list lock; the entries that open, read and close a port.
#pragma once

#include <windows.h>
#include <winsplp.h>

#include "langmon/pcllm/StatusWatcher.h"

class RegistryKey;
struct JobRecord;

constexpr DWORD kPortSignature = 0x4F4A;
constexpr DWORD PORT_FLAG_DOC_STARTED = 0x1;
constexpr DWORD PORT_FLAG_WRITE_FAILED = 0x200;
constexpr DWORD kStatusBufferSize = 1300;
constexpr size_t kLowerTableSize = 160;  // the MONITOR2 of the port monitor below, as copied

struct PortContext {
    DWORD signature;
    PortContext* next;
    LPWSTR portName;
    LPWSTR printerName;  // the spooler's, from the latest StartDocPort
    DWORD reserved;
    DWORD flags;
    JobRecord* jobs;
    DWORD firstJob;
    HANDLE lowerPort;
    HANDLE lowerMonitor;
    DWORD portStatus;  // the PORT_INFO_3 status last set on the port
    RegistryKey* driverDataKey;
    StatusWatcher watcher;
    DWORD deviceIdControlCode;
    LPBYTE statusBuffer;  // the last device ID read, kStatusBufferSize bytes
    MONITOR2 lower;
};

static_assert(sizeof(MONITOR2) >= kLowerTableSize, "the lower table fits its copy");

// Callers hold the port-list lock.
PortContext* FindPortContext(LPCWSTR portName);
PortContext* CreatePortContext(LPCWSTR portName);
void DeletePortContext(PortContext* port);
// Whether a handle is an open port's record.
BOOL IsPortContext(HANDLE handle);
// At process detach: frees the records left in the list (not those whose watcher still runs).
void FreeRemainingPortContexts();

BOOL WINAPI OpenPortEx(HANDLE monitor, HANDLE lowerMonitor, LPWSTR portName, LPWSTR printerName, PHANDLE port,
                       LPMONITOR2 lowerTable);
BOOL WINAPI ReadPort(HANDLE port, LPBYTE buffer, DWORD size, LPDWORD count);
BOOL WINAPI ClosePort(HANDLE port);
VOID WINAPI Shutdown(HANDLE monitor);
