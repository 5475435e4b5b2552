// CNiraSettingsMask: a bit per entry of each setting kind (presence bits, handled entries).
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsMask.h"

// Every Test and Mark is bounded by the mask's own count for the kind, which LoadInfo and
// CopyFrom take from their source.
class CNiraSettingsMask : public INiraSettingsMask {
public:
    CNiraSettingsMask();
    ~CNiraSettingsMask() override;
    CNiraSettingsMask(const CNiraSettingsMask&) = delete;
    CNiraSettingsMask& operator=(const CNiraSettingsMask&) = delete;

    BOOLEAN LoadInfo(const SettingsMaskInfo* info) override;
    BOOLEAN CopyFrom(INiraSettingsMask* source) override;
    BOOLEAN Allocate() override;
    void Release() override;
    INT_PTR Reserved1() override;
    void Reserved2(ULONG_PTR) override;

    BOOLEAN TestFlag(LONG index) override { return Test(SETTING_ARRAY_FLAG, index); }
    BOOLEAN TestByte(LONG index) override { return Test(SETTING_ARRAY_BYTE, index); }
    BOOLEAN TestWord(LONG index) override { return Test(SETTING_ARRAY_WORD, index); }
    BOOLEAN TestInt(LONG index) override { return Test(SETTING_ARRAY_INT, index); }
    BOOLEAN TestFloat(LONG index) override { return Test(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN TestDouble(LONG index) override { return Test(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN TestIntRef(LONG index) override { return Test(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN TestString(LONG index) override { return Test(SETTING_ARRAY_STRING, index); }
    BOOLEAN TestBlob(LONG index) override { return Test(SETTING_ARRAY_BLOB, index); }

    void MarkFlag(LONG index) override { Mark(SETTING_ARRAY_FLAG, index); }
    void MarkByte(LONG index) override { Mark(SETTING_ARRAY_BYTE, index); }
    void MarkWord(LONG index) override { Mark(SETTING_ARRAY_WORD, index); }
    void MarkInt(LONG index) override { Mark(SETTING_ARRAY_INT, index); }
    void MarkFloat(LONG index) override { Mark(SETTING_ARRAY_FLOAT, index); }
    void MarkDouble(LONG index) override { Mark(SETTING_ARRAY_DOUBLE, index); }
    void MarkIntRef(LONG index) override { Mark(SETTING_ARRAY_INT_REF, index); }
    void MarkString(LONG index) override { Mark(SETTING_ARRAY_STRING, index); }
    void MarkBlob(LONG index) override { Mark(SETTING_ARRAY_BLOB, index); }

    BOOLEAN CombineAnd(const SettingsMaskInfo* a, const SettingsMaskInfo* b) override;
    BOOLEAN CombineOr(const SettingsMaskInfo* a, const SettingsMaskInfo* b) override;
    const SettingsMaskInfo* GetInfo() override;

    // Forgets every array without freeing it.
    void ResetFields();
    // Frees every array, then ResetFields.
    void Clear();

private:
    enum class CombineOp { And, Or };

    BOOLEAN Test(LONG kind, LONG index);
    void Mark(LONG kind, LONG index);
    BYTE* CheckedBits(LONG kind, LONG index);
    void AllocateKind(LONG kind, DWORD count);
    bool HasStandardArrays() const;
    void Combine(const SettingsMaskInfo* a, const SettingsMaskInfo* b, CombineOp op);

    SettingsMaskInfo m_info;
};
