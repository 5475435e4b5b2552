// A page printed as a poster: magnified over a square grid of sheets, each chosen tile on a sheet
// side of its own, with a dashed frame to cut along.
#include "printprocessor/CellPlacement.h"

#include <winppi.h>

#include <cstdlib>

namespace {

constexpr COLORREF kCutLineColour = 0x010000;
constexpr double kHalf = 0.5;
constexpr LONG kLandscapeRightInset = 2;
constexpr LONG kNegativeRepeat = 2;

LONG TilesPerSide(LONG posterSize)
{
    switch (posterSize) {
    case 1:
        return 3;
    case 2:
        return 4;
    case 3:
        return 5;
    default:
        return 2;
    }
}

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

}  // namespace

BOOL PlayPosterTiles(CellPlacement& p, HANDLE pageHandle, const DEVMODEW* pageDevmode, LONG)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    HDC dc = p.printerDC;
    LONG offX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    LONG offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    LONG d = 0;
    LONG e = 0;
    if (s.driverMargins != 0 || s.marginMode == 1) {
        job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
        d = static_cast<LONG>(job.pageSettings.marginX * kHalf);
        e = static_cast<LONG>(job.pageSettings.marginY * kHalf);
    } else {
        d = static_cast<LONG>(GetDeviceCaps(dc, LOGPIXELSX) * kHalf);
        e = static_cast<LONG>(GetDeviceCaps(dc, LOGPIXELSY) * kHalf);
    }
    LONG a = TilesPerSide(s.posterSize);
    LONG selected = 0;
    for (LONG t = 0; t < a * a; ++t) {
        selected += s.posterTileSelected[t] == 1 ? 1 : 0;
    }
    if (selected == 0) {
        if (job.posterLastSheetPending == 1) {
            MarkLastSheet(job);
        }
        return FALSE;
    }
    const RECT c = p.cellRect;
    LONG pw = p.physicalWidth;
    LONG ph = p.physicalHeight;
    LONG sx = pw - c.right - offX + c.left;
    LONG sy = ph - c.bottom - offY + c.top;
    RECT tile = {c.left - offX + d, c.top - offY + e, 0, 0};
    // Pages of neither orientation take the portrait edges.
    if (pageDevmode != nullptr && pageDevmode->dmOrientation == DMORIENT_LANDSCAPE) {
        tile.right = c.right - std::abs(d - sx) - kLandscapeRightInset;
        tile.bottom = ph - offY + c.top - e;
    } else {
        tile.right = pw - offX + c.left - d;
        tile.bottom = c.bottom - std::abs(e - sy);
    }
    p.cellRect = tile;
    p.borderRect = {tile.left - 1, tile.top - 1, tile.right + 1, tile.bottom + 1};
    RECT clip = tile;
    auto width = static_cast<FLOAT>(tile.right - tile.left);
    auto height = static_cast<FLOAT>(tile.bottom - tile.top);
    auto g = static_cast<FLOAT>((d - offX) * (a - 1));
    auto f = static_cast<FLOAT>((e - offY) * (a - 1));
    SelectCutLinePen(p);
    LONG repetitions = s.repeatMode == 1 ? (s.repeatCount < 0 ? kNegativeRepeat : s.repeatCount) : 1;
    repetitions = repetitions > 0 ? repetitions : 1;
    LONG visited = 0;
    for (LONG t = a * a - 1; t >= 0; --t) {
        if (s.posterTileSelected[t] != 1) {
            continue;
        }
        ++visited;
        bool lastTile = visited == selected;
        LONG row = t / a;
        LONG column = t % a;
        for (LONG m = 0; m < repetitions; ++m) {
            XFORM magnify = {static_cast<FLOAT>(a), 0, 0, static_cast<FLOAT>(a), -(g + column * width),
                             -(f + row * height)};
            if (!SetWorldTransform(dc, &magnify)) {
                return FALSE;
            }
            bool callersSide = visited == 1 && m == 0;
            if (!callersSide && !GdiStartPageEMF(p.spoolHandle)) {
                return FALSE;
            }
            if (job.posterLastSheetPending == 1 && lastTile) {
                MarkLastSheet(job);
            }
            if (s.mmMarginsOn != 0 && s.outputMode == 4 && s.driverScales != 0) {
                InsetMillimetreMargins(p, clip);
            }
            GdiPlayPageEMF(p.spoolHandle, pageHandle, &p.cellRect, &p.borderRect, &clip);
            bool leftOpen = lastTile && m + 1 == repetitions;
            if (!leftOpen && !GdiEndPageEMF(p.spoolHandle, job.endPageOptimization)) {
                return FALSE;
            }
            ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
        }
    }
    return TRUE;
}
