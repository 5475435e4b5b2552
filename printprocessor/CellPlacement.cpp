#include "printprocessor/CellPlacement.h"

#include <cmath>

namespace {

constexpr RECT kNoRect = {-1, -1, -1, -1};
constexpr XFORM kIdentity = {1, 0, 0, 1, 0, 0};
constexpr XFORM kQuarterTurn = {0, -1, 1, 0, 0, 0};
constexpr XFORM kOppositeQuarterTurn = {0, 1, -1, 0, 0, 0};
// 179.9 degrees, not an exact half turn: the render module tells a turned side by it.
constexpr XFORM kHalfTurn = {-0.99999845F, 0.0017453284F, -0.0017453284F, -0.99999845F, 0, 0};
constexpr LONG kFrameInset = 10;
// Taken off a two-sided n-up sheet so that the pages clear the binding edge.
constexpr LONG kBindingAllowance = 215;
constexpr double kHalf = 0.5;

// The grid of a pages-per-sheet count; false for a count that has none.
bool GridOf(LONG pages, bool wide, LONG& rows, LONG& columns)
{
    switch (pages) {
    case 2:
        rows = wide ? 1 : 2;
        columns = wide ? 2 : 1;
        return true;
    case 4:
        rows = columns = 2;
        return true;
    case 6:
        rows = wide ? 2 : 3;
        columns = wide ? 3 : 2;
        return true;
    case 9:
        rows = columns = 3;
        return true;
    case 16:
        rows = columns = 4;
        return true;
    default:
        return false;
    }
}

bool HalfTurned(LONG mode)
{
    return mode == PLACE_HALF_TURN || mode == PLACE_OTHER_ORIENTATION_HALF_TURN;
}

bool DriverMargins(const JobSettingsRecord& s)
{
    return s.driverMargins != 0 || s.marginMode == 1;
}

// The grid entry (row-major) that 0-based cell c takes: rows left to right for upright cells,
// columns from the bottom row up for turned ones, backwards on a half-turned side.
LONG GridEntry(LONG c, LONG rows, LONG columns, bool turned, bool reversed)
{
    LONG n = rows * columns;
    if (reversed) {
        c = n - 1 - c;
    }
    if (!turned) {
        return c;
    }
    LONG column = c / rows;
    LONG row = rows - 1 - c % rows;
    return row * columns + column;
}

// Two-sided n-up sheets lose a strip along the binding for the pages that lie across it.
void TakeBindingAllowance(CNiraEmfJob& job, const DEVMODEW& page, LONG pages, LONG& width, LONG& height)
{
    const JobSettingsRecord& s = job.settings;
    if (s.driverScales != 0 || s.marginMode != 1 || job.duplex == 0 || job.nupPages <= 1 ||
        FitsOneSheet(job) || ManualDuplexMargins(s) || job.mixedOrientation != 0) {
        return;
    }
    bool landscape = page.dmOrientation == DMORIENT_LANDSCAPE;
    bool acrossPairs = pages == 2 || pages == 6;
    if ((landscape && pages == 4) || (!landscape && acrossPairs)) {
        height -= kBindingAllowance;
    } else if ((!landscape && pages == 4) || (landscape && acrossPairs)) {
        width -= kBindingAllowance;
    }
}

void ShrinkToPageShape(CellPlacement& p, LONG cellWidth, LONG cellHeight)
{
    RECT& r = p.cellRect;
    bool turned = p.rotatedCell != 0;
    LONG cw = turned ? cellHeight : cellWidth;
    LONG ch = turned ? cellWidth : cellHeight;
    auto X = static_cast<LONG>(static_cast<float>(p.physicalWidth) / static_cast<float>(p.physicalHeight) *
                               static_cast<float>(ch));
    bool narrower = X < cw;
    LONG excess = narrower
                      ? cw - X
                      : ch - static_cast<LONG>(static_cast<float>(p.physicalHeight) /
                                               static_cast<float>(p.physicalWidth) * static_cast<float>(cw));
    auto side = static_cast<LONG>(excess * kHalf);
    if (narrower != turned) {
        r.left += side;
        r.right -= side;
    } else {
        r.top += side;
        r.bottom -= side;
    }
}

// Moves the cell off the sheet's unprintable borders, scaled to the cell.
void ClearUnprintableBorders(CellPlacement& p, double kx, double ky)
{
    RECT& r = p.cellRect;
    double w = r.right - r.left;
    double h = r.bottom - r.top;
    double physW = p.physicalWidth;
    double physH = p.physicalHeight;
    double restX = physW - kx - p.printableWidth;
    double restY = physH - ky - p.printableHeight;
    if (p.rotatedCell == 0) {
        r.left += static_cast<LONG>(kx / physW * w);
        r.right -= static_cast<LONG>(w * restX / physW);
        r.top += static_cast<LONG>(ky / physH * h);
        r.bottom -= static_cast<LONG>(h * restY / physH);
    } else {
        r.left += static_cast<LONG>(ky / physH * w);
        r.right -= static_cast<LONG>(w * restY / physH);
        r.top += static_cast<LONG>(h * restX / physW);
        r.bottom -= static_cast<LONG>(kx / physW * h);
    }
}

void ShiftBookletCell(CellPlacement& p, LONG c)
{
    const JobSettingsRecord& s = p.job->settings;
    const PageSettingsRecord& m = p.job->pageSettings;
    if (s.booklet == 0 || p.rotatedCell == 0) {
        return;
    }
    bool even = c % 2 == 0;
    if (DriverMargins(s)) {
        (even ? p.cellRect.top : p.cellRect.bottom) += even ? m.marginY : -m.marginY;
    } else if (s.marginMode == 2) {
        LONG shift = even ? m.offsetY : m.offsetY - m.marginY;
        p.cellRect.top += shift;
        p.cellRect.bottom += shift;
    }
}

void SetFrame(CellPlacement& p, LONG fx, LONG fy)
{
    if (p.job->noBorders != 0) {
        return;
    }
    const RECT& r = p.cellRect;
    p.borderRect = {r.left / fy + kFrameInset, r.top / fx + kFrameInset, r.right / fy - kFrameInset,
                    r.bottom / fx - kFrameInset};
}

void RecordSizes(CellPlacement& p)
{
    PagePlacementRecord& record = p.job->placement;
    record.areaWidth = p.printableWidth;
    record.areaHeight = p.printableHeight;
    record.physicalWidth = p.physicalWidth;
    record.physicalHeight = p.physicalHeight;
    record.rotatedCell = p.rotatedCell;
}

}  // namespace

void ResetPlacement(CellPlacement& placement, LONG rotationMode)
{
    placement.cellRect = kNoRect;
    placement.borderRect = kNoRect;
    placement.clipRect = kNoRect;
    placement.turnedRect = kNoRect;
    placement.shiftTransform = kIdentity;
    placement.turnTransform = kQuarterTurn;
    placement.rotatedCell = 0;
    placement.rotationMode = rotationMode;
    placement.printableWidth = 0;
    placement.printableHeight = 0;
    placement.physicalWidth = 0;
    placement.physicalHeight = 0;
}

BOOL ComputeCell(CellPlacement& p, DEVMODEW* pageDevmode, LONG pagesPerSheet, LONG pageNumber,
                 LONG cellNumber)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    HDC dc = p.printerDC;
    LONG dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    LONG dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    // Working units measure both axes alike: horizontal values times fy, vertical times fx.
    bool common = pagesPerSheet != 1 && dpiX != dpiY;
    LONG fx = common ? dpiX : 1;
    LONG fy = common ? dpiY : 1;
    DEVMODEW page = {};
    if (pageDevmode != nullptr) {
        page.dmOrientation = pageDevmode->dmOrientation;
    }

    p.printableHeight = fx * (GetDeviceCaps(dc, DESKTOPVERTRES) - 1);
    p.printableWidth = fy * (GetDeviceCaps(dc, DESKTOPHORZRES) - 1);
    TakeBindingAllowance(job, page, pagesPerSheet, p.printableWidth, p.printableHeight);
    p.cellRect = {p.printableWidth, p.printableHeight, p.printableWidth, p.printableHeight};
    p.physicalWidth = fy * GetDeviceCaps(dc, PHYSICALWIDTH);
    p.physicalHeight = fx * GetDeviceCaps(dc, PHYSICALHEIGHT);
    if (dpiX == 0 || dpiY == 0 || p.physicalWidth == 0 || p.physicalHeight == 0) {
        return FALSE;
    }

    // What the sheet leaves unprintable, for pages fitted to the paper.
    auto lx = static_cast<float>(p.physicalWidth - p.cellRect.right);
    auto ly = static_cast<float>(p.physicalHeight - p.cellRect.bottom);
    job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
    const PageSettingsRecord& m = job.pageSettings;
    bool margins = DriverMargins(s);
    if (margins) {
        p.printableWidth = m.printableWidth;
        p.printableHeight = m.printableHeight;
        lx = static_cast<float>(2 * m.marginX);
        ly = static_cast<float>(2 * m.marginY);
        if (job.pagesPerSide != 1) {
            p.cellRect = {p.printableWidth, p.printableHeight, p.printableWidth, p.printableHeight};
        }
    }
    RecordSizes(p);

    LONG c = cellNumber - 1;
    if (pagesPerSheet == 1) {
        if (s.fitToPaper != 0 && s.booklet == 0) {
            p.cellRect = {0, 0, p.printableWidth, p.printableHeight};
            FitToPaper(p, lx, ly, pageNumber, c);
        } else if (margins) {
            p.cellRect = {m.marginX - m.offsetX, m.marginY - m.offsetY,
                          p.physicalWidth - m.offsetX - m.marginX, p.physicalHeight - m.offsetY - m.marginY};
        } else {
            p.cellRect = {0, 0, p.printableWidth + 1, p.printableHeight + 1};
        }
        return TRUE;
    }

    LONG W = p.printableWidth;
    LONG H = p.printableHeight;
    LONG rows = 0;
    LONG columns = 0;
    if (!GridOf(pagesPerSheet, W > H, rows, columns)) {
        return FALSE;
    }
    LONG cellWidth = W / columns;
    LONG cellHeight = H / rows;
    if (s.driverScales == 0) {
        bool sheetWide = p.physicalWidth >= p.physicalHeight;
        bool cellWide = cellWidth >= cellHeight;
        p.rotatedCell = sheetWide == cellWide ? 0 : 1;
    }
    RecordSizes(p);

    bool fixedOrder = s.driverScales != 0 && (pagesPerSheet == 2 || pagesPerSheet == 6);
    LONG entry = GridEntry(c, rows, columns, !fixedOrder && p.rotatedCell != 0,
                           !fixedOrder && HalfTurned(p.rotationMode));
    LONG row = entry / columns;
    LONG column = entry % columns;
    p.cellRect = {static_cast<LONG>(W * (static_cast<double>(column) / columns)),
                  static_cast<LONG>(H * (static_cast<double>(row) / rows)),
                  static_cast<LONG>(W * (static_cast<double>(column + 1) / columns)),
                  static_cast<LONG>(H * (static_cast<double>(row + 1) / rows))};

    ApplyCellFineOffsets(p, pageDevmode, pagesPerSheet, c);
    ShiftBookletCell(p, c);
    if (margins) {
        LONG dx = m.marginX - m.offsetX;
        LONG dy = m.marginY - m.offsetY;
        p.cellRect = {p.cellRect.left + dx, p.cellRect.top + dy, p.cellRect.right + dx,
                      p.cellRect.bottom + dy};
    }
    // A booklet page fitted to the paper at another scale keeps the fitted cell as it is.
    bool fitted = s.booklet != 0 && s.fitToPaper != 0 && !ScaledPercent(s);
    float scale = fitted ? FitToPaper(p, lx, ly, pageNumber, c) : 1.0F;
    SetFrame(p, fx, fy);
    if (scale != 1.0F) {
        return TRUE;
    }
    if (!fixedOrder) {
        ShrinkToPageShape(p, cellWidth, cellHeight);
    }
    double kx = margins ? m.marginX : static_cast<double>(fy) * GetDeviceCaps(dc, PHYSICALOFFSETX);
    double ky = margins ? m.marginY : static_cast<double>(fx) * GetDeviceCaps(dc, PHYSICALOFFSETY);
    ClearUnprintableBorders(p, kx, ky);
    if (common) {
        p.cellRect = {p.cellRect.left / fy, p.cellRect.top / fx, p.cellRect.right / fy,
                      p.cellRect.bottom / fx};
    }
    return TRUE;
}

BOOL SetCellTransform(CellPlacement& placement, int kind, FLOAT x, FLOAT y)
{
    switch (kind) {
    case TURN_QUARTER:
        placement.turnTransform = kQuarterTurn;
        break;
    case TURN_OPPOSITE_QUARTER:
    case TURN_OPPOSITE_QUARTER_B:
    case TURN_OPPOSITE_QUARTER_C:
        placement.turnTransform = kOppositeQuarterTurn;
        break;
    case TURN_HALF:
        placement.turnTransform = kHalfTurn;
        break;
    default:
        return FALSE;
    }
    placement.shiftTransform.eDx = x;
    placement.shiftTransform.eDy = y;
    return SetWorldTransform(placement.printerDC, &placement.turnTransform) &&
           ModifyWorldTransform(placement.printerDC, &placement.shiftTransform, MWT_RIGHTMULTIPLY);
}

BOOL ExpandToPrintableArea(CellPlacement& placement)
{
    CNiraEmfJob& job = *placement.job;
    const JobSettingsRecord& s = job.settings;
    job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
    if (job.pageSettings.imageWidth == 0 || s.expandToEdges == 0) {
        return TRUE;
    }
    HDC dc = placement.printerDC;
    auto d = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX));
    LONG hr = GetDeviceCaps(dc, HORZRES);
    LONG vr = GetDeviceCaps(dc, VERTRES);
    auto ew = static_cast<LONG>(hr - (s.expandMarginsA[0] + s.expandMarginsA[1]) * d);
    auto eh = static_cast<LONG>(vr - (s.expandMarginsB[0] + s.expandMarginsB[1]) * d);
    if (ew <= 0 || eh <= 0) {
        return TRUE;  // margins wider than the page: nothing sensible to widen to
    }
    constexpr double kThousandths = 1000.0;
    double f =
        std::floor(std::max(static_cast<double>(hr) / ew, static_cast<double>(vr) / eh) * kThousandths) /
        kThousandths;
    placement.cellRect = {0, 0, static_cast<LONG>(ew * f), static_cast<LONG>(eh * f)};
    SetGraphicsMode(dc, GM_ADVANCED);
    return SetWorldTransform(dc, &kIdentity);
}
