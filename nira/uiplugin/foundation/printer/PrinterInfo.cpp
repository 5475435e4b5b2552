#include "nira/uiplugin/foundation/printer/PrinterInfo.h"

PRINTER_INFO_2W* ReadPrinterInfo2(HANDLE printer)
{
    DWORD needed = 0;
    if (printer == nullptr || GetPrinterW(printer, 2, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return nullptr;
    }
    LPBYTE buffer = static_cast<LPBYTE>(LocalAlloc(LPTR, needed));
    if (buffer != nullptr && !GetPrinterW(printer, 2, buffer, needed, &needed)) {
        LocalFree(buffer);
        buffer = nullptr;
    }
    return reinterpret_cast<PRINTER_INFO_2W*>(buffer);
}
