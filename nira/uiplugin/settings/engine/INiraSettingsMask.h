// INiraSettingsMask: a set of setting entries, one bit per index of each of the nine kinds.
#pragma once

#include "nira/uiplugin/settings/engine/SettingsTypes.h"

// Truth values are one byte (1 true, 0 false); no exception leaves an operation.
class INiraSettingsMask {
public:
    virtual ~INiraSettingsMask() = default;
    // Replaces the bits by a copy of the described arrays (their counts included).
    virtual BOOLEAN LoadInfo(const SettingsMaskInfo* info) = 0;
    virtual BOOLEAN CopyFrom(INiraSettingsMask* source) = 0;
    // Gives every kind its zeroed bit array of the standard count.
    virtual BOOLEAN Allocate() = 0;
    virtual void Release() = 0;
    virtual INT_PTR Reserved1() = 0;        // answers 0
    virtual void Reserved2(ULONG_PTR) = 0;  // does nothing

    virtual BOOLEAN TestFlag(LONG index) = 0;
    virtual BOOLEAN TestByte(LONG index) = 0;
    virtual BOOLEAN TestWord(LONG index) = 0;
    virtual BOOLEAN TestInt(LONG index) = 0;
    virtual BOOLEAN TestFloat(LONG index) = 0;
    virtual BOOLEAN TestDouble(LONG index) = 0;
    virtual BOOLEAN TestIntRef(LONG index) = 0;
    virtual BOOLEAN TestString(LONG index) = 0;
    virtual BOOLEAN TestBlob(LONG index) = 0;

    virtual void MarkFlag(LONG index) = 0;
    virtual void MarkByte(LONG index) = 0;
    virtual void MarkWord(LONG index) = 0;
    virtual void MarkInt(LONG index) = 0;
    virtual void MarkFloat(LONG index) = 0;
    virtual void MarkDouble(LONG index) = 0;
    virtual void MarkIntRef(LONG index) = 0;
    virtual void MarkString(LONG index) = 0;
    virtual void MarkBlob(LONG index) = 0;

    // This mask's bits become a AND b (a OR b); a or b may be this mask's own info.
    virtual BOOLEAN CombineAnd(const SettingsMaskInfo* a, const SettingsMaskInfo* b) = 0;
    virtual BOOLEAN CombineOr(const SettingsMaskInfo* a, const SettingsMaskInfo* b) = 0;
    // The mask's own description; valid and current for the life of the mask.
    virtual const SettingsMaskInfo* GetInfo() = 0;
};

// Test of the entry (kind, index); FALSE for a kind outside 0 to 8.
inline BOOLEAN TestMaskEntry(INiraSettingsMask& mask, LONG kind, LONG index)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        return mask.TestFlag(index);
    case SETTING_ARRAY_BYTE:
        return mask.TestByte(index);
    case SETTING_ARRAY_WORD:
        return mask.TestWord(index);
    case SETTING_ARRAY_INT:
        return mask.TestInt(index);
    case SETTING_ARRAY_FLOAT:
        return mask.TestFloat(index);
    case SETTING_ARRAY_DOUBLE:
        return mask.TestDouble(index);
    case SETTING_ARRAY_INT_REF:
        return mask.TestIntRef(index);
    case SETTING_ARRAY_STRING:
        return mask.TestString(index);
    case SETTING_ARRAY_BLOB:
        return mask.TestBlob(index);
    default:
        return FALSE;
    }
}

// Mark of the entry (kind, index); a kind outside 0 to 8 does nothing.
inline void MarkMaskEntry(INiraSettingsMask& mask, LONG kind, LONG index)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        mask.MarkFlag(index);
        break;
    case SETTING_ARRAY_BYTE:
        mask.MarkByte(index);
        break;
    case SETTING_ARRAY_WORD:
        mask.MarkWord(index);
        break;
    case SETTING_ARRAY_INT:
        mask.MarkInt(index);
        break;
    case SETTING_ARRAY_FLOAT:
        mask.MarkFloat(index);
        break;
    case SETTING_ARRAY_DOUBLE:
        mask.MarkDouble(index);
        break;
    case SETTING_ARRAY_INT_REF:
        mask.MarkIntRef(index);
        break;
    case SETTING_ARRAY_STRING:
        mask.MarkString(index);
        break;
    case SETTING_ARRAY_BLOB:
        mask.MarkBlob(index);
        break;
    default:
        break;
    }
}
