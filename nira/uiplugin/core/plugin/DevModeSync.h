// Moves a job's settings between the DEVMODE's private section, the settings engine (through the
// owner's settings client) and the UI core's settings object. Holds nothing of its own: the client
// and the target DEVMODE are borrowed for the call that set them. Every operation answers 1 on
// success and 0 on a refusal (a missing argument, client or settings object, a failed step).
#pragma once

#include <windows.h>

#include <printoem.h>

#include "common/PrivateDevMode.h"

class CNiraSettingsClient;
class CNiraUICore;

class CNiraDevModeSync {
public:
    // A null client leaves the one set before.
    void SetClient(CNiraSettingsClient* client);
    void Reset();
    BOOLEAN SetTarget(DEVMODEW* devMode);
    DEVMODEW* GetTarget() const { return m_target; }

    // The core driver's DEVMODE request: the private section handler's answer, with the
    // printer's stored defaults for the default request.
    HRESULT DevMode(DWORD mode, POEMDMPARAM param);

    // The defaults of every feature packed into the section.
    BOOLEAN StoreDefaults(PrivateDevMode* section, CNiraUICore* core);
    // The current options of the UI settings packed into the section.
    BOOLEAN SaveToSection(PrivateDevMode* section, CNiraUICore* core);
    // The section's settings into the UI settings (mode 0 as selections, 1 directly); the DEVMODE
    // becomes the target.
    BOOLEAN LoadFromSection(DEVMODEW* devMode, PrivateDevMode* section, CNiraUICore* core, LONG mode);
    BOOLEAN UnpackSection(PrivateDevMode* section);
    BOOLEAN PackSection(PrivateDevMode* section);
    // The settings engine's options into the UI settings, as selections.
    BOOLEAN CopySettingsToUI(CNiraUICore* core);
    // Whether the target's public fields differ from the values the settings last took.
    BOOLEAN TargetDiffers();

private:
    CNiraSettingsClient* m_client = nullptr;
    DEVMODEW* m_target = nullptr;
};
