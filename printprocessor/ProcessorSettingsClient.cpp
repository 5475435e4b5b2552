#include "printprocessor/ProcessorSettingsClient.h"

#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "printprocessor/ProcessLocks.h"

namespace {

const WCHAR kSettingsLibraryKey[] = TEXT("NIRA_UI_PLUGIN");

// Refuses (87) an index beyond the last of the kind; the byte, word and double arrays are empty.
void RequireIndex(LONG kind, LONG index)
{
    RequireArgument(IsSettingArrayKind(kind) && IsIndexInRange(index, kSettingArrayCounts[kind]));
}

// Every passed-on operation: its checks first, then the manager, whose false answer is raised
// as refused (13).
template <typename Call>
BOOLEAN ForwardChecked(LONG kind, LONG index, bool pointersGiven, INiraSettingsAccess* manager, Call&& call)
{
    return GuardSettingsCall([&] {
        RequireIndex(kind, index);
        RequireArgument(pointersGiven);
        RequireSettings(manager != nullptr);
        RequireSettings(call() == TRUE);
    });
}

void* MakeSettingsObject(const GUID& interfaceId)
{
    void* object = nullptr;
    GetSettingsInstance(&interfaceId, &object);
    return object;
}

}  // namespace

#define FORWARD_CHECKED(kind, index, pointersGiven, call) \
    ForwardChecked(kind, index, pointersGiven, m_manager, [&] { return call; })

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
        m_manager = static_cast<INiraSettingsAccess*>(MakeSettingsObject(SETTINGS_GUID_MANAGER));
        RequireSettings(m_manager != nullptr);
        RequireSettings(m_manager->Attach(owner, pullProviders, pushProviders) == TRUE);
        m_unpacker = static_cast<INiraSettingsProvider*>(MakeSettingsObject(SETTINGS_GUID_UNPACKER));
        m_packer = static_cast<INiraSettingsProvider*>(MakeSettingsObject(SETTINGS_GUID_PACKER));
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

BOOLEAN CNiraProcessorSettingsClient::UpdateFromPullProviders()
{
    return GuardSettingsCall(
        [&] { RequireSettings(m_manager != nullptr && m_manager->UpdateFromPullProviders() == TRUE); });
}

BOOLEAN CNiraProcessorSettingsClient::UpdateFromPushProviders()
{
    return GuardSettingsCall(
        [&] { RequireSettings(m_manager != nullptr && m_manager->UpdateFromPushProviders() == TRUE); });
}

BOOLEAN CNiraProcessorSettingsClient::GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, value != nullptr,
                           m_manager->GetFlag(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, value != nullptr,
                           m_manager->GetByte(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, value != nullptr,
                           m_manager->GetWord(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, value != nullptr,
                           m_manager->GetInt(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, value != nullptr,
                           m_manager->GetFloat(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, value != nullptr,
                           m_manager->GetDouble(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, value != nullptr,
                           m_manager->GetIntRef(index, value, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, copy != nullptr,
                           m_manager->GetString(index, copy, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh,
                                              BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, copy != nullptr && length != nullptr,
                           m_manager->GetBlob(index, copy, length, refresh, dispatch));
}

BOOLEAN CNiraProcessorSettingsClient::SetFlag(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, true, m_manager->SetFlag(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetByte(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, true, m_manager->SetByte(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetWord(LONG index, WORD value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, true, m_manager->SetWord(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetInt(LONG index, LONG value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, true, m_manager->SetInt(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetFloat(LONG index, FLOAT value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, true, m_manager->SetFloat(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetDouble(LONG index, double value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, true, m_manager->SetDouble(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetIntRef(LONG index, const LONG* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, true, m_manager->SetIntRef(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetString(LONG index, const CNiraString* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, true, m_manager->SetString(index, value, notify));
}

BOOLEAN CNiraProcessorSettingsClient::SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, true, m_manager->SetBlob(index, data, length, notify));
}

BOOLEAN CNiraProcessorSettingsClient::IsFlagPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, true, m_manager->IsFlagPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsBytePresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, true, m_manager->IsBytePresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsWordPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, true, m_manager->IsWordPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsIntPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, true, m_manager->IsIntPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsFloatPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, true, m_manager->IsFloatPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsDoublePresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, true, m_manager->IsDoublePresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsIntRefPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, true, m_manager->IsIntRefPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsStringPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, true, m_manager->IsStringPresent(index));
}

BOOLEAN CNiraProcessorSettingsClient::IsBlobPresent(LONG index)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, true, m_manager->IsBlobPresent(index));
}

#undef FORWARD_CHECKED

void CNiraProcessorSettingsClient::ReleaseString(CNiraString* copy)
{
    GuardSettingsAction([&] {
        if (m_manager != nullptr) {
            m_manager->ReleaseString(copy);
        }
    });
}

void CNiraProcessorSettingsClient::ReleaseBlob(BYTE* copy)
{
    GuardSettingsAction([&] {
        if (m_manager != nullptr) {
            m_manager->ReleaseBlob(copy);
        }
    });
}

INiraSettingsStore* CNiraProcessorSettingsClient::GetStore()
{
    return m_manager != nullptr ? m_manager->GetStore() : nullptr;
}

BOOLEAN CNiraProcessorSettingsClient::IsHandled(LONG kind, LONG index)
{
    return m_manager != nullptr ? m_manager->IsHandled(kind, index) : FALSE;
}

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
