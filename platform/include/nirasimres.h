// The resources of a module on the simulated machine.
//
// A Windows module carries its resources in its image, built from a .rc script. On the simulated
// machine a module that has resources exports the function NiraSimGetResources (extern "C",
// dllexport) answering a table in this shape; FindResourceExW, LoadResource, EnumResource* and
// LoadStringW read it. Strings are listed one by one and the machine groups them into RT_STRING
// blocks of 16 counted strings, as the resource compiler does: string id N lands in block
// N / 16 + 1 at entry N % 16. Other resources (bitmaps, dialog templates, version data, raw data)
// are listed with their type, name and language and point at their bytes. A version resource
// (RT_VERSION 1) is given as NIRASIM_VERSION_INFO and built into a VS_VERSIONINFO block.
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
    LPCWSTR lpType;  // MAKEINTRESOURCEW(n) or a name
    LPCWSTR lpName;  // MAKEINTRESOURCEW(n) or a name
    WORD wLanguage;
    LPCVOID pData;
    DWORD cbData;
} NIRASIM_RESOURCE_ENTRY;

// A module's version resource, from which the machine builds the VS_VERSIONINFO block that
// GetFileVersionInfoW answers (one string table, in wLanguage and wCodePage).
typedef struct _NIRASIM_VERSION_STRING {
    LPCWSTR pszName;  // "FileDescription", "FileVersion", "ProductVersion", "ProductName", ...
    LPCWSTR pszValue;
} NIRASIM_VERSION_STRING;

typedef struct _NIRASIM_VERSION_INFO {
    WORD wFileVersion[4];  // major, minor, build, revision
    WORD wProductVersion[4];
    DWORD dwFileType;  // VFT_DLL, VFT_APP, ...
    WORD wLanguage;
    WORD wCodePage;  // 1200 for UTF-16
    const NIRASIM_VERSION_STRING* pStrings;
    DWORD cStrings;
} NIRASIM_VERSION_INFO;

#define NIRASIM_RESOURCE_TABLE_VERSION 1

typedef struct _NIRASIM_RESOURCE_TABLE {
    DWORD dwVersion;  // NIRASIM_RESOURCE_TABLE_VERSION
    const NIRASIM_STRING_ENTRY* pStrings;
    DWORD cStrings;
    const NIRASIM_RESOURCE_ENTRY* pResources;
    DWORD cResources;
    const NIRASIM_VERSION_INFO* pVersion;  // null: no version resource
} NIRASIM_RESOURCE_TABLE;

typedef const NIRASIM_RESOURCE_TABLE*(WINAPI* NIRASIM_GET_RESOURCES)(void);
#define NIRASIM_GET_RESOURCES_EXPORT "NiraSimGetResources"
