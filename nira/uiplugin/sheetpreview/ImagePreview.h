// The image preview picture (handler of class 4145): the job as it comes off a paper roll. A roll
// at the top right of the widget with its sheet hanging down, and the document page, sized by its
// real size in inches, placed in the sheet's bottom-right corner, turned by 90 or 180 degrees,
// shaded, and faded then cut off beyond the sheet's left edge. The page shows the sheet preview's
// content (cells, text lines, logo, chart, numbers, poster tiles) with page borders, a dotted
// frame, a margin strip and two dimension marks. As for the sheet preview, every paint reads the
// settings again and no GDI object outlives it.
#pragma once

#include <windows.h>

#include "nira/uiplugin/sheetpreview/SheetPreview.h"

class CNiraImagePreview : public CNiraSheetPreview {
public:
    CNiraImagePreview();
    ~CNiraImagePreview() override;

    int PaintWidget(int widgetId, HWND window, INT_PTR extra) override;

protected:
    // The roll and its scenery.
    void FillBackground(HDC dc);
    void DrawRoll();
    void DrawShadows();
    void DrawShadowBand(int x, int y, int xEnd);
    void FillTriangle(const POINT corners[3]);
    void FadeRect(const RECT& area);
    void DrawPaperEdge();
    void ResetTransform(HDC dc);
    // The window DC's world transform: a turn by the angle about the page's place, then moved by
    // the translation.
    void SetRotation(HDC dc, float angle, float translateX, float translateY);
    void TurnPage();

    // The page's geometry.
    void ReadLayout();
    int ReadSettings();
    void ComputeRects();
    void GetPageDimensions();
    RECT FitPageRect(const RECT& area, int width, int height);
    void ApplyMarginStrip();
    RECT WhitePageRect() const;
    void NarrowForMarks();
    bool IsTurnedQuarter() const;
    CellLayout ComputeImageCellLayout();

    // The page's content.
    void DrawPages(const CellLayout& layout);
    void DrawPageCell(int pageNumber);
    void DrawPage(int pageNumber);
    void DrawCellBorder();
    void DrawImageTextLines(int pageNumber, int dx, int dy);
    void DrawImageLogo();
    void DrawImageChart();
    void DrawImagePageNumber(int number);
    void DrawDimensionMarks();
    void MirrorPage();

    int m_rollHeight;
    int m_rollEndWidth;
    int m_rollRightGap;
    int m_narrowPixels;
    double m_narrowInches;
    int m_widePixels;
    double m_wideInches;
    double m_rollInches;
    int m_rollPixels;
    RECT m_paperArea;
    RECT m_pageRect;
    int m_pageWidth;
    int m_pageHeight;
    int m_turned;
    CellLayout m_cells;
    int m_horizontalInset;
    int m_textInset;
    int m_verticalInset;
    short m_sheetOrientation;
    int m_imageScale;
    int m_strip;
    int m_marks;
    int m_pagesOption;
    int m_bitmapWidth;
    int m_bitmapHeight;
};
