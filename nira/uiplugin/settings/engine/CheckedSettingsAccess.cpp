#include "nira/uiplugin/settings/engine/CheckedSettingsAccess.h"

#include "nira/uiplugin/settings/engine/SettingsError.h"

namespace {

// Refuses (87) an index outside the kind's array; the byte, word and double arrays hold nothing.
void RequireIndex(LONG kind, LONG index)
{
    RequireArgument(IsSettingArrayKind(kind) && IsIndexInRange(index, kSettingArrayCounts[kind]));
}

}  // namespace

void CNiraCheckedSettingsAccess::RequireManager() const
{
    RequireSettings(m_manager != nullptr);
}

BOOLEAN CNiraCheckedSettingsAccess::UpdateFromPullProviders()
{
    return GuardSettingsCall([&] {
        RequireManager();
        RequireSettings(m_manager->UpdateFromPullProviders() == TRUE);
    });
}

BOOLEAN CNiraCheckedSettingsAccess::UpdateFromPushProviders()
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

BOOLEAN CNiraCheckedSettingsAccess::GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, value != nullptr,
                           m_manager->GetFlag(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, value != nullptr,
                           m_manager->GetByte(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, value != nullptr,
                           m_manager->GetWord(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, value != nullptr,
                           m_manager->GetInt(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, value != nullptr,
                           m_manager->GetFloat(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, value != nullptr,
                           m_manager->GetDouble(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, value != nullptr,
                           m_manager->GetIntRef(index, value, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, copy != nullptr,
                           m_manager->GetString(index, copy, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh,
                                            BYTE dispatch)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, copy != nullptr && length != nullptr,
                           m_manager->GetBlob(index, copy, length, refresh, dispatch));
}

BOOLEAN CNiraCheckedSettingsAccess::SetFlag(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLAG, index, true, m_manager->SetFlag(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetByte(LONG index, BYTE value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BYTE, index, true, m_manager->SetByte(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetWord(LONG index, WORD value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_WORD, index, true, m_manager->SetWord(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetInt(LONG index, LONG value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT, index, true, m_manager->SetInt(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetFloat(LONG index, FLOAT value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_FLOAT, index, true, m_manager->SetFloat(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetDouble(LONG index, double value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_DOUBLE, index, true, m_manager->SetDouble(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetIntRef(LONG index, const LONG* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_INT_REF, index, true, m_manager->SetIntRef(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetString(LONG index, const CNiraString* value, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_STRING, index, true, m_manager->SetString(index, value, notify));
}

BOOLEAN CNiraCheckedSettingsAccess::SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify)
{
    return FORWARD_CHECKED(SETTING_ARRAY_BLOB, index, true, m_manager->SetBlob(index, data, length, notify));
}

#undef FORWARD_CHECKED

void CNiraCheckedSettingsAccess::ReleaseString(CNiraString* copy)
{
    if (m_manager != nullptr) {
        m_manager->ReleaseString(copy);
    }
}

void CNiraCheckedSettingsAccess::ReleaseBlob(BYTE* copy)
{
    if (m_manager != nullptr) {
        m_manager->ReleaseBlob(copy);
    }
}

// The manager's answer unchanged; 0 for a refused index or without a manager.
BOOLEAN CNiraCheckedSettingsAccess::IsPresent(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(kind, index);
        RequireManager();
        return IsAccessEntryPresent(*m_manager, kind, index);
    });
}

INiraSettingsStore* CNiraCheckedSettingsAccess::GetStore()
{
    return m_manager != nullptr ? m_manager->GetStore() : nullptr;
}

BOOLEAN CNiraCheckedSettingsAccess::IsHandled(LONG kind, LONG index)
{
    return m_manager != nullptr ? m_manager->IsHandled(kind, index) : FALSE;
}
