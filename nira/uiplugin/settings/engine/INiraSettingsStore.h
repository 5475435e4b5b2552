// INiraSettingsStore: one set of setting values in the nine typed arrays, with presence bits.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsMask.h"
#include "nira/uiplugin/settings/engine/SettingsTypes.h"

class CNiraString;

// Truth values are one byte (1 true, 0 false); no exception leaves an operation.
// Strings and blobs read by Get are copies that the store keeps until they are given back with
// ReleaseString / ReleaseBlob, or until the store is allocated, copied over, cleared or destroyed.
class INiraSettingsStore {
public:
    virtual ~INiraSettingsStore() = default;
    virtual BOOLEAN CopyFrom(INiraSettingsStore* source) = 0;
    virtual BOOLEAN Allocate() = 0;
    virtual void Release() = 0;
    virtual INT_PTR Reserved1() = 0;        // answers 0
    virtual void Reserved2(ULONG_PTR) = 0;  // does nothing
    virtual BOOLEAN GetVersion(DWORD* version) = 0;

    // Only present entries can be read.
    virtual BOOLEAN GetFlag(LONG index, BYTE* value) = 0;
    virtual BOOLEAN GetByte(LONG index, BYTE* value) = 0;
    virtual BOOLEAN GetWord(LONG index, WORD* value) = 0;
    virtual BOOLEAN GetInt(LONG index, LONG* value) = 0;
    virtual BOOLEAN GetFloat(LONG index, FLOAT* value) = 0;
    virtual BOOLEAN GetDouble(LONG index, double* value) = 0;
    virtual BOOLEAN GetIntRef(LONG index, LONG* value) = 0;
    virtual BOOLEAN GetString(LONG index, CNiraString** copy) = 0;
    virtual BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length) = 0;

    // A Set makes the entry present. A flag is set only by the byte 1; any other byte clears it.
    virtual BOOLEAN SetFlag(LONG index, BYTE value) = 0;
    virtual BOOLEAN SetByte(LONG index, BYTE value) = 0;
    virtual BOOLEAN SetWord(LONG index, WORD value) = 0;
    virtual BOOLEAN SetInt(LONG index, LONG value) = 0;
    virtual BOOLEAN SetFloat(LONG index, FLOAT value) = 0;
    virtual BOOLEAN SetDouble(LONG index, double value) = 0;
    virtual BOOLEAN SetIntRef(LONG index, const LONG* value) = 0;
    virtual BOOLEAN SetString(LONG index, const CNiraString* value) = 0;
    virtual BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length) = 0;

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

    // The presence mask, still the store's; null before Allocate.
    virtual INiraSettingsMask* GetMask() = 0;
    // Kinds 0 to 6: the value block, its byte size and count. Kind 7: the address of the
    // CNiraArray<CNiraString*> of strings, size 0; kind 8: of the CNiraArray<SettingBlob>, size 0.
    // The pointers stay the store's and are valid until the store changes.
    virtual BOOLEAN GetArrayInfo(LONG kind, void** data, DWORD* size, DWORD* count) = 0;
};

// IsPresent of the entry (kind, index); FALSE for a kind outside 0 to 8.
inline BOOLEAN IsStoreEntryPresent(INiraSettingsStore& store, LONG kind, LONG index)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        return store.IsFlagPresent(index);
    case SETTING_ARRAY_BYTE:
        return store.IsBytePresent(index);
    case SETTING_ARRAY_WORD:
        return store.IsWordPresent(index);
    case SETTING_ARRAY_INT:
        return store.IsIntPresent(index);
    case SETTING_ARRAY_FLOAT:
        return store.IsFloatPresent(index);
    case SETTING_ARRAY_DOUBLE:
        return store.IsDoublePresent(index);
    case SETTING_ARRAY_INT_REF:
        return store.IsIntRefPresent(index);
    case SETTING_ARRAY_STRING:
        return store.IsStringPresent(index);
    case SETTING_ARRAY_BLOB:
        return store.IsBlobPresent(index);
    default:
        return FALSE;
    }
}
