// The driver-private section that ends every DEVMODE the driver hands out: a fixed header, copies
// of public DEVMODE fields, who prepared the job, and the packed settings with their checksum.
//
// Every library that reads or writes the section uses this one layout. The section may start at
// any byte offset inside the DEVMODE's driver-private area, so the record is byte-packed: a member
// access through a pointer to a section is valid whatever its alignment.
#pragma once

#include <windows.h>

#include <stddef.h>

// Fixed values of the header.
constexpr DWORD kPrivateDevmodeSize = 6892;
constexpr DWORD kPrivateDevmodeSignature = 0x5A515549;  // the bytes 49 55 51 5A, "IUQZ" in memory
constexpr DWORD kPrivateDevmodeVersion = 0x00120001;
// {0433A81F-2FC2-434B-A06A-7D0828D0D321}
constexpr GUID kPrivateDevmodeGuid = {
    0x0433A81F, 0x2FC2, 0x434B, {0xA0, 0x6A, 0x7D, 0x08, 0x28, 0xD0, 0xD3, 0x21}};

constexpr DWORD kPrivateDevmodeTextChars = 260;  // process path and user name
constexpr DWORD kPackedPayloadSize = 6000;       // room of the packed settings
constexpr DWORD kPackedPayloadHeaderSize = 8;    // C and U before the stream
constexpr DWORD kPackedStreamRoom = kPackedPayloadSize - kPackedPayloadHeaderSize;  // 5992

#pragma pack(push, 1)

// The packed settings: a zlib stream of the settings image, with both lengths in front.
struct PackedSettingsPayload {
    DWORD compressedLength;          // C, at most kPackedStreamRoom
    DWORD imageLength;               // U, length of the image the stream inflates to
    BYTE stream[kPackedStreamRoom];  // C bytes of stream; the rest keeps earlier content
};

struct PrivateDevMode {
    DWORD size;        // kPrivateDevmodeSize
    DWORD signature;   // kPrivateDevmodeSignature
    DWORD version;     // kPrivateDevmodeVersion
    GUID sectionGuid;  // kPrivateDevmodeGuid

    // Page geometry in device units, written by the settings packer (zero in a default section).
    DWORD horizontalResolution;
    DWORD verticalResolution;
    LONG physicalOffsetX;
    LONG physicalOffsetY;
    LONG printableWidth;
    LONG printableHeight;
    LONG physicalWidth;
    LONG physicalHeight;

    LONG paperSizeAtConvert;  // dmPaperSize at the last convert or merge
    LONG paperSizeAtApply;    // public fields at the last apply of a property sheet
    LONG orientationAtApply;
    DWORD mediaTypeAtApply;
    LONG duplexAtApply;
    LONG defaultSourceAtApply;
    LONG printQualityAtApply;
    DWORD icmIntentAtApply;
    DWORD icmMethodAtApply;
    LONG duplexAtConvert;  // dmDuplex at the last convert or merge

    DWORD checksum;  // block checksum of the packed settings

    CHAR processPath[kPrivateDevmodeTextChars];  // ANSI path of the process that prepared the job
    WCHAR userName[kPrivateDevmodeTextChars];    // user of that process

    DWORD packedLength;             // N = C + 8 after a successful pack
    PackedSettingsPayload payload;  // the packed settings
    DWORD checksumCopy;             // second copy of the block checksum
};

#pragma pack(pop)

static_assert(sizeof(PackedSettingsPayload) == kPackedPayloadSize, "payload is 6000 bytes");
static_assert(offsetof(PackedSettingsPayload, imageLength) == 4, "payload layout");
static_assert(offsetof(PackedSettingsPayload, stream) == 8, "payload layout");

static_assert(sizeof(PrivateDevMode) == kPrivateDevmodeSize, "private section is 6892 bytes");
static_assert(alignof(PrivateDevMode) == 1, "a section may start at any offset");
static_assert(offsetof(PrivateDevMode, signature) == 4, "section layout");
static_assert(offsetof(PrivateDevMode, version) == 8, "section layout");
static_assert(offsetof(PrivateDevMode, sectionGuid) == 12, "section layout");
static_assert(offsetof(PrivateDevMode, horizontalResolution) == 28, "section layout");
static_assert(offsetof(PrivateDevMode, verticalResolution) == 32, "section layout");
static_assert(offsetof(PrivateDevMode, physicalOffsetX) == 36, "section layout");
static_assert(offsetof(PrivateDevMode, physicalOffsetY) == 40, "section layout");
static_assert(offsetof(PrivateDevMode, printableWidth) == 44, "section layout");
static_assert(offsetof(PrivateDevMode, printableHeight) == 48, "section layout");
static_assert(offsetof(PrivateDevMode, physicalWidth) == 52, "section layout");
static_assert(offsetof(PrivateDevMode, physicalHeight) == 56, "section layout");
static_assert(offsetof(PrivateDevMode, paperSizeAtConvert) == 60, "section layout");
static_assert(offsetof(PrivateDevMode, paperSizeAtApply) == 64, "section layout");
static_assert(offsetof(PrivateDevMode, orientationAtApply) == 68, "section layout");
static_assert(offsetof(PrivateDevMode, mediaTypeAtApply) == 72, "section layout");
static_assert(offsetof(PrivateDevMode, duplexAtApply) == 76, "section layout");
static_assert(offsetof(PrivateDevMode, defaultSourceAtApply) == 80, "section layout");
static_assert(offsetof(PrivateDevMode, printQualityAtApply) == 84, "section layout");
static_assert(offsetof(PrivateDevMode, icmIntentAtApply) == 88, "section layout");
static_assert(offsetof(PrivateDevMode, icmMethodAtApply) == 92, "section layout");
static_assert(offsetof(PrivateDevMode, duplexAtConvert) == 96, "section layout");
static_assert(offsetof(PrivateDevMode, checksum) == 100, "section layout");
static_assert(offsetof(PrivateDevMode, processPath) == 104, "section layout");
static_assert(offsetof(PrivateDevMode, userName) == 364, "section layout");
static_assert(offsetof(PrivateDevMode, packedLength) == 884, "section layout");
static_assert(offsetof(PrivateDevMode, payload) == 888, "section layout");
static_assert(offsetof(PrivateDevMode, checksumCopy) == 6888, "section layout");

// The block checksum: N plus every payload byte below min(N, 6000), read unsigned, wrapping at
// 2^32. 0 for a null section.
DWORD ComputeBlockChecksum(const PrivateDevMode* block);

// True when the computed checksum equals both stored copies.
bool IsBlockChecksumValid(const PrivateDevMode* block);
