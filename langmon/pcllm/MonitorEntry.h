// niralm's exports: the library entry and the monitor table the spooler asks for.
#pragma once

#include <windows.h>
#include <winsplp.h>

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
extern "C" __declspec(dllexport) LPMONITOR2 WINAPI
    InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitor);

// The table size reported to the spooler of Windows 2000, which knows no bidi member.
constexpr DWORD kMonitorTableSizeWithoutBidi = 148;
constexpr DWORD kMonitorTableSize = 160;
