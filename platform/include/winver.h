// Declarations of the simulated machine for <winver.h>; filled as the system needs them.
#pragma once

#include <windef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Version resources of a file. On the simulated machine no file carries one: the size query
// answers 0 with ERROR_RESOURCE_TYPE_NOT_FOUND, as Windows does for a file without a version block.
DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle);
BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen);

#ifdef __cplusplus
}
#endif

#define GetFileVersionInfoSize GetFileVersionInfoSizeW
#define GetFileVersionInfo GetFileVersionInfoW
#define VerQueryValue VerQueryValueW
