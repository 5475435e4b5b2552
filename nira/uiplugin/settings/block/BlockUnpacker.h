// CNiraBlockUnpacker: reads the packed settings of a private DEVMODE section into its owner.
//
// SetTarget checks the block checksum, inflates the payload into a settings image and checks the
// image; a block that fails any check is refused as a whole and nothing of it stays readable.
// UpdateAll then sets every setting of the block set that the image carries into the owner,
// followed by the executable and user that prepared the job. The section comes from DEVMODEs that
// applications hand the driver, so every read of it and of its image is bounded.
#pragma once

#include "nira/uiplugin/settings/block/BlockSyncProvider.h"
#include "nira/uiplugin/settings/block/SettingsImage.h"

#include <memory>
#include <vector>

class CNiraString;

class CNiraBlockUnpacker : public CNiraBlockSyncProvider {
public:
    CNiraBlockUnpacker() = default;
    ~CNiraBlockUnpacker() override;
    CNiraBlockUnpacker(const CNiraBlockUnpacker&) = delete;
    CNiraBlockUnpacker& operator=(const CNiraBlockUnpacker&) = delete;

    BOOLEAN UpdateAll() override;

    BOOLEAN SetTarget(PrivateDevMode* block) override;
    void Clear() override;
    void FreeAll() override;

private:
    void LoadBlock(PrivateDevMode* block);
    void DropBlock();
    void InflatePayload();
    void ReadPresenceTable();
    void BuildEffectiveMask();

    BOOLEAN SyncEntry(LONG kind, LONG index) override;
    void ReadEntryIntoOwner(LONG kind, LONG index, DWORD rank);
    void BuildRankTable();
    DWORD CountPresentBelow(LONG kind, LONG index) const;
    void SyncRangeInts();
    void SyncCarriedEntry(LONG kind, LONG index);
    void ReadIfCarried(LONG kind, LONG index);
    void SyncReadInts(LONG first, LONG last);
    void SetOwnerInt(LONG index, LONG value);
    void SetOwnerString(LONG index, const WCHAR* text);
    void SetHostProcessStrings();
    void SetUserString();

    // The masks and buffers are made at the first block and reused for the next ones.
    SettingsMaskInfo* m_presenceTable = nullptr;  // owned; rows point into the image
    INiraSettingsMask* m_blockMask = nullptr;     // owned; presence bits of the block
    INiraSettingsMask* m_readMask = nullptr;      // owned; block set AND block presence
    BYTE* m_payloadCopy = nullptr;                // owned; the 6000 payload bytes
    DWORD m_payloadCopyLength = 0;                // 0 without a block
    PrivateDevMode* m_block = nullptr;            // borrowed
    BYTE* m_imageBuffer = nullptr;                // owned; the inflated image
    DWORD m_imageCapacity = 0;
    DWORD m_imageLength = 0;
    std::unique_ptr<CNiraSettingsImageView> m_image;  // checked view of m_imageBuffer; null without a block
    std::vector<DWORD> m_presentBefore[kSettingsImageKinds];  // present entries before each presence byte
};
