// Kernel services, gathered from the API-set headers as the Windows SDK does.
#pragma once

#include <windef.h>
#include <cstdarg>
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

extern "C" {

// a * b / c rounded to the nearest integer (halves away from zero); -1 when c is 0 or the result
// does not fit.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);

// Activation contexts: a module's manifest resource (RT_MANIFEST) describes the context.
#define ACTCTX_FLAG_PROCESSOR_ARCHITECTURE_VALID 0x00000001
#define ACTCTX_FLAG_LANGID_VALID 0x00000002
#define ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID 0x00000004
#define ACTCTX_FLAG_RESOURCE_NAME_VALID 0x00000008
#define ACTCTX_FLAG_SET_PROCESS_DEFAULT 0x00000010
#define ACTCTX_FLAG_APPLICATION_NAME_VALID 0x00000020
#define ACTCTX_FLAG_HMODULE_VALID 0x00000080

typedef struct tagACTCTXW {
    ULONG cbSize;
    DWORD dwFlags;
    LPCWSTR lpSource;
    USHORT wProcessorArchitecture;
    LANGID wLangId;
    LPCWSTR lpAssemblyDirectory;
    LPCWSTR lpResourceName;
    LPCWSTR lpApplicationName;
    HMODULE hModule;
} ACTCTXW, *PACTCTXW;
typedef const ACTCTXW* PCACTCTXW;
static_assert(sizeof(ACTCTXW) == 56, "x64 ACTCTXW layout");

HANDLE WINAPI CreateActCtxW(PCACTCTXW pActCtx);
void WINAPI ReleaseActCtx(HANDLE hActCtx);

// The system's text for an error code (FORMAT_MESSAGE_FROM_SYSTEM; inserts are never filled).
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
DWORD WINAPI FormatMessageW(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                            LPWSTR lpBuffer, DWORD nSize, va_list* Arguments);

}  // extern "C"

#define CreateActCtx CreateActCtxW
#define ACTCTX ACTCTXW
#define FormatMessage FormatMessageW
