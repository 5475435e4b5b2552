// The settings engine's side of the device-information providers: a settings client bound to the
// printer, and the settings helper module's provider made for each question, attached to that
// client and aimed at the printer.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/INiraDeviceSettings.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"

class INiraPrinterSettingsProvider;

class CNiraDeviceSettings : public INiraDeviceSettings {
public:
    // Initializes the client on the printer; a failure shows later as unanswered questions.
    explicit CNiraDeviceSettings(HANDLE printer);
    ~CNiraDeviceSettings() override;
    CNiraDeviceSettings(const CNiraDeviceSettings&) = delete;
    CNiraDeviceSettings& operator=(const CNiraDeviceSettings&) = delete;

    int QueryDuplexUnit(LPCWSTR modulePath, int* value) override;
    int QueryFeature(LPCWSTR modulePath, int* value) override;

private:
    // The helper module's provider, attached to the client and aimed at the printer; null when
    // any step failed. The module stays loaded until FreeHelper.
    INiraPrinterSettingsProvider* MakeHelper(LPCWSTR modulePath, HMODULE* module);
    static void FreeHelper(INiraPrinterSettingsProvider* provider, HMODULE module);

    HANDLE m_printer;
    CNiraSettingsClient m_client;
};

// Makes CNiraDeviceSettings for the device-information providers.
class CNiraDeviceSettingsSource : public INiraDeviceSettingsSource {
public:
    INiraDeviceSettings* OpenDeviceSettings(HANDLE printer) override;
};
