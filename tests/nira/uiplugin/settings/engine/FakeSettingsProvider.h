// A provider double for the access layer's tests: handles chosen entries, records every call in a
// shared journal and, as a pull provider, sets a chosen value into its owner.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"

struct ProviderJournal {
    std::vector<std::string> calls;
    int released = 0;
};

std::string EntryName(LONG kind, LONG index);

class FakeSettingsProvider : public INiraSettingsProvider {
public:
    FakeSettingsProvider(std::string name, ProviderJournal& journal)
        : m_name(std::move(name)), m_journal(journal)
    {}

    // The answer of Handles for the entry (1 unless told otherwise) and the int or flag value a
    // pull Sync sets into the owner (none: Sync sets nothing and answers true).
    void Handle(LONG kind, LONG index, BYTE answer = 1) { m_handled[{kind, index}] = answer; }
    void Supply(LONG kind, LONG index, LONG value)
    {
        m_values[{kind, index}] = value;
        Handle(kind, index);
    }
    std::function<bool(LONG kind, LONG index)> onSync;  // answer of Sync when set
    bool attachAnswer = true;
    bool updateAnswer = true;
    INiraSettingsAccess* owner = nullptr;

    BOOLEAN Attach(INiraSettingsAccess* newOwner) override;
    void Release() override;
    INT_PTR Reserved1() override { return 0; }
    void Reserved2(ULONG_PTR) override {}
    BOOLEAN UpdateAll() override;

    BOOLEAN SyncFlag(LONG index) override { return Sync(SETTING_ARRAY_FLAG, index); }
    BOOLEAN SyncByte(LONG index) override { return Sync(SETTING_ARRAY_BYTE, index); }
    BOOLEAN SyncWord(LONG index) override { return Sync(SETTING_ARRAY_WORD, index); }
    BOOLEAN SyncInt(LONG index) override { return Sync(SETTING_ARRAY_INT, index); }
    BOOLEAN SyncFloat(LONG index) override { return Sync(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN SyncDouble(LONG index) override { return Sync(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN SyncIntRef(LONG index) override { return Sync(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN SyncString(LONG index) override { return Sync(SETTING_ARRAY_STRING, index); }
    BOOLEAN SyncBlob(LONG index) override { return Sync(SETTING_ARRAY_BLOB, index); }

    BOOLEAN HandlesFlag(LONG index) override { return Handles(SETTING_ARRAY_FLAG, index); }
    BOOLEAN HandlesByte(LONG index) override { return Handles(SETTING_ARRAY_BYTE, index); }
    BOOLEAN HandlesWord(LONG index) override { return Handles(SETTING_ARRAY_WORD, index); }
    BOOLEAN HandlesInt(LONG index) override { return Handles(SETTING_ARRAY_INT, index); }
    BOOLEAN HandlesFloat(LONG index) override { return Handles(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN HandlesDouble(LONG index) override { return Handles(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN HandlesIntRef(LONG index) override { return Handles(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN HandlesString(LONG index) override { return Handles(SETTING_ARRAY_STRING, index); }
    BOOLEAN HandlesBlob(LONG index) override { return Handles(SETTING_ARRAY_BLOB, index); }

    INiraSettingsMask* GetHandledMask() override { return nullptr; }

private:
    BOOLEAN Sync(LONG kind, LONG index);
    BOOLEAN Handles(LONG kind, LONG index);

    std::string m_name;
    ProviderJournal& m_journal;
    std::map<std::pair<LONG, LONG>, BYTE> m_handled;
    std::map<std::pair<LONG, LONG>, LONG> m_values;
};

// An owner that records every Get and forwards each call to the manager it wraps, as the
// settings clients do.
class RecordingOwner : public INiraSettingsAccess {
public:
    explicit RecordingOwner(INiraSettingsAccess& manager) : m_manager(manager) {}
    std::vector<std::string> gets;

    BOOLEAN Attach(INiraSettingsAccess* o, const SettingsProviderList* pull,
                   const SettingsProviderList* push) override
    {
        return m_manager.Attach(o, pull, push);
    }
    void Release() override {}
    INT_PTR Reserved1() override { return 0; }
    void Reserved2(ULONG_PTR) override {}
    BOOLEAN UpdateFromPullProviders() override { return m_manager.UpdateFromPullProviders(); }
    BOOLEAN UpdateFromPushProviders() override { return m_manager.UpdateFromPushProviders(); }

#define NIRA_FORWARD_GET(Name, Kind, Type)                                           \
    BOOLEAN Get##Name(LONG index, Type* value, BYTE refresh, BYTE dispatch) override \
    {                                                                                \
        gets.push_back(EntryName(Kind, index));                                      \
        return m_manager.Get##Name(index, value, refresh, dispatch);                 \
    }                                                                                \
    BOOLEAN Set##Name(LONG index, Type value, BYTE notify) override                  \
    {                                                                                \
        return m_manager.Set##Name(index, value, notify);                            \
    }                                                                                \
    BOOLEAN Is##Name##Present(LONG index) override { return m_manager.Is##Name##Present(index); }
    NIRA_FORWARD_GET(Flag, SETTING_ARRAY_FLAG, BYTE)
    NIRA_FORWARD_GET(Byte, SETTING_ARRAY_BYTE, BYTE)
    NIRA_FORWARD_GET(Word, SETTING_ARRAY_WORD, WORD)
    NIRA_FORWARD_GET(Int, SETTING_ARRAY_INT, LONG)
    NIRA_FORWARD_GET(Float, SETTING_ARRAY_FLOAT, FLOAT)
    NIRA_FORWARD_GET(Double, SETTING_ARRAY_DOUBLE, double)
#undef NIRA_FORWARD_GET

    BOOLEAN GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override
    {
        gets.push_back(EntryName(SETTING_ARRAY_INT_REF, index));
        return m_manager.GetIntRef(index, value, refresh, dispatch);
    }
    BOOLEAN SetIntRef(LONG index, const LONG* value, BYTE notify) override
    {
        return m_manager.SetIntRef(index, value, notify);
    }
    BOOLEAN IsIntRefPresent(LONG index) override { return m_manager.IsIntRefPresent(index); }
    BOOLEAN GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch) override
    {
        gets.push_back(EntryName(SETTING_ARRAY_STRING, index));
        return m_manager.GetString(index, copy, refresh, dispatch);
    }
    BOOLEAN SetString(LONG index, const CNiraString* value, BYTE notify) override
    {
        return m_manager.SetString(index, value, notify);
    }
    BOOLEAN IsStringPresent(LONG index) override { return m_manager.IsStringPresent(index); }
    BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch) override
    {
        gets.push_back(EntryName(SETTING_ARRAY_BLOB, index));
        return m_manager.GetBlob(index, copy, length, refresh, dispatch);
    }
    BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify) override
    {
        return m_manager.SetBlob(index, data, length, notify);
    }
    BOOLEAN IsBlobPresent(LONG index) override { return m_manager.IsBlobPresent(index); }

    void ReleaseString(CNiraString* copy) override { m_manager.ReleaseString(copy); }
    void ReleaseBlob(BYTE* copy) override { m_manager.ReleaseBlob(copy); }
    INiraSettingsStore* GetStore() override { return m_manager.GetStore(); }
    BOOLEAN IsHandled(LONG kind, LONG index) override { return m_manager.IsHandled(kind, index); }

private:
    INiraSettingsAccess& m_manager;
};
