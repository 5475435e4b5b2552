// DocumentPropertiesW without a dialog: the size of the printer's DEVMODE, or the DEVMODE itself
// (DM_OUT_BUFFER). The simulated printer's default DEVMODE is the public part only: Letter,
// portrait, one copy at 600 dpi, with the printer's name.
#include "core/Failures.h"
#include "spooler/Spooler.h"

#include "core/Wide.h"

#include <algorithm>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr short kDefaultResolution = 600;

DEVMODEW DefaultDevmode(const std::u16string& printer)
{
    DEVMODEW devmode = {};
    size_t length = std::min(printer.size(), static_cast<size_t>(CCHDEVICENAME - 1));
    std::copy(printer.begin(), printer.begin() + static_cast<std::ptrdiff_t>(length), devmode.dmDeviceName);
    devmode.dmSpecVersion = DM_SPECVERSION;
    devmode.dmSize = sizeof(DEVMODEW);
    devmode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLLATE | DM_DUPLEX;
    devmode.dmOrientation = DMORIENT_PORTRAIT;
    devmode.dmPaperSize = DMPAPER_LETTER;
    devmode.dmCopies = 1;
    devmode.dmPrintQuality = kDefaultResolution;
    devmode.dmYResolution = kDefaultResolution;
    devmode.dmCollate = DMCOLLATE_FALSE;
    devmode.dmDuplex = DMDUP_SIMPLEX;
    return devmode;
}

}  // namespace

LONG WINAPI DocumentPropertiesW(HWND, HANDLE hPrinter, LPWSTR, PDEVMODEW pDevModeOutput, PDEVMODEW,
                                DWORD fMode)
{
    NIRASIM_FAIL_IF_INJECTED("DocumentPropertiesW", -1);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return -1;
    }
    DEVMODEW devmode = DefaultDevmode(handle->printer);
    if (fMode == 0) {
        return devmode.dmSize + devmode.dmDriverExtra;
    }
    if ((fMode & DM_OUT_BUFFER) != 0) {
        if (pDevModeOutput == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return -1;
        }
        *pDevModeOutput = devmode;
    }
    return IDOK;
}
