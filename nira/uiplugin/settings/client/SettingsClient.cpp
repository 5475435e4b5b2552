#include "nira/uiplugin/settings/client/SettingsClient.h"

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {

// Refuses (87) an index outside the kind's array; the byte, word and double arrays hold nothing.
void RequireIndex(LONG kind, LONG index)
{
    RequireArgument(IsSettingArrayKind(kind) && IsIndexInRange(index, kSettingArrayCounts[kind]));
}

}  // namespace

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

void CNiraSettingsClient::RequireManager() const
{
    RequireSettings(m_manager != nullptr);
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
        GetSettingsInstance(&SETTINGS_GUID_MANAGER, &manager);
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

void CNiraSettingsClient::Reserved2(ULONG_PTR)
{
}

BOOLEAN CNiraSettingsClient::UpdateFromPullProviders()
{
    return GuardSettingsCall([&] {
        RequireManager();
        RequireSettings(m_manager->UpdateFromPullProviders() == TRUE);
    });
}

BOOLEAN CNiraSettingsClient::UpdateFromPushProviders()
{
    return GuardSettingsCall([&] {
        RequireManager();
        RequireSettings(m_manager->UpdateFromPushProviders() == TRUE);
    });
}

// Every typed access: the index and the pointers are checked before the manager is reached. The
// manager's false answer is passed on as it is (absent entries are common, and cheap that way).
namespace {

template <typename Call>
BOOLEAN ForwardChecked(LONG kind, LONG index, bool pointersGiven, INiraSettingsAccess* manager, Call&& call)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(kind, index);
        RequireArgument(pointersGiven);
        RequireSettings(manager != nullptr);
        return call() == TRUE;
    });
}

}  // namespace

#define FORWARD_CHECKED(kind, index, pointersGiven, call) \
    ForwardChecked(kind, index, pointersGiven, m_manager, [&] { return call; })

BOOLEAN CNiraSettingsClient::GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, value != nullptr,
                           m_manager->GetFlag(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, value != nullptr,
                           m_manager->GetByte(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, value != nullptr,
                           m_manager->GetWord(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, value != nullptr,
                           m_manager->GetInt(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, value != nullptr,
                           m_manager->GetFloat(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, value != nullptr,
                           m_manager->GetDouble(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, value != nullptr,
                           m_manager->GetIntRef(index, value, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, copy != nullptr,
                           m_manager->GetString(index, copy, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, copy != nullptr && length != nullptr,
                           m_manager->GetBlob(index, copy, length, refresh, dispatch));
}

BOOLEAN CNiraSettingsClient::SetFlag(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, true, m_manager->SetFlag(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetByte(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, true, m_manager->SetByte(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetWord(LONG index, WORD value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, true, m_manager->SetWord(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetInt(LONG index, LONG value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, true, m_manager->SetInt(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetFloat(LONG index, FLOAT value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, true, m_manager->SetFloat(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetDouble(LONG index, double value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, true, m_manager->SetDouble(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetIntRef(LONG index, const LONG* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, true, m_manager->SetIntRef(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetString(LONG index, const CNiraString* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, true, m_manager->SetString(index, value, notify));
}

BOOLEAN CNiraSettingsClient::SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, true, m_manager->SetBlob(index, data, length, notify));
}

#undef FORWARD_CHECKED

void CNiraSettingsClient::ReleaseString(CNiraString* copy)
{
    if (m_manager != nullptr) {
        m_manager->ReleaseString(copy);
    }
}

void CNiraSettingsClient::ReleaseBlob(BYTE* copy)
{
    if (m_manager != nullptr) {
        m_manager->ReleaseBlob(copy);
    }
}

// The manager's answer unchanged; 0 for a refused index or without a manager.
BOOLEAN CNiraSettingsClient::IsPresent(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(kind, index);
        RequireManager();
        return IsAccessEntryPresent(*m_manager, kind, index);
    });
}

INiraSettingsStore* CNiraSettingsClient::GetStore()
{
    return m_manager != nullptr ? m_manager->GetStore() : nullptr;
}

BOOLEAN CNiraSettingsClient::IsHandled(LONG kind, LONG index)
{
    return m_manager != nullptr ? m_manager->IsHandled(kind, index) : FALSE;
}
