#include "printprocessor/PageStrategies.h"

#include <winppi.h>

#include "printprocessor/PageStep.h"

#include <vector>

namespace {

// The page steps read and write the page's DEVMODE up to its last public field, in place: a page
// whose DEVMODE is shorter (GDI records the DEVMODE the driver completed, so only a damaged spool
// file holds one) is refused rather than read and written past its end.
constexpr WORD kShortestPageDevmode = sizeof(DEVMODEW);
constexpr LONG kNegativeRepeat = 2;

void ResetTo(const StrategyContext& context, DEVMODEW* devmode)
{
    GdiResetDCEMF(context.spoolHandle, devmode);
    SetGraphicsMode(context.printerDC, GM_ADVANCED);
}

// Side state of PrintPlainSheet.
struct SheetWalk {
    LONG page = 1;
    bool finished = false;
    LONG cell = 1;  // the cell at which the last side stopped
};

// Blank pages after the last page of a two-sided document, unless the driver skips them.
bool PrintBlankBack(StrategyContext& context, LONG page, LONG cell, LONG sidesLeft, LONG n)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    LONG skip = n < page - 1 ? s.skipLastBlankBack : s.skipLastBlankBackSingle;
    if (skip != 0 || !((cell == 1 && sidesLeft == 1) || (cell != 1 && sidesLeft == 2))) {
        return true;
    }
    return job.EmitBlankPages(BlankSidePages(job));
}

// One repetition of one side, from the side's first page; false when a call failed.
bool PrintSideCells(StrategyContext& context, SheetWalk& walk, LONG repetition, LONG repetitions,
                    bool& marked, DEVMODEW*& sidePage)
{
    CNiraEmfJob& job = *context.job;
    LONG n = job.pagesPerSide;
    bool processorLayout = job.nupPages != 1;
    SHORT firstOrientation = 0;
    LONG cell = 1;
    for (; cell <= n; ++cell) {
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
            sidePage = devmode;
            LONG kind = job.settings.specialPages != 0 ? SheetKindOf(job, walk.page, context.duplex != 0)
                                                       : kSheetOther;
            if (!PageStep(context, walk.page, 0, job.jobDevmode, devmode, kind, repetition, repetitions)) {
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
        if (!PlayPageInCell(*context.cellPlacement, pageHandle, devmode, processorLayout ? job.nupPages : 1,
                            walk.page, processorLayout ? cell : 1, mode)) {
            return false;
        }
        if (!processorLayout && !GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
            return false;
        }
        ++walk.page;
    }
    walk.cell = cell;
    if (!processorLayout || cell == 1) {
        // The driver groups n pages per side: blank pages complete a short last group.
        if (walk.finished && cell > 1 && cell <= n && n != 1) {
            return job.EmitBlankPages(n - cell + 1);
        }
        return true;
    }
    if (job.mixedOrientation != 0 && !marked) {
        marked = true;
        job.MarkMixedOrientation(sidePage);
    }
    return GdiEndPageEMF(context.spoolHandle, job.endPageOptimization) != FALSE;
}

// The blank back that closes a two-sided document printed beyond its first side.
bool CloseTwoSidedDocument(StrategyContext& context, const SheetWalk& walk, LONG side, LONG sides,
                           LONG repetitions)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    DWORD type = 0;
    bool previewRule = s.previewEnabled == 0 || (s.previewEnabled == 1 && job.previewPass == 0);
    if (!walk.finished || context.duplex == 0 || !previewRule ||
        GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(job.pagesPerSide + 1), &type) == nullptr) {
        return true;
    }
    DEVMODEW* before = nullptr;
    for (LONG r = 0; r < repetitions; ++r) {
        if (r + 1 < repetitions && GetPageDevmode(job, walk.page - 1, &before) &&
            ApplyRepetitionSettings(context, before, r, repetitions)) {
            ResetTo(context, before);
        }
        if (!PrintBlankBack(context, walk.page, walk.cell, sides - side, job.pagesPerSide)) {
            return false;
        }
    }
    return true;
}

// One sheet (both sides when two-sided) from walk.page; false when a call failed.
bool PrintPlainSheet(StrategyContext& context, SheetWalk& walk)
{
    CNiraEmfJob& job = *context.job;
    LONG sides = context.duplex != 0 ? 2 : 1;
    LONG repetitions = RepeatCount(job.settings);
    for (LONG side = 0; side < sides; ++side) {
        if (walk.finished) {
            return true;
        }
        LONG sideStart = walk.page;
        bool marked = false;
        for (LONG r = 0; r < repetitions; ++r) {
            walk.page = sideStart;
            job.ClearPlacement();
            DEVMODEW* sidePage = nullptr;
            if (!PrintSideCells(context, walk, r, repetitions, marked, sidePage) ||
                !SendPendingBlankBack(context, sidePage)) {
                return false;
            }
        }
        if (!CloseTwoSidedDocument(context, walk, side, sides, repetitions)) {
            return false;
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

bool SpecialCover(const JobSettingsRecord& s, LONG cover)
{
    return s.specialPages != 0 && cover != 0;
}

bool PrintCollated(StrategyContext& context, const std::vector<LONG>& chunks)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    SkipFlagsByChunk skipFlags(job);
    for (size_t chunk = 0; chunk < chunks.size(); ++chunk) {
        skipFlags.BeforeChunk(chunk + 1 == chunks.size());
        SetCopies(context, chunks[chunk]);
        if (SpecialCover(s, s.frontCover)) {
            PrintFrontCover(context, 1);
        }
        SheetWalk walk;
        while (!walk.finished) {
            PauseCheck(job);
            if (!PrintPlainSheet(context, walk)) {
                return false;
            }
        }
        if (SpecialCover(s, s.backCover)) {
            PrintBackCover(context, 1);
        }
    }
    return true;
}

bool PrintUncollated(StrategyContext& context, const std::vector<LONG>& chunks)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (SpecialCover(s, s.frontCover)) {
        PrintFrontCover(context, job.copies);
    }
    SheetWalk next;
    while (!next.finished) {
        SheetWalk walk;
        for (LONG chunk : chunks) {
            PauseCheck(job);
            SetCopies(context, chunk);
            walk = next;
            if (!PrintPlainSheet(context, walk)) {
                return false;
            }
        }
        next = walk;
    }
    if (SpecialCover(s, s.backCover)) {
        PrintBackCover(context, job.copies);
    }
    return true;
}

}  // namespace

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
    return s.repeatCount < 0 ? kNegativeRepeat : (s.repeatCount > 0 ? s.repeatCount : 1);
}

LONG BaseMode(const JobSettingsRecord& s)
{
    return s.rotate180 != 0 && s.rotationEnabled != 0 ? PLACE_HALF_TURN : PLACE_UPRIGHT;
}

LONG OtherOrientationMode(LONG mode)
{
    return mode == PLACE_HALF_TURN ? PLACE_OTHER_ORIENTATION_HALF_TURN : PLACE_OTHER_ORIENTATION;
}

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

LONG BlankSidePages(const CNiraEmfJob& job)
{
    return job.nupPages == 1 ? job.pagesPerSide : 1;
}

LONG SheetKindOf(const CNiraEmfJob& job, LONG page, bool twoSided)
{
    LONG n = job.pagesPerSide > 0 ? job.pagesPerSide : 1;
    if (page <= (twoSided ? 2 * n : n)) {
        return kSheetFirst;
    }
    if (job.settings.lastSheetSpecial == 0) {
        return kSheetOther;
    }
    LONG count = job.pageCount;
    if (!twoSided) {
        return (count - page) / n == 0 ? kSheetLast : kSheetOther;
    }
    LONG sheetPages = 2 * n;
    LONG lastSheet = count % sheetPages == 0 ? count / sheetPages - 1 : count / sheetPages;
    return page >= lastSheet * sheetPages + 1 ? kSheetLast : kSheetOther;
}

SkipFlagsByChunk::SkipFlagsByChunk(CNiraEmfJob& job)
    : m_job(job), m_single(job.settings.skipLastBlankBackSingle), m_other(job.settings.skipLastBlankBack)
{}

void SkipFlagsByChunk::BeforeChunk(bool last)
{
    JobSettingsRecord& s = m_job.settings;
    if (!last) {
        s.skipLastBlankBackSingle = 0;
        s.skipLastBlankBack = 0;
        return;
    }
    s.skipLastBlankBackSingle = m_job.copies >= 2 ? m_other : m_single;
    s.skipLastBlankBack = m_other;
}

bool SendPendingBlankBack(StrategyContext& context, DEVMODEW* page)
{
    CNiraEmfJob& job = *context.job;
    if (job.blankBackPending != 1) {
        return true;
    }
    bool sent = job.EmitBlankPages(BlankSidePages(job));
    if (context.pageDevmode != nullptr) {
        context.pageDevmode->dmDuplex = DMDUP_SIMPLEX;
    }
    DEVMODEW* reset = page != nullptr ? page : context.pageDevmode;
    if (reset != nullptr) {
        reset->dmDuplex = DMDUP_SIMPLEX;
        ResetTo(context, reset);
    }
    job.blankBackPending = 0;
    return sent;
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
