// The core driver's property-sheet road: the common property-sheet host calls the core driver's
// sheet function for each reason, and the core driver calls the plug-in's with an OEMUIPSPARAM
// in lParamInit. The host's own function (pfnComPropSheet) is handed to the plug-in and its calls
// are written down; the pages and windows of a real sheet are not made here.
#include "CoreInstance.h"

#include <string.h>

namespace nirasim::coredriver {
namespace {

// The run whose host calls are being written down (one sheet at a time per process).
PropertySheetRun* g_run = nullptr;
WORD g_reason = 0;

LONG_PTR CALLBACK RecordHostCall(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2)
{
    if (g_run != nullptr) {
        g_run->hostCalls.push_back({g_reason, function, lParam1, lParam2});
    }
    return 0;
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
                                                 const std::vector<WORD>& reasons)
{
    PropertySheetRun run;
    if (plugin_ == nullptr) {
        return run;
    }
    std::vector<BYTE> devMode = publicDevMode.empty() ? DefaultDevMode().devMode : publicDevMode;
    CommonUIProp(document ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP, 0);
    OEMUIPSPARAM param = SheetParam(
        devMode.size() >= sizeof(DEVMODEW) ? reinterpret_cast<DEVMODEW*>(devMode.data()) : nullptr);
    g_run = &run;
    for (WORD reason : reasons) {
        PROPSHEETUI_INFO info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(PROPSHEETUI_INFO);
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = reason;
        info.hComPropSheet = reinterpret_cast<HANDLE>(this);
        info.pfnComPropSheet = &RecordHostCall;
        info.lParamInit = reinterpret_cast<LPARAM>(&param);
        g_reason = reason;
        HRESULT answer =
            document ? plugin_->DocumentPropertySheets(&info, 0) : plugin_->DevicePropertySheets(&info, 0);
        run.reasons.push_back({reason, answer, info.Result});
    }
    g_run = nullptr;
    return run;
}

}  // namespace nirasim::coredriver
