// Two-sided fine offsets: small shifts of a page's cell, in fractions of the driver's horizontal
// margin, that keep what is printed on the front and the back of a sheet over each other. The
// driver's setting 2047 in the page's private section tells how far the printer moves the paper
// when it turns it (above 100: the long travel).
#include "printprocessor/CellPlacement.h"
#include "printprocessor/PrivateBlockEdit.h"

namespace {

constexpr LONG kLongTravel = 100;
constexpr LONG kPostcardQuality = 1200;
constexpr LONG kPostcardWidthSingle = 4728;
constexpr LONG kPostcardWidthDouble = 9444;
constexpr LONG kPostcardHeight = 6996;

// Factors of the margin taken onto each edge of the cell.
struct EdgeShift {
    double left;
    double top;
    double right;
    double bottom;
};

// How the driver places its margins: the columns of the n-up table.
enum MarginCase { kCaseAlpha, kCaseBeta, kCaseGamma, kCaseDelta };

// When a row of the n-up table holds; the first row that holds wins.
enum class When {
    kAlways,
    kFlagOne,     // the page settings' margin flag is 1
    kLongOnly,    // long travel with the margin flag 0
    kLongOrFlag,  // long travel, or a margin flag other than 0
};

struct FineRow {
    bool groupA;
    LONG pages;
    MarginCase margins;
    When when;
    EdgeShift shift;
};

// Group A: a landscape page at 4 pages a sheet, or a portrait page at 2 or 6; group B the others.
constexpr FineRow kNupRows[] = {
    {true, 2, kCaseAlpha, When::kAlways, {0, 0, 0, -6.3}},
    {true, 2, kCaseBeta, When::kAlways, {0, 0, 1, -3}},
    {true, 2, kCaseGamma, When::kFlagOne, {0, 0, 0, -6.3}},
    {true, 2, kCaseGamma, When::kLongOrFlag, {0, 0, 0, -0.3}},
    {true, 2, kCaseGamma, When::kAlways, {0, 0, 0, -0.1}},
    {true, 2, kCaseDelta, When::kAlways, {-2.5, 0.2, 2, 0.2}},
    {true, 4, kCaseAlpha, When::kFlagOne, {-0.5, 0, -6.4, 0}},
    {true, 4, kCaseAlpha, When::kAlways, {5.8, 0, 0.5, 0}},
    {true, 4, kCaseBeta, When::kAlways, {0, 0, -1.5, 0}},
    {true, 4, kCaseGamma, When::kFlagOne, {-0.4, -0.3, 0.5, 0.3}},
    {true, 4, kCaseGamma, When::kAlways, {-0.1, -0.2, 0.5, 0.4}},
    {true, 4, kCaseDelta, When::kAlways, {-0.3, -0.3, 0.4, 0.3}},
    {true, 6, kCaseAlpha, When::kLongOnly, {0, -1.8, 0, -4.3}},
    {true, 6, kCaseAlpha, When::kAlways, {0, -1.8, 0, -5}},
    {true, 6, kCaseBeta, When::kAlways, {0, 0, 0, -2}},
    {true, 6, kCaseGamma, When::kFlagOne, {0, -1.8, 0, -5}},
    {true, 6, kCaseGamma, When::kAlways, {-1, -0.9, 1.1, -0.3}},
    {true, 6, kCaseDelta, When::kAlways, {0, -0.25, 0.2, 0.25}},
    {false, 2, kCaseAlpha, When::kFlagOne, {0, 0, -5.7, 0}},
    {false, 2, kCaseAlpha, When::kAlways, {5.5, 0, 0, 0}},
    {false, 2, kCaseBeta, When::kAlways, {0, 0, -2.1, 0}},
    {false, 2, kCaseGamma, When::kAlways, {0.1, 0, 0, 0}},
    {false, 2, kCaseDelta, When::kAlways, {0, -0.25, 0, 0.75}},
    {false, 4, kCaseAlpha, When::kLongOnly, {0, -0.2, 0, -5}},
    {false, 4, kCaseAlpha, When::kAlways, {0, -0.5, 0, -7}},
    {false, 4, kCaseBeta, When::kAlways, {0, -0.5, 0, -2}},
    {false, 4, kCaseGamma, When::kFlagOne, {0, -0.5, 0, -7}},
    {false, 4, kCaseGamma, When::kLongOrFlag, {-1, -1.5, 1, 0.5}},
    {false, 4, kCaseGamma, When::kAlways, {-1, -1.5, 1, 2}},
    {false, 4, kCaseDelta, When::kAlways, {-0.5, -0.75, 1, 2}},
    {false, 6, kCaseAlpha, When::kFlagOne, {-2, 0, -5, 0}},
    {false, 6, kCaseAlpha, When::kAlways, {4, 0, 1.5, 0}},
    {false, 6, kCaseBeta, When::kAlways, {0, 0, -2, 0}},
    {false, 6, kCaseGamma, When::kFlagOne, {0.2, -0.2, 0.2, 0.4}},
    {false, 6, kCaseGamma, When::kLongOnly, {0.03, -0.2, 0.3, 0.4}},
    {false, 6, kCaseGamma, When::kAlways, {0.2, -0.2, 0.3, 0.4}},
    {false, 6, kCaseDelta, When::kAlways, {0, -0.25, 0.1, 0.25}},
};

bool Holds(When when, bool longTravel, LONG marginFlag)
{
    switch (when) {
    case When::kFlagOne:
        return marginFlag == 1;
    case When::kLongOnly:
        return longTravel && marginFlag == 0;
    case When::kLongOrFlag:
        return longTravel || marginFlag != 0;
    case When::kAlways:
    default:
        return true;
    }
}

MarginCase MarginCaseOf(const JobSettingsRecord& s)
{
    if (s.marginMode == 1) {
        return s.marginVariant == 1 ? kCaseAlpha : s.marginVariant == 0 ? kCaseBeta : kCaseDelta;
    }
    return s.marginVariant == 1 ? kCaseGamma : kCaseDelta;
}

bool Landscape(const DEVMODEW* page)
{
    return page != nullptr && page->dmOrientation == DMORIENT_LANDSCAPE;
}

// Each factor times the margin, truncated, onto its edge.
void Shift(RECT& cell, const EdgeShift& shift, LONG margin)
{
    cell.left += static_cast<LONG>(shift.left * margin);
    cell.top += static_cast<LONG>(shift.top * margin);
    cell.right += static_cast<LONG>(shift.right * margin);
    cell.bottom += static_cast<LONG>(shift.bottom * margin);
}

// Whether the driver's paper travel on turning the sheet is the long one.
bool LongTravel(const CNiraEmfJob& job, DEVMODEW* page)
{
    LPCWSTR printer = job.processorJob != nullptr ? job.processorJob->printerName : nullptr;
    if (printer == nullptr) {
        return false;
    }
    PrivateBlockEdit edit(printer, page);
    return edit.Int(kDuplexOffsetSetting) > kLongTravel;
}

// A postcard sheet at the job's print quality, measured at 1200 dpi.
bool PostcardSheet(const CNiraEmfJob& job)
{
    LONG quality = job.jobDevmode != nullptr ? job.jobDevmode->dmPrintQuality : 0;
    if (quality <= 0) {
        return false;
    }
    LONG factor = kPostcardQuality / quality;
    auto width = static_cast<float>(job.placement.physicalWidth * factor);
    auto height = static_cast<float>(job.placement.physicalHeight * factor);
    return (width == static_cast<float>(kPostcardWidthSingle) ||
            width == static_cast<float>(kPostcardWidthDouble)) &&
           height == static_cast<float>(kPostcardHeight);
}

// Sheets of a job with both orientations shift every cell by the page in the sheet's first cell.
void ShiftMixedCell(CellPlacement& p, const DEVMODEW* page, LONG pagesPerSheet, LONG cellIndex)
{
    CNiraEmfJob& job = *p.job;
    if (cellIndex == 0 && page != nullptr) {
        job.cellOneOrientation = page->dmOrientation;
    }
    bool landscape = job.cellOneOrientation == DMORIENT_LANDSCAPE;
    EdgeShift shift = {};
    switch (pagesPerSheet) {
    case 2:
        shift = landscape ? EdgeShift{1, 0, -2.2, 0} : EdgeShift{0, 1, 0, -2.2};
        break;
    case 4:
        shift = landscape ? EdgeShift{-0.5, 0, -6.8, 0} : EdgeShift{0, -0.5, 0, -6.8};
        break;
    case 6:
        shift = landscape ? EdgeShift{-0.2, 0, -1.5, 0} : EdgeShift{0, 0.2, 0, -1.5};
        break;
    default:
        return;
    }
    Shift(p.cellRect, shift, job.pageSettings.marginX);
}

}  // namespace

bool FitsOneSheet(const CNiraEmfJob& job)
{
    return job.duplex != 0 && (job.settings.booklet == 0 || job.pageCount == 1) &&
           (job.pageCount <= job.nupPages || job.pageCount == 1);
}

bool ManualDuplexMargins(const JobSettingsRecord& s)
{
    return s.manualDuplex != 0 && s.marginMode == 1 && s.marginVariant == 1;
}

void ApplySheetFineOffsets(CellPlacement& p, DEVMODEW* pageDevmode)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    LONG m = job.pageSettings.marginX;
    bool landscape = Landscape(pageDevmode);
    RECT& cell = p.cellRect;
    if (job.duplex != 0 && !FitsOneSheet(job) && !PostcardSheet(job) && !ManualDuplexMargins(s) &&
        job.mixedOrientation == 0 && s.marginMode != 2) {
        bool longTravel = LongTravel(job, pageDevmode);
        if (job.pageSettings.marginFlag == 1) {
            Shift(cell, longTravel ? EdgeShift{0, 0, 0.5, 0} : EdgeShift{0.7, 0, 0.3, 0}, m);
        } else if (!longTravel) {
            Shift(cell, EdgeShift{0, 0, 0, -2.5}, m);
        } else if (landscape) {
            Shift(cell, EdgeShift{0, 0, 0.2, 0}, m);
        }
    } else if (ManualDuplexMargins(s)) {
        Shift(cell, landscape ? EdgeShift{0, 0, 1.5, 0} : EdgeShift{0, 0, 0, 5.5}, m);
    }
}

void ApplyCellFineOffsets(CellPlacement& p, DEVMODEW* pageDevmode, LONG pagesPerSheet, LONG cellIndex)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (s.driverScales != 0 || job.duplex == 0 || job.nupPages <= 1 || FitsOneSheet(job) ||
        ManualDuplexMargins(s)) {
        return;
    }
    if (job.mixedOrientation != 0) {
        ShiftMixedCell(p, pageDevmode, pagesPerSheet, cellIndex);
        return;
    }
    bool landscape = Landscape(pageDevmode);
    bool groupA =
        (landscape && job.nupPages == 4) || (!landscape && (job.nupPages == 2 || job.nupPages == 6));
    bool groupB =
        (!landscape && job.nupPages == 4) || (landscape && (job.nupPages == 2 || job.nupPages == 6));
    if (!groupA && !groupB) {
        return;
    }
    bool longTravel = LongTravel(job, pageDevmode);
    LONG marginFlag = job.pageSettings.marginFlag;
    MarginCase margins = MarginCaseOf(s);
    for (const FineRow& row : kNupRows) {
        if (row.groupA == groupA && row.pages == pagesPerSheet && row.margins == margins &&
            Holds(row.when, longTravel, marginFlag)) {
            Shift(p.cellRect, row.shift, job.pageSettings.marginX);
            return;
        }
    }
}
