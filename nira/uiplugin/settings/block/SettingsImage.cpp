#include "nira/uiplugin/settings/block/SettingsImage.h"

#include "common/NiraException.h"

#include <string.h>

namespace {

constexpr DWORD kKindFlag = 0;
constexpr DWORD kKindByte = 1;
constexpr DWORD kKindString = 7;
constexpr DWORD kKindBlob = 8;
constexpr DWORD kCharacterBytes = 2;  // one UTF-16 unit

[[noreturn]] void Refuse()
{
    throw CNiraException(ERROR_INVALID_DATA);
}

// True when [offset, offset + length) lies inside [0, limit); computed without overflow.
bool RangeInside(DWORD offset, DWORD length, DWORD limit)
{
    return static_cast<ULONGLONG>(offset) + length <= limit;
}

DWORD ReadDword(const BYTE* at)
{
    DWORD value;
    memcpy(&value, at, sizeof(value));
    return value;
}

}  // namespace

DWORD SettingsValueLength(DWORD kind, DWORD presentCount)
{
    if (kind == kKindFlag) {
        return PresenceBytesFor(presentCount);
    }
    return kind < kSettingsImageKinds ? presentCount * kSettingsImageValueWidths[kind] : 0;
}

CNiraSettingsImageView::CNiraSettingsImageView(const BYTE* image, DWORD imageLength)
    : m_header(), m_data(nullptr)
{
    if (image == nullptr || imageLength < kSettingsImageHeaderSize) {
        Refuse();
    }
    memcpy(&m_header, image, kSettingsImageHeaderSize);
    if (m_header.dataLength != imageLength - kSettingsImageHeaderSize) {
        Refuse();
    }
    m_data = image + kSettingsImageHeaderSize;
    CheckAreas();
    CheckTexts();
    CheckBlobs();
}

const BYTE* CNiraSettingsImageView::PresenceBits(DWORD kind) const
{
    if (kind >= kSettingsImageKinds || m_header.arrays[kind].presenceLength == 0) {
        return nullptr;
    }
    return m_data + m_header.arrays[kind].presenceOffset;
}

void CNiraSettingsImageView::CheckAreas() const
{
    const DWORD dataLength = m_header.dataLength;
    for (DWORD kind = 0; kind < kSettingsImageKinds; ++kind) {
        const SettingsArrayDescriptor& array = m_header.arrays[kind];
        if (array.presenceOffset >= dataLength ||
            !RangeInside(array.presenceOffset, array.presenceLength, dataLength)) {
            Refuse();
        }
        if (array.valueLength != 0 && !RangeInside(array.valueOffset, array.valueLength, dataLength)) {
            Refuse();
        }
    }
}

// Ranks a reader can reach: below the present count and below the number of presence bits.
DWORD CNiraSettingsImageView::ReachableRanks(DWORD kind) const
{
    const SettingsArrayDescriptor& array = m_header.arrays[kind];
    const ULONGLONG presenceBits = static_cast<ULONGLONG>(array.presenceLength) * 8;
    return presenceBits < array.presentCount ? static_cast<DWORD>(presenceBits) : array.presentCount;
}

// Every text a reader could reach must start inside the data area and end in a terminator there.
void CNiraSettingsImageView::CheckTexts() const
{
    for (DWORD rank = 0; rank < ReachableRanks(kKindString); ++rank) {
        SettingsImageEntry entry;
        if (!ReadEntry(kKindString, rank, &entry)) {
            break;  // entries past the value area cannot be read at all
        }
        DWORD characters;
        if (entry.offset >= m_header.dataLength || !FindTerminator(entry.offset, &characters)) {
            Refuse();
        }
    }
}

void CNiraSettingsImageView::CheckBlobs() const
{
    for (DWORD rank = 0; rank < ReachableRanks(kKindBlob); ++rank) {
        SettingsImageEntry entry;
        if (!ReadEntry(kKindBlob, rank, &entry)) {
            break;
        }
        if (!BlobInside(entry)) {
            Refuse();
        }
    }
}

// A blob holds at least one byte, all inside the data area. An empty one is no value the store
// can take back: it would fail every later pack of the owner.
bool CNiraSettingsImageView::BlobInside(const SettingsImageEntry& entry) const
{
    return entry.length != 0 && entry.offset < m_header.dataLength &&
           RangeInside(entry.offset, entry.length, m_header.dataLength);
}

// Where the value of the present entry of this rank starts, when the whole value lies inside its
// kind's value area.
bool CNiraSettingsImageView::ValueInArea(DWORD kind, DWORD rank, DWORD* offset) const
{
    const SettingsArrayDescriptor& array = m_header.arrays[kind];
    const DWORD width = kSettingsImageValueWidths[kind];
    if (kind != kKindByte && rank >= array.presentCount) {
        return false;
    }
    const ULONGLONG end = static_cast<ULONGLONG>(rank) * width + width;
    if (end > array.valueLength) {
        return false;
    }
    *offset = array.valueOffset + rank * width;
    return true;
}

bool CNiraSettingsImageView::ReadEntry(DWORD kind, DWORD rank, SettingsImageEntry* entry) const
{
    DWORD offset;
    if (!ValueInArea(kind, rank, &offset)) {
        return false;
    }
    entry->length = ReadDword(m_data + offset);
    entry->offset = ReadDword(m_data + offset + sizeof(DWORD));
    return true;
}

bool CNiraSettingsImageView::FindTerminator(DWORD offset, DWORD* characters) const
{
    DWORD count = 0;
    for (DWORD at = offset; RangeInside(at, kCharacterBytes, m_header.dataLength); at += kCharacterBytes) {
        if (m_data[at] == 0 && m_data[at + 1] == 0) {
            *characters = count;
            return true;
        }
        ++count;
    }
    return false;
}

bool CNiraSettingsImageView::ReadFlag(DWORD rank, bool* value) const
{
    const SettingsArrayDescriptor& array = m_header.arrays[kKindFlag];
    if (rank / 8 >= array.valueLength) {
        return false;
    }
    *value = (m_data[array.valueOffset + rank / 8] >> (rank % 8) & 1) != 0;
    return true;
}

bool CNiraSettingsImageView::ReadValue(DWORD kind, DWORD rank, void* value) const
{
    DWORD offset;
    if (kind == kKindFlag || kind >= kKindString || !ValueInArea(kind, rank, &offset)) {
        return false;
    }
    // Each width copied by a fixed-size copy, which compiles to one load and store.
    const BYTE* source = m_data + offset;
    switch (kSettingsImageValueWidths[kind]) {
    case sizeof(BYTE):
        memcpy(value, source, sizeof(BYTE));
        break;
    case sizeof(WORD):
        memcpy(value, source, sizeof(WORD));
        break;
    case sizeof(DWORD):
        memcpy(value, source, sizeof(DWORD));
        break;
    case sizeof(ULONGLONG):
        memcpy(value, source, sizeof(ULONGLONG));
        break;
    default:
        memcpy(value, source, kSettingsImageValueWidths[kind]);
        break;
    }
    return true;
}

const BYTE* CNiraSettingsImageView::ValueArea(DWORD kind, DWORD* readableRanks) const
{
    *readableRanks = 0;
    if (kind == kKindFlag || kind >= kKindString) {
        return nullptr;
    }
    // The ranks whose whole value lies in the area, and below the present count but for bytes,
    // as ValueInArea answers.
    const SettingsArrayDescriptor& array = m_header.arrays[kind];
    DWORD ranks = array.valueLength / kSettingsImageValueWidths[kind];
    if (kind != kKindByte && array.presentCount < ranks) {
        ranks = array.presentCount;
    }
    *readableRanks = ranks;
    return ranks != 0 ? m_data + array.valueOffset : nullptr;
}

bool CNiraSettingsImageView::ReadText(DWORD rank, const BYTE** text, DWORD* characters) const
{
    SettingsImageEntry entry;
    if (!ReadEntry(kKindString, rank, &entry) || entry.offset >= m_header.dataLength) {
        return false;
    }
    DWORD count;
    if (!FindTerminator(entry.offset, &count) ||
        static_cast<ULONGLONG>(count) * kCharacterBytes + kCharacterBytes != entry.length) {
        return false;
    }
    *text = m_data + entry.offset;
    *characters = count;
    return true;
}

bool CNiraSettingsImageView::ReadBlob(DWORD rank, const BYTE** bytes, DWORD* length) const
{
    SettingsImageEntry entry;
    if (!ReadEntry(kKindBlob, rank, &entry) || !BlobInside(entry)) {
        return false;
    }
    *bytes = m_data + entry.offset;
    *length = entry.length;
    return true;
}
