// The printing preferences opened headless on the host's printer: a UI core as the plug-in makes
// it, initialised for the property sheets with the core driver's default DEVMODE, its frames
// presented by nirapres, or by nirapres's stand-in while nirapres makes no instances.
#pragma once

#include "host/HostMachine.h"

#include <memory>
#include <vector>

#include "fixtures/presentationdouble/PresentationDouble.h"
#include "nira/uiplugin/core/uicore/UICore.h"

class PreferencesSession {
public:
    // Puts the stand-in in place when nirapres has no CreateInstance (and says so).
    explicit PreferencesSession(HostMachine& host);
    ~PreferencesSession();
    PreferencesSession(const PreferencesSession&) = delete;
    PreferencesSession& operator=(const PreferencesSession&) = delete;

    // The stand-in's control (null with the real nirapres): its script plays in the named frame.
    presentationdouble::Control* StandIn() const { return control_; }
    // The initialisation reason; false when the printer or the DEVMODE could not be had.
    bool Open();
    CNiraUICore& Core() { return *core_; }
    // Prints the frames the stand-in was asked for.
    void PrintFrames() const;

private:
    HostMachine& host_;
    HMODULE presentation_ = nullptr;
    presentationdouble::Control* control_ = nullptr;
    HANDLE printer_ = nullptr;
    WString printerName_;
    std::vector<BYTE> devMode_;
    OEMUIPSPARAM param_ = {};
    PROPSHEETUI_INFO info_ = {};
    std::unique_ptr<CNiraUICore> core_;
};
