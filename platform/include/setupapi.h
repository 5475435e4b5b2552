// Declarations of the setup API (<setupapi.h>) that the driver uses: walking the members of a
// cabinet file with a callback that decides, member by member, whether it is extracted.
#pragma once

#include <windows.h>

#include <stddef.h>

// Notifications of a cabinet walk.
#define SPFILENOTIFY_FILEINCABINET 0x00000011
#define SPFILENOTIFY_FILEEXTRACTED 0x00000012
#define SPFILENOTIFY_NEEDNEWCABINET 0x00000013

// Answers to SPFILENOTIFY_FILEINCABINET.
#define FILEOP_ABORT 0
#define FILEOP_DOIT 1
#define FILEOP_SKIP 2

// param1 of SPFILENOTIFY_FILEINCABINET: the member, and where the callback wants it written.
typedef struct _FILE_IN_CABINET_INFO_W {
    PCWSTR NameInCabinet;
    DWORD FileSize;
    DWORD Win32Error;
    WORD DosDate;
    WORD DosTime;
    WORD DosAttribs;
    WCHAR FullTargetName[MAX_PATH];
} FILE_IN_CABINET_INFO_W, *PFILE_IN_CABINET_INFO_W;

// param1 of SPFILENOTIFY_FILEEXTRACTED.
typedef struct _FILEPATHS_W {
    PCWSTR Target;
    PCWSTR Source;
    UINT Win32Error;
    DWORD Flags;
} FILEPATHS_W, *PFILEPATHS_W;

// param1 of SPFILENOTIFY_NEEDNEWCABINET: the next cabinet of a set.
typedef struct _CABINET_INFO_W {
    PCWSTR CabinetPath;
    PCWSTR CabinetFile;
    PCWSTR DiskName;
    USHORT SetId;
    USHORT CabinetNumber;
} CABINET_INFO_W, *PCABINET_INFO_W;

typedef UINT(CALLBACK* PSP_FILE_CALLBACK_W)(PVOID Context, UINT Notification, UINT_PTR Param1,
                                            UINT_PTR Param2);

extern "C" {

// Calls MsgHandler for each member of the cabinet; FALSE (with the last error) when the cabinet
// cannot be read or the callback aborts.
BOOL WINAPI SetupIterateCabinetW(PCWSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_W MsgHandler,
                                 PVOID Context);

}  // extern "C"

#define SetupIterateCabinet SetupIterateCabinetW
#define FILE_IN_CABINET_INFO FILE_IN_CABINET_INFO_W
#define FILEPATHS FILEPATHS_W
#define PSP_FILE_CALLBACK PSP_FILE_CALLBACK_W

static_assert(sizeof(FILE_IN_CABINET_INFO_W) == 544 && offsetof(FILE_IN_CABINET_INFO_W, FullTargetName) == 22,
              "FILE_IN_CABINET_INFO_W layout");
