// The canvas's arithmetic: fitting zooms, the grid, slots and page numbers, ruler units.
#include <gtest/gtest.h>

#include "printpreviewer/CanvasLayout.h"

namespace {

CanvasLayout Layout(LONG zoom, SIZE client = {1000, 800})
{
    return CanvasLayout{96, zoom, client, {5100, 6600}, {17, 17}};
}

}  // namespace

TEST(CanvasLayout, ZoomsThatFit)
{
    CanvasLayout layout = Layout(96);
    EXPECT_EQ(layout.Pixels(5100), 816);  // 100 % on a 96-dpi screen: the sheet's real size
    // Whole page: the height decides (783 x 100 / 1056 = 74 %); page width: only the width.
    EXPECT_EQ(layout.FitZoom(1, 1), 74 * 96 / 100);
    EXPECT_EQ(layout.FitZoom(1, 0), 983 * 100 / 816 * 96 / 100);
    EXPECT_EQ(layout.FitZoom(2, 1), std::min(983 * 100 / 1632, 783 * 100 / 1056) * 96 / 100);
    CanvasLayout tiny = CanvasLayout{96, 96, {5, 5}, {0, 0}, {17, 17}};
    EXPECT_GT(tiny.FitZoom(1, 1), 0);  // no division by an empty sheet or window
}

TEST(CanvasLayout, ColumnsAndRows)
{
    CanvasLayout layout = Layout(48, {1400, 800});  // sheets of 408 pixels: three fit
    EXPECT_EQ(layout.Columns(CanvasZoomMode::kPercent, PreviewBinding::kNone, true), 3);
    EXPECT_EQ(layout.Columns(CanvasZoomMode::kPercent, PreviewBinding::kSide, false), 2);
    EXPECT_EQ(layout.Columns(CanvasZoomMode::kWholePage, PreviewBinding::kNone, true), 1);
    EXPECT_EQ(layout.Columns(CanvasZoomMode::kTwoPages, PreviewBinding::kNone, true), 2);
    CanvasLayout narrow = Layout(96, {300, 800});
    EXPECT_EQ(narrow.Columns(CanvasZoomMode::kPercent, PreviewBinding::kNone, true), 1);
    EXPECT_EQ(narrow.Columns(CanvasZoomMode::kPercent, PreviewBinding::kSide, false), 2);
    EXPECT_EQ(layout.Rows(5, 2, PreviewBinding::kNone), 3);
    EXPECT_EQ(layout.Rows(5, 2, PreviewBinding::kTop), 4);
    SIZE extent = layout.Extent(2, 3);
    EXPECT_EQ(extent.cx, 16 + 2 * (408 + 8));
    EXPECT_EQ(extent.cy, 16 + 3 * (528 + 8));
}

TEST(CanvasLayout, SlotsAndPageNumbers)
{
    // One-sided: slot and page are one.
    EXPECT_EQ(PageNumberOfSlot(4, PreviewBinding::kNone, 3, 3), 4);
    EXPECT_EQ(SlotOfPage(4, PreviewBinding::kNone, 3, 3, 6), 4);
    EXPECT_EQ(SlotOfPage(9, PreviewBinding::kNone, 3, 3, 6), 5);
    // Bound, 3 sheets in 4 slots a copy: slot 0 is empty.
    EXPECT_EQ(PageNumberOfSlot(0, PreviewBinding::kSide, 3, 4), -1);
    EXPECT_EQ(PageNumberOfSlot(1, PreviewBinding::kSide, 3, 4), 0);
    EXPECT_EQ(PageNumberOfSlot(3, PreviewBinding::kSide, 3, 4), 2);
    EXPECT_EQ(SlotOfPage(0, PreviewBinding::kSide, 3, 4, 8), 1);
    EXPECT_EQ(SlotOfPage(3, PreviewBinding::kSide, 3, 4, 8), 5);
    EXPECT_EQ(SlotOfPage(-1, PreviewBinding::kSide, 3, 4, 8), 0);
}

TEST(CanvasLayout, RulerUnits)
{
    RulerUnit inches = ChooseRulerUnit(96, true);
    EXPECT_EQ(inches.unit, 48);  // half inches at 100 % on a 96-dpi screen
    EXPECT_EQ(inches.tenUnits, 480);
    EXPECT_EQ(inches.subdivisions, 8);
    RulerUnit centimetres = ChooseRulerUnit(96, false);
    EXPECT_EQ(centimetres.unit, 37);
    EXPECT_EQ(centimetres.subdivisions, 10);
    EXPECT_EQ(ChooseRulerUnit(20, true).unit, 40);  // a narrow unit doubles
}
