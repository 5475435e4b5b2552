#include "FakeSettingsProvider.h"

std::string EntryName(LONG kind, LONG index)
{
    return std::to_string(kind) + "/" + std::to_string(index);
}

BOOLEAN FakeSettingsProvider::Attach(INiraSettingsAccess* newOwner)
{
    m_journal.calls.push_back(m_name + " Attach");
    owner = newOwner;
    return attachAnswer ? TRUE : FALSE;
}

void FakeSettingsProvider::Release()
{
    ++m_journal.released;
    delete this;
}

BOOLEAN FakeSettingsProvider::UpdateAll()
{
    m_journal.calls.push_back(m_name + " UpdateAll");
    return updateAnswer ? TRUE : FALSE;
}

BOOLEAN FakeSettingsProvider::Handles(LONG kind, LONG index)
{
    auto found = m_handled.find({kind, index});
    return found == m_handled.end() ? FALSE : found->second;
}

BOOLEAN FakeSettingsProvider::Sync(LONG kind, LONG index)
{
    m_journal.calls.push_back(m_name + " Sync " + EntryName(kind, index));
    if (onSync) {
        return onSync(kind, index) ? TRUE : FALSE;
    }
    auto value = m_values.find({kind, index});
    if (value == m_values.end() || owner == nullptr) {
        return TRUE;
    }
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        return owner->SetFlag(index, static_cast<BYTE>(value->second), 0);
    case SETTING_ARRAY_INT:
        return owner->SetInt(index, value->second, 0);
    case SETTING_ARRAY_INT_REF:
        return owner->SetIntRef(index, &value->second, 0);
    case SETTING_ARRAY_BLOB:
        return owner->SetBlob(index, nullptr, 0, 0);
    default:
        return FALSE;
    }
}
