// CNiraBlockSyncProvider: the Sync entry points that the block packer and unpacker share. Each
// hands its kind to SyncEntry, where the class moves the one setting its own way.
#pragma once

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

class CNiraBlockSyncProvider : public CNiraBlockProvider {
public:
    BOOLEAN SyncFlag(LONG index) override;
    BOOLEAN SyncByte(LONG index) override;
    BOOLEAN SyncWord(LONG index) override;
    BOOLEAN SyncInt(LONG index) override;
    BOOLEAN SyncFloat(LONG index) override;
    BOOLEAN SyncDouble(LONG index) override;
    BOOLEAN SyncIntRef(LONG index) override;
    BOOLEAN SyncString(LONG index) override;
    BOOLEAN SyncBlob(LONG index) override;

protected:
    // Moves the setting of that kind and index; TRUE when it was handled.
    virtual BOOLEAN SyncEntry(LONG kind, LONG index) = 0;
};
