// Makes a database reader by kind: the capability reader or the UI-layout reader.
#pragma once

#include <windows.h>

class CNiraCapabilityDB;
class CNiraDataSource;

enum NiraDataSourceKind : int {
    DATA_SOURCE_CAPABILITY_DB = 5,
    DATA_SOURCE_UI_LAYOUT_DB = 6,
};

// A new reader owned by the caller; null for any other kind. The value goes to the capability
// reader's constructor.
CNiraDataSource* CreateDataSource(int kind, INT value);

// A new capability reader owned by the caller (the reader of DATA_SOURCE_CAPABILITY_DB), for a core
// that lends the reader's copy to its feature database.
CNiraCapabilityDB* CreateCapabilityReader(INT value);
