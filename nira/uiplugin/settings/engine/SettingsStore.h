// CNiraSettingsStore: one set of values in the nine typed arrays, with a presence mask.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/NiraArray.h"

// Every Get, Set and IsPresent is bounded by the store's own count for the kind, which CopyFrom
// takes from its source.
class CNiraSettingsStore : public INiraSettingsStore {
public:
    CNiraSettingsStore();
    ~CNiraSettingsStore() override;
    CNiraSettingsStore(const CNiraSettingsStore&) = delete;
    CNiraSettingsStore& operator=(const CNiraSettingsStore&) = delete;

    BOOLEAN CopyFrom(INiraSettingsStore* source) override;
    BOOLEAN Allocate() override;
    void Release() override;
    INT_PTR Reserved1() override;
    void Reserved2(ULONG_PTR) override;
    BOOLEAN GetVersion(DWORD* version) override;

    BOOLEAN GetFlag(LONG index, BYTE* value) override;
    BOOLEAN GetByte(LONG index, BYTE* value) override;
    BOOLEAN GetWord(LONG index, WORD* value) override;
    BOOLEAN GetInt(LONG index, LONG* value) override;
    BOOLEAN GetFloat(LONG index, FLOAT* value) override;
    BOOLEAN GetDouble(LONG index, double* value) override;
    BOOLEAN GetIntRef(LONG index, LONG* value) override;
    BOOLEAN GetString(LONG index, CNiraString** copy) override;
    BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length) override;

    BOOLEAN SetFlag(LONG index, BYTE value) override;
    BOOLEAN SetByte(LONG index, BYTE value) override;
    BOOLEAN SetWord(LONG index, WORD value) override;
    BOOLEAN SetInt(LONG index, LONG value) override;
    BOOLEAN SetFloat(LONG index, FLOAT value) override;
    BOOLEAN SetDouble(LONG index, double value) override;
    BOOLEAN SetIntRef(LONG index, const LONG* value) override;
    BOOLEAN SetString(LONG index, const CNiraString* value) override;
    BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length) override;

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

    INiraSettingsMask* GetMask() override;
    BOOLEAN GetArrayInfo(LONG kind, void** data, DWORD* size, DWORD* count) override;

    // Forgets the version, value blocks and mask without freeing them.
    void ResetFields();
    // Frees every value, string, blob, the mask and every handed-out copy, then ResetFields.
    void Clear();

private:
    // The values of one of kinds 0 to 6.
    struct ValueBlock {
        BYTE* values;
        DWORD count;
        DWORD size;  // bytes
    };

    DWORD CountOf(LONG kind) const;
    void RequireIndex(LONG kind, LONG index) const;
    BYTE* ValueAt(LONG kind, LONG index);
    // True when the entry has a value; never raises, as absent entries are read often.
    bool HasEntry(LONG kind, LONG index);
    template <typename T>
    BOOLEAN GetValue(LONG kind, LONG index, T* value);
    template <typename T>
    BOOLEAN SetValue(LONG kind, LONG index, const T& value);
    void MarkPresent(LONG kind, LONG index);
    BYTE* PresenceBits(LONG kind, LONG index) const;
    BOOLEAN IsPresent(LONG kind, LONG index);
    void ObtainMask();
    bool HasStandardArrays() const;
    void EmptyInPlace();
    void CopyValueBlock(INiraSettingsStore& source, LONG kind);
    void CopyStrings(INiraSettingsStore& source);
    void CopyBlobs(INiraSettingsStore& source);

    DWORD m_version;
    ValueBlock m_values[SETTING_ARRAY_STRING];  // kinds 0 to 6
    CNiraArray<CNiraString*> m_strings;
    CNiraArray<SettingBlob> m_blobs;
    INiraSettingsMask* m_mask;
    const SettingsMaskInfo* m_maskInfo;  // m_mask's own description
    CNiraArray<CNiraString*> m_issuedStrings;
    CNiraArray<SettingBlob> m_issuedBlobs;
};
