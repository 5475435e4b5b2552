#include "nira/uiplugin/settings/client/SettingsClient.h"

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

CNiraSettingsClient::CNiraSettingsClient()
{
    Clear();
}

CNiraSettingsClient::~CNiraSettingsClient()
{
    GuardSettingsAction([this] { ReleaseObjects(); });
}

void CNiraSettingsClient::Clear()
{
    m_manager = nullptr;
    m_printer = nullptr;
    m_productData = nullptr;
    m_unpacker = nullptr;
    m_packer = nullptr;
    m_helperProvider = nullptr;
}

void CNiraSettingsClient::ReleaseObjects()
{
    // The manager releases the helper provider with itself.
    ReleaseSettingsObject(m_manager);
    ReleaseSettingsObject(m_productData);
    ReleaseSettingsObject(m_unpacker);
    ReleaseSettingsObject(m_packer);
    Clear();
}

BOOLEAN CNiraSettingsClient::Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                                    const SettingsProviderList* pushProviders)
{
    return GuardSettingsCall([&] {
        // A manager held from before would be lost: it goes, with the helper provider it owns.
        if (m_manager != nullptr) {
            ReleaseSettingsObject(m_manager);
            m_helperProvider = nullptr;
        }
        void* manager = nullptr;
        GetSettingsInstance(&kSettingsGuidManager, &manager);
        m_manager = static_cast<INiraSettingsAccess*>(manager);
        RequireSettings(m_manager != nullptr);
        RequireSettings(m_manager->Attach(owner, pullProviders, pushProviders) == TRUE);
    });
}

void CNiraSettingsClient::Release()
{
    GuardSettingsAction([this] { delete this; });
}

INT_PTR CNiraSettingsClient::Reserved1()
{
    return 0;
}

void CNiraSettingsClient::Reserved2(ULONG_PTR) {}
