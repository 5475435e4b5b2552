// The spooler's side of a printer driver's configuration module.
#pragma once

#include <windows.h>

namespace nirasim::sim {

// The printer event the spooler sends a printer's driver (PRINTER_EVENT_INITIALIZE after adding
// it, ...); the driver's answer, FALSE when the printer or its module is missing.
BOOL SendPrinterEvent(LPCWSTR printerName, INT event, DWORD flags);

}  // namespace nirasim::sim
