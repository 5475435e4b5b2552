// Declarations of the common property-sheet UI (<compstui.h>) that a printer driver's UI uses:
// option items with their option types and options, their flags, the public DEVMODE item ids,
// the property-sheet UI request record, the host's functions and the records of a tree-view
// page. Layouts are those of Windows x64.
#pragma once

#include <stddef.h>
#include <windef.h>
#include <winuser.h>

// OPTPARAM.Flags
#define OPTPF_HIDE 0x01
#define OPTPF_DISABLED 0x02
#define OPTPF_ICONID_AS_HICON 0x04
#define OPTPF_OVERLAY_WARNING_ICON 0x08
#define OPTPF_OVERLAY_STOP_ICON 0x10
#define OPTPF_OVERLAY_NO_ICON 0x20

// OPTTYPE.Type
#define TVOT_2STATES 0
#define TVOT_3STATES 1
#define TVOT_UDARROW 2
#define TVOT_TRACKBAR 3
#define TVOT_SCROLLBAR 4
#define TVOT_LISTBOX 5
#define TVOT_COMBOBOX 6
#define TVOT_EDITBOX 7
#define TVOT_PUSHBUTTON 8
#define TVOT_CHKBOX 9

// OPTITEM.Flags
#define OPTIF_COLLAPSE 0x00000001L
#define OPTIF_HIDE 0x00000002L
#define OPTIF_CALLBACK 0x00000004L
#define OPTIF_CHANGED 0x00000008L
#define OPTIF_CHANGEONCE 0x00000010L
#define OPTIF_DISABLED 0x00000020L
#define OPTIF_ECB_CHECKED 0x00000040L
#define OPTIF_EXT_HIDE 0x00000080L
#define OPTIF_EXT_DISABLED 0x00000100L
#define OPTIF_OVERLAY_WARNING_ICON 0x00001000L

// OPTITEM.DMPubID: the public DEVMODE field an item stands for.
#define DMPUB_NONE 0
#define DMPUB_FIRST 1
#define DMPUB_ORIENTATION 1
#define DMPUB_SCALE 2
#define DMPUB_COPIES_COLLATE 3
#define DMPUB_DEFSOURCE 4
#define DMPUB_PRINTQUALITY 5
#define DMPUB_COLOR 6
#define DMPUB_DUPLEX 7
#define DMPUB_TTOPTION 8
#define DMPUB_FORMNAME 9
#define DMPUB_ICMMETHOD 10
#define DMPUB_ICMINTENT 11
#define DMPUB_MEDIATYPE 12
#define DMPUB_DITHERTYPE 13
#define DMPUB_OUTPUTBIN 14
#define DMPUB_QUALITY 15
#define DMPUB_NUP 16
#define DMPUB_PAGEORDER 17
#define DMPUB_NUP_DIRECTION 18
#define DMPUB_MANUAL_DUPLEX 19
#define DMPUB_STAPLE 20
#define DMPUB_BOOKLET_EDGE 21
#define DMPUB_LAST 21
#define DMPUB_USER 100

typedef struct _OPTPARAM {
    WORD cbSize;
    BYTE Flags;
    BYTE Style;
    LPTSTR pData;  // the option's name, or a resource id below 0x10000
    ULONG_PTR IconID;
    LPARAM lParam;
    ULONG_PTR dwReserved[2];
} OPTPARAM, *POPTPARAM;

typedef struct _OPTTYPE {
    WORD cbSize;
    BYTE Type;
    BYTE Flags;
    WORD Count;
    WORD BegCtrlID;
    POPTPARAM pOptParam;
    WORD Style;
    WORD wReserved[3];
    ULONG_PTR dwReserved[3];
} OPTTYPE, *POPTTYPE;

typedef struct _EXTCHKBOX* PEXTCHKBOX;
typedef struct _EXTPUSH* PEXTPUSH;
typedef struct _OIEXT* POIEXT;

typedef struct _OPTITEM {
    WORD cbSize;
    BYTE Level;
    BYTE DlgPageIdx;
    DWORD Flags;
    ULONG_PTR UserData;
    LPTSTR pName;
    union {
        LONG Sel;
        LPTSTR pSel;
    };
    union {
        PEXTCHKBOX pExtChkBox;
        PEXTPUSH pExtPush;
    };
    POPTTYPE pOptType;
    DWORD HelpIndex;
    BYTE DMPubID;
    BYTE UserItemID;
    WORD wReserved;
    POIEXT pOIExt;
    ULONG_PTR dwReserved[3];
} OPTITEM, *POPTITEM;

// CPSUICBPARAM.Reason
#define CPSUICB_REASON_SEL_CHANGED 0
#define CPSUICB_REASON_PUSHBUTTON 1
#define CPSUICB_REASON_ECB_CHANGED 2
#define CPSUICB_REASON_DLGPROC 3
#define CPSUICB_REASON_UNDO_CHANGES 4
#define CPSUICB_REASON_EXTPUSH 5
#define CPSUICB_REASON_APPLYNOW 6
#define CPSUICB_REASON_OPTITEM_SETFOCUS 7
#define CPSUICB_REASON_ITEMS_REVERTED 8
#define CPSUICB_REASON_ABOUT 9
#define CPSUICB_REASON_SETACTIVE 10
#define CPSUICB_REASON_KILLACTIVE 11

#define CPSUICB_ACTION_NONE 0

typedef struct _CPSUICBPARAM {
    WORD cbSize;
    WORD Reason;
    HWND hDlg;
    POPTITEM pOptItem;
    WORD cOptItem;
    WORD Flags;
    POPTITEM pCurItem;
    union {
        LONG OldSel;
        LPTSTR pOldSel;
    };
    ULONG_PTR UserData;
    ULONG_PTR Result;
} CPSUICBPARAM, *PCPSUICBPARAM;

typedef LONG(CALLBACK* _CPSUICALLBACK)(PCPSUICBPARAM pCPSUICBParam);

typedef struct _DLGPAGE {
    WORD cbSize;
    WORD Flags;
    DLGPROC DlgProc;
    LPTSTR pTabName;
    ULONG_PTR IconID;
    union {
        WORD DlgTemplateID;
        HANDLE hDlgTemplate;
    };
} DLGPAGE, *PDLGPAGE;

// DLGPAGE.DlgTemplateID of the host's own tree-view page.
#define DP_STD_TREEVIEWPAGE 0xFFFF

// COMPROPSHEETUI.Flags
#define CPSUIF_UPDATE_PERMISSION 0x0001
#define CPSUIF_ICONID_AS_HICON 0x0002
#define CPSUIF_ABOUT_CALLBACK 0x0004

typedef struct _COMPROPSHEETUI {
    WORD cbSize;
    WORD Flags;
    HINSTANCE hInstCaller;
    LPTSTR pCallerName;
    ULONG_PTR UserData;
    LPTSTR pHelpFile;
    _CPSUICALLBACK pfnCallBack;
    POPTITEM pOptItem;
    PDLGPAGE pDlgPage;
    WORD cOptItem;
    WORD cDlgPage;
    ULONG_PTR IconID;
    LPTSTR pOptItemName;
    WORD CallerVersion;
    WORD OptItemVersion;
    ULONG_PTR dwReserved[4];
} COMPROPSHEETUI, *PCOMPROPSHEETUI;

// INSERTPSUIPAGE_INFO.Type and Mode
#define PSUIPAGEINSERT_GROUP_PARENT 0
#define PSUIPAGEINSERT_PCOMPROPSHEETUI 1
#define PSUIPAGEINSERT_PFNPROPSHEETUI 2
#define PSUIPAGEINSERT_PROPSHEETPAGE 3
#define PSUIPAGEINSERT_HPROPSHEETPAGE 4
#define PSUIPAGEINSERT_DLL 5
#define INSPSUIPAGE_MODE_BEFORE 0
#define INSPSUIPAGE_MODE_AFTER 1
#define INSPSUIPAGE_MODE_FIRST_CHILD 2
#define INSPSUIPAGE_MODE_LAST_CHILD 3
#define INSPSUIPAGE_MODE_INDEX 4

typedef struct _INSERTPSUIPAGE_INFO {
    WORD cbSize;
    BYTE Type;
    BYTE Mode;
    ULONG_PTR dwData1;
    ULONG_PTR dwData2;
    ULONG_PTR dwData3;
} INSERTPSUIPAGE_INFO, *PINSERTPSUIPAGE_INFO;

// The host's functions (PFNCOMPROPSHEET's Function).
#define CPSFUNC_ADD_HPROPSHEETPAGE 0
#define CPSFUNC_ADD_PROPSHEETPAGEW 1
#define CPSFUNC_ADD_PCOMPROPSHEETUIW 3
#define CPSFUNC_ADD_PFNPROPSHEETUIW 5
#define CPSFUNC_DELETE_HCOMPROPSHEET 6
#define CPSFUNC_SET_HSTARTPAGE 7
#define CPSFUNC_GET_PAGECOUNT 8
#define CPSFUNC_SET_RESULT 9
#define CPSFUNC_INSERT_PSUIPAGEW 17

typedef LONG_PTR(CALLBACK* PFNCOMPROPSHEET)(HANDLE hComPropSheet, UINT Function, LPARAM lParam1,
                                            LPARAM lParam2);

// PROPSHEETUI_INFO.Reason
#define PROPSHEETUI_REASON_INIT 0
#define PROPSHEETUI_REASON_GET_INFO_HEADER 1
#define PROPSHEETUI_REASON_DESTROY 2
#define PROPSHEETUI_REASON_SET_RESULT 3

#define CPSUI_CANCEL 0
#define CPSUI_OK 1

#define PROPSHEETUI_INFO_VERSION 0x0100

typedef struct _PROPSHEETUI_INFO {
    WORD cbSize;
    WORD Version;
    WORD Flags;
    WORD Reason;
    HANDLE hComPropSheet;
    PFNCOMPROPSHEET pfnComPropSheet;
    LPARAM lParamInit;
    ULONG_PTR UserData;
    ULONG_PTR Result;
} PROPSHEETUI_INFO, *PPROPSHEETUI_INFO;

typedef LONG(CALLBACK* PFNPROPSHEETUI)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);

// What the host places behind every PROPSHEETPAGE it makes a page from (at the page's dwSize).
typedef struct _PSPINFO {
    WORD cbSize;
    WORD wReserved;
    HANDLE hComPropSheet;
    HANDLE hCPSUIPage;
    PFNCOMPROPSHEET pfnComPropSheet;
} PSPINFO, *PPSPINFO;

static_assert(sizeof(OPTPARAM) == 48 && offsetof(OPTPARAM, pData) == 8 && offsetof(OPTPARAM, IconID) == 16,
              "OPTPARAM layout");
static_assert(sizeof(OPTTYPE) == 48 && offsetof(OPTTYPE, Count) == 4 && offsetof(OPTTYPE, pOptParam) == 8,
              "OPTTYPE layout");
static_assert(sizeof(OPTITEM) == 88 && offsetof(OPTITEM, Flags) == 4 && offsetof(OPTITEM, UserData) == 8 &&
                  offsetof(OPTITEM, Sel) == 24 && offsetof(OPTITEM, pOptType) == 40 &&
                  offsetof(OPTITEM, DMPubID) == 52 && offsetof(OPTITEM, pOIExt) == 56,
              "OPTITEM layout");
static_assert(sizeof(PROPSHEETUI_INFO) == 48 && offsetof(PROPSHEETUI_INFO, lParamInit) == 24 &&
                  offsetof(PROPSHEETUI_INFO, Result) == 40,
              "PROPSHEETUI_INFO layout");
static_assert(sizeof(CPSUICBPARAM) == 64 && offsetof(CPSUICBPARAM, pCurItem) == 32 &&
                  offsetof(CPSUICBPARAM, UserData) == 48,
              "CPSUICBPARAM layout");
static_assert(sizeof(DLGPAGE) == 40 && offsetof(DLGPAGE, pTabName) == 16, "DLGPAGE layout");
static_assert(sizeof(COMPROPSHEETUI) == 128 && offsetof(COMPROPSHEETUI, pfnCallBack) == 40 &&
                  offsetof(COMPROPSHEETUI, cOptItem) == 64 && offsetof(COMPROPSHEETUI, IconID) == 72 &&
                  offsetof(COMPROPSHEETUI, CallerVersion) == 88,
              "COMPROPSHEETUI layout");
static_assert(sizeof(INSERTPSUIPAGE_INFO) == 32, "INSERTPSUIPAGE_INFO layout");
static_assert(sizeof(PSPINFO) == 32 && offsetof(PSPINFO, pfnComPropSheet) == 24, "PSPINFO layout");
