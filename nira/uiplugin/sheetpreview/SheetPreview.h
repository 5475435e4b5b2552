// The sheet preview picture (handler of class 4132): a thumbnail of the printed sheet painted into
// an owner-drawn widget from the current settings: the paper at its size and orientation, the page
// cells for pages per sheet with their order and numbers, fit to another paper, borderless
// printing, poster tiles, mirror printing, grey and sepia sample colours, and the marks of two-sided
// printing and booklets. Nothing is kept between paints but the last window and geometry: every
// paint reads the settings again, and no DC, bitmap, pen or brush outlives it. A click on the
// picture turns the orientation.
#pragma once

#include <windows.h>

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraSheetPreview : public CNiraFeatureHandler {
public:
    CNiraSheetPreview();
    ~CNiraSheetPreview() override;

    int OnWidgetChanged(int widgetId) override;
    int PaintWidget(int widgetId, HWND window, INT_PTR extra) override;

    // The pages-per-sheet option 1..6 (1, 2, 4, 6, 9 or 16 pages); 0 and a failed read count as 1.
    int GetPagesPerSheet();
    // The booklet option; 1 (off) when the read fails.
    int GetBooklet();
    // The bitmap's size, 0 x 0 for none.
    static void GetBitmapSize(HBITMAP bitmap, int* width, int* height);
    // The poster grid of tilesPerSide x tilesPerSide tiles over the paper (2 to 5; others draw nothing).
    void DrawPosterTiles(UINT tilesPerSide);
    static COLORREF MakeColor(int red, int green, int blue);
    // The sepia tone of a colour: its luminance picks one of 32 entries of a brown ramp.
    static COLORREF ToSepia(int red, int green, int blue);

protected:
    // What ComputeCellLayout gives.
    struct CellLayout {
        int rows;
        int columns;
        int horizontalGap;
        int verticalGap;
        int cellHeight;
        int cellWidth;
    };

    struct GridShape {
        int rows;
        int columns;
        bool heightOverWidth;  // the ratio is H / W rather than W / H
    };

    static bool GridOf(int option, int orientation, GridShape* shape);
    static void CellAt(int index, int order, int rows, int columns, int* row, int* column);
    // Cells of the grid on a paper of width x height with the outer margin between them.
    static CellLayout LayoutCells(int width, int height, const GridShape& shape, int margin);

    // The feature's current option, or the fallback when it cannot be read.
    int ReadValue(int featureId, int fallback);
    int ReadOrientation();
    // Sets the widget, paper and document paper rectangles and M; answers the scale percentage.
    int ComputeSheetRects();
    // The paper's width and height in tenths of a millimetre for the option of the feature.
    void GetPaperDimensions(int featureId, int* width, int* height);
    RECT FitPaperRect(const RECT& area, int width, int height);
    // Orientation 1 or 2 of the sheet: the page's, turned for 2 and 6 pages per sheet.
    int GetSheetOrientation();
    static int RoundToPixels(double value);
    int ComputeCellLayout(CellLayout* layout);
    bool CreateSurface();
    void ReleaseSurface();
    void DrawPages(const CellLayout& layout);
    void DrawPageCell(int pageNumber);
    bool IsMirrored();
    bool IsBorderless();
    void MirrorPaper();
    void DrawFoldLine();
    void DrawBindingRings();
    void DrawBindingIcon();
    void DrawTransparentBitmap(HBITMAP image, int x, int y, int width, int height);

    // The sample page content inside the cell rectangle.
    void DrawTextPage(int pageNumber);
    void DrawAddressPage(int pageNumber);
    void DrawTextLines(int pageNumber);
    void DrawLogo();
    void DrawChart();
    void DrawPageNumber(int number);
    // Text lines from y down to yEnd: paragraphs of the given length whose first line is indented
    // and whose last line ends at xHalf; on page 1 of booklet 2 and page 2 of booklet 3 they stop
    // after two paragraphs.
    void DrawParagraphLines(int pageNumber, int x0, int x1, int xHalf, int y, int yEnd, int paragraph,
                            int indent);
    // The capital E of u x u squares at (x0, y0) on a white ground.
    void DrawLogoShape(int x0, int y0, int u, COLORREF color);
    // The bar chart in r, which is moved by (2f, -2f) and widened by 3f for its white ground, then
    // narrowed by 2f for the bars and the frame; nothing when its top lies below paper bottom - M.
    void DrawChartShape(RECT r, int half, int f, const COLORREF colors[4]);
    // The page number centred on the cell, moved by offset in both directions.
    void DrawPageNumberAt(int number, int offset);
    void ClipTo(const RECT& area);
    void RemoveClip();

    HWND m_window;
    int m_orientation;
    RECT m_widgetRect;
    RECT m_paperRect;
    RECT m_cellRect;
    RECT m_documentPaperRect;
    HDC m_memoryDC;
    HDC m_windowDC;
    int m_outerMargin;
    int m_innerMargin;
    HBITMAP m_bitmap;
    int m_scale;
};
