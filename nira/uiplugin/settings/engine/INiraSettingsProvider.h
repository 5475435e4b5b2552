// INiraSettingsProvider: connects the settings to one outside source or target.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsMask.h"
#include "nira/uiplugin/settings/engine/SettingsTypes.h"

class INiraSettingsAccess;

// A pull provider sets its entries into its owner when asked (Sync); a push provider reads them
// from its owner and writes its target. Each provider class adds its own SetTarget after these.
// Truth values are one byte (1 true, 0 false); no exception leaves an operation.
class INiraSettingsProvider {
public:
    virtual ~INiraSettingsProvider() = default;
    // Keeps the owner, without owning it, for the provider's reads and writes of values.
    virtual BOOLEAN Attach(INiraSettingsAccess* owner) = 0;
    virtual void Release() = 0;
    virtual INT_PTR Reserved1() = 0;        // answers 0
    virtual void Reserved2(ULONG_PTR) = 0;  // does nothing
    // Moves every entry the provider handles between its target and the owner.
    virtual BOOLEAN UpdateAll() = 0;

    virtual BOOLEAN SyncFlag(LONG index) = 0;
    virtual BOOLEAN SyncByte(LONG index) = 0;
    virtual BOOLEAN SyncWord(LONG index) = 0;
    virtual BOOLEAN SyncInt(LONG index) = 0;
    virtual BOOLEAN SyncFloat(LONG index) = 0;
    virtual BOOLEAN SyncDouble(LONG index) = 0;
    virtual BOOLEAN SyncIntRef(LONG index) = 0;
    virtual BOOLEAN SyncString(LONG index) = 0;
    virtual BOOLEAN SyncBlob(LONG index) = 0;

    // The byte 1 when the entry belongs to the provider; callers count any other byte as false.
    virtual BOOLEAN HandlesFlag(LONG index) = 0;
    virtual BOOLEAN HandlesByte(LONG index) = 0;
    virtual BOOLEAN HandlesWord(LONG index) = 0;
    virtual BOOLEAN HandlesInt(LONG index) = 0;
    virtual BOOLEAN HandlesFloat(LONG index) = 0;
    virtual BOOLEAN HandlesDouble(LONG index) = 0;
    virtual BOOLEAN HandlesIntRef(LONG index) = 0;
    virtual BOOLEAN HandlesString(LONG index) = 0;
    virtual BOOLEAN HandlesBlob(LONG index) = 0;

    // The provider's mask of handled entries, still the provider's.
    virtual INiraSettingsMask* GetHandledMask() = 0;
};

// True when the provider answers exactly 1 for the entry (kind, index); false for a kind
// outside 0 to 8.
inline bool ProviderHandles(INiraSettingsProvider& provider, LONG kind, LONG index)
{
    BOOLEAN answer = FALSE;
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        answer = provider.HandlesFlag(index);
        break;
    case SETTING_ARRAY_BYTE:
        answer = provider.HandlesByte(index);
        break;
    case SETTING_ARRAY_WORD:
        answer = provider.HandlesWord(index);
        break;
    case SETTING_ARRAY_INT:
        answer = provider.HandlesInt(index);
        break;
    case SETTING_ARRAY_FLOAT:
        answer = provider.HandlesFloat(index);
        break;
    case SETTING_ARRAY_DOUBLE:
        answer = provider.HandlesDouble(index);
        break;
    case SETTING_ARRAY_INT_REF:
        answer = provider.HandlesIntRef(index);
        break;
    case SETTING_ARRAY_STRING:
        answer = provider.HandlesString(index);
        break;
    case SETTING_ARRAY_BLOB:
        answer = provider.HandlesBlob(index);
        break;
    default:
        break;
    }
    return answer == TRUE;
}

// Sync of the entry (kind, index); FALSE for a kind outside 0 to 8.
inline BOOLEAN SyncProviderEntry(INiraSettingsProvider& provider, LONG kind, LONG index)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        return provider.SyncFlag(index);
    case SETTING_ARRAY_BYTE:
        return provider.SyncByte(index);
    case SETTING_ARRAY_WORD:
        return provider.SyncWord(index);
    case SETTING_ARRAY_INT:
        return provider.SyncInt(index);
    case SETTING_ARRAY_FLOAT:
        return provider.SyncFloat(index);
    case SETTING_ARRAY_DOUBLE:
        return provider.SyncDouble(index);
    case SETTING_ARRAY_INT_REF:
        return provider.SyncIntRef(index);
    case SETTING_ARRAY_STRING:
        return provider.SyncString(index);
    case SETTING_ARRAY_BLOB:
        return provider.SyncBlob(index);
    default:
        return FALSE;
    }
}
