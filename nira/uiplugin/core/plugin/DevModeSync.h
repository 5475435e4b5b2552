// The DEVMODE synchroniser: moves the settings between the private DEVMODE section, the settings
// engine (through the owner's settings client) and the UI core's settings object, and answers the
// core driver's DEVMODE requests. Each owner (the plug-in object, the external settings
// interface) keeps one and points it at its settings client before every use. Every operation but
// DevMode answers 1 on success and 0 on any refusal; nothing is thrown.
#pragma once

#include <windows.h>

#include <printoem.h>

#include "common/PrivateDevMode.h"

class CNiraSettingsClient;
class CNiraUICore;

// The names of the printer's default DEVMODEs in printer data.
constexpr WCHAR kDefaultPrivateDevModeValue[] = TEXT("NiraDefaultDM");
constexpr WCHAR kDefaultPublicDevModeValue[] = TEXT("NiraPublicDefaultDM");
// The size of the stored public default: a DEVMODEW without driver-private bytes.
constexpr DWORD kStoredPublicDevModeSize = 220;

class CNiraDevModeSync {
public:
    CNiraDevModeSync();
    CNiraDevModeSync(const CNiraDevModeSync&) = delete;
    CNiraDevModeSync& operator=(const CNiraDevModeSync&) = delete;

    // A null client leaves the one set before.
    void SetClient(CNiraSettingsClient* client);
    CNiraSettingsClient* GetClient() const { return m_client; }
    void Reset();
    BOOLEAN SetTarget(DEVMODEW* devMode);
    DEVMODEW* GetTarget() const { return m_target; }

    // The core driver's DEVMODE request: the section handler's answer, the printer's stored
    // defaults over a default request, and the DEVMODE out as the new target.
    HRESULT DevMode(DWORD mode, POEMDMPARAM param);

    // The default options of the UI settings, packed into the section.
    BOOLEAN StoreDefaults(PrivateDevMode* section, CNiraUICore* core);
    // The current options of the UI settings, packed into the section.
    BOOLEAN SaveToSection(PrivateDevMode* section, CNiraUICore* core);
    // The section's settings into the UI settings (mode as CopyToUISettings takes it); the DEVMODE
    // becomes the target.
    BOOLEAN LoadFromSection(DEVMODEW* devMode, PrivateDevMode* section, CNiraUICore* core, LONG mode);
    BOOLEAN UnpackSection(PrivateDevMode* section);
    BOOLEAN PackSection(PrivateDevMode* section);
    // The settings engine's values into the UI settings, for the document events.
    BOOLEAN CopySettingsToUI(CNiraUICore* core);
    // Whether the target's public fields differ from the values the engine last took from one.
    BOOLEAN TargetDiffers();

private:
    // False when stored defaults could not be read.
    static bool ApplyStoredDefaults(const OEMDMPARAM& param);

    CNiraSettingsClient* m_client;  // borrowed
    DEVMODEW* m_target;             // borrowed, valid during the call that set it
};
