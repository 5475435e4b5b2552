#include "nira/uiplugin/settings/block/SettingsImageWriter.h"

#include <string.h>

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"

namespace {

constexpr ULONGLONG kLargestImage = 0xFFFFFFFFull - kSettingsImageHeaderSize;

DWORD CountBits(const BYTE* bits, DWORD size)
{
    DWORD count = 0;
    for (DWORD i = 0; i < size; ++i) {
        count += CountByteBits(bits[i]);
    }
    return count;
}

// Writes entry slot of a heap-backed array (length, then offset at) and copies the bytes to at.
void PutHeapEntry(BYTE* data, const SettingsArrayDescriptor& array, DWORD slot, DWORD at, const void* bytes,
                  DWORD length)
{
    const SettingsImageEntry entry = {length, at};
    memcpy(data + array.valueOffset + slot * sizeof(SettingsImageEntry), &entry, sizeof(entry));
    memcpy(data + at, bytes, length);
}

// Whether the store's presence mask (its description) holds the entry.
bool IsPresentIn(const SettingsMaskInfo& presence, LONG kind, LONG index)
{
    const SettingsMaskArray& array = presence.kinds[kind];
    return IsIndexInRange(index, array.count) && array.bits != nullptr &&
           TestBit(array.bits, static_cast<DWORD>(index));
}

// Bytes a string takes in the string heap: its characters and the terminator.
DWORD TextBytes(const CNiraString& text)
{
    const LONG length = text.GetLength();
    return length < 0 ? 0 : static_cast<DWORD>(length + 1) * sizeof(WCHAR);
}

}  // namespace

DWORD CNiraSettingsImageWriter::Measure()
{
    INiraSettingsMask* presence = m_store.GetMask();
    RequireSettings(presence != nullptr);
    m_info = presence->GetInfo();
    RequireSettings(m_info != nullptr);
    m_header = SettingsImageHeader{};
    MeasureHeaps(LayOutArrays());
    return kSettingsImageHeaderSize + m_header.dataLength;
}

void CNiraSettingsImageWriter::Write(BYTE* image)
{
    RequireSettings(m_info != nullptr);
    memcpy(image, &m_header, kSettingsImageHeaderSize);
    BYTE* data = image + kSettingsImageHeaderSize;
    WritePresence(data);
    WriteValues(data);
    WriteTexts(data);
    WriteBlobs(data);
}

// The header's array descriptors; answers where the arrays end in the data area.
ULONGLONG CNiraSettingsImageWriter::LayOutArrays()
{
    m_header.version = SETTINGS_STORE_VERSION;
    ULONGLONG offset = 0;
    for (DWORD kind = 0; kind < kSettingsImageKinds; ++kind) {
        const SettingsMaskArray& row = m_info->kinds[kind];
        SettingsArrayDescriptor& array = m_header.arrays[kind];
        m_header.entryCounts[kind] = kSettingArrayCounts[kind];
        array.entryCount = row.count;
        array.presenceLength = row.size;
        array.presentCount = row.bits != nullptr ? CountBits(row.bits, row.size) : 0;
        array.valueLength = SettingsValueLength(kind, array.presentCount);
        if (array.presenceLength > 0) {
            array.presenceOffset = static_cast<DWORD>(offset);
            offset += array.presenceLength;
        }
        if (array.presentCount > 0) {
            array.valueOffset = static_cast<DWORD>(offset);
            offset += array.valueLength;
        }
    }
    return offset;
}

// The sizes of the string and blob heaps that follow the arrays, and the data area's length.
void CNiraSettingsImageWriter::MeasureHeaps(ULONGLONG arraysEnd)
{
    ULONGLONG textTotal = 0;
    DWORD texts = 0;
    for (LONG index = 0; index < static_cast<LONG>(kSettingStringCount); ++index) {
        if (!IsPresentIn(*m_info, SETTING_ARRAY_STRING, index)) {
            continue;
        }
        CNiraString* text = nullptr;
        RequireSettings(m_store.GetString(index, &text) == TRUE && text != nullptr);
        textTotal += TextBytes(*text);
        m_store.ReleaseString(text);
        ++texts;
    }
    RequireSettings(texts == m_header.arrays[SETTING_ARRAY_STRING].presentCount);
    ULONGLONG blobTotal = 0;
    DWORD blobs = 0;
    for (LONG index = 0; index < static_cast<LONG>(kSettingBlobCount); ++index) {
        if (!IsPresentIn(*m_info, SETTING_ARRAY_BLOB, index)) {
            continue;
        }
        BYTE* data = nullptr;
        DWORD length = 0;
        RequireSettings(m_store.GetBlob(index, &data, &length) == TRUE && data != nullptr);
        blobTotal += length;
        m_store.ReleaseBlob(data);
        ++blobs;
    }
    RequireSettings(blobs == m_header.arrays[SETTING_ARRAY_BLOB].presentCount);
    const ULONGLONG dataLength = arraysEnd + textTotal + blobTotal;
    RequireSettings(dataLength != 0 && dataLength <= kLargestImage);
    m_header.stringHeapOffset = static_cast<DWORD>(arraysEnd);
    m_header.blobHeapOffset = static_cast<DWORD>(arraysEnd + textTotal);
    m_header.dataLength = static_cast<DWORD>(dataLength);
}

void CNiraSettingsImageWriter::WritePresence(BYTE* data) const
{
    const DWORD limit = m_header.dataLength;
    for (DWORD kind = 0; kind < kSettingsImageKinds; ++kind) {
        const SettingsArrayDescriptor& array = m_header.arrays[kind];
        RequireSettings(array.presenceOffset < limit && array.presenceLength == m_info->kinds[kind].size &&
                        static_cast<ULONGLONG>(array.presenceOffset) + array.presenceLength <= limit);
        if (array.presenceLength > 0) {
            memcpy(data + array.presenceOffset, m_info->kinds[kind].bits, array.presenceLength);
        }
    }
}

// The value block of a kind of the store (for flags, their bits); null for a kind without entries.
// Throws 13 unless it holds count values.
const BYTE* CNiraSettingsImageWriter::StoredValues(LONG kind, DWORD count)
{
    void* block = nullptr;
    DWORD size = 0;
    DWORD stored = 0;
    RequireSettings(m_store.GetArrayInfo(kind, &block, &size, &stored) == TRUE);
    const DWORD expected =
        kind == SETTING_ARRAY_FLAG ? BitArrayBytes(count) : count * kSettingElementWidths[kind];
    RequireSettings(stored == count && size == expected && (count == 0 || block != nullptr));
    return static_cast<const BYTE*>(block);
}

// Values of kinds 0 to 6, by rank, copied from the store's value blocks. The walk visits the
// presence bytes, and only their set bits; the values of a full byte are copied at once.
void CNiraSettingsImageWriter::WriteValues(BYTE* data)
{
    for (LONG kind = SETTING_ARRAY_FLAG; kind < SETTING_ARRAY_STRING; ++kind) {
        const SettingsArrayDescriptor& array = m_header.arrays[kind];
        const SettingsMaskArray& row = m_info->kinds[kind];
        RequireSettings(row.count == 0 || row.bits != nullptr);
        const BYTE* stored = StoredValues(kind, row.count);
        const DWORD width = kSettingElementWidths[kind];
        BYTE* values = data + array.valueOffset;
        DWORD rank = 0;
        for (DWORD byte = 0; byte < BitArrayBytes(row.count) && rank < array.presentCount; ++byte) {
            const DWORD bitsInByte = row.count - byte * 8 < 8 ? row.count - byte * 8 : 8;
            BYTE present = static_cast<BYTE>(row.bits[byte] & ByteBitsFromTo(0, bitsInByte));
            if (present == 0xFF && kind != SETTING_ARRAY_FLAG && rank + 8 <= array.presentCount) {
                memcpy(values + rank * width, stored + byte * 8 * width, 8 * width);
                rank += 8;
                continue;
            }
            for (; present != 0 && rank < array.presentCount;
                 present = static_cast<BYTE>(present & (present - 1))) {
                const DWORD j = byte * 8 + LowestByteBit(present);
                if (kind == SETTING_ARRAY_FLAG) {
                    if (TestBit(stored, j)) {
                        SetBit(values, rank);
                    }
                } else {
                    memcpy(values + rank * width, stored + j * width, width);
                }
                ++rank;
            }
        }
        RequireSettings(rank == array.presentCount);
    }
}

// Strings: an entry each, the texts back to back in the string heap.
void CNiraSettingsImageWriter::WriteTexts(BYTE* data)
{
    const DWORD limit = m_header.dataLength;
    const SettingsArrayDescriptor& textArray = m_header.arrays[SETTING_ARRAY_STRING];
    DWORD written = 0;
    DWORD texts = 0;
    for (LONG index = 0; index < static_cast<LONG>(kSettingStringCount) && texts < textArray.presentCount;
         ++index) {
        if (!IsPresentIn(*m_info, SETTING_ARRAY_STRING, index)) {
            continue;
        }
        CNiraString* text = nullptr;
        RequireSettings(m_store.GetString(index, &text) == TRUE && text != nullptr);
        const WCHAR* characters = text->GetBuffer();
        if (characters == nullptr) {
            m_store.ReleaseString(text);
            RaiseSettingsError(ERROR_INVALID_DATA);
        }
        const DWORD length = TextBytes(*text);
        const DWORD at = m_header.stringHeapOffset + written;
        if (static_cast<ULONGLONG>(at) + length > limit) {
            m_store.ReleaseString(text);
            RaiseSettingsError(ERROR_NOT_ENOUGH_MEMORY);
        }
        PutHeapEntry(data, textArray, texts, at, characters, length);
        m_store.ReleaseString(text);
        written += length;
        ++texts;
    }
    RequireSettings(texts == textArray.presentCount &&
                    static_cast<ULONGLONG>(m_header.stringHeapOffset) + written <= limit);
}

// Blobs: likewise in the blob heap, which ends the data area.
void CNiraSettingsImageWriter::WriteBlobs(BYTE* data)
{
    const DWORD limit = m_header.dataLength;
    const SettingsArrayDescriptor& blobArray = m_header.arrays[SETTING_ARRAY_BLOB];
    DWORD written = 0;
    DWORD blobs = 0;
    for (LONG index = 0; index < static_cast<LONG>(kSettingBlobCount) && blobs < blobArray.presentCount;
         ++index) {
        if (!IsPresentIn(*m_info, SETTING_ARRAY_BLOB, index)) {
            continue;
        }
        BYTE* bytes = nullptr;
        DWORD length = 0;
        RequireSettings(m_store.GetBlob(index, &bytes, &length) == TRUE && bytes != nullptr && length != 0);
        const DWORD at = m_header.blobHeapOffset + written;
        if (static_cast<ULONGLONG>(at) + length > limit) {
            m_store.ReleaseBlob(bytes);
            RaiseSettingsError(ERROR_NOT_ENOUGH_MEMORY);
        }
        PutHeapEntry(data, blobArray, blobs, at, bytes, length);
        m_store.ReleaseBlob(bytes);
        written += length;
        ++blobs;
    }
    RequireSettings(blobs == blobArray.presentCount &&
                    static_cast<ULONGLONG>(m_header.blobHeapOffset) + written == limit);
}
