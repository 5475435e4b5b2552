// Where the image preview puts the page: its size from its real size in inches (8.5 inches are 50
// pixels and 42 inches 90, on a straight line), the margin strip, and the page cells.
#include "nira/uiplugin/sheetpreview/ImagePreview.h"

#include <algorithm>

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "nira/uiplugin/sheetpreview/PaperDimensions.h"

using namespace sheetpreview;

namespace {

constexpr int kPictureWidget = 6002;
constexpr int kFitTarget = 2;
constexpr double kTenthsPerInch = 254.0;
constexpr double kPercent = 100.0;
constexpr int kWidePixels = 90;
// Pages taller than this (in inches) put 42 inches on fewer pixels.
constexpr double kTallPageInches = 20400.0;
constexpr int kTallWidePixels = 70;
constexpr int kMarginDivisor = 28;
constexpr int kFullWidth = 2794;
constexpr int kFullHeight = 4318;
constexpr int kTwoUp = 2;
constexpr int kSixUp = 4;
constexpr int kLastOrder = 4;

}  // namespace

// The dimensions keep their previous values when the option or its device value cannot be read.
void CNiraImagePreview::GetPageDimensions()
{
    int feature = ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitTarget ? FEATURE_TARGET_SIZE : FEATURE_PAPER_SIZE;
    ReadPaperDimensions(m_services, kPictureWidget, feature, feature, &m_pageWidth, &m_pageHeight);
}

// Single precision, as the picture has always been sized: Letter (8.5 x 11 inches) at 100 %
// gives 49 x 52 pixels.
RECT CNiraImagePreview::FitPageRect(const RECT& area, int width, int height)
{
    auto inches = [this](int tenths) {
        return static_cast<float>(
            static_cast<float>(m_imageScale * static_cast<float>(tenths / kTenthsPerInch)) / kPercent);
    };
    float widthInches = inches(width);
    float heightInches = inches(height);
    m_widePixels = heightInches > kTallPageInches ? kTallWidePixels : kWidePixels;
    auto slope = static_cast<float>((m_widePixels - m_narrowPixels) /
                                    static_cast<float>(m_wideInches - m_narrowInches));
    auto pixels = [&](float p) {
        // A side of no length (or a negative scale) has no pixels rather than a division by zero.
        if (!(p > 0.0f)) {
            return 0;
        }
        auto perInch = static_cast<float>((m_narrowPixels + slope * (p - m_narrowInches)) / p);
        return static_cast<int>(static_cast<double>(p) * perInch);
    };
    int widthPixels = pixels(widthInches);
    int heightPixels = pixels(heightInches);
    m_rollPixels =
        static_cast<int>(static_cast<float>(m_narrowPixels + slope * (m_rollInches - m_narrowInches)));
    RECT fitted = {area.left, area.top, area.left, area.top};
    if (m_sheetOrientation == 1) {
        fitted.right += widthPixels;
        fitted.bottom += heightPixels;
    } else if (m_sheetOrientation == 2) {
        fitted.right += heightPixels;
        fitted.bottom += widthPixels;
    }
    return fitted;
}

void CNiraImagePreview::ComputeRects()
{
    RECT widget = {};
    GetWindowRect(m_window, &widget);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&widget), 2);
    m_widgetRect = widget;
    GetPageDimensions();
    m_paperRect = FitPageRect(m_widgetRect, m_pageWidth, m_pageHeight);
    m_pageRect = m_paperRect;
    m_outerMargin = (Width(m_paperRect) + Height(m_paperRect)) / kMarginDivisor;
    if (m_strip != 0) {
        ApplyMarginStrip();
    }
}

// The strip the printer keeps free on the roll: at the page's top edge, or at its right edge when
// the printer turns the page.
void CNiraImagePreview::ApplyMarginStrip()
{
    int margin = m_outerMargin;
    if (m_sheetOrientation == 1 && m_turned != 0) {
        m_pageRect.right -=
            m_pagesOption == kTwoUp ? 4 * margin : (m_pagesOption == kSixUp ? 2 * margin : margin);
    } else if (m_turned != 0) {
        m_pageRect.right -= margin;
    } else {
        m_pageRect.top += margin;
    }
}

// The white page inside the page rectangle, leaving out the strip where it shows.
RECT CNiraImagePreview::WhitePageRect() const
{
    RECT white = m_pageRect;
    if (m_strip == 0) {
        return white;
    }
    int margin = m_outerMargin;
    bool twoUp = m_pagesOption == kTwoUp;
    bool sixUp = m_pagesOption == kSixUp;
    if ((twoUp || sixUp) && m_sheetOrientation == 2) {
        if (m_turned != 0) {
            white.left += margin;
        } else {
            white.bottom -= twoUp ? 4 * margin : 2 * margin;
        }
    } else if (m_sheetOrientation == 1 && m_turned != 0) {
        white.left += twoUp ? 3 * margin : (sixUp ? margin : 0);
    } else if (m_turned == 0) {
        white.bottom -= margin;
    }
    return white;
}

// Before the dimension marks the page rectangle gives up the strip once more.
void CNiraImagePreview::NarrowForMarks()
{
    if (m_strip == 0) {
        return;
    }
    int margin = m_outerMargin;
    bool twoUp = m_pagesOption == kTwoUp;
    bool sixUp = m_pagesOption == kSixUp;
    if ((twoUp || sixUp) && m_sheetOrientation == 2) {
        if (m_turned != 0) {
            m_pageRect.right -= margin;
        } else if (twoUp) {
            m_pageRect.bottom -= 3 * margin;
        } else {
            m_pageRect.top += 2 * margin;
        }
    } else if (m_turned == 0) {
        m_pageRect.bottom -= margin;
    } else if (twoUp && m_sheetOrientation == 1) {
        m_pageRect.right -= 3 * margin;
    } else if (sixUp && m_sheetOrientation == 1) {
        m_pageRect.left += margin;
    }
}

// As the sheet preview lays out its cells, on the page's paper, without fit scaling; options
// outside 2..6 give one cell.
CNiraSheetPreview::CellLayout CNiraImagePreview::ComputeImageCellLayout()
{
    int width = Width(m_paperRect);
    int height = Height(m_paperRect);
    if (width == 0 || height == 0) {
        width = kFullWidth;
        height = kFullHeight;
    }
    GridShape shape = {1, 1, false};
    CellLayout cells = {};
    if (m_pagesOption > 1 && GridOf(m_pagesOption, m_orientation, &shape)) {
        cells = LayoutCells(width, height, shape, m_outerMargin);
    } else if (m_pagesOption > 1) {
        cells = LayoutCells(width, height, {1, 1, false}, m_outerMargin);
    } else {
        cells = {1, 1, 0, 0, height, width};
    }
    m_innerMargin = IsBorderless() ? 0 : cells.cellWidth / kMarginDivisor + cells.cellHeight / kMarginDivisor;
    return cells;
}

// Orders 1 to 4 visit every cell as on the sheet preview; any other order draws only the cell in
// the last row and column, as page 1.
void CNiraImagePreview::DrawPages(const CellLayout& layout)
{
    int order = ReadValue(FEATURE_PAGE_ORDER_NUP, 0);
    bool known = order >= 1 && order <= kLastOrder;
    int cells = known ? layout.rows * layout.columns : 1;
    for (int index = 0; index < cells; ++index) {
        int row = layout.rows;
        int column = layout.columns;
        if (known) {
            CellAt(index, order, layout.rows, layout.columns, &row, &column);
        }
        m_cellRect.left = m_paperRect.left + column * layout.horizontalGap + (column - 1) * layout.cellWidth;
        m_cellRect.top = m_paperRect.top + row * layout.verticalGap + (row - 1) * layout.cellHeight;
        m_cellRect.right = m_cellRect.left + layout.cellWidth;
        m_cellRect.bottom = m_cellRect.top + layout.cellHeight;
        DrawPageCell(index + 1);
    }
}

void CNiraImagePreview::DrawPageCell(int pageNumber)
{
    DrawPage(pageNumber);
    int poster = ReadValue(FEATURE_POSTER, 0);
    if (poster != 0 && poster != kNoPoster && GetPagesPerSheet() == 1 &&
        ReadValue(FEATURE_DUPLEX, kOneSided) == kOneSided) {
        DrawPosterTiles(static_cast<UINT>(poster));
    }
}
