#include "printprocessor/PageStrategies.h"

#include <winppi.h>

#include "printprocessor/PageStep.h"

#include <vector>

namespace {

constexpr WORD kShortestPageDevmode = 98;

LONG OtherOrientationMode(LONG mode)
{
    return mode == PLACE_HALF_TURN ? PLACE_OTHER_ORIENTATION_HALF_TURN : PLACE_OTHER_ORIENTATION;
}

// Side state of PrintPlainSheet.
struct SheetWalk {
    LONG page = 1;
    bool finished = false;
};

// One repetition of one side, from the side's first page; false when a call failed.
bool PrintSideCells(StrategyContext& context, SheetWalk& walk, LONG repetition, LONG repetitions)
{
    CNiraEmfJob& job = *context.job;
    LONG n = job.pagesPerSide;
    bool processorLayout = job.nupPages != 1;
    LONG placed = 0;
    SHORT firstOrientation = 0;
    for (LONG cell = 1; cell <= n; ++cell) {
        DWORD type = 0;
        HANDLE pageHandle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(walk.page), &type);
        if (pageHandle == nullptr) {
            if (GetLastError() != ERROR_NO_MORE_ITEMS) {
                return false;
            }
            walk.finished = true;
            break;
        }
        DEVMODEW* devmode = nullptr;
        if (!GetPageDevmode(job, walk.page, &devmode)) {
            return false;
        }
        if (cell == 1) {
            firstOrientation = devmode->dmOrientation;
            if (!PageStep(context, walk.page, 0, job.jobDevmode, devmode, kSheetOther, repetition,
                          repetitions)) {
                return false;
            }
        }
        if ((!processorLayout || cell == 1) && !GdiStartPageEMF(context.spoolHandle)) {
            return false;
        }
        LONG mode = BaseMode(job.settings);
        if (devmode->dmOrientation != firstOrientation) {
            mode = OtherOrientationMode(mode);
        }
        LONG sheetPages = processorLayout ? job.nupPages : 1;
        if (!PlayPageInCell(*context.cellPlacement, pageHandle, devmode, sheetPages, walk.page,
                            processorLayout ? cell : 1, mode)) {
            return false;
        }
        if (!processorLayout && !GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
            return false;
        }
        ++placed;
        ++walk.page;
    }
    if (!processorLayout || placed == 0) {
        // The driver groups n pages per side: blank pages complete a short last group.
        if (walk.finished && placed > 0 && placed < n && n != 1) {
            return EmitBlankPages(context, n - placed);
        }
        return true;
    }
    return GdiEndPageEMF(context.spoolHandle, job.endPageOptimization) != FALSE;
}

// One sheet (both sides when two-sided) from walk.page; false when a call failed.
bool PrintPlainSheet(StrategyContext& context, SheetWalk& walk)
{
    CNiraEmfJob& job = *context.job;
    LONG sides = context.duplex != 0 ? 2 : 1;
    LONG repetitions = RepeatCount(job.settings);
    for (LONG side = 0; side < sides && !walk.finished; ++side) {
        LONG sideStart = walk.page;
        for (LONG r = 0; r < repetitions; ++r) {
            walk.page = sideStart;
            job.ClearPlacement();
            if (!PrintSideCells(context, walk, r, repetitions)) {
                return false;
            }
        }
    }
    if (!walk.finished) {
        DWORD type = 0;
        if (GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(walk.page), &type) == nullptr) {
            if (GetLastError() != ERROR_NO_MORE_ITEMS) {
                return false;
            }
            walk.finished = true;
        }
    }
    return true;
}

bool PrintCollated(StrategyContext& context, const std::vector<LONG>& chunks)
{
    for (LONG chunk : chunks) {
        SetCopies(context, chunk);
        SheetWalk walk;
        while (!walk.finished) {
            PauseCheck(*context.job);
            if (!PrintPlainSheet(context, walk)) {
                return false;
            }
        }
    }
    return true;
}

bool PrintUncollated(StrategyContext& context, const std::vector<LONG>& chunks)
{
    SheetWalk next;
    while (!next.finished) {
        SheetWalk walk;
        for (LONG chunk : chunks) {
            PauseCheck(*context.job);
            SetCopies(context, chunk);
            walk = next;
            if (!PrintPlainSheet(context, walk)) {
                return false;
            }
        }
        next = walk;
    }
    return true;
}

}  // namespace

// Waits while the job is paused; a cancel releases the wait and the loop goes on.
void PauseCheck(const CNiraEmfJob& job)
{
    if ((ReadJobFlags(*job.processorJob) & JOB_FLAG_PAUSED) != 0) {
        WaitForSingleObject(job.processorJob->pauseEvent, INFINITE);
    }
}

LONG RepeatCount(const JobSettingsRecord& s)
{
    if (s.repeatMode != 1 || s.poster != 0) {
        return 1;
    }
    constexpr LONG kNegativeRepeat = 2;
    return s.repeatCount < 0 ? kNegativeRepeat : (s.repeatCount > 0 ? s.repeatCount : 1);
}

LONG BaseMode(const JobSettingsRecord& s)
{
    return s.rotate180 != 0 && s.rotationEnabled != 0 ? PLACE_HALF_TURN : PLACE_UPRIGHT;
}

bool EmitBlankPages(const StrategyContext& context, LONG count)
{
    for (LONG i = 0; i < count; ++i) {
        if (!GdiStartPageEMF(context.spoolHandle) ||
            !GdiEndPageEMF(context.spoolHandle, context.job->endPageOptimization)) {
            return false;
        }
    }
    return true;
}

// The chunks of copies: as many as the device makes at once, then the rest.
std::vector<LONG> CopyChunks(LONG copies, LONG driverCopies)
{
    std::vector<LONG> chunks;
    LONG step = driverCopies > 0 ? driverCopies : 1;
    while (copies > step) {
        chunks.push_back(step);
        copies -= step;
    }
    chunks.push_back(copies);
    return chunks;
}

BOOL GetPageDevmode(const CNiraEmfJob& job, LONG page, DEVMODEW** pageDevmode, DEVMODEW** previous)
{
    DEVMODEW* current = nullptr;
    DEVMODEW* last = nullptr;
    if (page <= 0 || !GdiGetDevmodeForPage(job.spoolHandle, static_cast<DWORD>(page), &current, &last) ||
        current == nullptr || current->dmSize < kShortestPageDevmode) {
        return FALSE;
    }
    if (previous != nullptr) {
        if (last != nullptr && last->dmSize < kShortestPageDevmode) {
            return FALSE;
        }
        *previous = last;
    }
    *pageDevmode = current;
    return TRUE;
}

BOOL SetCopies(StrategyContext& context, LONG n)
{
    DEVMODEW* devmode = context.pageDevmode;
    if (devmode == nullptr) {
        return FALSE;
    }
    if ((devmode->dmFields & DM_COPIES) != 0 && devmode->dmCopies == n) {
        return TRUE;
    }
    DWORD fields = devmode->dmFields;
    devmode->dmFields |= DM_COPIES;
    devmode->dmCopies = static_cast<SHORT>(n);
    BOOL reset = GdiResetDCEMF(context.spoolHandle, devmode);
    devmode->dmFields = fields;
    return reset && SetGraphicsMode(context.printerDC, GM_ADVANCED) != 0;
}

BOOL PrintPlainPages(StrategyContext& context)
{
    const CNiraEmfJob& job = *context.job;
    std::vector<LONG> chunks = CopyChunks(job.copies, job.driverCopies);
    return context.collate != 0 ? PrintCollated(context, chunks) : PrintUncollated(context, chunks);
}
