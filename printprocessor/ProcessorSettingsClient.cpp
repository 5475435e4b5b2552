#include "printprocessor/ProcessorSettingsClient.h"

#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "printprocessor/ProcessLocks.h"

namespace {

const WCHAR kSettingsLibraryKey[] = TEXT("NIRA_UI_PLUGIN");

void* MakeSettingsObject(const GUID& interfaceId)
{
    void* object = nullptr;
    GetSettingsInstance(&interfaceId, &object);
    return object;
}

}  // namespace

BOOL LoadSettingsLibrary(LPCWSTR printerName)
{
    ProcessLock lock(SettingsLibraryLock());
    if (GetSettingsModuleHandle(SETTINGS_MODULE_SELF) != nullptr) {
        return TRUE;
    }
    CNiraPrinterAccess printer(printerName);
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (printer.GetHandle() == nullptr || !printer.FindDriverIni(FALSE) ||
        !printer.GetComponentPath(kSettingsLibraryKey, path)) {
        return FALSE;
    }
    // A failed load leaves the module unset, so that the next job tries again.
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, LoadLibraryW(path));
    return GetSettingsModuleHandle(SETTINGS_MODULE_SELF) != nullptr;
}

void FreeSettingsLibrary()
{
    const LONG modules[] = {SETTINGS_MODULE_SELF, SETTINGS_MODULE_COMPONENT};
    for (LONG module : modules) {
        HMODULE handle = GetSettingsModuleHandle(module);
        if (handle != nullptr) {
            FreeLibrary(handle);
            SetSettingsModuleHandle(module, nullptr);
        }
    }
}

CNiraProcessorSettingsClient::CNiraProcessorSettingsClient()
{
    Clear();
}

CNiraProcessorSettingsClient::~CNiraProcessorSettingsClient()
{
    GuardSettingsAction([this] { ReleaseObjects(); });
}

void CNiraProcessorSettingsClient::Clear()
{
    m_manager = nullptr;
    m_unpacker = nullptr;
    m_packer = nullptr;
}

void CNiraProcessorSettingsClient::ReleaseObjects()
{
    ReleaseSettingsObject(m_manager);
    ReleaseSettingsObject(m_unpacker);
    ReleaseSettingsObject(m_packer);
    Clear();
}

BOOLEAN CNiraProcessorSettingsClient::Initialize(LPCWSTR printerName)
{
    return GuardSettingsCall([&] {
        ReleaseObjects();
        RequireArgument(printerName != nullptr);
        LoadSettingsLibrary(printerName);
        RequireSettings(Attach(this, nullptr, nullptr) == TRUE);
    });
}

BOOLEAN CNiraProcessorSettingsClient::Attach(INiraSettingsAccess* owner,
                                             const SettingsProviderList* pullProviders,
                                             const SettingsProviderList* pushProviders)
{
    return GuardSettingsCall([&] {
        // Objects of an earlier attach would otherwise be lost.
        ReleaseObjects();
        m_manager = static_cast<INiraSettingsAccess*>(MakeSettingsObject(kSettingsGuidManager));
        RequireSettings(m_manager != nullptr);
        RequireSettings(m_manager->Attach(owner, pullProviders, pushProviders) == TRUE);
        m_unpacker = static_cast<INiraSettingsProvider*>(MakeSettingsObject(kSettingsGuidUnpacker));
        m_packer = static_cast<INiraSettingsProvider*>(MakeSettingsObject(kSettingsGuidPacker));
        RequireSettings(m_unpacker != nullptr && m_packer != nullptr);
    });
}

void CNiraProcessorSettingsClient::Release()
{
    GuardSettingsAction([this] { delete this; });
}

INT_PTR CNiraProcessorSettingsClient::Reserved1()
{
    return 0;
}

void CNiraProcessorSettingsClient::Reserved2(ULONG_PTR) {}

void CNiraProcessorSettingsClient::RunBlockProvider(INiraSettingsProvider* provider, PrivateDevMode* block)
{
    RequireArgument(block != nullptr);
    RequireSettings(m_manager != nullptr && provider != nullptr);
    auto* blockProvider = static_cast<CNiraBlockProvider*>(provider);
    RequireSettings(blockProvider->Attach(this) == TRUE);
    RequireSettings(blockProvider->SetTarget(block) == TRUE);
    RequireSettings(blockProvider->UpdateAll() == TRUE);
}

BOOLEAN CNiraProcessorSettingsClient::LoadPrivateBlock(PrivateDevMode* block)
{
    return GuardSettingsCall([&] { RunBlockProvider(m_unpacker, block); });
}

BOOLEAN CNiraProcessorSettingsClient::SavePrivateBlock(PrivateDevMode* block)
{
    return GuardSettingsCall([&] { RunBlockProvider(m_packer, block); });
}
