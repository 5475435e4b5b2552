// Makes a database reader by kind: the capability reader or the UI-layout reader.
#pragma once

#include <windows.h>

class CNiraDataSource;

enum NiraDataSourceKind : int {
    DATA_SOURCE_CAPABILITY_DB = 5,
    DATA_SOURCE_UI_LAYOUT_DB = 6,
};

// A new reader owned by the caller; null for any other kind. The value goes to the capability
// reader's constructor.
CNiraDataSource* CreateDataSource(int kind, INT value);
