// What the monitor's entries ask of the system and the spooler: the class of the Windows version,
// the control code that reads a device ID, whether a second job waits in a printer's queue,
// printer and driver information, and the driver INI's ComponentFiles section as the monitor
// reads it (values of at most 30 characters).
#pragma once

#include <windows.h>
#include <winspool.h>

enum WindowsClass : DWORD {
    WINDOWS_CLASS_WIN32S = 0,
    WINDOWS_CLASS_9X = 1,
    WINDOWS_CLASS_NT3 = 2,
    WINDOWS_CLASS_NT4 = 3,
    WINDOWS_CLASS_2000 = 4,
    WINDOWS_CLASS_XP = 5,
    WINDOWS_CLASS_2003 = 6,
    WINDOWS_CLASS_NT6 = 7,
    WINDOWS_CLASS_OTHER = 8,
};

// The device ID through a parallel, USB or DOT4 port on NT-family systems.
constexpr DWORD kQueryDeviceIdControlCode = 0x16000C;
constexpr DWORD kComponentValueCapacity = 30;

WindowsClass GetWindowsClass();
// The major version GetVersionExW reports; 0 when it fails.
DWORD GetWindowsMajorVersion();
DWORD GetDeviceIdControlCode(DWORD windowsClass, LPCWSTR portName);

// TRUE when the printer's queue holds a job after the first; FALSE when that cannot be decided.
BOOL IsAnotherJobQueued(LPWSTR printerName);
// The PRINTER_INFO of a level in GlobalAlloc memory that the caller frees; null on failure.
LPBYTE GetPrinterInfo(LPWSTR printerName, DWORD level);
// 1 and the driver's DRIVER_INFO_3 in LocalAlloc memory that the caller frees (its size in bytes
// in *size when given); 0 on failure. Without a printer handle the local server is asked.
int QueryDriverInfo3(HANDLE printer, PDRIVER_INFO_3W* info, DWORD* size = nullptr);
// 1 and the path of the driver INI (the first dependent file whose name contains ".INI" in any
// case, as stored) in iniPath (MAX_PATH characters); 0 otherwise.
int FindDriverIni(LPWSTR iniPath, HANDLE printer);
// 1 when the key's value (or the default for an absent key) was copied into value
// (kComponentValueCapacity characters); 0 with the default copied when the value filled the
// buffer, 0 with value untouched on bad arguments.
int ReadComponentValue(LPCWSTR iniPath, LPWSTR value, LPCWSTR defaultValue, LPCWSTR key);
