// The document-event handler's part of a printer event: at initialisation the device information
// is fetched again, the serial number kept and the driver's print processor named on the printer.
#include "nira/uiplugin/core/plugin/DocEventHandler.h"

#include <winddiui.h>
#include <winspool.h>

#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/foundation/deviceinfo/BidiCapability.h"
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/settings/client/DeviceSettings.h"

namespace {

constexpr WCHAR kPrintProcessorKey[] = TEXT("Component_F_B");

void RefreshDeviceInformation(CNiraPrinterAccess& access)
{
    CNiraDeviceSettingsSource deviceSettings;
    CNiraBidiCapability capability(&deviceSettings);
    int created = 0;
    INiraDeviceInfo* provider = capability.CreateDeviceInfoProvider(access.GetHandle(), &created);
    if (provider == nullptr) {
        return;
    }
    provider->Refresh(access.GetHandle());
    access.UpdateSerialNumber();
    delete provider;
}

}  // namespace

int CNiraDocEventHandler::SetupPrinter(CNiraUICore* core, LPCWSTR printerName, INT event, DWORD flags,
                                       LPARAM lParam)
{
    if (event == PRINTER_EVENT_CACHE_REFRESH) {
        return 0;
    }
    if (event == PRINTER_EVENT_INITIALIZE && printerName != nullptr) {
        CNiraPrinterAccess access(printerName);
        if (access.GetHandle() != nullptr) {
            access.FindDriverIni(FALSE);
            RefreshDeviceInformation(access);
        }
        UpdatePrintProcessor(access);
    }
    if (core != nullptr) {
        core->AttachPrinterByName(printerName, event, static_cast<INT_PTR>(flags), lParam);
    }
    return 0;
}

// The print processor is the file Component_F_B names, without its extension. A printer whose
// record cannot be read, or a driver that names none, is left as it is.
void CNiraDocEventHandler::UpdatePrintProcessor(CNiraPrinterAccess& access)
{
    HANDLE printer = access.GetHandle();
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    auto* info = static_cast<PRINTER_INFO_2W*>(needed != 0 ? LocalAlloc(LPTR, needed) : nullptr);
    if (info == nullptr || !GetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), needed, &needed)) {
        OutputDebugStringW(TEXT("UpdatePrintProcessor: GetPrinter() failed retrieving PPRINTER_INFO info."));
        LocalFree(info);
        return;
    }
    WCHAR name[CNiraPrinterAccess::kComponentValueChars] = {};
    if (access.ReadComponentFile(name, TEXT(""), kPrintProcessorKey) && name[0] != 0) {
        for (WCHAR* at = name + 1; *at != 0; ++at) {
            if (*at == TEXT('.')) {
                *at = 0;
                break;
            }
        }
        info->pPrintProcessor = name;
        OutputDebugStringW(
            SetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), 0)
                ? TEXT("UpdatePrintProcessor: SetPrinter() successfull set new Print Processor info.")
                : TEXT("UpdatePrintProcessor: SetPrinter() Could not set Print Processor details."));
    }
    LocalFree(info);
}
