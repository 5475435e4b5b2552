#include "nira/uiplugin/settings/client/DeviceSettings.h"

#include <new>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/providers/INiraPrinterSettingsProvider.h"

CNiraDeviceSettings::CNiraDeviceSettings(HANDLE printer) : m_printer(printer)
{
    m_client.Initialize(printer);
}

CNiraDeviceSettings::~CNiraDeviceSettings()
{
    m_client.ReleaseObjects();
}

INiraPrinterSettingsProvider* CNiraDeviceSettings::MakeHelper(LPCWSTR modulePath, HMODULE* module)
{
    *module = LoadLibraryW(modulePath);
    if (*module == nullptr) {
        return nullptr;
    }
    auto factory = reinterpret_cast<CreateSettingsInstanceProc>(
        reinterpret_cast<void*>(GetProcAddress(*module, SETTINGS_FACTORY_EXPORT)));
    void* object = nullptr;
    if (factory == nullptr || factory(&kSettingsGuidHelperProvider, &object) != TRUE || object == nullptr) {
        return nullptr;
    }
    auto* provider = static_cast<INiraPrinterSettingsProvider*>(object);
    if (provider->Attach(&m_client) != TRUE || provider->SetTarget(m_printer) != TRUE) {
        provider->Release();
        return nullptr;
    }
    return provider;
}

void CNiraDeviceSettings::FreeHelper(INiraPrinterSettingsProvider* provider, HMODULE module)
{
    if (provider != nullptr) {
        provider->Release();
    }
    if (module != nullptr) {
        FreeLibrary(module);
    }
}

int CNiraDeviceSettings::QueryDuplexUnit(LPCWSTR modulePath, int* value)
{
    HMODULE module = nullptr;
    INiraPrinterSettingsProvider* provider = MakeHelper(modulePath, &module);
    int answered = 0;
    if (provider != nullptr && provider->HandlesIntRef(kHelperDuplexUnitIntRef) == TRUE) {
        // The helper's Sync answers true exactly when a duplex unit is installed.
        *value = provider->SyncIntRef(kHelperDuplexUnitIntRef);
        answered = 1;
    }
    FreeHelper(provider, module);
    return answered;
}

int CNiraDeviceSettings::QueryFeature(LPCWSTR modulePath, int* value)
{
    HMODULE module = nullptr;
    INiraPrinterSettingsProvider* provider = MakeHelper(modulePath, &module);
    int answered = 0;
    LONG stored = 0;
    if (provider != nullptr && provider->HandlesInt(kHelperDeviceFeatureInt) == TRUE &&
        provider->SyncInt(kHelperDeviceFeatureInt) == TRUE &&
        m_client.GetInt(kHelperDeviceFeatureInt, &stored, FALSE, FALSE) == TRUE) {
        *value = stored;
        answered = 1;
    }
    FreeHelper(provider, module);
    return answered;
}

INiraDeviceSettings* CNiraDeviceSettingsSource::OpenDeviceSettings(HANDLE printer)
{
    return new (std::nothrow) CNiraDeviceSettings(printer);
}
