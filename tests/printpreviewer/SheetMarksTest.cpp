// The marks around a sheet on the canvas: the binding loops' geometry and the drop shadow.
#include <gtest/gtest.h>

#include "printpreviewer/SheetMarks.h"

TEST(SheetMarks, BindingLoopsCrossTheGapOnTheirEdge)
{
    const RECT sheet = {100, 50, 400, 470};  // 300 x 420
    BindingMarks left = BindingMarksOf(sheet, kMarkLeft, 8);
    ASSERT_EQ(left.loops.size(), 27u);
    EXPECT_EQ(left.diameter, 3);  // 300 / 90
    EXPECT_EQ(left.penWidth, 0);
    const BindingLoop& first = left.loops[0];
    EXPECT_EQ(first.curve[0].x, 110);       // 300 / 30 inside the sheet
    EXPECT_EQ(first.curve[3].x, 100 - 18);  // across the gap and 10 into the neighbour
    EXPECT_EQ(first.curve[0].y, 50 + 420 / 28);
    EXPECT_EQ(first.curve[3].y, first.curve[0].y);
    EXPECT_EQ(first.curve[1].x, 110 - 28 / 3);
    EXPECT_EQ(first.curve[1].y, first.curve[0].y + 7);  // a quarter of the span to one side
    EXPECT_EQ(first.curve[2].y, first.curve[0].y - 7);  // and to the other
    EXPECT_TRUE(first.partnerCircle);
    EXPECT_EQ(left.loops[26].curve[0].y, 50 + 27 * 420 / 28);

    // A cover on the bottom edge: the loops end in the middle of the gap, without a circle there.
    BindingMarks cover = BindingMarksOf(sheet, kMarkBottom + kMarkCover, 8);
    ASSERT_EQ(cover.loops.size(), 27u);
    EXPECT_EQ(cover.diameter, 4);  // 420 / 90
    EXPECT_EQ(cover.penWidth, 1);
    EXPECT_EQ(cover.loops[0].curve[0].y, 470 - 14);
    EXPECT_EQ(cover.loops[0].curve[3].y, 474);
    EXPECT_EQ(cover.loops[0].curve[0].x, 100 + 300 / 28);
    EXPECT_FALSE(cover.loops[0].partnerCircle);

    for (LONG code : {0, 5, 16, 21}) {
        EXPECT_TRUE(BindingMarksOf(sheet, code, 8).loops.empty()) << code;
    }
    EXPECT_EQ(BindingMarksOf({0, 0, 60, 60}, kMarkRight, 8).diameter, 2);  // never below 2
}

TEST(SheetMarks, FramesCastAShadowAsWideAsTheSheetAsks)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 520, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 520, 40, WHITENESS);
    const COLORREF shadow = RGB(0x55, 0x55, 0x55);
    DrawSheetFrame(dc, {0, 0, 100, 10});   // one line
    DrawSheetFrame(dc, {0, 20, 500, 30});  // three lines
    EXPECT_EQ(GetPixel(dc, 100, 5), shadow);
    EXPECT_EQ(GetPixel(dc, 101, 6), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 50, 10), shadow);
    EXPECT_EQ(GetPixel(dc, 502, 27), shadow);
    EXPECT_EQ(GetPixel(dc, 503, 27), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 0, 25), RGB(0, 0, 0));  // the frame itself
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
