// The EMF road's entry, as PrintDocumentOnPrintProcessor calls it.
#pragma once

#include "printprocessor/ProcessorJob.h"

// What the EMF road hands back to the dispatcher, which frees the DEVMODE copy.
struct EmfRoadResult {
    HANDLE spoolHandle;
    HDC printerDC;
    DEVMODEW* jobDevmode;
};

BOOL RunEmfJob(EmfRoadResult& result, ProcessorJob& job, LPWSTR documentName);
