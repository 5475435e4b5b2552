// Playing one spooled page into its cell: the turn of the page in the cell, the report of the
// placement to the render module, the last-sheet mark and the play itself.
#include "printprocessor/CellPlacement.h"

#include <winppi.h>

#include <utility>

namespace {

constexpr XFORM kIdentity = {1, 0, 0, 1, 0, 0};

bool PlacementReportsWanted(const JobSettingsRecord& s)
{
    return s.driverMargins != 0 || s.marginMode == 1 || s.marginMode == 2 || s.placementReports != 0;
}

// The page count and the page's orientation in its cell entry, for the render module.
bool ReportPage(CNiraEmfJob& job, const DEVMODEW* page, LONG cellNumber)
{
    if (job.pageCount == 0) {
        job.pageCount = static_cast<LONG>(GdiGetPageCount(job.spoolHandle));
    }
    if (job.pageCount == 0) {
        return false;
    }
    job.placement.pageCount = job.pageCount;
    if (cellNumber >= 1 && cellNumber <= static_cast<LONG>(kPageCellCount) && page != nullptr) {
        job.placement.cells[cellNumber - 1].orientation = page->dmOrientation;
    }
    return true;
}

// The preview of output mode 5 is drawn at the preview's own resolution.
void RescaleForPreview(CellPlacement& p)
{
    const CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (s.outputMode != 5 || s.previewEnabled != 1 || job.previewPass == 0 || s.previewNoRescale != 0 ||
        job.devicePrintQuality <= 0) {
        return;
    }
    auto cell = [&](LONG v) {
        return static_cast<LONG>(v * s.previewResolution / job.devicePrintQuality + 0.5);
    };
    auto frame = [&](LONG v) { return v * s.previewResolution / job.devicePrintQuality; };
    RECT& c = p.cellRect;
    c = {cell(c.left), cell(c.top), cell(c.right), cell(c.bottom)};
    RECT& b = p.borderRect;
    b = {frame(b.left), frame(b.top), frame(b.right), frame(b.bottom)};
}

// Turns the page in its cell; false when the transform is refused.
bool TurnPage(CellPlacement& p, const DEVMODEW* page)
{
    RECT& c = p.cellRect;
    bool landscape = page != nullptr && page->dmOrientation == DMORIENT_LANDSCAPE;
    bool portrait = page != nullptr && page->dmOrientation == DMORIENT_PORTRAIT;
    auto halfTurn = [&]() {
        return SetCellTransform(p, TURN_HALF, static_cast<FLOAT>(c.left + c.right),
                                static_cast<FLOAT>(c.top + c.bottom));
    };
    if (p.rotationMode == PLACE_HALF_TURN && p.rotatedCell == 0 && !halfTurn()) {
        return false;
    }
    if (p.rotationMode == PLACE_OTHER_ORIENTATION || p.rotationMode == PLACE_OTHER_ORIENTATION_HALF_TURN) {
        bool turnedSide = p.rotationMode == PLACE_OTHER_ORIENTATION ? landscape : portrait;
        if (p.rotatedCell != 0) {
            p.rotatedCell = 0;
            if (turnedSide && !halfTurn()) {
                return false;
            }
        } else {
            p.rotatedCell = 1;
            if (turnedSide) {
                p.rotationMode = PLACE_UPRIGHT;
            }
        }
    }
    if (p.rotatedCell == 0) {
        return true;
    }
    p.turnedRect = {0, 0, c.bottom - c.top, c.right - c.left};
    if (p.rotationMode == PLACE_UPRIGHT) {
        return SetCellTransform(p, TURN_QUARTER, static_cast<FLOAT>(c.left), static_cast<FLOAT>(c.bottom));
    }
    return SetCellTransform(p, TURN_OPPOSITE_QUARTER, static_cast<FLOAT>(c.right), static_cast<FLOAT>(c.top));
}

// Whether no page follows the group of n pages that holds the page, in the order of printing.
bool OnLastSheet(const CNiraEmfJob& job, LONG page)
{
    LONG n = job.pagesPerSide > 0 ? job.pagesPerSide : 1;
    LONG rest = page % n;
    LONG neighbour = 0;
    if (job.reverseOrder != 0) {
        neighbour = rest == 0 ? page - n : page - rest;
    } else {
        neighbour = rest == 0 ? page + 1 : page + n - rest + 1;
    }
    if (neighbour <= 0) {
        return true;
    }
    DWORD type = 0;
    return GdiGetPageHandle(job.spoolHandle, static_cast<DWORD>(neighbour), &type) == nullptr &&
           GetLastError() == ERROR_NO_MORE_ITEMS;
}

void MarkLastSheet(CNiraEmfJob& job, LONG page, LONG cellNumber)
{
    const JobSettingsRecord& s = job.settings;
    if (s.lastSheetSupported == 0 || s.markLastSheet == 0) {
        return;
    }
    if (cellNumber == 1) {
        job.lastSheetCounted = 0;
    }
    job.placement.lastSheet = 0;
    if (!OnLastSheet(job, page)) {
        return;
    }
    if (job.collate != 0 && s.collateMode == 0) {
        // Collated copies pass the last sheet once per copy: only the last copy's is marked.
        if (job.lastSheetCounted == 0) {
            job.lastSheetCopies += 1;
            job.lastSheetCounted = 1;
        }
        job.placement.lastSheet = job.lastSheetCopies == job.copies ? 1 : 0;
    } else {
        job.placement.lastSheet = 1;
    }
}

constexpr LONG kOutputOverlay = 3;

// The whole sheet turns a quarter: the clip keeps the cell and the cell's edges change places
// as the output mode and the page's orientation ask.
bool TurnSheet(CellPlacement& p, const DEVMODEW* page, RECT& sheetClip, RECT*& clip)
{
    const JobSettingsRecord& s = p.job->settings;
    sheetClip = s.fitToPaper != 0 ? RECT{0, 0, p.printableWidth + 1, p.printableHeight + 1} : p.cellRect;
    clip = &sheetClip;
    bool landscape = page != nullptr && page->dmOrientation == DMORIENT_LANDSCAPE;
    bool portrait = page != nullptr && page->dmOrientation == DMORIENT_PORTRAIT;
    RECT& c = p.cellRect;
    if (s.outputMode == 4 && portrait) {
        // unchanged
    } else if ((s.outputMode == 5 && landscape) || (s.outputMode == 4 && landscape) ||
               (s.outputMode == 5 && portrait)) {
        std::swap(c.bottom, c.right);
        std::swap(c.top, c.left);
    } else {
        std::swap(c.top, c.left);
    }
    p.rotationMode = PLACE_UPRIGHT;
    return SetCellTransform(p, TURN_QUARTER, 0, static_cast<FLOAT>(c.right)) != FALSE;
}

// The play of a placed page: turned, scaled, as a poster, or as it stands.
void PlayPlaced(CellPlacement& p, HANDLE pageHandle, const DEVMODEW* page, LONG pageNumber, RECT* clip)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (p.rotatedCell != 0) {
        GdiPlayPageEMF(p.spoolHandle, pageHandle, &p.turnedRect, &p.borderRect, clip);
    } else if (ScaledPercent(s) && job.pagesPerSide == 1) {
        if (MillimetreMarginsApply(s)) {
            InsetMillimetreMargins(p, p.clipRect);
        }
        GdiPlayPageEMF(p.spoolHandle, pageHandle, &p.cellRect, &p.borderRect, &p.clipRect);
    } else if (s.poster != 0) {
        if (job.placement.lastSheet == 1) {
            job.placement.lastSheet = 0;
            job.SendDriverEscape(ESCAPE_SET_PAGE_PLACEMENT);
            job.posterLastSheetPending = 1;
        }
        PlayPosterTiles(p, pageHandle, page, pageNumber);
    } else {
        RECT inset = clip != nullptr ? *clip : p.cellRect;
        if (MillimetreMarginsApply(s)) {
            InsetMillimetreMargins(p, inset);
            clip = &inset;
        }
        GdiPlayPageEMF(p.spoolHandle, pageHandle, &p.cellRect, &p.borderRect, clip);
    }
}

BOOL Fail(HDC dc)
{
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    return FALSE;
}

}  // namespace

BOOL PlayPageInCell(CellPlacement& p, HANDLE pageHandle, DEVMODEW* pageDevmode, LONG pagesPerSheet,
                    LONG pageNumber, LONG cellNumber, LONG rotationMode)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    ResetPlacement(p, rotationMode);
    if (PlacementReportsWanted(s) && !ReportPage(job, pageDevmode, cellNumber)) {
        return Fail(p.printerDC);
    }
    if (!ComputeCell(p, pageDevmode, pagesPerSheet, pageNumber, cellNumber)) {
        return Fail(p.printerDC);
    }
    RECT* clip = nullptr;
    RescaleForPreview(p);
    if (s.outputMode == 5 && s.previewEnabled == 1 && job.previewPass != 0 && s.previewNoRescale == 0) {
        clip = &p.cellRect;
    }
    if (!TurnPage(p, pageDevmode)) {
        return Fail(p.printerDC);
    }
    if (s.outputMode != kOutputOverlay &&
        !(s.driverScales != 0 ? ApplyScaledPaperWidth(p) : ApplyWorldScale(p))) {
        return Fail(p.printerDC);
    }
    if (job.pagesPerSide != 1) {
        clip = &p.cellRect;
    }
    if (s.driverScales == 0 && pagesPerSheet == 1) {
        ApplySheetFineOffsets(p, pageDevmode);
    }
    OverlayStep(p, pageDevmode, pageNumber, cellNumber, pagesPerSheet);
    bool oddParityPage = s.pageParityMode != 0 && pageNumber % 2 == 1;
    if (!(oddParityPage ? CentreImageOnSheet(p) : ExpandToPrintableArea(p))) {
        return Fail(p.printerDC);
    }
    MarkLastSheet(job, pageNumber, cellNumber);
    job.SendDriverEscape(ESCAPE_SET_PAGE_PLACEMENT);
    RECT sheetClip = {};
    if (s.rotateSheet != 0 && !TurnSheet(p, pageDevmode, sheetClip, clip)) {
        return Fail(p.printerDC);
    }
    PlayPlaced(p, pageHandle, pageDevmode, pageNumber, clip);
    return ModifyWorldTransform(p.printerDC, &kIdentity, MWT_IDENTITY);
}
