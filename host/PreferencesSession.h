// The printing preferences opened headless on the host's printer: a UI core as the plug-in makes
// it, initialised for the property sheets with the core driver's default DEVMODE on the machine's
// common property-sheet host, where nirapres adds its pages and inserts its tree views.
#pragma once

#include "host/HostMachine.h"

#include <nirasim/PropertySheets.h>

#include <memory>
#include <vector>

#include "nira/uiplugin/core/uicore/UICore.h"

class PreferencesSession {
public:
    explicit PreferencesSession(HostMachine& host);
    // The pages go before the sheets are destroyed.
    ~PreferencesSession();
    PreferencesSession(const PreferencesSession&) = delete;
    PreferencesSession& operator=(const PreferencesSession&) = delete;

    // The initialisation reason; false when the printer or the DEVMODE could not be had.
    bool Open();
    CNiraUICore& Core() { return *core_; }
    nirasim::PropertySheet& Sheet() { return sheet_; }

private:
    HostMachine& host_;
    HANDLE printer_ = nullptr;
    WString printerName_;
    std::vector<BYTE> devMode_;
    OEMUIPSPARAM param_ = {};
    PROPSHEETUI_INFO info_ = {};
    nirasim::PropertySheet sheet_;
    std::unique_ptr<CNiraUICore> core_;
};
