#include "nira/uiplugin/settings/engine/SettingsManager.h"

#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {

// The built-in dependencies: the entry on the left is read after the entries on the right, in
// their order. Row 6 depends on the entries of rows 1 and 5, row 8 on that of row 6.
const SettingRef kDependsOfFlag181[] = {{0, 180}, {6, 81}, {6, 82}};
const SettingRef kDependsOfFlag260[] = {{0, 105}, {0, 207}};
const SettingRef kDependsOfFlag262[] = {{0, 105}, {0, 207}};
const SettingRef kDependsOfFlag261[] = {{0, 105}, {0, 207}};
const SettingRef kDependsOfFlag202[] = {{0, 265}, {6, 0}, {3, 2048}, {0, 253}};
const SettingRef kDependsOfFlag201[] = {{0, 181}, {0, 0}, {0, 1}, {0, 100}, {0, 105}, {0, 202}, {0, 272}};
const SettingRef kDependsOfInt1992[] = {{0, 275}};
const SettingRef kDependsOfBlob32[] = {{7, 20}, {0, 201}, {0, 105}};

struct SettingDependencyRow {
    SettingRef entry;
    LONG count;
    const SettingRef* dependencies;
};

template <size_t N>
constexpr SettingDependencyRow Row(LONG kind, LONG index, const SettingRef (&dependencies)[N])
{
    return {{kind, index}, static_cast<LONG>(N), dependencies};
}

const SettingDependencyRow SettingDependencyTable[] = {
    Row(0, 181, kDependsOfFlag181),  Row(0, 260, kDependsOfFlag260), Row(0, 262, kDependsOfFlag262),
    Row(0, 261, kDependsOfFlag261),  Row(0, 202, kDependsOfFlag202), Row(0, 201, kDependsOfFlag201),
    Row(3, 1992, kDependsOfInt1992), Row(8, 32, kDependsOfBlob32),
};

void RequireIndexInKind(LONG kind, LONG index)
{
    RequireArgument(IsIndexInRange(index, kSettingArrayCounts[kind]));
}

// Reads one entry through the owner with refresh and dispatch, giving string and blob copies
// back at once: only the refresh the read causes matters.
BOOLEAN ReadThroughOwner(INiraSettingsAccess& owner, LONG kind, LONG index)
{
    const BYTE yes = 1;
    switch (kind) {
    case SETTING_ARRAY_FLAG: {
        BYTE v = 0;
        return owner.GetFlag(index, &v, yes, yes);
    }
    case SETTING_ARRAY_BYTE: {
        BYTE v = 0;
        return owner.GetByte(index, &v, yes, yes);
    }
    case SETTING_ARRAY_WORD: {
        WORD v = 0;
        return owner.GetWord(index, &v, yes, yes);
    }
    case SETTING_ARRAY_INT: {
        LONG v = 0;
        return owner.GetInt(index, &v, yes, yes);
    }
    case SETTING_ARRAY_FLOAT: {
        FLOAT v = 0;
        return owner.GetFloat(index, &v, yes, yes);
    }
    case SETTING_ARRAY_DOUBLE: {
        double v = 0;
        return owner.GetDouble(index, &v, yes, yes);
    }
    case SETTING_ARRAY_INT_REF: {
        LONG v = 0;
        return owner.GetIntRef(index, &v, yes, yes);
    }
    case SETTING_ARRAY_STRING: {
        CNiraString* copy = nullptr;
        const BOOLEAN read = owner.GetString(index, &copy, yes, yes);
        owner.ReleaseString(copy);
        return read;
    }
    case SETTING_ARRAY_BLOB: {
        BYTE* copy = nullptr;
        DWORD length = 0;
        const BOOLEAN read = owner.GetBlob(index, &copy, &length, yes, yes);
        owner.ReleaseBlob(copy);
        return read;
    }
    default:
        return FALSE;
    }
}

void ReleaseProviders(SettingsProviderList& providers)
{
    for (LONG i = 0; i < providers.count; ++i) {
        if (providers[i] != nullptr) {
            providers[i]->Release();
        }
    }
    providers.RemoveAll();
}

}  // namespace

CNiraSettingsManager::CNiraSettingsManager()
{
    ResetFields();
}

CNiraSettingsManager::~CNiraSettingsManager()
{
    GuardSettingsAction([&] { Clear(); });
}

void CNiraSettingsManager::Release()
{
    GuardSettingsAction([&] { delete this; });
}

INT_PTR CNiraSettingsManager::Reserved1()
{
    return 0;
}

void CNiraSettingsManager::Reserved2(ULONG_PTR) {}

void CNiraSettingsManager::ResetFields()
{
    m_owner = nullptr;
    m_store = nullptr;
}

void CNiraSettingsManager::Clear()
{
    if (m_store != nullptr) {
        INiraSettingsStore* store = m_store;
        m_store = nullptr;
        store->Release();
    }
    ReleaseProviders(m_pullProviders);
    ReleaseProviders(m_pushProviders);
    for (auto& table : m_dependencies) {
        table.RemoveAll();
    }
    ResetFields();
}

void CNiraSettingsManager::TakeProviders(const SettingsProviderList* providers, SettingsProviderList& into)
{
    if (providers == nullptr) {
        return;
    }
    for (LONG i = 0; i < providers->count; ++i) {
        INiraSettingsProvider* provider = providers->items[i];
        RequireSettings(provider != nullptr);
        RequireSettings(provider->Attach(m_owner) == TRUE);
        into.Append(provider);
    }
}

BOOLEAN CNiraSettingsManager::Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                                     const SettingsProviderList* pushProviders)
{
    return GuardSettingsCall([&] {
        Clear();
        RequireArgument(owner != nullptr);
        m_owner = owner;
        void* store = nullptr;
        GetSettingsInstance(&kSettingsGuidStore, &store);
        RequireSettings(store != nullptr);
        m_store = static_cast<INiraSettingsStore*>(store);
        RequireSettings(m_store->Allocate() == TRUE);
        TakeProviders(pullProviders, m_pullProviders);
        TakeProviders(pushProviders, m_pushProviders);
    });
}

void CNiraSettingsManager::UpdateAll(SettingsProviderList& providers)
{
    for (LONG i = 0; i < providers.count; ++i) {
        INiraSettingsProvider* provider = providers[i];
        RequireSettings(provider != nullptr);
        RequireSettings(provider->UpdateAll() == TRUE);
    }
}

BOOLEAN CNiraSettingsManager::UpdateFromPullProviders()
{
    return GuardSettingsCall([&] { UpdateAll(m_pullProviders); });
}

BOOLEAN CNiraSettingsManager::UpdateFromPushProviders()
{
    return GuardSettingsCall([&] { UpdateAll(m_pushProviders); });
}

// Every provider that handles the entry is asked, in list order.
void CNiraSettingsManager::SyncHandlingProviders(SettingsProviderList& providers, LONG kind, LONG index)
{
    for (LONG i = 0; i < providers.count; ++i) {
        INiraSettingsProvider* provider = providers[i];
        RequireSettings(provider != nullptr);
        if (ProviderHandles(*provider, kind, index)) {
            RequireSettings(SyncProviderEntry(*provider, kind, index) == TRUE);
        }
    }
}

template <typename Read>
BOOLEAN CNiraSettingsManager::GetEntry(LONG kind, LONG index, bool outsGiven, BYTE refresh, BYTE dispatch,
                                       Read read)
{
    return GuardSettingsAnswer([&] {
        RequireIndexInKind(kind, index);
        RequireArgument(outsGiven);
        RequireSettings(m_store != nullptr);
        // Without a refresh a present entry is read once and its answer passed on; the store
        // answers an absent one false without reading, and it is asked of the providers.
        if (!IsFlagSet(refresh)) {
            if (read(*m_store) == TRUE) {
                return true;
            }
            if (IsStoreEntryPresent(*m_store, kind, index) == TRUE) {
                return false;
            }
        }
        // A refresh, or an entry that was never set: the providers are asked first.
        if (IsFlagSet(dispatch)) {
            const SettingRef entry = {kind, index};
            RequireSettings(RefreshDependencies(&entry) == TRUE);
        }
        SyncHandlingProviders(m_pullProviders, kind, index);
        RequireSettings(m_store != nullptr);
        // The store's false answer (mostly an entry no provider supplied) is passed on as it is.
        return read(*m_store) == TRUE;
    });
}

template <typename Write>
BOOLEAN CNiraSettingsManager::SetEntry(LONG kind, LONG index, bool valueGiven, BYTE notify, Write write)
{
    return GuardSettingsCall([&] {
        RequireIndexInKind(kind, index);
        RequireArgument(valueGiven);
        RequireSettings(m_store != nullptr);
        RequireSettings(write(*m_store) == TRUE);
        if (IsFlagSet(notify)) {
            SyncHandlingProviders(m_pushProviders, kind, index);
        }
    });
}

BOOLEAN CNiraSettingsManager::GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_FLAG, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetFlag(index, value); });
}

BOOLEAN CNiraSettingsManager::GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_BYTE, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetByte(index, value); });
}

BOOLEAN CNiraSettingsManager::GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_WORD, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetWord(index, value); });
}

BOOLEAN CNiraSettingsManager::GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_INT, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetInt(index, value); });
}

BOOLEAN CNiraSettingsManager::GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_FLOAT, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetFloat(index, value); });
}

BOOLEAN CNiraSettingsManager::GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_DOUBLE, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetDouble(index, value); });
}

BOOLEAN CNiraSettingsManager::GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_INT_REF, index, value != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetIntRef(index, value); });
}

BOOLEAN CNiraSettingsManager::GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_STRING, index, copy != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetString(index, copy); });
}

BOOLEAN CNiraSettingsManager::GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch)
{
    return GetEntry(SETTING_ARRAY_BLOB, index, copy != nullptr && length != nullptr, refresh, dispatch,
                    [&](INiraSettingsStore& s) { return s.GetBlob(index, copy, length); });
}

BOOLEAN CNiraSettingsManager::SetFlag(LONG index, BYTE value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_FLAG, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetFlag(index, value); });
}

BOOLEAN CNiraSettingsManager::SetByte(LONG index, BYTE value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_BYTE, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetByte(index, value); });
}

BOOLEAN CNiraSettingsManager::SetWord(LONG index, WORD value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_WORD, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetWord(index, value); });
}

BOOLEAN CNiraSettingsManager::SetInt(LONG index, LONG value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_INT, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetInt(index, value); });
}

BOOLEAN CNiraSettingsManager::SetFloat(LONG index, FLOAT value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_FLOAT, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetFloat(index, value); });
}

BOOLEAN CNiraSettingsManager::SetDouble(LONG index, double value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_DOUBLE, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetDouble(index, value); });
}

BOOLEAN CNiraSettingsManager::SetIntRef(LONG index, const LONG* value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_INT_REF, index, value != nullptr, notify,
                    [&](INiraSettingsStore& s) { return s.SetIntRef(index, value); });
}

BOOLEAN CNiraSettingsManager::SetString(LONG index, const CNiraString* value, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_STRING, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetString(index, value); });
}

BOOLEAN CNiraSettingsManager::SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify)
{
    return SetEntry(SETTING_ARRAY_BLOB, index, true, notify,
                    [&](INiraSettingsStore& s) { return s.SetBlob(index, data, length); });
}

void CNiraSettingsManager::ReleaseString(CNiraString* copy)
{
    if (m_store != nullptr) {
        m_store->ReleaseString(copy);
    }
}

void CNiraSettingsManager::ReleaseBlob(BYTE* copy)
{
    if (m_store != nullptr) {
        m_store->ReleaseBlob(copy);
    }
}

BOOLEAN CNiraSettingsManager::IsPresent(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] {
        RequireIndexInKind(kind, index);
        RequireSettings(m_store != nullptr);
        return IsStoreEntryPresent(*m_store, kind, index);
    });
}

INiraSettingsStore* CNiraSettingsManager::GetStore()
{
    return m_store;
}

BOOLEAN CNiraSettingsManager::IsHandled(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] {
        for (LONG i = 0; i < m_pullProviders.count; ++i) {
            INiraSettingsProvider* provider = m_pullProviders[i];
            RequireSettings(provider != nullptr && IsSettingArrayKind(kind));
            if (ProviderHandles(*provider, kind, index)) {
                return true;
            }
        }
        return false;
    });
}

BOOLEAN CNiraSettingsManager::BuildDependencyTable()
{
    return GuardSettingsCall([&] {
        for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
            CNiraArray<SettingDependencyEntry>& table = m_dependencies[kind];
            table.SetSize(table.count + static_cast<LONG>(kSettingArrayCounts[kind]));
        }
        for (const SettingDependencyRow& row : SettingDependencyTable) {
            RequireSettings(IsSettingArrayKind(row.entry.kind));
            SettingDependencyEntry& entry = DependencyEntry(row.entry.kind, row.entry.index);
            entry = SettingDependencyEntry{row.count, row.dependencies, 0};
        }
    });
}

// The entry is looked up again after every call that may come back into the manager.
SettingDependencyEntry& CNiraSettingsManager::DependencyEntry(LONG kind, LONG index)
{
    CNiraArray<SettingDependencyEntry>& table = m_dependencies[kind];
    RequireSettings(IsIndexInRange(index, static_cast<DWORD>(table.count)));
    return table[index];
}

void CNiraSettingsManager::RefreshEntryDependencies(LONG kind, LONG index)
{
    const SettingDependencyEntry& entry = DependencyEntry(kind, index);
    const LONG count = entry.count;
    const SettingRef* dependencies = entry.dependencies;
    for (LONG i = 0; i < count; ++i) {
        RequireSettings(m_owner != nullptr);
        RequireSettings(ReadThroughOwner(*m_owner, dependencies[i].kind, dependencies[i].index) == TRUE);
    }
}

BOOLEAN CNiraSettingsManager::RefreshDependencies(const SettingRef* entry)
{
    return GuardSettingsCall([&] {
        RequireSettings(m_owner != nullptr);
        RequireArgument(entry != nullptr && IsSettingArrayKind(entry->kind));
        const LONG kind = entry->kind;
        const LONG index = entry->index;
        // A refresh already running for this entry means a cycle of dependencies.
        RequireSettings(DependencyEntry(kind, index).busy != 1);
        DependencyEntry(kind, index).busy = 1;
        try {
            RefreshEntryDependencies(kind, index);
        } catch (...) {
            GuardSettingsAction([&] { DependencyEntry(kind, index).busy = 0; });
            throw;
        }
        DependencyEntry(kind, index).busy = 0;
    });
}
