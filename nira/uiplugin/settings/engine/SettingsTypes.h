// The nine typed setting arrays and the small records that every settings object shares.
#pragma once

#include <windows.h>

// Which typed array a setting lives in; a value is addressed by (kind, index).
enum SettingArrayKind : LONG {
    SETTING_ARRAY_FLAG = 0,     // one bit
    SETTING_ARRAY_BYTE = 1,     // unsigned 8-bit (holds nothing)
    SETTING_ARRAY_WORD = 2,     // 16-bit (holds nothing)
    SETTING_ARRAY_INT = 3,      // 32-bit integer
    SETTING_ARRAY_FLOAT = 4,    // IEEE 754 single
    SETTING_ARRAY_DOUBLE = 5,   // IEEE 754 double (holds nothing)
    SETTING_ARRAY_INT_REF = 6,  // 32-bit integer, set by reference
    SETTING_ARRAY_STRING = 7,   // CNiraString
    SETTING_ARRAY_BLOB = 8,     // SettingBlob
};

constexpr LONG kSettingArrayKindCount = 9;

// Entries of each kind in every settings object, the packed block and the print processor.
constexpr DWORD kSettingFlagCount = 338;
constexpr DWORD kSettingByteCount = 0;
constexpr DWORD kSettingWordCount = 0;
constexpr DWORD kSettingIntCount = 2052;
constexpr DWORD kSettingFloatCount = 24;
constexpr DWORD kSettingDoubleCount = 0;
constexpr DWORD kSettingIntRefCount = 136;
constexpr DWORD kSettingStringCount = 82;
constexpr DWORD kSettingBlobCount = 51;

constexpr DWORD kSettingArrayCounts[kSettingArrayKindCount] = {
    kSettingFlagCount,   kSettingByteCount,   kSettingWordCount,   kSettingIntCount,  kSettingFloatCount,
    kSettingDoubleCount, kSettingIntRefCount, kSettingStringCount, kSettingBlobCount,
};

// Bytes per element of the kinds kept in plain value blocks (kind 0 is a bit array).
constexpr DWORD kSettingElementWidths[SETTING_ARRAY_STRING] = {0, 1, 2, 4, 4, 8, 4};

// No array, mask or copied source may count more entries than this.
constexpr DWORD kSettingArrayMaxEntries = 0x10000;

// The version word a store carries after Allocate (also the first word of the packed image).
constexpr DWORD SETTINGS_STORE_VERSION = 0x10000000;

// A blob's length is 16 bits wide.
constexpr DWORD kSettingBlobMaxLength = 0xFFFF;

inline bool IsSettingArrayKind(LONG kind)
{
    return kind >= 0 && kind < kSettingArrayKindCount;
}

// Bit arrays: entry i lives in byte i >> 3 at bit i & 7, least significant bit first.
constexpr DWORD BitArrayBytes(DWORD count)
{
    return (count + 7) / 8;
}

inline bool TestBit(const BYTE* bits, DWORD index)
{
    return (bits[index >> 3] & (1u << (index & 7))) != 0;
}

inline void SetBit(BYTE* bits, DWORD index)
{
    bits[index >> 3] = static_cast<BYTE>(bits[index >> 3] | (1u << (index & 7)));
}

inline void ClearBit(BYTE* bits, DWORD index)
{
    bits[index >> 3] = static_cast<BYTE>(bits[index >> 3] & ~(1u << (index & 7)));
}

// The bits of a byte from bit `from` up to, not including, bit `to` (0 <= from <= to <= 8).
inline BYTE ByteBitsFromTo(DWORD from, DWORD to)
{
    return static_cast<BYTE>((0xFFu << from) & ~(0xFFu << to));
}

// The set bits of a byte, and the number of its lowest set bit (the byte must not be 0): walks
// over bit arrays visit only their entries.
inline DWORD CountByteBits(BYTE bits)
{
    constexpr BYTE kBitsInNibble[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kBitsInNibble[bits & 0x0F] + kBitsInNibble[bits >> 4];
}

inline DWORD LowestByteBit(BYTE bits)
{
    return static_cast<DWORD>(__builtin_ctz(bits));
}

// True when index addresses one of count entries.
inline bool IsIndexInRange(LONG index, DWORD count)
{
    return index >= 0 && static_cast<DWORD>(index) < count;
}

// One entry of the blob array: bytes owned by the store; {null, 0} is an empty blob.
struct SettingBlob {
    BYTE* data;
    WORD length;
};

inline bool IsBlobEmpty(const SettingBlob& blob)
{
    return blob.data == nullptr || blob.length == 0;
}

// One setting: which array and which index.
struct SettingRef {
    LONG kind;  // SettingArrayKind
    LONG index;
};
static_assert(sizeof(SettingRef) == 8, "SettingRef is two 32-bit words");

// One kind's bit array as a mask describes it to others.
struct SettingsMaskArray {
    DWORD count;  // entries of the kind
    DWORD size;   // bytes of the bit array: ceil(count / 8), 0 when there is none
    BYTE* bits;   // null when there is none
};

// The description of a mask's nine bit arrays, in kind order.
struct SettingsMaskInfo {
    SettingsMaskArray kinds[kSettingArrayKindCount];
};
