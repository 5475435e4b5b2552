#include "printprocessor/EmfRoad.h"
#include "printprocessor/PreviewHandOff.h"

#include <winppi.h>
#include <winspool.h>

#include "printprocessor/EmfJob.h"
#include "printprocessor/PageStrategies.h"

namespace {

constexpr WORD kShortestJobDevmode = 98;

// The printer's own DEVMODE when the job brought none, through winspool.drv as an application
// would ask for it.
DEVMODEW* FetchPrinterDevmode(LPWSTR printerName)
{
    using OpenPrinterProc = BOOL(WINAPI*)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW);
    using ClosePrinterProc = BOOL(WINAPI*)(HANDLE);
    using DocumentPropertiesProc = LONG(WINAPI*)(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW, DWORD);
    HMODULE library = LoadLibraryW(TEXT("winspool.drv"));
    if (library == nullptr) {
        return nullptr;
    }
    auto openPrinter =
        reinterpret_cast<OpenPrinterProc>(reinterpret_cast<void*>(GetProcAddress(library, "OpenPrinterW")));
    auto closePrinter =
        reinterpret_cast<ClosePrinterProc>(reinterpret_cast<void*>(GetProcAddress(library, "ClosePrinter")));
    auto documentProperties = reinterpret_cast<DocumentPropertiesProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "DocumentPropertiesW")));
    DEVMODEW* devmode = nullptr;
    HANDLE printer = nullptr;
    if (openPrinter != nullptr && closePrinter != nullptr && documentProperties != nullptr &&
        openPrinter(printerName, &printer, nullptr)) {
        LONG size = documentProperties(nullptr, printer, printerName, nullptr, nullptr, 0);
        if (size >= static_cast<LONG>(kShortestJobDevmode)) {
            devmode =
                static_cast<DEVMODEW*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, static_cast<SIZE_T>(size)));
        }
        if (devmode != nullptr &&
            documentProperties(nullptr, printer, printerName, devmode, nullptr, DM_OUT_BUFFER) < 0) {
            GlobalFree(devmode);
            devmode = nullptr;
        }
        closePrinter(printer);
    }
    FreeLibrary(library);
    return devmode;
}

// The job's DEVMODE with a whole public part: one of an older or shorter size gets the fields it
// lacks as zero, its private bytes after them, so that every field the job reads or writes lies
// inside the copy.
DEVMODEW* CopyJobDevmode(const DEVMODEW* devmode)
{
    const SIZE_T publicSize = devmode->dmSize < sizeof(DEVMODEW) ? sizeof(DEVMODEW) : devmode->dmSize;
    auto* copy =
        static_cast<DEVMODEW*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, publicSize + devmode->dmDriverExtra));
    if (copy != nullptr) {
        const auto* bytes = reinterpret_cast<const BYTE*>(devmode);
        CopyMemory(copy, bytes, devmode->dmSize);
        CopyMemory(reinterpret_cast<BYTE*>(copy) + publicSize, bytes + devmode->dmSize,
                   devmode->dmDriverExtra);
        copy->dmSize = static_cast<WORD>(publicSize);
    }
    return copy;
}

// The strategy of the pass.
BOOL RunStrategy(CNiraEmfJob& job)
{
    const JobSettingsRecord& s = job.settings;
    StrategyContext context;
    context.job = &job;
    context.spoolHandle = job.spoolHandle;
    context.printerDC = job.printerDC;
    context.pageDevmode = job.pageDevmode;
    context.duplex = job.duplex;
    context.collate = job.collate;
    context.pageCount = job.pageCount;
    CellPlacement placement;
    placement.job = &job;
    placement.spoolHandle = job.spoolHandle;
    placement.printerDC = job.printerDC;
    context.cellPlacement = &placement;
    BOOL result = FALSE;
    if (s.booklet != 0) {
        result = PrintBookletPages(context);
    } else if (job.reverseOrder != 0 || s.manualDuplex != 0) {
        result = PrintNupPages(context);
    } else if (job.pagesPerSide == 1 || s.nupDirection == 0) {
        result = PrintPlainPages(context);
    } else {
        result = PrintNupPages(context);
    }
    if (placement.posterPen != nullptr) {
        // The cut-line pen is still selected: the DC takes its stock pen back first.
        SelectObject(job.printerDC, GetStockObject(BLACK_PEN));
        DeleteObject(placement.posterPen);
    }
    return result;
}

// Runs the passes over the started document; false when one fails.
bool RunPasses(CNiraEmfJob& job, HANDLE spool, HDC dc)
{
    for (LONG pass = 0; pass < 1 + (job.settings.previewEnabled == 1 ? 1 : 0); ++pass) {
        if (!job.StartPass(spool, dc)) {
            return false;
        }
        if (!RunStrategy(job)) {
            return false;
        }
        if (job.settings.previewEnabled == 1 && job.previewPass == 1) {
            // The next pass prints what the user has seen.
            job.previewPass = 0;
            if (!RequestPrintPreview(job)) {
                return false;
            }
        }
    }
    return true;
}

// Runs the job on its spool file once the DEVMODE is known; the document is ended when started.
BOOL PlaySpoolFile(EmfRoadResult& result, ProcessorJob& processorJob, LPWSTR documentName, CNiraEmfJob& job)
{
    result.spoolHandle = GdiGetSpoolFileHandle(processorJob.printerName, result.jobDevmode, documentName);
    if (result.spoolHandle == nullptr) {
        return FALSE;
    }
    job.spoolHandle = result.spoolHandle;
    result.printerDC = GdiGetDC(result.spoolHandle);
    XFORM world = {};
    if (result.printerDC == nullptr || SetGraphicsMode(result.printerDC, GM_ADVANCED) == 0 ||
        !GetWorldTransform(result.printerDC, &world)) {
        return FALSE;
    }
    job.printerDC = result.printerDC;
    DOCINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = documentName;
    info.lpszOutput = processorJob.outputFile;
    if (!GdiStartDocEMF(result.spoolHandle, &info)) {
        return FALSE;
    }
    bool printed = RunPasses(job, result.spoolHandle, result.printerDC);
    DWORD error = GetLastError();
    BOOL ended = GdiEndDocEMF(result.spoolHandle);
    if (!printed) {
        SetLastError(error);
        return FALSE;
    }
    return ended;
}

}  // namespace

BOOL RunEmfJob(EmfRoadResult& result, ProcessorJob& processorJob, LPWSTR documentName)
{
    if (processorJob.devmode != nullptr && processorJob.devmode->dmSize < kShortestJobDevmode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    result.jobDevmode = processorJob.devmode != nullptr ? CopyJobDevmode(processorJob.devmode)
                                                        : FetchPrinterDevmode(processorJob.printerName);
    if (result.jobDevmode == nullptr) {
        if (GetLastError() == ERROR_SUCCESS) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return FALSE;
    }
    if (result.jobDevmode->dmSize < kShortestJobDevmode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CNiraEmfJob job(&processorJob, result.jobDevmode);
    BOOL printed = job.QueryJobAttributes() ? PlaySpoolFile(result, processorJob, documentName, job) : FALSE;
    DWORD error = printed ? 0 : GetLastError();
    job.Release();
    if (result.spoolHandle != nullptr) {
        GdiDeleteSpoolFileHandle(result.spoolHandle);
    }
    SetLastError(error);
    return printed;
}
