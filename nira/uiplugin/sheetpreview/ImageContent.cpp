// What the image preview draws on each page cell: the sheet preview's sample content inside a
// dotted frame, with page borders, insets, the printer's grey-scale modes and the shift that a
// reduced page gets.
#include "nira/uiplugin/sheetpreview/ImagePreview.h"

#include <algorithm>

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr int kPageBordersOn = 2;
constexpr int kGreyMode = 2;
constexpr int kBlackMode = 3;
constexpr int kSepiaOn = 2;
constexpr int kBookletOff = 1;
constexpr int kMinParagraph = 6;
constexpr int kPercent = 100;
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

void CNiraImagePreview::DrawCellBorder()
{
    CNiraScopedObject pen(CreatePen(PS_SOLID, 1, kBlack));
    CNiraScopedSelection penSelection(m_memoryDC, pen.Get());
    CNiraScopedSelection brush(m_memoryDC, GetStockObject(NULL_BRUSH));
    Rectangle(m_memoryDC, m_cellRect.left, m_cellRect.top, m_cellRect.right, m_cellRect.bottom);
}

void CNiraImagePreview::DrawPage(int pageNumber)
{
    int booklet = GetBooklet();
    bool borders =
        ReadValue(FEATURE_PAGE_BORDERS, 0) == kPageBordersOn && m_pagesOption > 1 && booklet == kBookletOff;
    if (borders) {
        DrawCellBorder();
    }
    // With one page per sheet the page itself is the cell.
    RECT inside = m_pageRect;
    if (m_pagesOption > 1) {
        IntersectRect(&inside, &m_cellRect, &m_pageRect);
    }
    InflateRect(&inside, -1, -1);
    ClipTo(inside);
    if (borders) {
        DrawCellBorder();
    }
    DrawImageTextLines(pageNumber, m_strip != 0 && m_turned != 0 ? m_innerMargin : 0, 0);
    if ((pageNumber == 1 && booklet == kBookletOff) || (pageNumber == 2 && booklet != kBookletOff)) {
        DrawImageLogo();
        DrawImageChart();
    }
    if (m_pagesOption > 1 && booklet == kBookletOff) {
        DrawImagePageNumber(pageNumber);
    }
    RemoveClip();
}

// A dotted frame inside the cell, then the text lines within it.
void CNiraImagePreview::DrawImageTextLines(int pageNumber, int dx, int dy)
{
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int x0 = c.left + m - dx + m_horizontalInset;
    int x1 = c.right - m + dx - m_horizontalInset;
    int y = c.top + m - dy + m_verticalInset;
    int yEnd = std::min<int>(c.bottom - m, c.bottom - m_outerMargin) - m_verticalInset;
    int xHalf = x0 / 2 + x1 / 2;
    {
        CNiraScopedObject dotted(CreatePen(PS_DOT, 1, kBlack));
        CNiraScopedSelection pen(m_memoryDC, dotted.Get());
        CNiraScopedSelection brush(m_memoryDC, GetStockObject(WHITE_BRUSH));
        Rectangle(m_memoryDC, x0, y, x1, yEnd);
    }
    x0 += m_textInset;
    y += m_textInset;
    x1 -= m_textInset;
    yEnd -= m_textInset;
    int paragraph = std::max<int>((c.bottom - m - y) / 4, kMinParagraph);
    CNiraScopedObject grey(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
    CNiraScopedSelection pen(m_memoryDC, grey.Get());
    DrawParagraphLines(pageNumber, x0, x1, xHalf, y, yEnd, paragraph, m);
}

void CNiraImagePreview::DrawImageLogo()
{
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int side = std::min(Width(c) - 2 * m, Height(c) - 2 * m);
    int shift = m_imageScale < kPercent ? m_outerMargin - m : 0;
    int mode = ReadValue(FEATURE_GRAYSCALE_MODE, 1);
    COLORREF color = MakeColor(0, 0, 255);
    if (mode == kGreyMode) {
        color = MakeColor(64, 64, 64);
    } else if (mode == kBlackMode) {
        color = MakeColor(0, 0, 0);
    } else if (ReadValue(FEATURE_SEPIA, 1) == kSepiaOn) {
        color = ToSepia(64, 64, 64);
    }
    DrawLogoShape(c.left + m + m_horizontalInset + shift, c.top + m + m_verticalInset + shift,
                  std::max(side / 4 / 5, 1), color);
}

void CNiraImagePreview::DrawImageChart()
{
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int side = std::min(Width(c) - 2 * m, Height(c) - 2 * m);
    int half = side / 2;
    int shift = m_imageScale < kPercent ? m_outerMargin - m : 0;
    RECT r = {c.left + m + m_horizontalInset + shift, c.bottom - m - half - m_verticalInset,
              c.left + m + half + m_horizontalInset + shift, c.bottom - m - m_verticalInset};
    int mode = ReadValue(FEATURE_GRAYSCALE_MODE, 1);
    COLORREF colors[4] = {MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 0, 255),
                          MakeColor(255, 255, 0)};
    if (mode == kGreyMode) {
        colors[0] = MakeColor(117, 117, 117);
        colors[1] = MakeColor(204, 204, 204);
        colors[2] = MakeColor(64, 64, 64);
        colors[3] = MakeColor(243, 243, 243);
    } else if (mode == kBlackMode) {
        std::fill(colors, colors + 4, MakeColor(0, 0, 0));
    } else if (ReadValue(FEATURE_SEPIA, 1) == kSepiaOn) {
        colors[0] = ToSepia(255, 0, 0);
        colors[1] = ToSepia(0, 255, 0);
        colors[2] = ToSepia(64, 64, 64);
        colors[3] = ToSepia(255, 255, 0);
    }
    DrawChartShape(r, half, m_imageScale / kPercent, colors);
}

void CNiraImagePreview::DrawImagePageNumber(int number)
{
    DrawPageNumberAt(number, m_imageScale < kPercent ? m_outerMargin - m_innerMargin : 0);
}
