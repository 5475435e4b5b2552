// Kernel object handles.
#pragma once

#include <windef.h>

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define HANDLE_FLAG_INHERIT 0x00000001
#define HANDLE_FLAG_PROTECT_FROM_CLOSE 0x00000002

extern "C" {

BOOL WINAPI CloseHandle(HANDLE hObject);
BOOL WINAPI DuplicateHandle(HANDLE hSourceProcessHandle, HANDLE hSourceHandle, HANDLE hTargetProcessHandle,
                            LPHANDLE lpTargetHandle, DWORD dwDesiredAccess, BOOL bInheritHandle,
                            DWORD dwOptions);

}  // extern "C"

#define DUPLICATE_CLOSE_SOURCE 0x00000001
#define DUPLICATE_SAME_ACCESS 0x00000002
