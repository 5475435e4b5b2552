// A page printed as a poster: magnified over a square grid of sheets, each chosen tile on a sheet
// side of its own, with a dashed frame to cut along.
#include "printprocessor/CellPlacement.h"
#include "printprocessor/PreviewHandOff.h"

#include <winppi.h>

#include <cstdlib>

namespace {

constexpr COLORREF kCutLineColour = 0x010000;
constexpr double kHalf = 0.5;
constexpr LONG kLandscapeRightInset = 2;
constexpr LONG kNegativeRepeat = 2;

void SelectCutLinePen(CellPlacement& p)
{
    HPEN pen = CreatePen(PS_DASH, 0, kCutLineColour);
    HPEN earlier = p.posterPen;
    p.posterPen = pen;
    SelectObject(p.printerDC, pen);
    SelectObject(p.printerDC, GetStockObject(NULL_BRUSH));
    if (earlier != nullptr && earlier != pen) {
        DeleteObject(earlier);
    }
}

void MarkLastSheet(CNiraEmfJob& job)
{
    job.placement.lastSheet = 1;
    job.SendDriverEscape(ESCAPE_SET_PAGE_PLACEMENT);
}

// Half the driver's margins when it gives them, else half an inch: what each tile leaves blank.
POINT HalfMargins(CellPlacement& p)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (s.driverMargins != 0 || s.marginMode == 1) {
        job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
        return {static_cast<LONG>(job.pageSettings.marginX * kHalf),
                static_cast<LONG>(job.pageSettings.marginY * kHalf)};
    }
    return {static_cast<LONG>(GetDeviceCaps(p.printerDC, LOGPIXELSX) * kHalf),
            static_cast<LONG>(GetDeviceCaps(p.printerDC, LOGPIXELSY) * kHalf)};
}

// Where each tile lands on its sheet, in device units. Pages of neither orientation take the
// portrait edges.
RECT TileRectangle(const CellPlacement& p, const DEVMODEW* page, POINT offset, POINT half)
{
    const RECT& c = p.cellRect;
    LONG sx = p.physicalWidth - c.right - offset.x + c.left;
    LONG sy = p.physicalHeight - c.bottom - offset.y + c.top;
    RECT tile = {c.left - offset.x + half.x, c.top - offset.y + half.y, 0, 0};
    if (page != nullptr && page->dmOrientation == DMORIENT_LANDSCAPE) {
        tile.right = c.right - std::abs(half.x - sx) - kLandscapeRightInset;
        tile.bottom = p.physicalHeight - offset.y + c.top - half.y;
    } else {
        tile.right = p.physicalWidth - offset.x + c.left - half.x;
        tile.bottom = c.bottom - std::abs(half.y - sy);
    }
    return tile;
}

// The grid of a poster: a tiles a side, each W x H, and the shift that makes the magnified tiles
// adjoin.
struct TileGrid {
    LONG a;
    FLOAT width;
    FLOAT height;
    FLOAT g;
    FLOAT f;
};

LONG SelectedTiles(const JobSettingsRecord& s, LONG a)
{
    LONG selected = 0;
    for (LONG t = 0; t < a * a; ++t) {
        selected += s.posterTileSelected[t] == 1 ? 1 : 0;
    }
    return selected;
}

LONG TileRepetitions(const JobSettingsRecord& s)
{
    if (s.repeatMode != 1) {
        return 1;
    }
    return s.repeatCount < 0 ? kNegativeRepeat : (s.repeatCount > 0 ? s.repeatCount : 1);
}

// One selected tile on r sides of its own; the first tile's first side is the caller's and the
// last tile's last side stays open for the caller. FALSE when a side could not be made.
BOOL PlayTile(CellPlacement& p, HANDLE pageHandle, const TileGrid& grid, LONG t, bool first, bool last)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    LONG repetitions = TileRepetitions(s);
    LONG row = t / grid.a;
    LONG column = t % grid.a;
    auto scale = static_cast<FLOAT>(grid.a);
    XFORM magnify = {scale, 0, 0, scale, -(grid.g + column * grid.width), -(grid.f + row * grid.height)};
    for (LONG m = 0; m < repetitions; ++m) {
        if (!SetWorldTransform(p.printerDC, &magnify)) {
            return FALSE;
        }
        if (!(first && m == 0) && !GdiStartPageEMF(p.spoolHandle)) {
            return FALSE;
        }
        if (job.posterLastSheetPending == 1 && last) {
            MarkLastSheet(job);
        }
        // Every side is clipped to the tile; a fresh copy of it takes the margins.
        RECT clip = p.cellRect;
        if (MillimetreMarginsApply(s)) {
            InsetMillimetreMargins(p, clip);
        }
        GdiPlayPageEMF(p.spoolHandle, pageHandle, &p.cellRect, &p.borderRect, &clip);
        bool leftOpen = last && m + 1 == repetitions;
        if (!leftOpen && !GdiEndPageEMF(p.spoolHandle, job.endPageOptimization)) {
            return FALSE;
        }
        ModifyWorldTransform(p.printerDC, nullptr, MWT_IDENTITY);
    }
    return TRUE;
}

}  // namespace

BOOL PlayPosterTiles(CellPlacement& p, HANDLE pageHandle, const DEVMODEW* pageDevmode, LONG)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    POINT offset = {GetDeviceCaps(p.printerDC, PHYSICALOFFSETX), GetDeviceCaps(p.printerDC, PHYSICALOFFSETY)};
    POINT half = HalfMargins(p);
    LONG a = PosterTilesPerSide(s.posterSize);
    LONG selected = SelectedTiles(s, a);
    if (selected == 0) {
        if (job.posterLastSheetPending == 1) {
            MarkLastSheet(job);
        }
        return FALSE;
    }
    RECT tile = TileRectangle(p, pageDevmode, offset, half);
    p.cellRect = tile;
    p.borderRect = {tile.left - 1, tile.top - 1, tile.right + 1, tile.bottom + 1};
    TileGrid grid = {
        a, static_cast<FLOAT>(tile.right - tile.left), static_cast<FLOAT>(tile.bottom - tile.top),
        static_cast<FLOAT>((half.x - offset.x) * (a - 1)), static_cast<FLOAT>((half.y - offset.y) * (a - 1))};
    SelectCutLinePen(p);
    LONG visited = 0;
    for (LONG t = a * a - 1; t >= 0; --t) {
        if (s.posterTileSelected[t] != 1) {
            continue;
        }
        ++visited;
        if (!PlayTile(p, pageHandle, grid, t, visited == 1, visited == selected)) {
            return FALSE;
        }
    }
    return TRUE;
}
