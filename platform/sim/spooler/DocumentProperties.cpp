// DocumentPropertiesW: the spooler hands the request to the configuration module of the printer's
// driver (DrvDocumentPropertySheets without a property sheet), first for the size of its DEVMODE
// and then, with an output buffer of that size, for the DEVMODE itself.
#include "core/Failures.h"

#include <windows.h>
#include <printoem.h>
#include <winddiui.h>
#include <winspool.h>

#include <vector>

namespace {

typedef LONG(WINAPI* DocumentPropertySheetsProc)(PPROPSHEETUI_INFO info, LPARAM lParam);

constexpr LONG kFailure = -1;
constexpr DWORD kDriverInfoLevel = 3;

// The configuration module of the printer's driver, loaded; null when it cannot be.
HMODULE LoadConfigModule(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, nullptr, 0, &needed);
    if (needed == 0) {
        return nullptr;
    }
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, buffer.data(), needed, &needed)) {
        return nullptr;
    }
    LPCWSTR config = reinterpret_cast<DRIVER_INFO_3W*>(buffer.data())->pConfigFile;
    return config != nullptr ? LoadLibraryW(config) : nullptr;
}

}  // namespace

LONG WINAPI DocumentPropertiesW(HWND, HANDLE hPrinter, LPWSTR pDeviceName, PDEVMODEW pDevModeOutput,
                                PDEVMODEW pDevModeInput, DWORD fMode)
{
    NIRASIM_FAIL_IF_INJECTED("DocumentPropertiesW", -1);
    if (hPrinter == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return kFailure;
    }
    HMODULE module = LoadConfigModule(hPrinter);
    auto sheets = module != nullptr ? reinterpret_cast<DocumentPropertySheetsProc>(reinterpret_cast<void*>(
                                          GetProcAddress(module, "DrvDocumentPropertySheets")))
                                    : nullptr;
    if (sheets == nullptr) {
        if (module != nullptr) {
            FreeLibrary(module);
        }
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return kFailure;
    }
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = hPrinter;
    header.pszPrinterName = pDeviceName;
    header.fMode = 0;
    const LONG size = sheets(nullptr, reinterpret_cast<LPARAM>(&header));
    LONG result = size;
    if (size > 0 && fMode != 0) {
        // A prompt has no one to answer it here: the request goes on as without one.
        header.fMode = fMode & ~static_cast<DWORD>(DM_IN_PROMPT);
        header.pdmIn = (fMode & DM_IN_BUFFER) ? pDevModeInput : nullptr;
        header.pdmOut = (fMode & DM_OUT_BUFFER) ? pDevModeOutput : nullptr;
        header.cbOut = static_cast<DWORD>(size);
        result = (fMode & DM_OUT_BUFFER) && pDevModeOutput == nullptr
                     ? kFailure
                     : sheets(nullptr, reinterpret_cast<LPARAM>(&header));
    }
    FreeLibrary(module);
    return result;
}
