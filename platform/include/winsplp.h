// The spooler's side of print monitors and print processors: the table a monitor hands the spooler
// (InitializePrintMonitor2), the MONITORINIT the spooler passes in, the bidi request and response
// containers of pfnSendRecvBidiDataFromPort (declared by winspool.h on Windows), what the spooler
// hands a print processor when it opens a job, and the job attributes a processor may ask for.
// On the simulated machine the spooler loads a language monitor by file name and places it above
// the simulated port monitor (nirasim/Printer.h), and runs print processors as nirasim/PrintJobs.h
// describes.
#pragma once

#include <windef.h>
#include <wingdi.h>
#include <winspool.h>

// --- bidi containers ---
#define BIDI_ACTION_ENUM_SCHEMA TEXT("EnumSchema")
#define BIDI_ACTION_GET TEXT("Get")
#define BIDI_ACTION_SET TEXT("Set")
#define BIDI_ACTION_GET_ALL TEXT("GetAll")

typedef enum {
    BIDI_NULL = 0,
    BIDI_INT = 1,
    BIDI_FLOAT = 2,
    BIDI_BOOL = 3,
    BIDI_STRING = 4,
    BIDI_TEXT = 5,
    BIDI_ENUM = 6,
    BIDI_BLOB = 7
} BIDI_TYPE;

typedef struct _BINARY_CONTAINER {
    DWORD cbBuf;
    LPBYTE pData;
} BINARY_CONTAINER, *PBINARY_CONTAINER;

typedef struct _BIDI_DATA {
    DWORD dwBidiType;
    union {
        BOOL bData;
        LONG iData;
        LPWSTR sData;
        FLOAT fData;
        BINARY_CONTAINER biData;
    } u;
} BIDI_DATA, *PBIDI_DATA, *LPBIDI_DATA;

typedef struct _BIDI_REQUEST_DATA {
    DWORD dwReqNumber;
    LPWSTR pSchema;
    BIDI_DATA data;
} BIDI_REQUEST_DATA, *PBIDI_REQUEST_DATA, *LPBIDI_REQUEST_DATA;

typedef struct _BIDI_REQUEST_CONTAINER {
    DWORD Version;
    DWORD Flags;
    DWORD Count;
    BIDI_REQUEST_DATA aData[1];
} BIDI_REQUEST_CONTAINER, *PBIDI_REQUEST_CONTAINER, *LPBIDI_REQUEST_CONTAINER;

typedef struct _BIDI_RESPONSE_DATA {
    DWORD dwResult;
    DWORD dwReqNumber;
    LPWSTR pSchema;
    BIDI_DATA data;
} BIDI_RESPONSE_DATA, *PBIDI_RESPONSE_DATA, *LPBIDI_RESPONSE_DATA;

typedef struct _BIDI_RESPONSE_CONTAINER {
    DWORD Version;
    DWORD Flags;
    DWORD Count;
    BIDI_RESPONSE_DATA aData[1];
} BIDI_RESPONSE_CONTAINER, *PBIDI_RESPONSE_CONTAINER, *LPBIDI_RESPONSE_CONTAINER;

static_assert(sizeof(BIDI_DATA) == 24 && sizeof(BIDI_REQUEST_DATA) == 40 &&
                  sizeof(BIDI_RESPONSE_DATA) == 40 && offsetof(BIDI_REQUEST_CONTAINER, aData) == 16 &&
                  offsetof(BIDI_RESPONSE_CONTAINER, aData) == 16,
              "bidi containers have their x64 layout");

// --- the monitor table ---
typedef HANDLE HKEYMONITOR;
typedef struct _MONITORREG* PMONITORREG;  // the spooler's registry functions (not used here)

typedef struct _MONITORINIT {
    DWORD cbSize;
    HANDLE hSpooler;
    HKEYMONITOR hckRegistryRoot;
    PMONITORREG pMonitorReg;
    BOOL bLocal;
    LPCWSTR pszServerName;
} MONITORINIT, *PMONITORINIT;

typedef struct _COMMTIMEOUTS* LPCOMMTIMEOUTS;

typedef struct _MONITOR2 {
    DWORD cbSize;
    BOOL(WINAPI* pfnEnumPorts)
    (HANDLE hMonitor, LPWSTR pName, DWORD Level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded,
     LPDWORD pcReturned);
    BOOL(WINAPI* pfnOpenPort)(HANDLE hMonitor, LPWSTR pName, PHANDLE pHandle);
    BOOL(WINAPI* pfnOpenPortEx)
    (HANDLE hMonitor, HANDLE hMonitorPort, LPWSTR pPortName, LPWSTR pPrinterName, PHANDLE pHandle,
     struct _MONITOR2* pMonitor2);
    BOOL(WINAPI* pfnStartDocPort)
    (HANDLE hPort, LPWSTR pPrinterName, DWORD JobId, DWORD Level, LPBYTE pDocInfo);
    BOOL(WINAPI* pfnWritePort)(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten);
    BOOL(WINAPI* pfnReadPort)(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuffer, LPDWORD pcbRead);
    BOOL(WINAPI* pfnEndDocPort)(HANDLE hPort);
    BOOL(WINAPI* pfnClosePort)(HANDLE hPort);
    BOOL(WINAPI* pfnAddPort)(HANDLE hMonitor, LPWSTR pName, HWND hWnd, LPWSTR pMonitorName);
    BOOL(WINAPI* pfnAddPortEx)
    (HANDLE hMonitor, LPWSTR pName, DWORD Level, LPBYTE lpBuffer, LPWSTR lpMonitorName);
    BOOL(WINAPI* pfnConfigurePort)(HANDLE hMonitor, LPWSTR pName, HWND hWnd, LPWSTR pPortName);
    BOOL(WINAPI* pfnDeletePort)(HANDLE hMonitor, LPWSTR pName, HWND hWnd, LPWSTR pPortName);
    BOOL(WINAPI* pfnGetPrinterDataFromPort)
    (HANDLE hPort, DWORD ControlID, LPWSTR pValueName, LPWSTR lpInBuffer, DWORD cbInBuffer,
     LPWSTR lpOutBuffer, DWORD cbOutBuffer, LPDWORD lpcbReturned);
    BOOL(WINAPI* pfnSetPortTimeOuts)(HANDLE hPort, LPCOMMTIMEOUTS lpCTO, DWORD reserved);
    BOOL(WINAPI* pfnXcvOpenPort)
    (HANDLE hMonitor, LPCWSTR pszObject, ACCESS_MASK GrantedAccess, PHANDLE phXcv);
    DWORD(WINAPI* pfnXcvDataPort)
    (HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData,
     DWORD cbOutputData, PDWORD pcbOutputNeeded);
    BOOL(WINAPI* pfnXcvClosePort)(HANDLE hXcv);
    VOID(WINAPI* pfnShutdown)(HANDLE hMonitor);
    DWORD(WINAPI* pfnSendRecvBidiDataFromPort)
    (HANDLE hPort, DWORD dwAccessBit, LPCWSTR pAction, PBIDI_REQUEST_CONTAINER pReqData,
     PBIDI_RESPONSE_CONTAINER* ppResData);
} MONITOR2, *LPMONITOR2, *PMONITOR2;

static_assert(sizeof(MONITORINIT) == 48 && offsetof(MONITORINIT, hckRegistryRoot) == 16,
              "MONITORINIT has its x64 layout");
static_assert(sizeof(MONITOR2) == 160 && offsetof(MONITOR2, pfnOpenPortEx) == 24 &&
                  offsetof(MONITOR2, pfnGetPrinterDataFromPort) == 104 &&
                  offsetof(MONITOR2, pfnShutdown) == 144 &&
                  offsetof(MONITOR2, pfnSendRecvBidiDataFromPort) == 152,
              "MONITOR2 has its x64 layout");

extern "C" {

// The export of a print monitor.
LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT pMonitorInit, PHANDLE phMonitor);

// The router's bidi memory: a response container of Count entries (zero-filled) and blocks for
// the strings in it, which the spooler frees after the monitor answered.
PBIDI_RESPONSE_CONTAINER WINAPI RouterAllocBidiResponseContainer(DWORD Count);
LPVOID WINAPI RouterAllocBidiMem(size_t NumBytes);
DWORD WINAPI RouterFreeBidiResponseContainer(PBIDI_RESPONSE_CONTAINER pData);
VOID WINAPI RouterFreeBidiMem(LPVOID pMemPointer);

}  // extern "C"

// --- print processors ---
typedef struct _PRINTPROCESSOROPENDATA {
    PDEVMODEW pDevMode;
    LPWSTR pDatatype;
    LPWSTR pParameters;
    LPWSTR pDocumentName;
    DWORD JobId;
    LPWSTR pOutputFile;
    LPWSTR pPrinterName;
} PRINTPROCESSOROPENDATA, *PPRINTPROCESSOROPENDATA, *LPPRINTPROCESSOROPENDATA;

typedef struct _ATTRIBUTE_INFO_3 {
    DWORD dwJobNumberOfPagesPerSide;
    DWORD dwDrvNumberOfPagesPerSide;
    DWORD dwNupBorderFlags;
    DWORD dwJobPageOrderFlags;
    DWORD dwDrvPageOrderFlags;
    DWORD dwJobNumberOfCopies;
    DWORD dwDrvNumberOfCopies;
    DWORD dwColorOptimization;
    short dmPrintQuality;
    short dmYResolution;
} ATTRIBUTE_INFO_3, *PATTRIBUTE_INFO_3;

static_assert(sizeof(PRINTPROCESSOROPENDATA) == 56 && sizeof(ATTRIBUTE_INFO_3) == 36,
              "print processor records have x64 sizes");

extern "C" {
// The layout attributes of a job: pages per side, borders, page order and copies, of the job and of
// what the driver does itself (exported by spoolss.dll).
BOOL WINAPI GetJobAttributes(LPWSTR pPrinterName, LPDEVMODEW pDevmode, PATTRIBUTE_INFO_3 pAttributeInfo);
}
