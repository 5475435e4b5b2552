#include "printprocessor/EmfRoad.h"
#include "printprocessor/PreviewHandOff.h"

#include <winppi.h>

#include "printprocessor/EmfJob.h"
#include "printprocessor/PageStrategies.h"

namespace {

constexpr WORD kShortestJobDevmode = 98;

DEVMODEW* CopyJobDevmode(const DEVMODEW* devmode)
{
    SIZE_T size = static_cast<SIZE_T>(devmode->dmSize) + devmode->dmDriverExtra;
    auto* copy = static_cast<DEVMODEW*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (copy != nullptr) {
        CopyMemory(copy, devmode, size);
    }
    return copy;
}

// The strategy of the pass; the orders not built here fail the pass visibly.
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
    bool plain = s.booklet == 0 && job.reverseOrder == 0 && s.manualDuplex == 0 &&
                 (job.pagesPerSide == 1 || s.nupDirection == 0);
    BOOL result = FALSE;
    if (s.booklet != 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
    } else if (plain) {
        result = PrintPlainPages(context);
    } else {
        result = PrintNupPages(context);
    }
    if (placement.posterPen != nullptr) {
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
    if (processorJob.devmode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    result.jobDevmode = CopyJobDevmode(processorJob.devmode);
    if (result.jobDevmode == nullptr) {
        return FALSE;
    }
    if (result.jobDevmode->dmSize < kShortestJobDevmode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CNiraEmfJob job(&processorJob, result.jobDevmode);
    BOOL printed = job.QueryJobAttributes() ? PlaySpoolFile(result, processorJob, documentName, job) : FALSE;
    DWORD error = printed ? 0 : GetLastError();
    job.spoolHandle = nullptr;
    job.pageDevmode = nullptr;
    if (result.spoolHandle != nullptr) {
        GdiDeleteSpoolFileHandle(result.spoolHandle);
    }
    SetLastError(error);
    return printed;
}
