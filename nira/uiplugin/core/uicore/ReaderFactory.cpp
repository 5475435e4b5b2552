#include "nira/uiplugin/core/uicore/ReaderFactory.h"

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"

CNiraDataSource* CreateDataSource(int kind, INT value)
{
    switch (kind) {
    case DATA_SOURCE_CAPABILITY_DB:
        return CreateCapabilityReader(value);
    case DATA_SOURCE_UI_LAYOUT_DB:
        return new CNiraUILayoutDB();
    default:
        return nullptr;
    }
}

CNiraCapabilityDB* CreateCapabilityReader(INT value)
{
    return new CNiraCapabilityDB(value);
}
