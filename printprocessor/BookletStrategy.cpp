// Booklets: the pages in the order that folds into a booklet, two pages a side, four a sheet.
#include "printprocessor/PageStrategies.h"

#include <winppi.h>

#include "printprocessor/PageStep.h"

namespace {

constexpr LONG kPagesPerBookletSheet = 4;
constexpr LONG kBookletSidePages = 2;
constexpr LONG kLongEdge = 1;
constexpr LONG kOutputModeReports = 3;

// The pages of booklet sheet i of a document rounded up to d pages.
BookletSheet BookletSheetPages(const CNiraEmfJob& job, LONG i, LONG d)
{
    LONG b = 2 * i + 1;
    LONG a = d - b;
    LONG c = b + 1;
    bool longEdge = job.duplexKind == kLongEdge;
    bool reverse = job.reverseOrder != 0;
    BookletSheet sheet = {};
    LONG* p = sheet.pages;
    if (job.settings.booklet == 1) {
        if (!reverse) {
            p[0] = a + 1, p[1] = b, p[2] = longEdge ? a : c, p[3] = longEdge ? c : a;
        } else {
            p[0] = c, p[1] = a, p[2] = longEdge ? b : a + 1, p[3] = longEdge ? a + 1 : b;
        }
    } else {
        if (!reverse) {
            p[0] = b, p[1] = a + 1, p[2] = longEdge ? c : a, p[3] = longEdge ? a : c;
        } else {
            p[0] = a, p[1] = c, p[2] = longEdge ? a + 1 : b, p[3] = longEdge ? b : a + 1;
        }
    }
    sheet.reference = i == 0 ? 1 : (job.pageCount < p[0] ? job.pageCount : p[0]);
    return sheet;
}

// The turn of a booklet page: long-edge backs turn the other way round.
LONG BookletMode(const StrategyContext& context, const DEVMODEW& page, const DEVMODEW& sheet, LONG index)
{
    const CNiraEmfJob& job = *context.job;
    bool same = page.dmOrientation == sheet.dmOrientation;
    if (job.settings.manualDuplex != 0) {
        bool flip = ManualFlip(context);
        if (same) {
            return flip ? PLACE_HALF_TURN : PLACE_UPRIGHT;
        }
        return flip ? PLACE_OTHER_ORIENTATION_HALF_TURN : PLACE_OTHER_ORIENTATION;
    }
    if (job.duplexKind == kLongEdge && index > 1) {
        return same ? PLACE_OPPOSITE_TURN : PLACE_OTHER_ORIENTATION_HALF_TURN;
    }
    return same ? PLACE_UPRIGHT : PLACE_OTHER_ORIENTATION;
}

// The page orientations the render module learns with the placement of a reported booklet cell.
void SetPlacementExtras(CNiraEmfJob& job, const LONG* pages, LONG index)
{
    const JobSettingsRecord& s = job.settings;
    bool manual = s.manualDuplex != 0;
    if (s.outputMode != kOutputModeReports || s.cellReports == 0 || index < 1 || index > (manual ? 1 : 3)) {
        return;
    }
    LONG follower = manual ? index : index + 1;
    if (pages[index - 1] > job.pageCount ||
        (job.reverseOrder == 0 &&
         (follower > kPagesPerBookletSheet || pages[follower - 1] > job.pageCount))) {
        return;
    }
    DEVMODEW* devmode = nullptr;
    job.placement.orientation = GetPageDevmode(job, pages[index - 1], &devmode) ? devmode->dmOrientation : 0;
    if (manual) {
        job.placement.bookletPages[0] = pages[0];
        job.placement.bookletPages[1] = pages[1];
    }
}

bool PrintBookletSide(StrategyContext& context, const DEVMODEW& sheet, const LONG* pages, LONG start,
                      LONG kind)
{
    CNiraEmfJob& job = *context.job;
    job.ClearPlacement();
    LONG repetitions = RepeatCount(job.settings);
    DEVMODEW* devmode = nullptr;
    for (LONG r = 0; r < repetitions; ++r) {
        LONG index = start;
        bool stepped = false;
        for (LONG j = 1; j <= kBookletSidePages; ++j, ++index) {
            LONG p = pages[index];
            DWORD type = 0;
            HANDLE handle = nullptr;
            if (p <= job.pageCount) {
                handle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(p), &type);
                if (handle == nullptr) {
                    return false;
                }
            }
            if (j == 1 && !GdiStartPageEMF(context.spoolHandle)) {
                return false;
            }
            if (p > job.pageCount) {
                continue;
            }
            if (!GetPageDevmode(job, p, &devmode)) {
                return false;
            }
            if (!stepped &&
                !PageStep(context, p, j != 1, context.pageDevmode, devmode, kind, r, repetitions)) {
                return false;
            }
            stepped = true;
            SetPlacementExtras(job, pages, index);
            if (!PlayPageInCell(*context.cellPlacement, handle, devmode, kBookletSidePages, p, j,
                                BookletMode(context, *devmode, sheet, index))) {
                return false;
            }
        }
        if (!GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
            return false;
        }
    }
    return SendPendingBlankBack(context, devmode);
}

}  // namespace

bool PrintBookletSheet(StrategyContext& context, const BookletSheet& pages, LONG kind)
{
    CNiraEmfJob& job = *context.job;
    DEVMODEW* sheet = nullptr;
    if (!GetPageDevmode(job, pages.reference, &sheet)) {
        return false;
    }
    if (!PrintBookletSide(context, *sheet, pages.pages, 0, kind)) {
        return false;
    }
    if (context.duplex == 0) {
        return true;
    }
    DWORD type = 0;
    bool onePage = job.pageCount == 1 && job.settings.skipLastBlankBackSingle != 0 && job.reverseOrder == 0 &&
                   GdiGetPageHandle(context.spoolHandle, 2, &type) == nullptr;
    return onePage || PrintBookletSide(context, *sheet, pages.pages, kBookletSidePages, kind);
}

namespace {

LONG BookletSheetKind(const CNiraEmfJob& job, LONG i, LONG sheets)
{
    if (i == 0) {
        return kSheetFirst;
    }
    return i == sheets - 1 && job.settings.lastSheetSpecial != 0 ? kSheetLast : kSheetOther;
}

}  // namespace

BOOL PrintBookletPages(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (s.manualDuplex != 0) {
        context.duplex = 0;
        return PrintManualDuplexBooklet(context);
    }
    if (job.pageCount == 0) {
        job.pageCount = static_cast<LONG>(GdiGetPageCount(context.spoolHandle));
    }
    LONG d = (job.pageCount + kPagesPerBookletSheet - 1) / kPagesPerBookletSheet * kPagesPerBookletSheet;
    LONG sheets = d / kPagesPerBookletSheet;
    job.bookletSheetCount = sheets;
    std::vector<LONG> chunks = CopyChunks(job.copies, job.driverCopies);
    bool frontCover = s.specialPages != 0 && s.frontCover != 0;
    if (job.collate == 0) {
        if (frontCover) {
            PrintFrontCover(context, job.copies);
        }
        for (LONG i = 0; i < sheets; ++i) {
            for (LONG chunk : chunks) {
                PauseCheck(job);
                SetCopies(context, chunk);
                if (!PrintBookletSheet(context, BookletSheetPages(job, i, d),
                                       BookletSheetKind(job, i, sheets))) {
                    return FALSE;
                }
            }
        }
        return TRUE;
    }
    for (LONG chunk : chunks) {
        SetCopies(context, chunk);
        if (frontCover) {
            PrintFrontCover(context, 1);
        }
        for (LONG i = 0; i < sheets; ++i) {
            PauseCheck(job);
            if (!PrintBookletSheet(context, BookletSheetPages(job, i, d), BookletSheetKind(job, i, sheets))) {
                return FALSE;
            }
        }
    }
    return TRUE;
}
