// Reading a printer's PRINTER_INFO_2 through its handle.
#pragma once

#include <windows.h>
#include <winspool.h>

// PRINTER_INFO_2 of the printer in a LocalAlloc buffer the caller frees with LocalFree; null when
// it cannot be read.
PRINTER_INFO_2W* ReadPrinterInfo2(HANDLE printer);
