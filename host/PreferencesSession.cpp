#include "host/PreferencesSession.h"

#include <nirasim/CoreDriver.h>
#include <winspool.h>

#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"

PreferencesSession::PreferencesSession(HostMachine& host) : host_(host)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    core_ = std::make_unique<CNiraUICore>();
}

PreferencesSession::~PreferencesSession()
{
    sheet_.DestroyPages();
    info_.Reason = PROPSHEETUI_REASON_DESTROY;
    core_->DocumentPropertySheets(&info_, 0, printer_, nullptr);
    core_.reset();
    if (printer_ != nullptr) {
        ClosePrinter(printer_);
    }
}

bool PreferencesSession::Open()
{
    printerName_ = host_.printerName();
    if (!OpenPrinterW(printerName_.data(), &printer_, nullptr)) {
        return false;
    }
    {
        nirasim::CoreDriver driver(printerName_);
        if (driver.IsOpen()) {
            devMode_ = driver->DefaultDevMode().devMode;
        }
    }
    if (devMode_.size() < sizeof(DEVMODEW)) {
        return false;
    }
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_;
    param_.pPrinterName = printerName_.data();
    param_.pPublicDM = reinterpret_cast<DEVMODEW*>(devMode_.data());
    info_.cbSize = sizeof(info_);
    info_.Reason = PROPSHEETUI_REASON_INIT;
    info_.hComPropSheet = sheet_.Handle();
    info_.pfnComPropSheet = &nirasim::PropertySheet::Function;
    info_.lParamInit = reinterpret_cast<LPARAM>(&param_);
    core_->DocumentPropertySheets(&info_, 0, printer_, nullptr);
    return true;
}
