#include "nira/uiplugin/settings/block/BlockUnpacker.h"

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/block/BlockCompression.h"
#include "nira/uiplugin/settings/engine/ProcessImagePath.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/engine/SettingsMemory.h"

#include "common/CodePageConversion.h"
#include "common/SafeString.h"

#include <string.h>

#include <vector>

namespace {

// Strings the unpacker sets from the section header or the current process.
constexpr LONG kHostFileNameString = 0;
constexpr LONG kHostPathString = 1;
constexpr LONG kUserNameString = 6;

// Texts shorter than this are copied out of the image on the stack.
constexpr DWORD kShortTextChars = 128;

// Deflate cannot expand data by more than this factor, so a longer announced image is damaged.
constexpr ULONGLONG kDeflateMaxRatio = 1032;

DWORD ReadPayloadDword(const BYTE* payload, DWORD offset)
{
    DWORD value;
    memcpy(&value, payload + offset, sizeof(value));
    return value;
}

static_assert(kSettingsImageValueWidths[SETTING_ARRAY_INT] == sizeof(LONG), "image integers are LONGs");

// A value of kinds 1 to 6 at its rank in the image; one the image cannot give throws 13.
template <typename Value>
Value ReadImageValue(const CNiraSettingsImageView& image, LONG kind, DWORD rank)
{
    Value value = 0;
    RequireSettings(image.ReadValue(kind, rank, &value));
    return value;
}

}  // namespace

CNiraBlockUnpacker::~CNiraBlockUnpacker()
{
    GuardSettingsAction([this] { FreeAll(); });
}

void CNiraBlockUnpacker::Clear()
{
    m_owner = nullptr;
    m_handledMask = nullptr;
    m_presenceTable = nullptr;
    m_blockMask = nullptr;
    m_readMask = nullptr;
    m_payloadCopy = nullptr;
    m_payloadCopyLength = 0;
    m_block = nullptr;
    m_imageBuffer = nullptr;
    m_imageCapacity = 0;
    m_imageLength = 0;
    m_image.reset();
    for (std::vector<DWORD>& before : m_presentBefore) {
        before.clear();
    }
}

void CNiraBlockUnpacker::FreeAll()
{
    DropBlock();
    ReleaseSettingsObject(m_blockMask);
    ReleaseSettingsObject(m_readMask);
    FreeSettingsBlock(m_presenceTable);
    FreeSettingsBlock(m_payloadCopy);
    FreeSettingsBlock(m_imageBuffer);
    ReleaseSettingsObject(m_handledMask);
    Clear();
}

// Forgets the block and everything read from it. The buffers and masks stay for the next block:
// without an image nothing of them can be read.
void CNiraBlockUnpacker::DropBlock()
{
    m_image.reset();
    m_payloadCopyLength = 0;
    m_imageLength = 0;
    m_block = nullptr;
}

BOOLEAN CNiraBlockUnpacker::SetTarget(PrivateDevMode* block)
{
    return GuardSettingsCall([&] {
        try {
            LoadBlock(block);
        } catch (...) {
            DropBlock();  // a refused block leaves nothing readable
            throw;
        }
    });
}

void CNiraBlockUnpacker::LoadBlock(PrivateDevMode* block)
{
    DropBlock();
    RequireArgument(block != nullptr);
    RequireSettings(m_owner != nullptr);
    RequireSettings(IsBlockChecksumValid(block));

    // From here on only the copy is read, whatever happens to the caller's section.
    if (m_payloadCopy == nullptr) {
        m_payloadCopy = static_cast<BYTE*>(AllocateSettingsBlock(kPackedPayloadSize));
    }
    m_payloadCopyLength = kPackedPayloadSize;
    memcpy(m_payloadCopy, &block->payload, kPackedPayloadSize);

    m_block = block;
    InflatePayload();
    RequireSettings(m_imageBuffer != nullptr);
    RequireSettings(ReadPayloadDword(m_imageBuffer, 0) == SETTINGS_STORE_VERSION);
    m_image = std::make_unique<CNiraSettingsImageView>(m_imageBuffer, m_imageLength);
    ReadPresenceTable();
    RequireSettings(m_presenceTable != nullptr);

    if (m_blockMask == nullptr) {
        void* mask = nullptr;
        GetSettingsInstance(&kSettingsGuidMask, &mask);
        m_blockMask = static_cast<INiraSettingsMask*>(mask);
    }
    RequireSettings(m_blockMask != nullptr);
    RequireSettings(m_blockMask->LoadInfo(m_presenceTable) == TRUE);

    BuildRankTable();
    BuildEffectiveMask();
    RequireSettings(m_readMask != nullptr);
}

void CNiraBlockUnpacker::InflatePayload()
{
    RequireSettings(m_payloadCopy != nullptr && m_payloadCopyLength != 0);
    m_imageLength = 0;
    RequireSettings(m_payloadCopyLength > kPackedPayloadHeaderSize);

    const DWORD streamLength =
        ReadPayloadDword(m_payloadCopy, offsetof(PackedSettingsPayload, compressedLength));
    const DWORD imageLength = ReadPayloadDword(m_payloadCopy, offsetof(PackedSettingsPayload, imageLength));
    // Sizes come from outside: the stream must lie in the payload, and the image must be at
    // least a header and no longer than the stream can produce.
    RequireSettings(streamLength <= m_payloadCopyLength - kPackedPayloadHeaderSize);
    RequireSettings(imageLength >= kSettingsImageHeaderSize);
    RequireSettings(imageLength <= kDeflateMaxRatio * streamLength);

    if (imageLength > m_imageCapacity) {  // the buffer only grows: images of one driver differ little
        FreeSettingsBlock(m_imageBuffer);
        m_imageBuffer = nullptr;
        m_imageCapacity = 0;
        m_imageBuffer = static_cast<BYTE*>(AllocateSettingsBlock(imageLength));
        m_imageCapacity = imageLength;
    }
    m_imageLength = imageLength;
    InflateSettingsImage(m_payloadCopy + kPackedPayloadHeaderSize, streamLength, m_imageBuffer, imageLength);
}

void CNiraBlockUnpacker::ReadPresenceTable()
{
    RequireSettings(m_image != nullptr);
    if (m_presenceTable == nullptr) {
        m_presenceTable = static_cast<SettingsMaskInfo*>(AllocateSettingsBlock(sizeof(SettingsMaskInfo)));
    }
    const SettingsImageHeader& header = m_image->Header();
    for (DWORD kind = 0; kind < kSettingsImageKinds; ++kind) {
        const SettingsArrayDescriptor& array = header.arrays[kind];
        RequireSettings(array.presenceOffset < header.dataLength);
        SettingsMaskArray& row = m_presenceTable->kinds[kind];
        row.count = array.entryCount;
        row.size = array.presenceLength;
        row.bits = const_cast<BYTE*>(m_image->Data()) + array.presenceOffset;
    }
}

// The read set: what the block set handles and the block carries. Presence arrays of other
// sizes than this build's arrays make the combination fail, refusing the block.
void CNiraBlockUnpacker::BuildEffectiveMask()
{
    RequireSettings(m_owner != nullptr && m_handledMask != nullptr && m_presenceTable != nullptr);
    if (m_readMask == nullptr) {
        m_readMask = MakeAllocatedMask();  // every byte of it is written below, at every block
    }
    const SettingsMaskInfo* blockSet = m_handledMask->GetInfo();
    RequireSettings(blockSet != nullptr);
    RequireSettings(m_readMask->CombineAnd(blockSet, m_presenceTable) == TRUE);
}

BOOLEAN CNiraBlockUnpacker::UpdateAll()
{
    return GuardSettingsCall([&] {
        RequireSettings(m_owner != nullptr);
        if (m_image != nullptr) {  // without an image every Sync would fail and set nothing
            // A malformed entry is skipped alone; one that memory failed would be missing from
            // settings reported complete.
            CResourceFailureWatch watch;
            for (const BlockSettingsRow& row : BlockSettingsTable) {
                RequireSettings(IsSettingArrayKind(row.kind));
                SyncCarriedEntry(row.kind, row.index);
                watch.RaiseNoted();
            }
            SyncRangeInts();
            watch.RaiseNoted();
        }
        if (m_block != nullptr) {
            SetHostProcessStrings();
            SetUserString();
        }
    });
}

// The integers of the two ranges, in index order, as SyncInt would set them. One walk over the
// presence bytes visits only the integers of the read set, each ranked from the byte's count and
// read straight from the value area: the others leave the owner untouched, and every one of them
// is in the block set, being in the read set.
void CNiraBlockUnpacker::SyncRangeInts()
{
    if (m_image->Header().entryCounts[SETTING_ARRAY_INT] != kSettingArrayCounts[SETTING_ARRAY_INT]) {
        return;  // an image of other array sizes: every SyncInt would fail
    }
    SyncReadInts(kSettingsIndexBase, kLastFeatureValueIndex);
    SyncReadInts(kFirstPublicValueIndex, kLastPublicValueIndex);
}

void CNiraBlockUnpacker::SyncReadInts(LONG first, LONG last)
{
    const SettingsMaskArray& presence = m_presenceTable->kinds[SETTING_ARRAY_INT];
    const SettingsMaskInfo* read = m_readMask->GetInfo();
    RequireSettings(read != nullptr);
    const SettingsMaskArray& selected = read->kinds[SETTING_ARRAY_INT];
    RequireSettings(selected.bits != nullptr && selected.size == presence.size);
    const DWORD end =
        static_cast<DWORD>(last) + 1 < presence.count ? static_cast<DWORD>(last) + 1 : presence.count;
    DWORD readable = 0;
    const BYTE* values = m_image->ValueArea(SETTING_ARRAY_INT, &readable);
    for (DWORD index = static_cast<DWORD>(first); index < end;) {
        const DWORD byte = index / 8;
        const DWORD byteEnd = (byte + 1) * 8 < end ? (byte + 1) * 8 : end;
        const BYTE present = presence.bits[byte];
        const BYTE chosen = selected.bits[byte];
        // The present entries of the window in index order, each one rank above the last.
        BYTE window = static_cast<BYTE>(present & ByteBitsFromTo(index % 8, byteEnd - byte * 8));
        DWORD rank = CountPresentBelow(SETTING_ARRAY_INT, static_cast<LONG>(index));
        for (; window != 0; window = static_cast<BYTE>(window & (window - 1)), ++rank) {
            const DWORD bit = LowestByteBit(window);
            if ((chosen >> bit & 1) != 0 && rank < readable) {  // else the owner keeps its value
                LONG value;
                memcpy(&value, values + rank * sizeof(LONG), sizeof(LONG));
                SetOwnerInt(static_cast<LONG>(byte * 8 + bit), value);
            }
        }
        index = byteEnd;
    }
}

// A refused value is skipped alone, as the value of a row.
void CNiraBlockUnpacker::SetOwnerInt(LONG index, LONG value)
{
    GuardSettingsAction([&] { m_owner->SetInt(index, value, 0); });
}

BOOLEAN CNiraBlockUnpacker::SyncEntry(LONG kind, LONG index)
{
    return GuardSettingsCall([&] {
        RequireArgument(Handles(kind, index));
        RequireSettings(m_owner != nullptr && m_image != nullptr && m_blockMask != nullptr &&
                        m_readMask != nullptr);
        ReadIfCarried(kind, index);
    });
}

// A row of the block set, as its Sync moves it. Every entry of the read set is in the block set,
// so the read set alone tells whether there is anything to read.
void CNiraBlockUnpacker::SyncCarriedEntry(LONG kind, LONG index)
{
    GuardSettingsCall([&] { ReadIfCarried(kind, index); });
}

void CNiraBlockUnpacker::ReadIfCarried(LONG kind, LONG index)
{
    RequireSettings(m_image->Header().entryCounts[kind] == kSettingArrayCounts[kind]);
    const SettingsMaskInfo* read = m_readMask->GetInfo();
    RequireSettings(read != nullptr);
    const SettingsMaskArray& carried = read->kinds[kind];
    if (!IsIndexInRange(index, carried.count) || carried.bits == nullptr ||
        !TestBit(carried.bits, static_cast<DWORD>(index))) {
        return;  // the block does not carry it: the owner keeps its value
    }
    ReadEntryIntoOwner(kind, index, CountPresentBelow(kind, index));
}

// For each kind, the number of present entries in the presence bytes before each byte, so that
// the rank of an entry takes two steps instead of a count over the whole array.
void CNiraBlockUnpacker::BuildRankTable()
{
    for (DWORD kind = 0; kind < kSettingsImageKinds; ++kind) {
        const SettingsMaskArray& row = m_presenceTable->kinds[kind];
        std::vector<DWORD>& before = m_presentBefore[kind];
        before.assign(static_cast<size_t>(row.size) + 1, 0);
        for (DWORD byte = 0; byte < row.size; ++byte) {
            before[byte + 1] = before[byte] + CountByteBits(row.bits[byte]);
        }
    }
}

// Values stand by rank: the number of present entries of the kind below the index.
DWORD CNiraBlockUnpacker::CountPresentBelow(LONG kind, LONG index) const
{
    const SettingsMaskArray& row = m_presenceTable->kinds[kind];
    const DWORD limit = static_cast<DWORD>(index) < row.count ? static_cast<DWORD>(index) : row.count;
    DWORD count = m_presentBefore[kind][limit / 8];
    if (limit % 8 != 0) {
        count += CountByteBits(static_cast<BYTE>(row.bits[limit / 8] & ByteBitsFromTo(0, limit % 8)));
    }
    return count;
}

void CNiraBlockUnpacker::ReadEntryIntoOwner(LONG kind, LONG index, DWORD rank)
{
    BOOLEAN stored = FALSE;
    switch (kind) {
    case SETTING_ARRAY_FLAG: {
        bool flag = false;
        RequireSettings(m_image->ReadFlag(rank, &flag));
        stored = m_owner->SetFlag(index, flag ? 1 : 0, 0);
        break;
    }
    case SETTING_ARRAY_BYTE:
        stored = m_owner->SetByte(index, ReadImageValue<BYTE>(*m_image, kind, rank), 0);
        break;
    case SETTING_ARRAY_WORD:
        stored = m_owner->SetWord(index, ReadImageValue<WORD>(*m_image, kind, rank), 0);
        break;
    case SETTING_ARRAY_INT:
        stored = m_owner->SetInt(index, ReadImageValue<LONG>(*m_image, kind, rank), 0);
        break;
    case SETTING_ARRAY_FLOAT:
        stored = m_owner->SetFloat(index, ReadImageValue<FLOAT>(*m_image, kind, rank), 0);
        break;
    case SETTING_ARRAY_DOUBLE:
        stored = m_owner->SetDouble(index, ReadImageValue<double>(*m_image, kind, rank), 0);
        break;
    case SETTING_ARRAY_INT_REF: {
        const LONG value = ReadImageValue<LONG>(*m_image, kind, rank);
        stored = m_owner->SetIntRef(index, &value, 0);
        break;
    }
    case SETTING_ARRAY_STRING: {
        const BYTE* text = nullptr;
        DWORD characters = 0;
        RequireSettings(m_image->ReadText(rank, &text, &characters));
        // The text in the image is not aligned: it is copied out, on the stack when it is short.
        WCHAR shortCopy[kShortTextChars];
        std::vector<WCHAR> longCopy;
        WCHAR* copy = shortCopy;
        if (characters >= kShortTextChars) {
            longCopy.resize(static_cast<size_t>(characters) + 1);
            copy = longCopy.data();
        }
        memcpy(copy, text, characters * sizeof(WCHAR));
        copy[characters] = 0;
        CNiraString value(copy);
        stored = m_owner->SetString(index, &value, 0);
        break;
    }
    case SETTING_ARRAY_BLOB: {
        const BYTE* bytes = nullptr;
        DWORD length = 0;
        RequireSettings(m_image->ReadBlob(rank, &bytes, &length));
        stored = m_owner->SetBlob(index, bytes, length, 0);
        break;
    }
    default:
        RaiseSettingsError(ERROR_INVALID_PARAMETER);
    }
    RequireSettings(stored == TRUE);
}

void CNiraBlockUnpacker::SetOwnerString(LONG index, const WCHAR* text)
{
    CNiraString value(text);
    m_owner->SetString(index, &value, 0);  // the answer does not matter
}

// Strings 0 and 1: the executable of the application that prepared the job, as the section names
// it, or else the current process.
void CNiraBlockUnpacker::SetHostProcessStrings()
{
    // The field need not be terminated: read at most its 260 bytes.
    CHAR sectionPath[kPrivateDevmodeTextChars + 1] = {};
    memcpy(sectionPath, m_block->processPath, kPrivateDevmodeTextChars);

    WCHAR* converted = nullptr;
    size_t length = 0;
    const bool present = ConvertToWide(&converted, sectionPath, CP_ACP) == 1 &&
                         GetStringLengthSafe(converted, kPrivateDevmodeTextChars, &length) == S_OK &&
                         length > 0;
    std::unique_ptr<WCHAR[]> convertedOwner(converted);

    WCHAR processPath[MAX_PATH + 1];
    if (!present && !GetProcessImagePath(processPath)) {
        RaiseSettingsError(ERROR_READ_FAULT);
    }
    const WCHAR* path = present ? converted : processPath;
    SetOwnerString(kHostFileNameString, GetPathFileName(path));
    SetOwnerString(kHostPathString, path);
}

// String 6: the user named in the section, or else the current user.
void CNiraBlockUnpacker::SetUserString()
{
    WCHAR sectionUser[kPrivateDevmodeTextChars];
    memcpy(sectionUser, m_block->userName, sizeof(sectionUser));
    size_t length = 0;
    if (GetStringLengthSafe(sectionUser, kPrivateDevmodeTextChars, &length) == S_OK && length > 0) {
        SetOwnerString(kUserNameString, sectionUser);
        return;
    }
    WCHAR currentUser[kPrivateDevmodeTextChars + 1] = {};
    DWORD size = kPrivateDevmodeTextChars;
    if (!GetUserNameW(currentUser, &size)) {
        RaiseSettingsError(ERROR_READ_FAULT);
    }
    SetOwnerString(kUserNameString, currentUser);
}
