// The spooler's calls into a printer driver's configuration module (the core driver's UI module):
// DocumentPropertiesW without a window, and the printer events the spooler sends.
#include <windows.h>

#include <printoem.h>
#include <winddiui.h>
#include <winspool.h>

#include <vector>

#include "core/Failures.h"
#include "spooler/ConfigModule.h"

namespace nirasim::sim {
namespace {

typedef LONG(WINAPI* DocumentPropertySheetsProc)(PPROPSHEETUI_INFO, LPARAM);
typedef BOOL(WINAPI* PrinterEventProc)(LPWSTR, INT, DWORD, LPARAM);

// The driver's configuration module of a printer, loaded for one call.
class ConfigModule {
public:
    explicit ConfigModule(HANDLE printer)
    {
        DWORD needed = 0;
        GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed);
        if (needed == 0 || !GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed)) {
            return;
        }
        LPCWSTR path = reinterpret_cast<DRIVER_INFO_3W*>(buffer.data())->pConfigFile;
        module_ = path != nullptr ? LoadLibraryW(path) : nullptr;
    }
    ~ConfigModule()
    {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    ConfigModule(const ConfigModule&) = delete;
    ConfigModule& operator=(const ConfigModule&) = delete;

    template <class Proc>
    Proc Export(const char* name) const
    {
        return module_ != nullptr
                   ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                   : nullptr;
    }

private:
    HMODULE module_ = nullptr;
};

// A printer handle for the call: the caller's, or one opened by name and closed with it.
class CallPrinter {
public:
    CallPrinter(HANDLE printer, LPWSTR name) : handle_(printer)
    {
        if (handle_ == nullptr && name != nullptr && OpenPrinterW(name, &handle_, nullptr)) {
            owned_ = true;
        }
    }
    ~CallPrinter()
    {
        if (owned_) {
            ClosePrinter(handle_);
        }
    }
    CallPrinter(const CallPrinter&) = delete;
    CallPrinter& operator=(const CallPrinter&) = delete;
    HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    bool owned_ = false;
};

constexpr LONG kDocumentPropertiesFailure = -1;

}  // namespace

BOOL SendPrinterEvent(LPCWSTR printerName, INT event, DWORD flags)
{
    CallPrinter printer(nullptr, const_cast<LPWSTR>(printerName));
    if (printer.Handle() == nullptr) {
        return FALSE;
    }
    ConfigModule module(printer.Handle());
    auto proc = module.Export<PrinterEventProc>("DrvPrinterEvent");
    return proc != nullptr && proc(const_cast<LPWSTR>(printerName), event, flags, 0);
}

}  // namespace nirasim::sim

using nirasim::sim::CallPrinter;
using nirasim::sim::ConfigModule;

LONG WINAPI DocumentPropertiesW(HWND, HANDLE hPrinter, LPWSTR pDeviceName, PDEVMODEW pDevModeOutput,
                                PDEVMODEW pDevModeInput, DWORD fMode)
{
    NIRASIM_FAIL_IF_INJECTED("DocumentPropertiesW", nirasim::sim::kDocumentPropertiesFailure);
    CallPrinter printer(hPrinter, pDeviceName);
    if (printer.Handle() == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nirasim::sim::kDocumentPropertiesFailure;
    }
    ConfigModule module(printer.Handle());
    auto proc = module.Export<nirasim::sim::DocumentPropertySheetsProc>("DrvDocumentPropertySheets");
    if (proc == nullptr) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nirasim::sim::kDocumentPropertiesFailure;
    }
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = printer.Handle();
    header.pszPrinterName = pDeviceName;
    const LONG size = proc(nullptr, reinterpret_cast<LPARAM>(&header));
    if (fMode == 0 || size <= 0) {
        return size;
    }
    if ((fMode & DM_OUT_BUFFER) && pDevModeOutput == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nirasim::sim::kDocumentPropertiesFailure;
    }
    // No window: a prompt has no one to answer it, and the request goes on as without one.
    header.pdmIn = (fMode & DM_IN_BUFFER) ? pDevModeInput : nullptr;
    header.pdmOut = (fMode & DM_OUT_BUFFER) ? pDevModeOutput : nullptr;
    header.cbOut = static_cast<DWORD>(size);
    header.fMode = fMode & ~static_cast<DWORD>(DM_IN_PROMPT);
    return proc(nullptr, reinterpret_cast<LPARAM>(&header));
}
