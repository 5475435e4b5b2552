// The printer's level-2 record as the processor's copies check reads it.
#pragma once

#include <windows.h>
#include <winspool.h>

// PRINTER_INFO_2 in a global-heap block the caller frees; null with the error: the spooler's,
// or ERROR_NOT_ENOUGH_MEMORY when a buffer could not be made or was too small twice.
PRINTER_INFO_2W* ReadPrinterInfo2(HANDLE printer, DWORD* error);
