// GDI's blends, gradients, transparent and turned blits, arcs, DIBs drawn onto a DC, palettes and
// mapping modes on memory DCs.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include "GdiCanvas.h"

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory DC holding a 32-bit top-down DIB section of premultiplied black with the alphas given
// row by row.
class AlphaSource {
public:
    AlphaSource(int width, int height, const std::vector<BYTE>& alphas)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* pixels = static_cast<BYTE*>(bits);
        for (size_t i = 0; i < alphas.size(); ++i) {
            pixels[i * 4 + 3] = alphas[i];
        }
        previous = SelectObject(dc, bitmap);
    }
    ~AlphaSource()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    AlphaSource(const AlphaSource&) = delete;
    AlphaSource& operator=(const AlphaSource&) = delete;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

class GdiBlends : public CountedGdiTest {};

TEST_F(GdiBlends, AlphaBlendMixesByConstantAndPremultipliedAlpha)
{
    Canvas dest(10, 10, kWhite);
    Canvas grey(4, 4, RGB(0, 0, 0));
    BLENDFUNCTION constant = {AC_SRC_OVER, 0, 160, 0};
    ASSERT_TRUE(AlphaBlend(dest.dc, 0, 0, 4, 4, grey.dc, 0, 0, 4, 4, constant));
    // 255 * (255 - 160) / 255 = 95: black over white at alpha 160.
    EXPECT_EQ(GetPixel(dest.dc, 1, 1), RGB(95, 95, 95));
    EXPECT_EQ(GetPixel(dest.dc, 4, 4), kWhite);
    // A colour blended over itself stays as it is.
    Canvas same(4, 4, RGB(192, 192, 192));
    Canvas ground(4, 4, RGB(192, 192, 192));
    ASSERT_TRUE(AlphaBlend(ground.dc, 0, 0, 4, 4, same.dc, 0, 0, 4, 4, constant));
    EXPECT_EQ(GetPixel(ground.dc, 2, 2), RGB(192, 192, 192));

    // Per-pixel alpha: column 0 opaque, column 1 half, column 2 transparent; constant alpha 191 on top.
    AlphaSource band(3, 1, {255, 128, 0});
    BLENDFUNCTION perPixel = {AC_SRC_OVER, 0, 191, AC_SRC_ALPHA};
    dest.Fill(0, 0, 10, 10, kWhite);
    ASSERT_TRUE(AlphaBlend(dest.dc, 0, 5, 3, 2, band.dc, 0, 0, 3, 1, perPixel));
    EXPECT_EQ(GetPixel(dest.dc, 0, 5), RGB(64, 64, 64));     // 255 * (255 - 191) / 255
    EXPECT_EQ(GetPixel(dest.dc, 1, 6), RGB(159, 159, 159));  // 255 * (1 - 128 * 191 / 255 / 255)
    EXPECT_EQ(GetPixel(dest.dc, 2, 5), kWhite);
    // A source without alpha bytes cannot give per-pixel alpha.
    EXPECT_FALSE(AlphaBlend(dest.dc, 0, 0, 4, 4, grey.dc, 0, 0, 4, 4, perPixel));
    EXPECT_FALSE(AlphaBlend(dest.dc, 0, 0, 0, 4, grey.dc, 0, 0, 4, 4, constant));
}

TEST_F(GdiBlends, TransparentBltLeavesOutOneColourAndStretches)
{
    Canvas dest(10, 10, kBlue);
    Canvas mark(2, 2, kWhite);
    mark.Fill(0, 0, 1, 1, kRed);
    ASSERT_TRUE(TransparentBlt(dest.dc, 2, 2, 4, 4, mark.dc, 0, 0, 2, 2, kWhite));
    EXPECT_EQ(GetPixel(dest.dc, 2, 2), kRed);
    EXPECT_EQ(GetPixel(dest.dc, 3, 3), kRed) << "each source pixel covers 2 x 2";
    EXPECT_EQ(GetPixel(dest.dc, 4, 4), kBlue) << "white stays out";
}

TEST_F(GdiBlends, GradientTrianglesMixTheirCorners)
{
    Canvas dest(20, 20, kWhite);
    TRIVERTEX corners[3] = {{0, 0, 0x4B00, 0x4B00, 0x4B00, 0xFF00},
                            {10, 0, 0x4B00, 0x4B00, 0x4B00, 0xFF00},
                            {10, 14, 0xC000, 0xC000, 0xC000, 0xFF00}};
    GRADIENT_TRIANGLE triangle = {0, 1, 2};
    ASSERT_TRUE(GradientFill(dest.dc, corners, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE));
    // Grey 75 at the top edge, where the first two corners are, growing to 192 at the third.
    EXPECT_LT(GetRValue(GetPixel(dest.dc, 5, 0)), 80);
    EXPECT_GT(GetRValue(GetPixel(dest.dc, 9, 13)), 180);
    EXPECT_EQ(GetPixel(dest.dc, 5, 0), RGB(79, 79, 79));
    EXPECT_EQ(GetPixel(dest.dc, 1, 10), kWhite) << "outside the triangle";
    GRADIENT_TRIANGLE beyond = {0, 1, 3};
    EXPECT_FALSE(GradientFill(dest.dc, corners, 3, &beyond, 1, GRADIENT_FILL_TRIANGLE));
}

TEST_F(GdiBlends, ArcToFollowsTheArcDirectionAndMovesThePosition)
{
    Canvas dest(30, 30, kWhite);
    EXPECT_EQ(SetArcDirection(dest.dc, AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    MoveToEx(dest.dc, 0, 10, nullptr);
    // Clockwise from the top of a 21 x 21 circle to its bottom runs through its right side.
    ASSERT_TRUE(ArcTo(dest.dc, 0, 0, 21, 21, 10, 0, 10, 20));
    POINT at = {};
    MoveToEx(dest.dc, 0, 0, &at);
    EXPECT_EQ(at.x, 10);
    EXPECT_EQ(at.y, 20);
    EXPECT_EQ(GetPixel(dest.dc, 20, 10), kBlack);
    EXPECT_EQ(GetPixel(dest.dc, 0, 15), kWhite) << "the left side is not drawn";
    EXPECT_EQ(GetPixel(dest.dc, 5, 5), kBlack) << "the line from the position to the arc's start";
    EXPECT_EQ(SetArcDirection(dest.dc, 7), 0);
}

TEST_F(GdiBlends, StretchDibitsDrawsTrueColourAndColourTables)
{
    Canvas dest(10, 10, kWhite);
    // 3 x 2 at 24 bits, bottom-up: the first stored row is the bottom one; rows padded to 12 bytes.
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BYTE bits[24] = {};
    bits[2] = 255;       // bottom row, first pixel: red
    bits[12 + 0] = 255;  // top row, first pixel: blue
    ASSERT_EQ(StretchDIBits(dest.dc, 1, 1, 3, 2, 0, 0, 3, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(GetPixel(dest.dc, 1, 1), kBlue);
    EXPECT_EQ(GetPixel(dest.dc, 1, 2), kRed);
    EXPECT_EQ(GetPixel(dest.dc, 2, 2), kBlack);

    // 2 x 1 at 8 bits through a colour table of two entries.
    std::vector<BYTE> table(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    auto* palettised = reinterpret_cast<BITMAPINFO*>(table.data());
    palettised->bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    palettised->bmiColors[0] = {0, 255, 0, 0};
    reinterpret_cast<RGBQUAD*>(&palettised->bmiColors[0])[1] = {255, 0, 0, 0};
    BYTE indices[4] = {1, 0, 0, 0};
    ASSERT_EQ(StretchDIBits(dest.dc, 5, 5, 4, 2, 0, 0, 2, 1, indices, palettised, DIB_RGB_COLORS, SRCCOPY),
              1);
    EXPECT_EQ(GetPixel(dest.dc, 6, 6), kBlue) << "entry 1, stretched twice";
    EXPECT_EQ(GetPixel(dest.dc, 7, 5), RGB(0, 255, 0));

    BITMAPINFO broken = info;
    broken.bmiHeader.biBitCount = 7;
    EXPECT_EQ(StretchDIBits(dest.dc, 0, 0, 3, 2, 0, 0, 3, 2, bits, &broken, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dest.dc, 0, 0, 3, 2, 0, 0, 4, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 0)
        << "a source rectangle beyond the bitmap";
}

TEST_F(GdiBlends, PalettesAreSelectedRealisedAndRecorded)
{
    Canvas dest(4, 4, kWhite);
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 2;
    HPALETTE palette = CreatePalette(logical);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
    HPALETTE previous = SelectPalette(dest.dc, palette, FALSE);
    EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(dest.dc), 0u);
    EXPECT_EQ(SelectPalette(dest.dc, previous, FALSE), palette);
    EXPECT_TRUE(DeleteObject(palette));
    logical->palVersion = 0x200;
    EXPECT_EQ(CreatePalette(logical), nullptr);
    EXPECT_EQ(nirasim::GdiCallsNamed("RealizePalette").size(), 1u);

    EXPECT_EQ(SetMapMode(dest.dc, MM_ANISOTROPIC), MM_TEXT);
    EXPECT_EQ(SetMapMode(dest.dc, MM_TEXT), MM_ANISOTROPIC);
}

// A blit through a quarter turn lands each source pixel where the transform puts it.
TEST_F(GdiBlends, BlitsFollowATurningWorldTransform)
{
    Canvas dest(20, 20, kWhite);
    Canvas source(4, 2, kBlue);
    source.Fill(0, 0, 1, 1, kRed);
    SetGraphicsMode(dest.dc, GM_ADVANCED);
    XFORM quarter = {0, 1, -1, 0, 10, 5};  // (x, y) -> (10 - y, 5 + x)
    ASSERT_TRUE(SetWorldTransform(dest.dc, &quarter));
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 4, 2, source.dc, 0, 0, SRCCOPY));
    XFORM identity = {1, 0, 0, 1, 0, 0};
    SetWorldTransform(dest.dc, &identity);
    // The source's top-left pixel lands on device pixel (9, 5).
    EXPECT_EQ(GetPixel(dest.dc, 9, 5), kRed);
    EXPECT_EQ(GetPixel(dest.dc, 8, 8), kBlue);
    EXPECT_EQ(GetPixel(dest.dc, 9, 9), kWhite) << "four source columns become four device rows";
    EXPECT_EQ(GetPixel(dest.dc, 10, 6), kWhite);
}

}  // namespace
