// Records of the core printer driver's UI plug-in interface (<printoem.h>): the plug-in's DEVMODE
// requests, the core driver's UI object with its setting callbacks, the property-sheet and
// common-UI parameter blocks, the user data of the core driver's option items; and the UI-module
// entries and records of the driver kit's <winddiui.h> that mingw-w64's copy lacks.
// Layouts are those of Windows x64; both targets use this one declaration.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <stddef.h>
#include <winddiui.h>

// --- the driver kit's UI-module records and entries ---

typedef struct _DRIVER_UPGRADE_INFO_1W {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
} DRIVER_UPGRADE_INFO_1W, *PDRIVER_UPGRADE_INFO_1W;
typedef DRIVER_UPGRADE_INFO_1W DRIVER_UPGRADE_INFO_1;
typedef PDRIVER_UPGRADE_INFO_1W PDRIVER_UPGRADE_INFO_1;

typedef struct _DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW* pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

// lParam of DrvDocumentPropertySheets when it is called without a property sheet.
typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    DEVMODEW* pdmIn;
    DEVMODEW* pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

typedef struct _DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

// DrvQueryColorProfile
#define QCP_DEVICEPROFILE 0x0000
#define QCP_SOURCEPROFILE 0x0001
#define QCP_PROFILEMEMORY 0x00000001
#define QCP_PROFILEDISK 0x00000002

// A plug-in's DeviceCapabilities answer that replaces the core driver's output entirely.
#define S_DEVCAP_OUTPUT_FULL_REPLACEMENT ((HRESULT)0x0004DC01L)

// DrvConvertDevMode
#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04

extern "C" {
LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, void* pvOutput,
                                   DEVMODEW* pDevMode);
BOOL WINAPI DrvUpgradePrinter(DWORD Level, LPBYTE pDriverUpgradeInfo);
BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, DEVMODEW* pdmIn, DEVMODEW* pdmOut, LONG* pcbNeeded,
                              DWORD fMode);
BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, DEVMODEW* pdevmode, ULONG ulQueryMode, void* pvProfileData,
                                 ULONG* pcbProfileData, ULONG* pflProfileData);
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo);
}

// --- the plug-in interface ---

// IPrintOemUI::GetInfo modes.
#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4
#define OEMGI_GETREQUESTEDHELPERINTERFACES 5

// The helper interfaces a plug-in may ask for (OEMGI_GETREQUESTEDHELPERINTERFACES).
#define OEMPUBLISH_DEFAULT 0
#define OEMPUBLISH_IPRINTCOREHELPER 1

// IPrintOemUI::DevMode modes.
#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4

// IPrintOemUI::CommonUIProp modes.
#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2

// IPrintOemUI::HideStandardUI modes.
#define OEMCUIP_DOCPROP_HIDE 1
#define OEMCUIP_PRNPROP_HIDE 2

// The header every plug-in's private DEVMODE section starts with.
typedef struct _OEM_DMEXTRAHEADER {
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;

typedef struct _OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    DEVMODEW* pPublicDMIn;
    DEVMODEW* pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
} OEMDMPARAM, *POEMDMPARAM;

// The core driver's current option of a feature, as ANSI text, into pOutput.
typedef BOOL(APIENTRY* PFN_DrvGetDriverSetting)(PVOID pdriverobj, PCSTR Feature, PVOID pOutput, DWORD cbSize,
                                                PDWORD pcbNeeded, PDWORD pdwOptionsReturned);
// Tells the core driver that the selection of one of its option items changed.
typedef BOOL(APIENTRY* PFN_DrvUpdateUISetting)(PVOID pdriverobj, PVOID pOptItem, DWORD dwPreviousSelection,
                                               DWORD dwMode);

typedef struct _OEMUIPROCS {
    PFN_DrvGetDriverSetting DrvGetDriverSetting;
    PFN_DrvUpdateUISetting DrvUpdateUISetting;
} OEMUIPROCS, *POEMUIPROCS;

typedef struct _OEMUIOBJ {
    DWORD cbSize;
    POEMUIPROCS pOemUIProcs;
} OEMUIOBJ, *POEMUIOBJ;

struct _OEMCUIPPARAM;
typedef LONG(APIENTRY* OEMCUIPCALLBACK)(PCPSUICBPARAM pCallbackParam, struct _OEMCUIPPARAM* pOemCUIPParam);

typedef struct _OEMCUIPPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    DEVMODEW* pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    POPTITEM pDrvOptItems;
    DWORD cDrvOptItems;
    POPTITEM pOEMOptItems;
    DWORD cOEMOptItems;
    PVOID pOEMUserData;
    OEMCUIPCALLBACK OEMCUIPCallback;
} OEMCUIPPARAM, *POEMCUIPPARAM;

typedef struct _OEMUIPSPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    DEVMODEW* pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
} OEMUIPSPARAM, *POEMUIPSPARAM;

// OPTITEM.UserData of the core driver's feature items.
typedef struct _USERDATA {
    DWORD dwSize;
    ULONG_PTR dwItemID;
    PSTR pKeyWordName;  // the feature keyword, ANSI; null for items that name no feature
    DWORD dwReserved[8];
} USERDATA, *PUSERDATA;

// IPrintOemPrintTicketProvider::BindPrinter options.
#define OEMPT_DEFAULT 0x00000000
#define OEMPT_NOSNAPSHOT 0x00000001
typedef struct _OEMPTOPTS {
    DWORD dwFlags;
} OEMPTOPTS, *POEMPTOPTS;

// A feature keyword and an option keyword (IPrintCoreHelper).
typedef struct _PRINT_FEATURE_OPTION {
    PCSTR pszFeature;
    PCSTR pszOption;
} PRINT_FEATURE_OPTION, *PPRINT_FEATURE_OPTION;

static_assert(sizeof(DRIVER_UPGRADE_INFO_1W) == 16, "DRIVER_UPGRADE_INFO_1 layout");
static_assert(sizeof(DEVQUERYPRINT_INFO) == 40 && offsetof(DEVQUERYPRINT_INFO, hPrinter) == 8 &&
                  offsetof(DEVQUERYPRINT_INFO, cchNeeded) == 36,
              "DEVQUERYPRINT_INFO layout");
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 48 && offsetof(DOCUMENTPROPERTYHEADER, pdmOut) == 32 &&
                  offsetof(DOCUMENTPROPERTYHEADER, fMode) == 44,
              "DOCUMENTPROPERTYHEADER layout");
static_assert(sizeof(DEVICEPROPERTYHEADER) == 24, "DEVICEPROPERTYHEADER layout");
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "OEM_DMEXTRAHEADER layout");
static_assert(sizeof(OEMDMPARAM) == 72 && offsetof(OEMDMPARAM, hPrinter) == 16 &&
                  offsetof(OEMDMPARAM, pPublicDMIn) == 32 && offsetof(OEMDMPARAM, pOEMDMIn) == 48 &&
                  offsetof(OEMDMPARAM, cbBufSize) == 64,
              "OEMDMPARAM layout");
static_assert(sizeof(OEMUIPROCS) == 16 && sizeof(OEMUIOBJ) == 16 && offsetof(OEMUIOBJ, pOemUIProcs) == 8,
              "OEMUIOBJ layout");
static_assert(sizeof(OEMCUIPPARAM) == 120 && offsetof(OEMCUIPPARAM, hPrinter) == 16 &&
                  offsetof(OEMCUIPPARAM, pPublicDM) == 48 && offsetof(OEMCUIPPARAM, dwFlags) == 64 &&
                  offsetof(OEMCUIPPARAM, pDrvOptItems) == 72 && offsetof(OEMCUIPPARAM, cDrvOptItems) == 80 &&
                  offsetof(OEMCUIPPARAM, pOEMOptItems) == 88 && offsetof(OEMCUIPPARAM, cOEMOptItems) == 96 &&
                  offsetof(OEMCUIPPARAM, OEMCUIPCallback) == 112,
              "OEMCUIPPARAM layout");
static_assert(sizeof(OEMUIPSPARAM) == 88 && offsetof(OEMUIPSPARAM, pPublicDM) == 48 &&
                  offsetof(OEMUIPSPARAM, dwFlags) == 72 && offsetof(OEMUIPSPARAM, pOemEntry) == 80,
              "OEMUIPSPARAM layout");
static_assert(sizeof(USERDATA) == 56 && offsetof(USERDATA, pKeyWordName) == 16, "USERDATA layout");
static_assert(sizeof(PRINT_FEATURE_OPTION) == 16, "PRINT_FEATURE_OPTION layout");
