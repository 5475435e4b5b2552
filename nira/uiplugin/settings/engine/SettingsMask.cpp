#include "nira/uiplugin/settings/engine/SettingsMask.h"

#include <string.h>

#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsMemory.h"

CNiraSettingsMask::CNiraSettingsMask()
{
    ResetFields();
}

CNiraSettingsMask::~CNiraSettingsMask()
{
    GuardSettingsAction([&] { Clear(); });
}

void CNiraSettingsMask::Release()
{
    GuardSettingsAction([&] { delete this; });
}

INT_PTR CNiraSettingsMask::Reserved1()
{
    return 0;
}

void CNiraSettingsMask::Reserved2(ULONG_PTR) {}

void CNiraSettingsMask::ResetFields()
{
    memset(&m_info, 0, sizeof(m_info));
}

void CNiraSettingsMask::Clear()
{
    for (SettingsMaskArray& kind : m_info.kinds) {
        FreeSettingsBlock(kind.bits);
    }
    ResetFields();
}

void CNiraSettingsMask::AllocateKind(LONG kind, DWORD count)
{
    SettingsMaskArray& array = m_info.kinds[kind];
    const DWORD size = BitArrayBytes(count);
    array.bits = static_cast<BYTE*>(AllocateSettingsBlock(size));
    array.size = size;
    array.count = count;
}

// True when every kind already has its bit array of the standard count.
bool CNiraSettingsMask::HasStandardArrays() const
{
    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        const SettingsMaskArray& array = m_info.kinds[kind];
        const bool made = kind == SETTING_ARRAY_FLAG || kSettingArrayCounts[kind] != 0;
        if (made ? array.bits == nullptr || array.count != kSettingArrayCounts[kind] ||
                       array.size != BitArrayBytes(array.count)
                 : array.bits != nullptr || array.count != 0) {
            return false;
        }
    }
    return true;
}

BOOLEAN CNiraSettingsMask::Allocate()
{
    return GuardSettingsCall([&] {
        if (HasStandardArrays()) {
            // A mask allocated again (a packer's or a store's, at every pack) keeps its arrays.
            for (SettingsMaskArray& array : m_info.kinds) {
                if (array.bits != nullptr) {
                    memset(array.bits, 0, array.size);
                }
            }
            return;
        }
        Clear();
        // The flag array is made whatever its count; the empty kinds get none.
        for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
            if (kind == SETTING_ARRAY_FLAG || kSettingArrayCounts[kind] != 0) {
                AllocateKind(kind, kSettingArrayCounts[kind]);
            }
        }
    });
}

BOOLEAN CNiraSettingsMask::LoadInfo(const SettingsMaskInfo* info)
{
    return GuardSettingsCall([&] {
        Clear();
        RequireArgument(info != nullptr);
        for (const SettingsMaskArray& source : info->kinds) {
            RequireSettings(source.count <= kSettingArrayMaxEntries);
        }
        for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
            const SettingsMaskArray& source = info->kinds[kind];
            m_info.kinds[kind].count = source.count;
            if (source.count == 0) {
                continue;
            }
            RequireSettings(source.size == BitArrayBytes(source.count) && source.bits != nullptr);
            AllocateKind(kind, source.count);
            memcpy(m_info.kinds[kind].bits, source.bits, source.size);
        }
    });
}

BOOLEAN CNiraSettingsMask::CopyFrom(INiraSettingsMask* source)
{
    return GuardSettingsCall([&] {
        Clear();
        RequireArgument(source != nullptr);
        const SettingsMaskInfo* info = source->GetInfo();
        RequireSettings(info != nullptr);
        RequireSettings(LoadInfo(info) == TRUE);
    });
}

BYTE* CNiraSettingsMask::CheckedBits(LONG kind, LONG index)
{
    const SettingsMaskArray& array = m_info.kinds[kind];
    RequireArgument(IsIndexInRange(index, array.count));
    RequireSettings(array.bits != nullptr);
    return array.bits;
}

BOOLEAN CNiraSettingsMask::Test(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] { return TestBit(CheckedBits(kind, index), static_cast<DWORD>(index)); });
}

void CNiraSettingsMask::Mark(LONG kind, LONG index)
{
    GuardSettingsAction([&] { SetBit(CheckedBits(kind, index), static_cast<DWORD>(index)); });
}

void CNiraSettingsMask::Combine(const SettingsMaskInfo* a, const SettingsMaskInfo* b, CombineOp op)
{
    RequireArgument(a != nullptr && b != nullptr);
    for (const SettingsMaskArray& own : m_info.kinds) {
        RequireSettings(own.size == 0 || own.bits != nullptr);
    }
    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        SettingsMaskArray& own = m_info.kinds[kind];
        if (own.size == 0) {
            continue;
        }
        const SettingsMaskArray& left = a->kinds[kind];
        const SettingsMaskArray& right = b->kinds[kind];
        RequireSettings(left.size == right.size && own.size == left.size);
        RequireSettings(left.bits != nullptr && right.bits != nullptr);
        // Byte by byte at the same position, so a or b may be this mask's own arrays.
        for (DWORD i = 0; i < own.size; ++i) {
            own.bits[i] = static_cast<BYTE>(op == CombineOp::And ? (left.bits[i] & right.bits[i])
                                                                 : (left.bits[i] | right.bits[i]));
        }
    }
}

BOOLEAN CNiraSettingsMask::CombineAnd(const SettingsMaskInfo* a, const SettingsMaskInfo* b)
{
    return GuardSettingsCall([&] { Combine(a, b, CombineOp::And); });
}

BOOLEAN CNiraSettingsMask::CombineOr(const SettingsMaskInfo* a, const SettingsMaskInfo* b)
{
    return GuardSettingsCall([&] { Combine(a, b, CombineOp::Or); });
}

const SettingsMaskInfo* CNiraSettingsMask::GetInfo()
{
    return &m_info;
}
