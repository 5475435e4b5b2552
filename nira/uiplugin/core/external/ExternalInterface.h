// The external settings interface: its own UI core and settings client on a printer, driven the
// way the property sheets drive them.
#pragma once

#include "nira/uiplugin/core/external/INiraExternalInterface.h"

class CNiraDevModeSync;
class CNiraSettingsClient;
class CNiraUICore;
class CNiraUISettings;
struct PrivateDevMode;

class CNiraExternalInterface : public INiraExternalInterface {
public:
    CNiraExternalInterface();
    ~CNiraExternalInterface() override;
    CNiraExternalInterface(const CNiraExternalInterface&) = delete;
    CNiraExternalInterface& operator=(const CNiraExternalInterface&) = delete;

    void Initialize(HANDLE printer) override;
    void Destroy() override;
    int WriteDevMode(DEVMODEW* devMode) override;
    DEVMODEW* ReadDevMode() override;
    int Reserved4() override;
    int SetValue(int featureId, int optionId) override;
    int GetValue(int featureId, int* optionId) override;
    int GetDefaultValue(int featureId, int* optionId) override;
    void EnumerateOptionsEx(int featureId, NiraExternalOptionExCallback callback, void* userData) override;
    void EnumerateOptions(int featureId, NiraExternalOptionCallback callback, void* userData) override;
    int EnumerateFeatures(int reserved, NiraExternalFeatureCallback callback, void* userData) override;
    int GetOptionInfo(int featureId, int optionId, OptionInfo* info) override;
    int SaveFeatureStore() override;

    // The settings into the DEVMODE's public fields and the section's copies of them.
    int SyncDevModeFields(DEVMODEW* devMode, PrivateDevMode* section);

    // A settings client initialised for the printer, the settings helper module loaded first;
    // null for a null printer. The caller owns it.
    static CNiraSettingsClient* CreateSettingsClient(HANDLE printer);

private:
    // Calls visit (index, optionIndex, optionId, name, state) for each option, last index first.
    template <class Visit>
    void ForEachOption(int featureId, Visit visit);
    // Option 5 of print quality is offered only on printers whose maximum resolution allows it.
    void ApplyMaxResolutionRule();

    int m_initialized;
    CNiraDevModeSync* m_devModeSync;
    CNiraUICore* m_core;
    CNiraUISettings* m_settings;  // borrowed from the core
    HANDLE m_printer;             // borrowed from the caller
    CNiraSettingsClient* m_settingsClient;
};
