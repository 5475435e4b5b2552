#include "nira/uiplugin/settings/block/BlockSyncProvider.h"

BOOLEAN CNiraBlockSyncProvider::SyncFlag(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLAG, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncByte(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BYTE, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncWord(LONG index)
{
    return SyncEntry(SETTING_ARRAY_WORD, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncInt(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncFloat(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLOAT, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncDouble(LONG index)
{
    return SyncEntry(SETTING_ARRAY_DOUBLE, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncIntRef(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT_REF, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncString(LONG index)
{
    return SyncEntry(SETTING_ARRAY_STRING, index);
}

BOOLEAN CNiraBlockSyncProvider::SyncBlob(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BLOB, index);
}
