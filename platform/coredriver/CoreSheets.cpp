// The core driver's property-sheet road: the common property-sheet host calls the core driver's
// sheet function for each reason, and the core driver calls the plug-in's with an OEMUIPSPARAM
// in lParamInit. The host's own function (pfnComPropSheet) is handed to the plug-in, its calls
// are written down and answered by the machine's property-sheet host, which makes the pages.
#include "CoreInstance.h"

#include <string.h>

namespace nirasim::coredriver {
namespace {

// The run whose host calls are being written down (one sheet at a time per process).
PropertySheetRun* g_run = nullptr;
WORD g_reason = 0;

LONG_PTR CALLBACK RecordHostCall(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2)
{
    if (g_run != nullptr) {
        g_run->hostCalls.push_back({g_reason, function, lParam1, lParam2});
    }
    return PropertySheet::Function(sheet, function, lParam1, lParam2);
}

// The sheet is closed: the user acted, OK was pressed (for the result) and the pages are gone.
bool Closes(WORD reason)
{
    return reason == PROPSHEETUI_REASON_SET_RESULT || reason == PROPSHEETUI_REASON_DESTROY;
}

}  // namespace

OEMUIPSPARAM CoreInstance::SheetParam(DEVMODEW* publicDevMode)
{
    if (printerName_.empty()) {
        printerName_ = PrinterNameOf(printer_);
    }
    OEMUIPSPARAM param;
    memset(&param, 0, sizeof(param));
    param.cbSize = sizeof(OEMUIPSPARAM);
    param.poemuiobj = UIObject();
    param.hPrinter = printer_;
    param.pPrinterName = const_cast<PWSTR>(printerName_.c_str());
    param.hModule = pluginModule_;
    param.pPublicDM = publicDevMode;
    param.pOEMDM = PluginSection(publicDevMode);
    return param;
}

PropertySheetRun CoreInstance::RunPropertySheets(bool document, const std::vector<BYTE>& publicDevMode,
                                                 const std::vector<WORD>& reasons, const SheetUser& user)
{
    PropertySheetRun run;
    if (plugin_ == nullptr) {
        return run;
    }
    std::vector<BYTE> devMode = publicDevMode.empty() ? DefaultDevMode().devMode : publicDevMode;
    CommonUIProp(document ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP, 0);
    OEMUIPSPARAM param = SheetParam(
        devMode.size() >= sizeof(DEVMODEW) ? reinterpret_cast<DEVMODEW*>(devMode.data()) : nullptr);
    PropertySheet sheet;
    bool open = true;
    g_run = &run;
    for (WORD reason : reasons) {
        if (open && Closes(reason)) {
            open = false;
            if (user) {
                user(sheet);
            }
        }
        if (reason == PROPSHEETUI_REASON_SET_RESULT) {
            sheet.PressOk();
        } else if (reason == PROPSHEETUI_REASON_DESTROY) {
            sheet.DestroyPages();
        }
        PROPSHEETUI_INFO info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(PROPSHEETUI_INFO);
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = reason;
        info.hComPropSheet = sheet.Handle();
        info.pfnComPropSheet = &RecordHostCall;
        info.lParamInit = reinterpret_cast<LPARAM>(&param);
        g_reason = reason;
        HRESULT answer =
            document ? plugin_->DocumentPropertySheets(&info, 0) : plugin_->DevicePropertySheets(&info, 0);
        run.reasons.push_back({reason, answer, info.Result});
    }
    g_run = nullptr;
    if (open && user) {
        user(sheet);
    }
    run.devMode = devMode;
    return run;
}

}  // namespace nirasim::coredriver
