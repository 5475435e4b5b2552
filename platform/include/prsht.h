// Property sheets (<prsht.h>): the page description a sheet makes a page from, the messages a
// page sends its sheet and the notifications the sheet sends its pages. Layouts are those of
// Windows x64.
#pragma once

#include <stddef.h>
#include <windows.h>

typedef struct _PSP* HPROPSHEETPAGE;

struct _PROPSHEETPAGEW;
typedef UINT(CALLBACK* LPFNPSPCALLBACKW)(HWND hwnd, UINT uMsg, struct _PROPSHEETPAGEW* ppsp);

#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080
#define PSP_USEFUSIONCONTEXT 0x00004000

typedef struct _PROPSHEETPAGEW {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    union {
        LPCWSTR pszTemplate;
        const void* pResource;  // a DLGTEMPLATE in memory
    };
    union {
        HICON hIcon;
        LPCWSTR pszIcon;
    };
    LPCWSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKW pfnCallback;
    UINT* pcRefParent;
    LPCWSTR pszHeaderTitle;
    LPCWSTR pszHeaderSubTitle;
    HANDLE hActCtx;
} PROPSHEETPAGEW, *LPPROPSHEETPAGEW;
typedef const PROPSHEETPAGEW* LPCPROPSHEETPAGEW;

typedef struct _PSHNOTIFY {
    NMHDR hdr;
    LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

#define PSM_CHANGED (WM_USER + 104)
#define PSM_UNCHANGED (WM_USER + 109)

#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)

#define PSNRET_NOERROR 0

static_assert(sizeof(PROPSHEETPAGEW) == 96 && offsetof(PROPSHEETPAGEW, pszTemplate) == 16 &&
                  offsetof(PROPSHEETPAGEW, pfnDlgProc) == 40 && offsetof(PROPSHEETPAGEW, lParam) == 48 &&
                  offsetof(PROPSHEETPAGEW, hActCtx) == 88,
              "PROPSHEETPAGEW layout");
static_assert(sizeof(PSHNOTIFY) == 32, "PSHNOTIFY layout");
