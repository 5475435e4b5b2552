// The settings image: the uncompressed form of the packed settings of the private DEVMODE section.
//
// A 268-byte header (version, the nine array sizes, one descriptor per array, the heap offsets and
// the data length) followed by the data area. For every array the data area holds its presence bits
// and then the values of the present entries in index order; after the last array come the texts
// of the strings and then the bytes of the blobs. Offsets in the header count from the start of the
// data area. Values inside the data area are not aligned: they are read and written byte-wise.
#pragma once

#include <windows.h>

#include <stddef.h>

constexpr DWORD kSettingsImageVersion = 0x10000000;
constexpr DWORD kSettingsImageKinds = 9;

// Width in bytes of one value of kinds 1 to 8 (a flag takes one bit).
constexpr DWORD kSettingsImageValueWidths[kSettingsImageKinds] = {0, 1, 2, 4, 4, 8, 4, 8, 8};

struct SettingsArrayDescriptor {
    DWORD entryCount;      // entries of the array
    DWORD presenceLength;  // bytes of presence bits: ceil(entryCount / 8)
    DWORD presenceOffset;  // data-area offset of the presence bits; 0 without any
    DWORD presentCount;    // entries present in the image
    DWORD valueLength;     // bytes of the present entries' values
    DWORD valueOffset;     // data-area offset of the values; 0 when none is present
};

struct SettingsImageHeader {
    DWORD version;                           // kSettingsImageVersion
    DWORD entryCounts[kSettingsImageKinds];  // the writer's array sizes
    SettingsArrayDescriptor arrays[kSettingsImageKinds];
    DWORD stringHeapOffset;
    DWORD blobHeapOffset;
    DWORD dataLength;  // D
};

// The value of a string or a blob in the image: where its bytes stand in the heap.
struct SettingsImageEntry {
    DWORD length;  // bytes; for a string its UTF-16 characters and the terminator
    DWORD offset;  // data-area offset
};

constexpr DWORD kSettingsImageHeaderSize = sizeof(SettingsImageHeader);

static_assert(sizeof(SettingsArrayDescriptor) == 24, "descriptor is six DWORDs");
static_assert(sizeof(SettingsImageHeader) == 268, "image header is 268 bytes");
static_assert(offsetof(SettingsImageHeader, arrays) == 40, "image header layout");
static_assert(offsetof(SettingsImageHeader, stringHeapOffset) == 256, "image header layout");
static_assert(offsetof(SettingsImageHeader, blobHeapOffset) == 260, "image header layout");
static_assert(offsetof(SettingsImageHeader, dataLength) == 264, "image header layout");
static_assert(sizeof(SettingsImageEntry) == 8, "string and blob entries are 8 bytes");

// Bytes of presence bits for an array of the given size.
constexpr DWORD PresenceBytesFor(DWORD entryCount)
{
    return entryCount / 8 + (entryCount % 8 != 0 ? 1 : 0);
}

// Bytes of values for n present entries of a kind (flags are packed eight to a byte).
DWORD SettingsValueLength(DWORD kind, DWORD presentCount);

// A checked view of an inflated image: construction refuses (CNiraException 13) an image whose
// header, presence areas, value areas, texts (with their terminators) or blobs do not lie inside
// the data area, that carries an empty blob, or whose length is not the header plus the data
// area. Every read is bounded.
class CNiraSettingsImageView {
public:
    CNiraSettingsImageView(const BYTE* image, DWORD imageLength);

    const SettingsImageHeader& Header() const { return m_header; }
    const BYTE* Data() const { return m_data; }
    DWORD DataLength() const { return m_header.dataLength; }

    // Presence bits of a kind, inside the data area.
    const BYTE* PresenceBits(DWORD kind) const;

    // The value of the present entry of the given rank (the r-th present entry of its kind).
    // Each answers false, reading nothing, when the rank or its value lies outside the value area.
    bool ReadFlag(DWORD rank, bool* value) const;
    bool ReadValue(DWORD kind, DWORD rank, void* value) const;  // kinds 1 to 6, width bytes
    // The value area of kinds 1 to 6 and the number of ranks ReadValue answers for (0 and null
    // for another kind): a walk over many values reads rank r at r times the width, unchecked.
    const BYTE* ValueArea(DWORD kind, DWORD* readableRanks) const;
    // A string: its characters without the terminator (not aligned: copy them out) and their
    // count. False also when the entry's length disagrees with the text.
    bool ReadText(DWORD rank, const BYTE** text, DWORD* characters) const;
    bool ReadBlob(DWORD rank, const BYTE** bytes, DWORD* length) const;

private:
    DWORD ReachableRanks(DWORD kind) const;
    bool ValueInArea(DWORD kind, DWORD rank, DWORD* offset) const;
    bool ReadEntry(DWORD kind, DWORD rank, SettingsImageEntry* entry) const;
    bool FindTerminator(DWORD offset, DWORD* characters) const;
    void CheckAreas() const;
    void CheckTexts() const;
    void CheckBlobs() const;
    bool BlobInside(const SettingsImageEntry& entry) const;

    SettingsImageHeader m_header;
    const BYTE* m_data;
};
