// Shell folders: the paths of the user's special folders.
#pragma once

#include <windef.h>

#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1

extern "C" {

// The folder's path (MAX_PATH characters) without a trailing separator.
HRESULT WINAPI SHGetFolderPathW(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPWSTR pszPath);

}  // extern "C"
