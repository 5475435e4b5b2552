#include "printprocessor/PrinterRecord.h"

namespace {

constexpr DWORD kFirstBufferSize = 2048;
constexpr DWORD kBufferSlack = 10;

}  // namespace

PRINTER_INFO_2W* ReadPrinterInfo2(HANDLE printer, DWORD* error)
{
    DWORD size = kFirstBufferSize;
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto* buffer = static_cast<LPBYTE>(GlobalAlloc(GPTR, size));
        if (buffer == nullptr) {
            break;
        }
        DWORD needed = 0;
        if (GetPrinterW(printer, 2, buffer, size, &needed)) {
            return reinterpret_cast<PRINTER_INFO_2W*>(buffer);
        }
        DWORD failure = GetLastError();
        GlobalFree(buffer);
        if (failure != ERROR_INSUFFICIENT_BUFFER) {
            *error = failure;
            return nullptr;
        }
        size = needed + kBufferSlack;
    }
    *error = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
}
