// The monitor's process-wide state: the port-list lock and the spooler router "spoolss.dll",
// whose functions are resolved by name at each use.
#pragma once

#include <windows.h>
#include <winspool.h>

// At process attach: the lock and the router; FALSE (nothing kept) when the router is missing.
BOOL StartMonitorGlobals();
void EndMonitorGlobals();

void LockPortList();
void UnlockPortList();

// The router module; null when it is missing.
HMODULE GetRouterModule();
// A router function by name; null when the router or the function is missing.
FARPROC ResolveRouterFunction(LPCSTR name);

template <typename Function>
Function RouterFunction(LPCSTR name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(ResolveRouterFunction(name)));
}

// The router functions the monitor calls.
typedef BOOL(WINAPI* OpenPrinterFunction)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW);
typedef BOOL(WINAPI* ClosePrinterFunction)(HANDLE);
typedef BOOL(WINAPI* GetPrinterFunction)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
typedef BOOL(WINAPI* EnumJobsFunction)(HANDLE, DWORD, DWORD, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
typedef BOOL(WINAPI* SetPortFunction)(LPWSTR, LPWSTR, DWORD, LPBYTE);

// Holds the port-list lock for a scope.
class PortListLock {
public:
    PortListLock() { LockPortList(); }
    ~PortListLock() { UnlockPortList(); }
    PortListLock(const PortListLock&) = delete;
    PortListLock& operator=(const PortListLock&) = delete;
};
