#include "nira/uiplugin/settings/block/BlockPacker.h"

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/block/BlockCompression.h"
#include "nira/uiplugin/settings/block/SettingsImage.h"
#include "nira/uiplugin/settings/block/SettingsImageWriter.h"
#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsMemory.h"

#include <string.h>

namespace {

// When flag 223 is packed and true, flag 105 travels as true whatever the owner holds.
constexpr LONG kForcingFlag = 223;
constexpr LONG kForcedFlag = 105;

void PutDword(BYTE* at, DWORD value)
{
    memcpy(at, &value, sizeof(value));
}

// Reads one setting from the owner; a refused read throws 13.
template <typename Value, typename Read>
Value ReadOwner(Read&& read)
{
    Value value{};
    RequireSettings(read(&value) == TRUE);
    return value;
}

// The page-geometry fields of the section, from the horizontal resolution to the physical height.
constexpr size_t kBlockGeometryOffset = offsetof(PrivateDevMode, horizontalResolution);
constexpr size_t kBlockGeometrySize = offsetof(PrivateDevMode, paperSizeAtConvert) - kBlockGeometryOffset;

BYTE* GeometryOf(PrivateDevMode* block)
{
    return reinterpret_cast<BYTE*>(block) + kBlockGeometryOffset;
}

}  // namespace

CNiraBlockPacker::~CNiraBlockPacker()
{
    GuardSettingsAction([this] { FreeAll(); });
}

void CNiraBlockPacker::Clear()
{
    m_owner = nullptr;
    m_handledMask = nullptr;
    m_block = nullptr;
    m_payload = nullptr;
    m_payloadCapacity = 0;
    m_store = nullptr;
    m_providedMask = nullptr;
    m_packMask = nullptr;
    m_imageBuffer = nullptr;
    m_imageCapacity = 0;
    m_imageLength = 0;
    m_scratch = nullptr;
}

void CNiraBlockPacker::FreeAll()
{
    ReleaseSettingsObject(m_handledMask);
    ReleaseSettingsObject(m_providedMask);
    ReleaseSettingsObject(m_packMask);
    ReleaseSettingsObject(m_store);
    FreeImage();
    Clear();
}

void CNiraBlockPacker::FreeImage()
{
    FreeSettingsBlock(m_imageBuffer);
    m_imageBuffer = nullptr;
    m_imageCapacity = 0;
    m_imageLength = 0;
    FreeSettingsBlock(m_scratch);
    m_scratch = nullptr;
}

BOOLEAN CNiraBlockPacker::SetTarget(PrivateDevMode* block)
{
    return GuardSettingsCall([&] {
        RequireArgument(block != nullptr);
        RequireSettings(m_owner != nullptr);
        m_block = block;
        m_payload = reinterpret_cast<BYTE*>(&block->payload);
        m_payloadCapacity = kPackedPayloadSize;

        // The rows whose values come from a pull provider rather than from the owner's store.
        ReleaseSettingsObject(m_providedMask);
        m_providedMask = MakeAllocatedMask();
        for (const BlockSettingsRow& row : BlockSettingsTable) {
            RequireSettings(IsSettingArrayKind(row.kind));
            if (m_owner->IsHandled(row.kind, row.index) == TRUE) {
                MarkMaskEntry(*m_providedMask, row.kind, row.index);
            }
        }
    });
}

// The pack set: (entries of the owner's store OR rows a provider supplies) AND the block set.
void CNiraBlockPacker::BuildPackMask()
{
    RequireSettings(m_owner != nullptr && m_handledMask != nullptr && m_providedMask != nullptr);
    if (m_packMask == nullptr) {
        m_packMask = MakeAllocatedMask();  // every byte of it is written below, at every pack
    }

    INiraSettingsStore* ownerStore = m_owner->GetStore();
    RequireSettings(ownerStore != nullptr);
    INiraSettingsMask* ownerMask = ownerStore->GetMask();
    RequireSettings(ownerMask != nullptr);
    const SettingsMaskInfo* ownerInfo = ownerMask->GetInfo();
    const SettingsMaskInfo* blockSetInfo = m_handledMask->GetInfo();
    const SettingsMaskInfo* providedInfo = m_providedMask->GetInfo();
    RequireSettings(ownerInfo != nullptr && blockSetInfo != nullptr && providedInfo != nullptr);

    RequireSettings(m_packMask->CombineOr(ownerInfo, providedInfo) == TRUE);
    RequireSettings(m_packMask->CombineAnd(blockSetInfo, m_packMask->GetInfo()) == TRUE);
}

BOOLEAN CNiraBlockPacker::UpdateAll()
{
    return GuardSettingsCall([&] {
        RequireSettings(m_owner != nullptr && m_block != nullptr);
        BuildPackMask();
        RequireSettings(m_packMask != nullptr);

        RenewStore();
        for (const BlockSettingsRow& row : BlockSettingsTable) {
            RequireSettings(IsSettingArrayKind(row.kind));
            if (TestMaskEntry(*m_packMask, row.kind, row.index) == TRUE) {
                CopyOwnerValueToStore(row.kind, row.index);
            }
        }
        CopyPackedRangeInts(kSettingsIndexBase, kLastFeatureValueIndex);
        CopyPackedRangeInts(kFirstPublicValueIndex, kLastPublicValueIndex);
        ApplyFlagRule();
        // The geometry describes the packed settings: a pack that does not fit keeps the earlier
        // geometry along with the earlier block.
        BYTE earlierGeometry[kBlockGeometrySize];
        memcpy(earlierGeometry, GeometryOf(m_block), kBlockGeometrySize);
        WriteGeometry();
        try {
            CompressImage();
        } catch (...) {
            memcpy(GeometryOf(m_block), earlierGeometry, kBlockGeometrySize);
            throw;
        }
    });
}

// The store to pack starts empty at every pack; after the first it is emptied, not made again.
void CNiraBlockPacker::RenewStore()
{
    if (m_store != nullptr && m_store->Allocate() == TRUE) {
        return;
    }
    ReleaseSettingsObject(m_store);
    m_store = MakeAllocatedStore();
}

// The integers of a range that the pack set holds, in index order: the walk visits the bytes of
// the pack mask and only their set bits.
void CNiraBlockPacker::CopyPackedRangeInts(LONG first, LONG last)
{
    const SettingsMaskInfo* info = m_packMask->GetInfo();
    RequireSettings(info != nullptr);
    const SettingsMaskArray& ints = info->kinds[SETTING_ARRAY_INT];
    RequireSettings(ints.bits != nullptr && ints.size == BitArrayBytes(ints.count));
    const DWORD end = static_cast<DWORD>(last) + 1 < ints.count ? static_cast<DWORD>(last) + 1 : ints.count;
    for (DWORD index = static_cast<DWORD>(first); index < end;) {
        const DWORD byte = index / 8;
        const DWORD byteEnd = (byte + 1) * 8 < end ? (byte + 1) * 8 : end;
        BYTE packed = static_cast<BYTE>(ints.bits[byte] & ByteBitsFromTo(index % 8, byteEnd - byte * 8));
        for (; packed != 0; packed = static_cast<BYTE>(packed & (packed - 1))) {
            CopyOwnerInt(static_cast<LONG>(byte * 8 + LowestByteBit(packed)));
        }
        index = byteEnd;
    }
}

void CNiraBlockPacker::CopyOwnerInt(LONG index)
{
    const LONG value = ReadOwner<LONG>([&](LONG* v) { return m_owner->GetInt(index, v, 0, 0); });
    RequireSettings(m_store->SetInt(index, value) == TRUE);
}

void CNiraBlockPacker::ApplyFlagRule()
{
    if (m_packMask->TestFlag(kForcingFlag) != TRUE || m_packMask->TestFlag(kForcedFlag) != TRUE) {
        return;
    }
    const BYTE forcing =
        ReadOwner<BYTE>([&](BYTE* value) { return m_owner->GetFlag(kForcingFlag, value, 0, 0); });
    if (forcing == 1) {
        RequireSettings(m_store->SetFlag(kForcedFlag, 1) == TRUE);
    }
}

// The page in device units, from the owner's paper, margins and resolutions. The overspray
// extents widen the page only here; the settings keep their values.
void CNiraBlockPacker::WriteGeometry()
{
    WriteBlockGeometry(ReadBlockPageSettings(*m_owner), m_block);  // another orientation changes nothing
}

void CNiraBlockPacker::CopyOwnerValueToStore(LONG kind, LONG index)
{
    INiraSettingsAccess& owner = *m_owner;
    INiraSettingsStore& store = *m_store;
    BOOLEAN stored = FALSE;
    switch (kind) {
    case SETTING_ARRAY_FLAG:
        stored =
            store.SetFlag(index, ReadOwner<BYTE>([&](BYTE* v) { return owner.GetFlag(index, v, 0, 0); }));
        break;
    case SETTING_ARRAY_BYTE:
        stored =
            store.SetByte(index, ReadOwner<BYTE>([&](BYTE* v) { return owner.GetByte(index, v, 0, 0); }));
        break;
    case SETTING_ARRAY_WORD:
        stored =
            store.SetWord(index, ReadOwner<WORD>([&](WORD* v) { return owner.GetWord(index, v, 0, 0); }));
        break;
    case SETTING_ARRAY_INT:
        CopyOwnerInt(index);
        return;
    case SETTING_ARRAY_FLOAT:
        stored =
            store.SetFloat(index, ReadOwner<FLOAT>([&](FLOAT* v) { return owner.GetFloat(index, v, 0, 0); }));
        break;
    case SETTING_ARRAY_DOUBLE:
        stored = store.SetDouble(
            index, ReadOwner<double>([&](double* v) { return owner.GetDouble(index, v, 0, 0); }));
        break;
    case SETTING_ARRAY_INT_REF: {
        const LONG value = ReadOwner<LONG>([&](LONG* v) { return owner.GetIntRef(index, v, 0, 0); });
        stored = store.SetIntRef(index, &value);
        break;
    }
    case SETTING_ARRAY_STRING: {
        CNiraString* text =
            ReadOwner<CNiraString*>([&](CNiraString** v) { return owner.GetString(index, v, 0, 0); });
        RequireSettings(text != nullptr);
        CNiraString copy(*text);
        owner.ReleaseString(text);
        stored = store.SetString(index, &copy);
        break;
    }
    case SETTING_ARRAY_BLOB: {
        BYTE* data = nullptr;
        DWORD length = 0;
        RequireSettings(owner.GetBlob(index, &data, &length, 0, 0) == TRUE);
        stored = store.SetBlob(index, data, length);
        owner.ReleaseBlob(data);
        break;
    }
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
    RequireSettings(stored == TRUE);
}

// The settings image of the store, in a buffer that only grows and is zeroed for every image.
void CNiraBlockPacker::BuildImage()
{
    RequireSettings(m_store != nullptr);
    m_imageLength = 0;
    CNiraSettingsImageWriter writer(*m_store);
    m_imageLength = writer.Measure();
    if (m_imageLength > m_imageCapacity) {
        FreeSettingsBlock(m_imageBuffer);
        m_imageBuffer = nullptr;
        m_imageCapacity = 0;
        m_imageBuffer = static_cast<BYTE*>(AllocateSettingsBlock(m_imageLength));
        m_imageCapacity = m_imageLength;
    } else {
        memset(m_imageBuffer, 0, m_imageLength);
    }
    writer.Write(m_imageBuffer);
}

// Deflates the image into a scratch area first: the payload, its lengths and the checksums of
// the section change only once the new stream is known to fit.
void CNiraBlockPacker::CompressImage()
{
    RequireSettings(m_block != nullptr && m_payload != nullptr && m_payloadCapacity != 0);
    BuildImage();
    RequireSettings(m_imageBuffer != nullptr);
    RequireSettings(m_payloadCapacity > kPackedPayloadHeaderSize);

    const DWORD room = m_payloadCapacity - kPackedPayloadHeaderSize;
    if (m_scratch == nullptr) {
        m_scratch = static_cast<BYTE*>(AllocateSettingsBlock(kPackedPayloadSize));  // the room never grows
    }
    RequireSettings(room <= kPackedPayloadSize);
    const DWORD streamLength = DeflateSettingsImage(m_imageBuffer, m_imageLength, m_scratch, room);
    PutDword(m_payload + offsetof(PackedSettingsPayload, compressedLength), streamLength);
    PutDword(m_payload + offsetof(PackedSettingsPayload, imageLength), m_imageLength);
    memcpy(m_payload + offsetof(PackedSettingsPayload, stream), m_scratch, streamLength);

    m_block->packedLength = streamLength + kPackedPayloadHeaderSize;
    const DWORD checksum = ComputeBlockChecksum(m_block);
    m_block->checksum = checksum;
    m_block->checksumCopy = checksum;
}

// One value added to (or replaced in) the packed store, and the whole store packed again.
BOOLEAN CNiraBlockPacker::SyncEntry(LONG kind, LONG index)
{
    return GuardSettingsCall([&] {
        RequireArgument(Handles(kind, index));
        RequireSettings(m_owner != nullptr);
        PackValue(kind, index);
    });
}

void CNiraBlockPacker::PackValue(LONG kind, LONG index)
{
    RequireSettings(m_owner != nullptr);
    if (m_store == nullptr) {
        m_store = MakeAllocatedStore();
    }
    RequireSettings(IsSettingArrayKind(kind));
    CopyOwnerValueToStore(kind, index);
    CompressImage();
}
