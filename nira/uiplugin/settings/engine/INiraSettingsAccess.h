// INiraSettingsAccess: how the driver reads and writes setting values and wires providers.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"
#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/NiraArray.h"
#include "nira/uiplugin/settings/engine/SettingsTypes.h"

class CNiraString;

typedef CNiraArray<INiraSettingsProvider*> SettingsProviderList;

// Truth values are one byte (1 true, 0 false); flag arguments (refresh, dispatch, notify) count as
// true only when the byte is exactly 1. No exception leaves an operation.
// Get asks the pull providers when refresh is true or the entry is absent, and with dispatch
// brings the entries it depends on up to date first; Set with notify tells the push providers.
// Strings and blobs read by Get are copies, given back with ReleaseString / ReleaseBlob.
class INiraSettingsAccess {
public:
    virtual ~INiraSettingsAccess() = default;
    // Starts over with a new store; providers attached to owner are taken over, the lists only read.
    virtual BOOLEAN Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                           const SettingsProviderList* pushProviders) = 0;
    virtual void Release() = 0;
    virtual INT_PTR Reserved1() = 0;        // answers 0
    virtual void Reserved2(ULONG_PTR) = 0;  // does nothing
    virtual BOOLEAN UpdateFromPullProviders() = 0;
    virtual BOOLEAN UpdateFromPushProviders() = 0;

    virtual BOOLEAN GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch) = 0;
    virtual BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch) = 0;

    virtual BOOLEAN SetFlag(LONG index, BYTE value, BYTE notify) = 0;
    virtual BOOLEAN SetByte(LONG index, BYTE value, BYTE notify) = 0;
    virtual BOOLEAN SetWord(LONG index, WORD value, BYTE notify) = 0;
    virtual BOOLEAN SetInt(LONG index, LONG value, BYTE notify) = 0;
    virtual BOOLEAN SetFloat(LONG index, FLOAT value, BYTE notify) = 0;
    virtual BOOLEAN SetDouble(LONG index, double value, BYTE notify) = 0;
    virtual BOOLEAN SetIntRef(LONG index, const LONG* value, BYTE notify) = 0;
    virtual BOOLEAN SetString(LONG index, const CNiraString* value, BYTE notify) = 0;
    virtual BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify) = 0;

    virtual void ReleaseString(CNiraString* copy) = 0;
    virtual void ReleaseBlob(BYTE* copy) = 0;

    virtual BOOLEAN IsFlagPresent(LONG index) = 0;
    virtual BOOLEAN IsBytePresent(LONG index) = 0;
    virtual BOOLEAN IsWordPresent(LONG index) = 0;
    virtual BOOLEAN IsIntPresent(LONG index) = 0;
    virtual BOOLEAN IsFloatPresent(LONG index) = 0;
    virtual BOOLEAN IsDoublePresent(LONG index) = 0;
    virtual BOOLEAN IsIntRefPresent(LONG index) = 0;
    virtual BOOLEAN IsStringPresent(LONG index) = 0;
    virtual BOOLEAN IsBlobPresent(LONG index) = 0;

    // The value store, used but not owned by the caller; null when there is none.
    virtual INiraSettingsStore* GetStore() = 0;
    // True when a pull provider handles the entry (kind, index).
    virtual BOOLEAN IsHandled(LONG kind, LONG index) = 0;
};

// IsPresent of the entry (kind, index); FALSE for a kind outside 0 to 8.
inline BOOLEAN IsAccessEntryPresent(INiraSettingsAccess& access, LONG kind, LONG index)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        return access.IsFlagPresent(index);
    case SETTING_ARRAY_BYTE:
        return access.IsBytePresent(index);
    case SETTING_ARRAY_WORD:
        return access.IsWordPresent(index);
    case SETTING_ARRAY_INT:
        return access.IsIntPresent(index);
    case SETTING_ARRAY_FLOAT:
        return access.IsFloatPresent(index);
    case SETTING_ARRAY_DOUBLE:
        return access.IsDoublePresent(index);
    case SETTING_ARRAY_INT_REF:
        return access.IsIntRefPresent(index);
    case SETTING_ARRAY_STRING:
        return access.IsStringPresent(index);
    case SETTING_ARRAY_BLOB:
        return access.IsBlobPresent(index);
    default:
        return FALSE;
    }
}
