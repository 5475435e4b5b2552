// Where the sheet preview puts things: the paper fitted into the widget, the document's paper when
// fit to size is on, the outer and inner margins and the page cells in their visiting order.
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

#include <algorithm>
#include <cmath>

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "nira/uiplugin/sheetpreview/PaperDimensions.h"

using namespace sheetpreview;

namespace {

constexpr int kPictureWidget = 6002;
constexpr int kFitToSize = 2;
// Papers (tenths of a millimetre) are drawn at least 98 mm wide and in proportion up to 11 x 17
// inches; larger papers fill the same share of the widget.
constexpr int kMinimumPaperWidth = 980;
constexpr int kFullWidth = 2794;
constexpr int kFullHeight = 4318;
constexpr double kPortraitWidthShare = 0.62;
constexpr double kPortraitHeightShare = 0.87;
constexpr double kLandscapeWidthShare = 0.85;
constexpr double kLandscapeHeightShare = 0.56;
// The paper-size handler's answer when it cannot give a size.
constexpr int kMarginDivisor = 28;
constexpr int kPercent = 100;
constexpr int kRoundUpTenth = 4;
constexpr int kAddressPaperKind = 6;

// Page orders of FEATURE_PAGE_ORDER_NUP.
constexpr int kColumnsFromLeft = 2;
constexpr int kRowsRightToLeft = 3;
constexpr int kColumnsFromRight = 4;

}  // namespace

// Rows and columns of each pages-per-sheet option at sheet orientation 1 (portrait pages); false
// for an option the picture does not know.
bool CNiraSheetPreview::GridOf(int option, int orientation, GridShape* shape)
{
    bool portrait = orientation == 1;
    switch (option) {
    case 1:
        *shape = {1, 1, false};
        return true;
    case 2:
        *shape = portrait ? GridShape{1, 2, false} : GridShape{2, 1, false};
        return true;
    case 3:
        *shape = {2, 2, true};
        return true;
    case 4:
        *shape = portrait ? GridShape{2, 3, false} : GridShape{3, 2, false};
        return true;
    case 5:
        *shape = {3, 3, true};
        return true;
    case 6:
        *shape = {4, 4, true};
        return true;
    default:
        return false;
    }
}

// The 1-based row and column of the index-th cell visited in the page order.
void CNiraSheetPreview::CellAt(int index, int order, int rows, int columns, int* row, int* column)
{
    switch (order) {
    case kColumnsFromLeft:
        *column = index / rows + 1;
        *row = index % rows + 1;
        break;
    case kRowsRightToLeft:
        *row = index / columns + 1;
        *column = columns - index % columns;
        break;
    case kColumnsFromRight:
        *column = columns - index / rows;
        *row = index % rows + 1;
        break;
    default:
        *row = index / columns + 1;
        *column = index % columns + 1;
        break;
    }
}

int CNiraSheetPreview::RoundToPixels(double value)
{
    auto tenths = static_cast<long long>(value * 10.0);
    return static_cast<int>(tenths % 10 < kRoundUpTenth ? std::floor(value) : std::ceil(value));
}

int CNiraSheetPreview::GetSheetOrientation()
{
    int pages = GetPagesPerSheet();
    if (pages == 2 || pages == 4) {
        return m_orientation == 2 ? 1 : 2;
    }
    return m_orientation;
}

void CNiraSheetPreview::GetPaperDimensions(int featureId, int* width, int* height)
{
    *width = 0;
    *height = 0;
    ReadPaperDimensions(m_services, kPictureWidget, featureId, FEATURE_PAPER_SIZE, width, height);
}

RECT CNiraSheetPreview::FitPaperRect(const RECT& area, int width, int height)
{
    int areaWidth = Width(area);
    int areaHeight = Height(area);
    width = std::max(width, kMinimumPaperWidth);
    int widthMax = std::max(width, kFullWidth);
    int heightMax = std::max(height, kFullHeight);
    int fittedWidth = 0;
    int fittedHeight = 0;
    switch (GetSheetOrientation()) {
    case 1:
        fittedWidth = RoundToPixels(areaWidth * static_cast<double>(width) * kPortraitWidthShare / widthMax);
        fittedHeight =
            RoundToPixels(areaHeight * static_cast<double>(height) * kPortraitHeightShare / heightMax);
        break;
    case 2:
        fittedWidth =
            RoundToPixels(areaWidth * static_cast<double>(height) * kLandscapeWidthShare / heightMax);
        fittedHeight =
            RoundToPixels(areaHeight * static_cast<double>(width) * kLandscapeHeightShare / widthMax);
        break;
    default:
        break;
    }
    int left = area.left + (areaWidth - fittedWidth) / 2;
    int top = area.top + (areaHeight - fittedHeight) / 2;
    return {left, top, left + fittedWidth, top + fittedHeight};
}

int CNiraSheetPreview::ComputeSheetRects()
{
    RECT widget = {};
    GetWindowRect(m_window, &widget);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&widget), 2);
    m_widgetRect = widget;
    m_paperRect = widget;
    bool fit = ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize;
    int paperWidth = 0;
    int paperHeight = 0;
    int documentWidth = 0;
    int documentHeight = 0;
    GetPaperDimensions(fit ? FEATURE_TARGET_SIZE : FEATURE_PAPER_SIZE, &paperWidth, &paperHeight);
    if (fit) {
        GetPaperDimensions(FEATURE_PAPER_SIZE, &documentWidth, &documentHeight);
    }
    m_paperRect = FitPaperRect(m_widgetRect, paperWidth, paperHeight);
    m_documentPaperRect = m_paperRect;
    int scale = 0;
    if (ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize) {
        m_documentPaperRect = FitPaperRect(m_widgetRect, documentWidth, documentHeight);
        // A document paper without a size gets no fit scaling rather than a division by zero.
        if (documentWidth != 0 && documentHeight != 0) {
            auto byHeight = static_cast<float>(paperHeight * 100.0 / documentHeight);
            auto byWidth = static_cast<float>(paperWidth * 100.0 / documentWidth);
            scale = std::min(static_cast<int>(byHeight), static_cast<int>(byWidth));
        }
        m_outerMargin = (Width(m_documentPaperRect) + Height(m_documentPaperRect)) / kMarginDivisor;
    } else {
        m_outerMargin = (Width(m_paperRect) + Height(m_paperRect)) / kMarginDivisor;
    }
    return scale;
}

CNiraSheetPreview::CellLayout CNiraSheetPreview::LayoutCells(int width, int height, const GridShape& shape,
                                                             int margin)
{
    int ratio = std::max(shape.heightOverWidth ? height * kPercent / width : width * kPercent / height, 1);
    CellLayout cells = {shape.rows, shape.columns, 0, 0, 0, 0};
    auto gaps = [&] {
        cells.verticalGap = (height - cells.rows * cells.cellHeight) / (cells.rows + 1);
        cells.horizontalGap = (width - cells.columns * cells.cellWidth) / (cells.columns + 1);
    };
    cells.cellHeight = (height - (cells.rows + 1) * margin) / cells.rows;
    cells.cellWidth = cells.cellHeight * kPercent / ratio;
    gaps();
    if (cells.horizontalGap < margin / 2) {
        cells.cellWidth = (width - (cells.columns + 1) * margin) / cells.columns;
        cells.cellHeight = cells.cellWidth * ratio / kPercent;
        gaps();
    }
    return cells;
}

int CNiraSheetPreview::ComputeCellLayout(CellLayout* layout)
{
    const RECT& area = ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize ? m_documentPaperRect : m_paperRect;
    int width = Width(area);
    int height = Height(area);
    if (width == 0 || height == 0) {
        width = kFullWidth;
        height = kFullHeight;
    }
    int option = GetPagesPerSheet();
    GridShape shape = {};
    if (!GridOf(option, m_orientation, &shape)) {
        return NIRA_STATUS_FAILED;
    }
    CellLayout cells = LayoutCells(width, height, shape, m_outerMargin);
    if (option == 1) {
        cells.cellHeight = height;
        cells.cellWidth = width;
        cells.horizontalGap = 0;
        cells.verticalGap = 0;
        if (m_scale > kPercent) {
            cells.cellWidth = width * m_scale / kPercent;
            cells.cellHeight = height * m_scale / kPercent;
        }
    }
    m_innerMargin = IsBorderless() ? 0 : cells.cellWidth / kMarginDivisor + cells.cellHeight / kMarginDivisor;
    *layout = cells;
    return 0;
}

void CNiraSheetPreview::DrawPages(const CellLayout& layout)
{
    int order = ReadValue(FEATURE_PAGE_ORDER_NUP, 0);
    bool fit = ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize;
    int cells = layout.rows * layout.columns;
    for (int index = 0; index < cells; ++index) {
        int row = 0;
        int column = 0;
        CellAt(index, order, layout.rows, layout.columns, &row, &column);
        RECT cell;
        cell.left =
            m_documentPaperRect.left + column * layout.horizontalGap + (column - 1) * layout.cellWidth;
        cell.top = m_documentPaperRect.top + row * layout.verticalGap + (row - 1) * layout.cellHeight;
        cell.right = cell.left + layout.cellWidth;
        cell.bottom = cell.top + layout.cellHeight;
        if (fit) {
            OffsetRect(&cell, m_paperRect.left + (Width(m_paperRect) - layout.cellWidth) / 2 - cell.left,
                       m_paperRect.top + (Height(m_paperRect) - layout.cellHeight) / 2 - cell.top);
            if (cell.left < m_paperRect.left || cell.right > m_paperRect.right) {
                cell.left = m_paperRect.left;
                cell.right = m_paperRect.right;
            }
            if (cell.top < m_paperRect.top || cell.bottom > m_paperRect.bottom) {
                cell.top = m_paperRect.top;
                cell.bottom = m_paperRect.bottom;
            }
        }
        m_cellRect = cell;
        DrawPageCell(index + 1);
    }
}

void CNiraSheetPreview::DrawPageCell(int pageNumber)
{
    int paper = 0;
    int isSet = 0;
    if (m_services != nullptr && m_services->GetValue(FEATURE_PAPER_SIZE, &paper, &isSet) == 0) {
        TreeViewOptionRecord record = {};
        record.size = sizeof(record);
        if (m_services->GetTreeViewOption(FEATURE_PAPER_SIZE, paper, &record) == 0 &&
            record.groupId == kAddressPaperKind) {
            DrawAddressPage(pageNumber);
        } else {
            DrawTextPage(pageNumber);
        }
    }
    int poster = ReadValue(FEATURE_POSTER, 0);
    if (poster != 0 && poster != kNoPoster && GetPagesPerSheet() == 1 &&
        ReadValue(FEATURE_DUPLEX, kOneSided) == kOneSided) {
        DrawPosterTiles(static_cast<UINT>(poster));
    }
}
