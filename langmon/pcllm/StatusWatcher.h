// The status watcher of a port: while a job prints, a thread reads the device ID every 5000 ms,
// keeps it in the printer's driver data under "ZQSTSSTR" and turns its status into the spooler's
// port status. It is embedded in the port's record and woken only to stop.
#pragma once

#include <windows.h>

struct PortContext;
class RegistryKey;

constexpr DWORD kStatusPollPeriod = 5000;
constexpr size_t kStatusTextCapacity = 256;
constexpr size_t kStringLibraryPathCapacity = 256;
constexpr size_t kWatcherPrinterNameLength = 260;
constexpr UINT kOutOfInkTextId = 3772;
constexpr UINT kLowInkTextId = 3774;
constexpr size_t kMaxKeyPathLength = MAX_PATH;  // the whole path stays below it

struct StatusWatcher {
    PortContext* port;
    HANDLE thread;
    HANDLE stopEvent;
    PortContext* threadPort;  // the record the thread works on
    RegistryKey* key;         // the printer's driver data
    BYTE active;
    DWORD threadId;
    // The module the texts were loaded from; kept after it is freed so that they load once.
    HMODULE stringModule;
    WCHAR stringLibraryPath[kStringLibraryPathCapacity];
    WCHAR printerName[kWatcherPrinterNameLength + 1];
    WCHAR lowInkText[kStatusTextCapacity];
    WCHAR outOfInkText[kStatusTextCapacity];
};

// The path below HKEY_LOCAL_MACHINE of a printer's driver data (kMaxKeyPathLength characters);
// false when it would not fit.
bool BuildDriverDataKeyPath(LPCWSTR printerName, LPWSTR path);
// Opens the printer's driver-data key and starts the thread (nothing when the key's path would
// be too long, so the status is then refreshed only by the polls at the start of each job).
void StartStatusWatcher(StatusWatcher* watcher, PortContext* port, LPCWSTR printerName);
BOOL IsStatusWatcherRunning(const StatusWatcher* watcher);
// Stops the thread and waits for its end, then closes the key.
void StopStatusWatcher(StatusWatcher* watcher);
// One poll: the device ID to the key and the port status. startOfJob is 0 or 1.
void PollDeviceStatus(StatusWatcher* watcher, DWORD startOfJob);
