// One entry of the PML object-id list: a device value's name and the object id it is asked by.
// Every part (both texts and the node) is allocated with LocalAlloc and freed by the list's owner.
#pragma once

#include <windows.h>

struct PmlOidEntry {
    WCHAR* name;
    WCHAR* oid;
    PmlOidEntry* next;
};
