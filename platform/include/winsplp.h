// The spooler's side of print processors: what the spooler hands a print processor when it opens
// a job, the print processor's entry points, and the job attributes it may ask for.
#pragma once

#include <windef.h>
#include <wingdi.h>
#include <winspool.h>

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
