// CNiraBlockPacker: writes the packed settings of a private DEVMODE section from its owner.
//
// UpdateAll copies the pack set (the block-set entries the owner's store holds, plus the block-set
// rows a pull provider of the owner supplies) into a fresh store, writes the page geometry into
// the section header, builds the settings image from the store and deflates it into the payload.
// The payload, its lengths and both checksums change only when the new stream fits: a pack that
// fails leaves the earlier settings of the section readable.
#pragma once

#include "nira/uiplugin/settings/block/BlockSyncProvider.h"

class CNiraBlockPacker : public CNiraBlockSyncProvider {
public:
    CNiraBlockPacker() = default;
    ~CNiraBlockPacker() override;
    CNiraBlockPacker(const CNiraBlockPacker&) = delete;
    CNiraBlockPacker& operator=(const CNiraBlockPacker&) = delete;

    BOOLEAN UpdateAll() override;

    BOOLEAN SetTarget(PrivateDevMode* block) override;
    void Clear() override;
    void FreeAll() override;

private:
    void BuildPackMask();
    void RenewStore();
    void CopyPackedRangeInts(LONG first, LONG last);
    void BuildImage();
    void CompressImage();
    void PackValue(LONG kind, LONG index);

    BOOLEAN SyncEntry(LONG kind, LONG index) override;
    void CopyOwnerValueToStore(LONG kind, LONG index);
    void CopyOwnerInt(LONG index);
    void ApplyFlagRule();
    void WriteGeometry();
    void FreeImage();

    PrivateDevMode* m_block = nullptr;  // borrowed
    BYTE* m_payload = nullptr;          // inside the block
    DWORD m_payloadCapacity = 0;
    INiraSettingsStore* m_store = nullptr;        // owned; the values to pack
    INiraSettingsMask* m_providedMask = nullptr;  // owned; block-set rows a pull provider supplies
    INiraSettingsMask* m_packMask = nullptr;      // owned; the pack set (kept from pack to pack)
    BYTE* m_imageBuffer = nullptr;                // owned; the last image built
    DWORD m_imageCapacity = 0;
    DWORD m_imageLength = 0;
    BYTE* m_scratch = nullptr;  // owned; where the stream is deflated before it is known to fit
};
