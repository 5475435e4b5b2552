// The resources of a module on the simulated machine.
//
// A Windows module carries its resources in its image, built from a .rc script. On the simulated
// machine a module that has resources exports the function NiraSimGetResources (extern "C",
// dllexport) answering a table in this shape; FindResourceExW, LoadResource, EnumResource* and
// LoadStringW read it. Strings are listed one by one and the machine groups them into RT_STRING
// blocks of 16 counted strings, as the resource compiler does: string id N lands in block
// N / 16 + 1 at entry N % 16. Other resources (bitmaps, dialog templates, version data, raw data)
// are listed with their type, name and language and point at their bytes.
//
// Only sources of the simulated build include this header: keep them in a folder named sim/.
#pragma once

#include <windef.h>

typedef struct _NIRASIM_STRING_ENTRY {
    WORD wLanguage;   // LANGID of the string table the text belongs to
    UINT uId;         // string id, 0 to 65535
    LPCWSTR pszText;  // the text, terminated
} NIRASIM_STRING_ENTRY;

typedef struct _NIRASIM_RESOURCE_ENTRY {
    LPCWSTR lpType;   // MAKEINTRESOURCEW(n) or a name
    LPCWSTR lpName;   // MAKEINTRESOURCEW(n) or a name
    WORD wLanguage;
    LPCVOID pData;
    DWORD cbData;
} NIRASIM_RESOURCE_ENTRY;

#define NIRASIM_RESOURCE_TABLE_VERSION 1

typedef struct _NIRASIM_RESOURCE_TABLE {
    DWORD dwVersion;  // NIRASIM_RESOURCE_TABLE_VERSION
    const NIRASIM_STRING_ENTRY* pStrings;
    DWORD cStrings;
    const NIRASIM_RESOURCE_ENTRY* pResources;
    DWORD cResources;
} NIRASIM_RESOURCE_TABLE;

typedef const NIRASIM_RESOURCE_TABLE*(WINAPI* NIRASIM_GET_RESOURCES)(void);
#define NIRASIM_GET_RESOURCES_EXPORT "NiraSimGetResources"
