// GDI on memory DCs: the pixel rules of shapes and pens, bitmaps of each kind, blits with their
// raster operations and colour conversions, regions and clipping, flood fills and text.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kTeal = RGB(0, 128, 128);

class PixelGdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        objects = nirasim::LiveGdiObjects();
        screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 40, 30);
        previous = SelectObject(dc, bitmap);
        Clear(kWhite);
    }

    void TearDown() override
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects) << "every object made was deleted";
    }

    void Clear(COLORREF color)
    {
        HBRUSH brush = CreateSolidBrush(color);
        RECT all = {0, 0, 40, 30};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }

    // The pixels of one row from x0 to x1 (exclusive), as COLORREFs.
    std::vector<COLORREF> Row(int y, int x0, int x1)
    {
        std::vector<COLORREF> row;
        for (int x = x0; x < x1; ++x) {
            row.push_back(GetPixel(dc, x, y));
        }
        return row;
    }

    nirasim::Machine machine;
    int objects = 0;
    HDC screen = nullptr;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

TEST_F(PixelGdi, ShapesLeaveOutTheirRightAndBottomEdges)
{
    HBRUSH red = CreateSolidBrush(kRed);
    HGDIOBJ oldBrush = SelectObject(dc, red);
    Rectangle(dc, 2, 2, 6, 5);  // black one-pixel pen, red inside
    EXPECT_EQ(Row(2, 1, 7), (std::vector<COLORREF>{kWhite, kBlack, kBlack, kBlack, kBlack, kWhite}));
    EXPECT_EQ(Row(3, 1, 7), (std::vector<COLORREF>{kWhite, kBlack, kRed, kRed, kBlack, kWhite}));
    EXPECT_EQ(GetPixel(dc, 3, 4), kBlack) << "bottom border on the last row inside";
    EXPECT_EQ(GetPixel(dc, 3, 5), kWhite);

    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 10, 2, 14, 5);  // without a pen one pixel less each way
    EXPECT_EQ(Row(2, 9, 15), (std::vector<COLORREF>{kWhite, kRed, kRed, kRed, kWhite, kWhite}));
    EXPECT_EQ(GetPixel(dc, 11, 4), kWhite);

    Ellipse(dc, 20, 0, 30, 10);
    EXPECT_EQ(GetPixel(dc, 24, 4), kRed);
    EXPECT_EQ(GetPixel(dc, 20, 0), kWhite) << "the corner of the box is outside the ellipse";

    POINT triangle[] = {{0, 20}, {10, 20}, {0, 30}};
    Polygon(dc, triangle, 3);
    EXPECT_EQ(GetPixel(dc, 1, 21), kRed);
    EXPECT_EQ(GetPixel(dc, 9, 28), kWhite);
    SelectObject(dc, oldBrush);
    DeleteObject(red);
}

TEST_F(PixelGdi, OnePixelLinesLeaveOutTheirLastPointAndDotsShowTheBackground)
{
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 5, 1);
    EXPECT_EQ(Row(1, 0, 6), (std::vector<COLORREF>{kBlack, kBlack, kBlack, kBlack, kBlack, kWhite}));

    HPEN dotted = CreatePen(PS_DOT, 1, kGrey);
    HGDIOBJ oldPen = SelectObject(dc, dotted);
    SetBkColor(dc, kBlue);
    MoveToEx(dc, 0, 3, nullptr);
    LineTo(dc, 12, 3);
    EXPECT_EQ(Row(3, 0, 7), (std::vector<COLORREF>{kGrey, kGrey, kGrey, kBlue, kBlue, kBlue, kGrey}));
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 12, 5);
    EXPECT_EQ(GetPixel(dc, 3, 5), kWhite) << "transparent gaps keep what was there";

    HPEN wide = CreatePen(PS_SOLID, 4, kRed);
    SelectObject(dc, wide);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 30, 20);
    int covered = 0;
    for (int y = 15; y < 26; ++y) {
        covered += GetPixel(dc, 20, y) == kRed;
    }
    EXPECT_EQ(covered, 4) << "a pen four pixels wide covers four rows";
    SelectObject(dc, oldPen);
    DeleteObject(dotted);
    DeleteObject(wide);
}

TEST_F(PixelGdi, BlitsConvertBetweenMonochromeAndColour)
{
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateCompatibleBitmap(mono, 4, 1);  // a memory DC's own bitmap is monochrome
    BITMAP info = {};
    ASSERT_EQ(GetObjectW(mask, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ oldMask = SelectObject(mono, mask);

    // Colour to monochrome: the source's background colour becomes white, the rest black.
    SetPixel(dc, 0, 0, kTeal);
    SetPixel(dc, 1, 0, kRed);
    SetPixel(dc, 2, 0, kTeal);
    SetPixel(dc, 3, 0, kBlack);
    SetBkColor(dc, kTeal);
    ASSERT_TRUE(BitBlt(mono, 0, 0, 4, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(mono, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(mono, 1, 0), kBlack);

    // Monochrome to colour: black takes the text colour, white the background colour.
    SetTextColor(dc, kBlue);
    SetBkColor(dc, kRed);
    ASSERT_TRUE(BitBlt(dc, 10, 10, 4, 1, mono, 0, 0, SRCCOPY));
    EXPECT_EQ(Row(10, 10, 14), (std::vector<COLORREF>{kRed, kBlue, kRed, kBlue}));

    // The transparent-blit trick: XOR, AND with the mask, XOR again keeps the destination where
    // the mask is white.
    SetPixel(dc, 20, 10, kGrey);
    SetPixel(dc, 21, 10, kGrey);
    SetPixel(dc, 0, 1, kTeal);
    SetPixel(dc, 1, 1, kBlue);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    BitBlt(dc, 20, 10, 2, 1, dc, 0, 1, SRCINVERT);
    BitBlt(dc, 20, 10, 2, 1, mono, 0, 0, SRCAND);
    BitBlt(dc, 20, 10, 2, 1, dc, 0, 1, SRCINVERT);
    EXPECT_EQ(GetPixel(dc, 20, 10), kGrey) << "white mask: destination kept";
    EXPECT_EQ(GetPixel(dc, 21, 10), kBlue) << "black mask: source drawn";

    SelectObject(mono, oldMask);
    DeleteObject(mask);
    DeleteDC(mono);
}

TEST_F(PixelGdi, StretchBltWithANegativeWidthMirrors)
{
    SetPixel(dc, 0, 0, kRed);
    SetPixel(dc, 1, 0, kBlue);
    SetPixel(dc, 2, 0, kGrey);
    ASSERT_TRUE(StretchBlt(dc, 2, 0, -3, 1, dc, 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(Row(0, 0, 4), (std::vector<COLORREF>{kGrey, kBlue, kRed, kWhite}));

    ASSERT_TRUE(StretchBlt(dc, 10, 5, 4, 2, dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(Row(6, 10, 14), (std::vector<COLORREF>{kGrey, kGrey, kBlue, kBlue})) << "doubled";

    HBRUSH blue = CreateSolidBrush(kBlue);
    HGDIOBJ oldBrush = SelectObject(dc, blue);
    ASSERT_TRUE(PatBlt(dc, 30, 20, 2, 2, PATCOPY));
    EXPECT_EQ(GetPixel(dc, 31, 21), kBlue);
    EXPECT_EQ(GetPixel(dc, 32, 21), kWhite);
    ASSERT_TRUE(PatBlt(dc, 30, 20, 1, 1, DSTINVERT));
    EXPECT_EQ(GetPixel(dc, 30, 20), RGB(255, 255, 0));
    SelectObject(dc, oldBrush);
    DeleteObject(blue);
    EXPECT_EQ(GetPixel(dc, 40, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
}

// Shrinking drops pixels in COLORONCOLOR mode and averages blocks of them in HALFTONE mode,
// mirrored blocks too; enlarging is the same in both.
TEST_F(PixelGdi, HalftoneShrinksByAveragingBlocks)
{
    for (int x = 0; x < 4; ++x) {
        SetPixel(dc, x, 0, x % 2 == 0 ? kBlack : kWhite);
    }
    SetPixel(dc, 4, 0, kRed);
    SetPixel(dc, 5, 0, kBlue);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    ASSERT_TRUE(StretchBlt(dc, 0, 2, 3, 1, dc, 0, 0, 6, 1, SRCCOPY));
    EXPECT_EQ(Row(2, 0, 3), (std::vector<COLORREF>{kBlack, kBlack, kRed}));
    EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dc, 0, 3, 3, 1, dc, 0, 0, 6, 1, SRCCOPY));
    EXPECT_EQ(Row(3, 0, 3), (std::vector<COLORREF>{kGrey, kGrey, RGB(128, 0, 128)}));
    ASSERT_TRUE(StretchBlt(dc, 0, 4, 2, 1, dc, 5, 0, -4, 1, SRCCOPY));
    EXPECT_EQ(Row(4, 0, 2), (std::vector<COLORREF>{RGB(128, 0, 128), kGrey})) << "the mirrored source";
    ASSERT_TRUE(StretchBlt(dc, 0, 5, 4, 1, dc, 4, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(Row(5, 0, 4), (std::vector<COLORREF>{kRed, kRed, kBlue, kBlue}));
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0);
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE);
}

TEST_F(PixelGdi, ClipRegionsLimitEveryWrite)
{
    HRGN left = CreateRectRgn(0, 0, 10, 30);
    HRGN top = CreateRectRgn(0, 0, 40, 5);
    HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, left, top, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(both, 30, 2));
    EXPECT_FALSE(PtInRegion(both, 30, 10));
    EXPECT_EQ(SelectClipRgn(dc, both), COMPLEXREGION);
    Clear(kRed);
    EXPECT_EQ(GetPixel(dc, 30, 2), kRed);
    EXPECT_EQ(GetPixel(dc, 5, 20), kRed);
    EXPECT_EQ(GetPixel(dc, 30, 10), CLR_INVALID) << "outside the clip nothing is read";
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 3, 3), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 3);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 30, 10), kWhite);

    // A winding polygon region fills the overlap of a star; an alternate one leaves it out.
    POINT star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    EXPECT_TRUE(PtInRegion(winding, 10, 10));
    EXPECT_FALSE(PtInRegion(alternate, 10, 10));
    EXPECT_TRUE(PtInRegion(alternate, 10, 3));
    HBRUSH blue = CreateSolidBrush(kBlue);
    FillRgn(dc, winding, blue);
    EXPECT_EQ(GetPixel(dc, 10, 10), kBlue);
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(left), static_cast<HGDIOBJ>(top), static_cast<HGDIOBJ>(both),
          static_cast<HGDIOBJ>(winding), static_cast<HGDIOBJ>(alternate), static_cast<HGDIOBJ>(blue)}) {
        DeleteObject(object);
    }
}

TEST_F(PixelGdi, FloodFillsStopAtTheColourOrTheBorder)
{
    HPEN grey = CreatePen(PS_SOLID, 1, kGrey);
    HGDIOBJ oldPen = SelectObject(dc, grey);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 5, 5, 15, 15);
    HBRUSH teal = CreateSolidBrush(kTeal);
    SelectObject(dc, teal);
    ASSERT_TRUE(ExtFloodFill(dc, 8, 8, kGrey, FLOODFILLBORDER));
    EXPECT_EQ(GetPixel(dc, 6, 6), kTeal);
    EXPECT_EQ(GetPixel(dc, 5, 5), kGrey);
    EXPECT_EQ(GetPixel(dc, 20, 20), kWhite);

    ASSERT_TRUE(ExtFloodFill(dc, 0, 0, kWhite, FLOODFILLSURFACE));
    EXPECT_EQ(GetPixel(dc, 20, 20), kTeal);
    EXPECT_FALSE(ExtFloodFill(dc, 0, 0, kWhite, FLOODFILLSURFACE)) << "the start no longer has the colour";
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(grey);
    DeleteObject(teal);
}

TEST_F(PixelGdi, DibSectionBitsAndDrawingMeet)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;  // bottom-up: the first row of bits is the bottom row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    auto* pixels = static_cast<DWORD*>(bits);
    pixels[0] = 0x80FF0000;  // bottom-left red, with an alpha byte
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    EXPECT_EQ(GetPixel(memory, 0, 1), kRed);
    SetPixel(memory, 2, 0, kBlue);
    EXPECT_EQ(pixels[5] & 0xFFFFFF, 0x0000FFu) << "top-right pixel is the last of the bits";
    SetPixel(memory, 0, 1, kBlue);
    EXPECT_EQ(pixels[0], 0x800000FFu) << "the alpha byte stays";

    DIBSECTION section = {};
    EXPECT_EQ(GetObjectW(dib, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(section.dsBm.bmBits, bits);
    EXPECT_EQ(section.dsBmih.biHeight, 2);
    SelectObject(memory, old);
    EXPECT_FALSE(DeleteObject(screen)) << "a DC is not an object DeleteObject takes";
    DeleteDC(memory);
    DeleteObject(dib);

    info.bmiHeader.biHeight = 0;
    EXPECT_EQ(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST_F(PixelGdi, SelectedBitmapsStayUntilDeselected)
{
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    HDC other = CreateCompatibleDC(screen);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "a bitmap sits in one DC at a time";
    DeleteDC(other);
}

TEST_F(PixelGdi, TextIsMeasuredAndDrawnInsideItsRectangle)
{
    LOGFONTW font = {};
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ oldFont = SelectObject(dc, made);
    SIZE one = {};
    SIZE two = {};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, TEXT("8"), 1, &one));
    ASSERT_TRUE(GetTextExtentPoint32W(dc, TEXT("88"), 2, &two));
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);
    EXPECT_GE(one.cy, 12);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlue);
    RECT clip = {0, 0, 40, 4};
    ASSERT_TRUE(ExtTextOutW(dc, 2, 0, ETO_CLIPPED, &clip, TEXT("88"), 2, nullptr));
    int blue = 0;
    int below = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (GetPixel(dc, x, y) == kBlue) {
                (y < 4 ? blue : below) += 1;
            } else {
                EXPECT_EQ(GetPixel(dc, x, y), kWhite) << "no smoothing: only text or background";
            }
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(below, 0) << "clipped to the rectangle";
    SelectObject(dc, oldFont);
    DeleteObject(made);
}

TEST_F(PixelGdi, PicturesOfDcsAreWrittenAsPng)
{
    SetPixel(dc, 39, 29, kRed);
    std::string path = ::testing::TempDir() + "/pixelgdi.png";
    ASSERT_TRUE(nirasim::SaveDcPicture(dc, path));
    nirasim::Picture picture;
    ASSERT_TRUE(nirasim::ReadPicture(path, picture));
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    EXPECT_EQ(picture.At(39, 29), 0xFF0000u);
    EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);
    EXPECT_FALSE(nirasim::SaveDcPicture(nullptr, path));
}

}  // namespace
