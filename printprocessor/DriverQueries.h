// What the print processor asks the spooler about the printer's driver and forms: the size of a
// paper by its place in the form list, the driver's DRIVER_INFO_3, the driver INI among its
// dependent files, and the name and full path of the string-resource library.
#pragma once

#include <windows.h>
#include <winspool.h>

constexpr DWORD kStringDllNameChars = 30;

// A paper size in tenths of a millimetre.
struct PaperSize {
    LONG width;
    LONG height;
};

// The size of paper index (1-based, taken as a signed 16-bit value) in the form list; the
// DEVMODE's dmPaperWidth and dmPaperLength for an index outside the list or above 255.
bool FormSizeByIndex(HANDLE printer, const DEVMODEW& devmode, LONG paperIndex, PaperSize& size);
// The printer driver's DRIVER_INFO_3 in a local-heap block the caller frees; without a printer
// handle the local print server is asked.
bool GetDriverInfo3(HANDLE printer, DRIVER_INFO_3W** info);
// The first dependent file whose name contains ".INI", in capitals (MAX_PATH characters).
bool FindDriverIni(LPWSTR iniPath, HANDLE printer);
// The ComponentFiles value Component_R_B (default "nirastr.DLL") into name
// (kStringDllNameChars characters). A value that fills the buffer is taken as cut: the default
// is answered, with false.
bool ReadStringDllName(LPCWSTR iniPath, LPWSTR name);
// The driver file's folder and fileName, in a local-heap block the caller frees.
bool BuildStringDllPath(HANDLE printer, LPWSTR* path, LPCWSTR fileName);
