// The poster grid over the sheet picture: grey bands between the tiles, chosen tiles framed in
// white over the page, tiles left out filled light grey, and a shadow along the paper.
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "common/ScopedGdi.h"

namespace {

constexpr UINT kMinTiles = 2;
constexpr UINT kMaxTiles = 5;
constexpr int kFirstTileId = 6350;
constexpr int kTileLeftOut = 1;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(113, 113, 113);
constexpr COLORREF kBand = RGB(128, 128, 128);
constexpr int kWidePen = 4;
constexpr int kFrameInset = 3;
constexpr int kShadowOffset = 2;

// The white frame inside a chosen tile; a few frames sit one pixel off the rule.
RECT InnerFrame(int tiles, int row, int column, const RECT& p, const int* xs, const int* ys)
{
    bool firstRow = row == 0;
    bool firstColumn = column == 0;
    bool lastRow = row == tiles - 1;
    bool lastColumn = column == tiles - 1;
    RECT frame = {firstColumn ? p.left + kFrameInset : xs[column] + kFrameInset + 1,
                  firstRow ? p.top + kFrameInset : ys[row] + kFrameInset + 1,
                  lastColumn ? p.right - kFrameInset : xs[column + 1] - kFrameInset,
                  lastRow ? p.bottom - kFrameInset : ys[row + 1] - kFrameInset};
    switch (tiles) {
    case 2:
        if (row == 1 && column == 1) {
            frame.right = p.right - 2;
        }
        break;
    case 3:
        if (row == 1 && column == 2) {
            frame.bottom = ys[2] - 4;
        }
        break;
    case 4:
        if (row == 0 && (column == 1 || column == 2)) {
            frame.top = p.top + 4;
            frame.bottom = ys[1] - 4;
        } else if (row == 0 && column == 3) {
            frame.top = p.top + 4;
        } else if (row == 1 && column == 2) {
            frame.bottom = ys[2] - 4;
        }
        break;
    case 5:
        if (firstRow) {
            frame.top = p.top + 4;
        }
        if (firstColumn) {
            frame.left = p.left + 4;
        }
        break;
    default:
        break;
    }
    return frame;
}

}  // namespace

void CNiraSheetPreview::DrawPosterTiles(UINT tilesPerSide)
{
    if (tilesPerSide < kMinTiles || tilesPerSide > kMaxTiles) {
        return;
    }
    int tiles = static_cast<int>(tilesPerSide);
    const RECT& p = m_paperRect;
    // Boundaries 1 .. tiles - 1 between the tiles; 0 and tiles are unused.
    int xs[kMaxTiles + 1] = {};
    int ys[kMaxTiles + 1] = {};
    for (int k = 1; k < tiles; ++k) {
        xs[k] = p.left + ((p.right - p.left) * k) / tiles;
        ys[k] = p.top + ((p.bottom - p.top) * k) / tiles;
    }
    CNiraScopedObject black(CreatePen(PS_SOLID, 1, kBlack));
    CNiraScopedObject white(CreatePen(PS_SOLID, kWidePen, kWhite));
    CNiraScopedObject shadow(CreatePen(PS_SOLID, kWidePen, kShadow));
    CNiraScopedObject band(CreateSolidBrush(kBand));
    HDC dc = m_memoryDC;
    for (int k = 1; k < tiles; ++k) {
        RECT bar = {xs[k] - 1, p.top, xs[k] + 1, p.bottom};
        Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
        FillRect(dc, &bar, static_cast<HBRUSH>(band.Get()));
    }
    for (int k = 1; k < tiles; ++k) {
        RECT bar = {p.left, ys[k] - 1, p.right, ys[k] + 1};
        Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
        FillRect(dc, &bar, static_cast<HBRUSH>(band.Get()));
    }
    CNiraScopedSelection penSelection(dc, black.Get());
    CNiraScopedSelection brushSelection(dc, GetStockObject(NULL_BRUSH));
    bool chosen[kMaxTiles * kMaxTiles];
    for (int k = 0; k < tiles * tiles; ++k) {
        chosen[k] = ReadValue(kFirstTileId + k, 0) != kTileLeftOut;
    }
    for (int row = 0; row < tiles; ++row) {
        for (int column = 0; column < tiles; ++column) {
            RECT outline = {column == 0 ? p.left : xs[column] + 1, row == 0 ? p.top : ys[row] + 1,
                            column == tiles - 1 ? p.right : xs[column + 1] - 1,
                            row == tiles - 1 ? p.bottom : ys[row + 1] - 1};
            if (!chosen[row * tiles + column]) {
                SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
                Rectangle(dc, outline.left, outline.top, outline.right, outline.bottom);
                continue;
            }
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, outline.left, outline.top, outline.right, outline.bottom);
            RECT frame = InnerFrame(tiles, row, column, p, xs, ys);
            SelectObject(dc, white.Get());
            Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
            SelectObject(dc, black.Get());
        }
    }
    SelectObject(dc, shadow.Get());
    MoveToEx(dc, p.left + 1, p.bottom + kShadowOffset, nullptr);
    LineTo(dc, p.right, p.bottom + kShadowOffset);
    MoveToEx(dc, p.right + kShadowOffset, p.top + kShadowOffset, nullptr);
    LineTo(dc, p.right + kShadowOffset, p.bottom + kShadowOffset);
}
