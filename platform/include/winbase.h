// Kernel services, gathered from the API-set headers as the Windows SDK does.
#pragma once

#include <windef.h>
#include <winerror.h>
#include <errhandlingapi.h>
#include <debugapi.h>
#include <heapapi.h>
#include <handleapi.h>
#include <fileapi.h>
#include <libloaderapi.h>
#include <processthreadsapi.h>
#include <processenv.h>
#include <synchapi.h>
#include <sysinfoapi.h>
#include <securitybaseapi.h>
#include <memoryapi.h>

// The kernel's own string functions. lstrcmp and lstrcmpi compare as CompareStringW does for the
// user's locale (here: by code unit, case folded for ASCII and Latin-1 letters).
int WINAPI lstrlenW(LPCWSTR lpString);
int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2);
int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2);
LPWSTR WINAPI lstrcpyW(LPWSTR lpString1, LPCWSTR lpString2);
LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength);
LPWSTR WINAPI lstrcatW(LPWSTR lpString1, LPCWSTR lpString2);
int WINAPI lstrlenA(LPCSTR lpString);
#define lstrlen lstrlenW
#define lstrcmp lstrcmpW
#define lstrcmpi lstrcmpiW
#define lstrcpy lstrcpyW
#define lstrcpyn lstrcpynW
#define lstrcat lstrcatW
