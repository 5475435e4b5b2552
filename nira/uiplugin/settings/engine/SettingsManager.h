// CNiraSettingsManager: the access layer over one value store, its pull and push providers and
// the dependencies between entries.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/NiraArray.h"

// The entries one entry depends on, read before it when a Get dispatches its refresh.
struct SettingDependencyEntry {
    LONG count;
    const SettingRef* dependencies;  // count records of a constant table
    BYTE busy;                       // 1 while the dependencies are being refreshed
};

// Providers are attached to the owner given to Attach (normally the client that wraps the
// manager), so their reads and writes come back into the manager through that owner.
class CNiraSettingsManager : public INiraSettingsAccess {
public:
    CNiraSettingsManager();
    ~CNiraSettingsManager() override;
    CNiraSettingsManager(const CNiraSettingsManager&) = delete;
    CNiraSettingsManager& operator=(const CNiraSettingsManager&) = delete;

    BOOLEAN Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                   const SettingsProviderList* pushProviders) override;
    void Release() override;
    INT_PTR Reserved1() override;
    void Reserved2(ULONG_PTR) override;
    BOOLEAN UpdateFromPullProviders() override;
    BOOLEAN UpdateFromPushProviders() override;

    BOOLEAN GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch) override;

    BOOLEAN SetFlag(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetByte(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetWord(LONG index, WORD value, BYTE notify) override;
    BOOLEAN SetInt(LONG index, LONG value, BYTE notify) override;
    BOOLEAN SetFloat(LONG index, FLOAT value, BYTE notify) override;
    BOOLEAN SetDouble(LONG index, double value, BYTE notify) override;
    BOOLEAN SetIntRef(LONG index, const LONG* value, BYTE notify) override;
    BOOLEAN SetString(LONG index, const CNiraString* value, BYTE notify) override;
    BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify) override;

    void ReleaseString(CNiraString* copy) override;
    void ReleaseBlob(BYTE* copy) override;

    BOOLEAN IsFlagPresent(LONG index) override { return IsPresent(SETTING_ARRAY_FLAG, index); }
    BOOLEAN IsBytePresent(LONG index) override { return IsPresent(SETTING_ARRAY_BYTE, index); }
    BOOLEAN IsWordPresent(LONG index) override { return IsPresent(SETTING_ARRAY_WORD, index); }
    BOOLEAN IsIntPresent(LONG index) override { return IsPresent(SETTING_ARRAY_INT, index); }
    BOOLEAN IsFloatPresent(LONG index) override { return IsPresent(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN IsDoublePresent(LONG index) override { return IsPresent(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN IsIntRefPresent(LONG index) override { return IsPresent(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN IsStringPresent(LONG index) override { return IsPresent(SETTING_ARRAY_STRING, index); }
    BOOLEAN IsBlobPresent(LONG index) override { return IsPresent(SETTING_ARRAY_BLOB, index); }

    INiraSettingsStore* GetStore() override;
    BOOLEAN IsHandled(LONG kind, LONG index) override;

    // Forgets the owner and the store without releasing anything.
    void ResetFields();
    // Releases the store and every provider, empties the dependency tables, then ResetFields.
    void Clear();
    // Fills the dependency tables from the built-in dependency rows.
    BOOLEAN BuildDependencyTable();
    // Reads, through the owner and depth first, every entry the given entry depends on.
    BOOLEAN RefreshDependencies(const SettingRef* entry);

private:
    template <typename Read>
    BOOLEAN GetEntry(LONG kind, LONG index, bool outsGiven, BYTE refresh, BYTE dispatch, Read read);
    template <typename Write>
    BOOLEAN SetEntry(LONG kind, LONG index, bool valueGiven, BYTE notify, Write write);
    BOOLEAN IsPresent(LONG kind, LONG index);
    void SyncHandlingProviders(SettingsProviderList& providers, LONG kind, LONG index);
    void UpdateAll(SettingsProviderList& providers);
    void TakeProviders(const SettingsProviderList* providers, SettingsProviderList& into);
    void RefreshEntryDependencies(LONG kind, LONG index);
    SettingDependencyEntry& DependencyEntry(LONG kind, LONG index);

    INiraSettingsAccess* m_owner;
    INiraSettingsStore* m_store;
    SettingsProviderList m_pullProviders;
    SettingsProviderList m_pushProviders;
    CNiraArray<SettingDependencyEntry> m_dependencies[kSettingArrayKindCount];
};
