// CNiraSettingsClient: how the UI plug-in reaches the settings engine. It checks every access and
// forwards it to a settings manager it makes by GUID, and ties the engine to the driver: it binds
// itself to a printer, copies feature options between the UI settings object and the settings,
// packs the settings into the DEVMODE's private section and unpacks them from it, and tells
// whether a public DEVMODE still agrees with the stored public values.
//
// Layout of the 32-bit integers it writes: the option of feature f (first <= f <= last) at index
// 10 + (f - first), never beyond 1893; the public DEVMODE values of eight features at 1900..1907.
#pragma once

#include <windows.h>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/settings/engine/CheckedSettingsAccess.h"

class INiraUISettings;
class INiraUISettingsImport;

constexpr int kClientPublicValueCount = 8;

class CNiraSettingsClient : public CNiraCheckedSettingsAccess {
public:
    CNiraSettingsClient();
    ~CNiraSettingsClient() override;
    CNiraSettingsClient(const CNiraSettingsClient&) = delete;
    CNiraSettingsClient& operator=(const CNiraSettingsClient&) = delete;

    // Makes a new manager and attaches it with the arguments unchanged.
    BOOLEAN Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                   const SettingsProviderList* pushProviders) override;
    void Release() override;
    INT_PTR Reserved1() override;
    void Reserved2(ULONG_PTR) override;

    // Starts from nothing for the printer: makes the product-data provider, the unpacker, the
    // packer and the settings helper module's provider, and a manager with that provider.
    virtual BOOLEAN Initialize(HANDLE printer);
    // The default (useDefaults 1) or current options of the packed features, their public
    // DEVMODE values, and then the product data that follows from them.
    virtual BOOLEAN CopyFromUISettings(INiraUISettings* uiSettings, BYTE useDefaults);
    // Sets the stored options back into the UI settings object: mode 0 as a selection with its
    // constraint handling, mode 1 directly; any other mode changes nothing.
    virtual BOOLEAN CopyToUISettings(INiraUISettingsImport* uiSettings, LONG mode);
    virtual BOOLEAN LoadPrivateBlock(PrivateDevMode* block);
    virtual BOOLEAN SavePrivateBlock(PrivateDevMode* block);
    // 1 when the DEVMODE's public fields disagree with the stored public values (or flag 222 is
    // present), else 0.
    virtual BOOLEAN DevModeDiffers(const DEVMODEW* devMode);
    // Forgets every object without releasing it.
    virtual void Clear();
    // Releases the manager (and with it the helper provider), the product-data provider, the
    // unpacker and the packer, then Clear.
    virtual void ReleaseObjects();

private:
    void RunBlockProvider(INiraSettingsProvider* provider, PrivateDevMode* block);

    HANDLE m_printer;
    INiraSettingsProvider* m_productData;
    INiraSettingsProvider* m_unpacker;
    INiraSettingsProvider* m_packer;
    INiraSettingsProvider* m_helperProvider;  // owned by the manager
};
