// The page space of the simulated GDI: mapping modes, window and viewport origins and extents, the
// isotropic adjustment, the order world -> page -> device, and pixels drawn through the mapping.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include "GdiCanvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class GdiMapping : public CountedGdiTest {};

POINT Mapped(HDC dc, POINT logical)
{
    EXPECT_TRUE(LPtoDP(dc, &logical, 1));
    return logical;
}

POINT Unmapped(HDC dc, POINT device)
{
    EXPECT_TRUE(DPtoLP(dc, &device, 1));
    return device;
}

struct MappingCase {
    const char* what;
    int mode;
    POINT windowOrg;
    SIZE windowExt;
    POINT viewportOrg;
    SIZE viewportExt;
    POINT logical;
    POINT device;
};

bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

}  // namespace

TEST_F(GdiMapping, LogicalPointsMapWindowOntoViewportBothWays)
{
    const MappingCase cases[] = {
        {"text: extents ignored, origins kept",
         MM_TEXT,
         {10, 20},
         {100, 50},
         {5, 7},
         {200, 100},
         {30, 40},
         {25, 27}},
        {"anisotropic: window origin lands on viewport origin",
         MM_ANISOTROPIC,
         {10, 20},
         {100, 50},
         {5, 7},
         {200, -100},
         {10, 20},
         {5, 7}},
        {"anisotropic: scaled per axis, y flipped",
         MM_ANISOTROPIC,
         {10, 20},
         {100, 50},
         {5, 7},
         {200, -100},
         {60, 45},
         {105, -43}},
        {"anisotropic: shrinking",
         MM_ANISOTROPIC,
         {0, 0},
         {400, 300},
         {0, 0},
         {40, 30},
         {250, 120},
         {25, 12}},
        {"isotropic: the wider viewport extent shrinks",
         MM_ISOTROPIC,
         {0, 0},
         {100, 100},
         {0, 0},
         {400, 200},
         {50, 50},
         {100, 100}},
        {"isotropic: signs are kept",
         MM_ISOTROPIC,
         {0, 0},
         {100, 100},
         {0, 0},
         {-200, 400},
         {50, 50},
         {-100, 100}},
    };
    for (const MappingCase& c : cases) {
        Canvas canvas(8, 8, kWhite);
        EXPECT_EQ(SetMapMode(canvas.dc, c.mode), MM_TEXT) << c.what;
        EXPECT_EQ(GetMapMode(canvas.dc), c.mode) << c.what;
        EXPECT_TRUE(SetWindowOrgEx(canvas.dc, c.windowOrg.x, c.windowOrg.y, nullptr)) << c.what;
        EXPECT_TRUE(SetWindowExtEx(canvas.dc, c.windowExt.cx, c.windowExt.cy, nullptr)) << c.what;
        EXPECT_TRUE(SetViewportOrgEx(canvas.dc, c.viewportOrg.x, c.viewportOrg.y, nullptr)) << c.what;
        EXPECT_TRUE(SetViewportExtEx(canvas.dc, c.viewportExt.cx, c.viewportExt.cy, nullptr)) << c.what;
        EXPECT_TRUE(Mapped(canvas.dc, c.logical) == c.device) << c.what;
        EXPECT_TRUE(Unmapped(canvas.dc, c.device) == c.logical) << c.what;
    }
}

TEST_F(GdiMapping, ExtentsAreKeptAdjustedOrRefusedAsTheModeSays)
{
    Canvas canvas(8, 8, kWhite);
    SIZE size = {};
    POINT point = {};
    // MM_TEXT keeps its unit extents; setting others succeeds and changes nothing.
    EXPECT_TRUE(SetWindowExtEx(canvas.dc, 10, 10, &size));
    EXPECT_TRUE(GetWindowExtEx(canvas.dc, &size));
    EXPECT_EQ(size.cx, 1);
    EXPECT_EQ(size.cy, 1);

    SetMapMode(canvas.dc, MM_ANISOTROPIC);
    EXPECT_TRUE(SetViewportExtEx(canvas.dc, 30, -40, nullptr));
    EXPECT_FALSE(SetViewportExtEx(canvas.dc, 0, 5, &size)) << "a zero extent would flatten the page";
    EXPECT_EQ(size.cx, 30) << "the previous extent is still told";
    EXPECT_TRUE(GetViewportExtEx(canvas.dc, &size));
    EXPECT_EQ(size.cy, -40) << "a refused extent changes nothing";
    EXPECT_TRUE(SetViewportOrgEx(canvas.dc, 3, 4, nullptr));
    EXPECT_TRUE(SetViewportOrgEx(canvas.dc, 5, 6, &point));
    EXPECT_EQ(point.x, 3);
    EXPECT_TRUE(GetViewportOrgEx(canvas.dc, &point));
    EXPECT_EQ(point.y, 6);
    EXPECT_TRUE(SetWindowOrgEx(canvas.dc, -1, -2, nullptr));
    EXPECT_TRUE(GetWindowOrgEx(canvas.dc, &point));
    EXPECT_EQ(point.x, -1);

    // Back to MM_TEXT: unit extents again, the origins stay.
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_ANISOTROPIC);
    EXPECT_TRUE(GetViewportExtEx(canvas.dc, &size));
    EXPECT_EQ(size.cx, 1);
    EXPECT_TRUE(Mapped(canvas.dc, {-1, -2}) == (POINT{5, 6}));

    // A fixed mode: tenths of a millimetre, y growing upwards; a free mode set next keeps them.
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    SetWindowOrgEx(canvas.dc, 0, 0, nullptr);
    SetMapMode(canvas.dc, MM_LOMETRIC);
    EXPECT_TRUE(Mapped(canvas.dc, {254, -508}) == (POINT{96, 192}));
    SetMapMode(canvas.dc, MM_ISOTROPIC);
    EXPECT_TRUE(Mapped(canvas.dc, {254, -508}) == (POINT{96, 192}));

    EXPECT_EQ(SetMapMode(canvas.dc, 99), 0);
    EXPECT_EQ(GetMapMode(canvas.dc), MM_ISOTROPIC);
    EXPECT_FALSE(SetWindowExtEx(nullptr, 1, 1, nullptr));
    EXPECT_FALSE(GetViewportOrgEx(canvas.dc, nullptr));
}

// The isotropic adjustment makes a logical unit as long on paper along both axes, so on a device
// with unequal resolutions the device extents differ.
TEST_F(GdiMapping, IsotropicUnitsAreEqualOnThePageNotInPixels)
{
    nirasim::DriverSpec driver;
    driver.name = TEXT("Driver");
    machine.InstallDriver(driver);
    nirasim::PrinterSpec printer;
    printer.name = TEXT("Printer");
    printer.driverName = TEXT("Driver");
    machine.AddPrinter(printer);
    DEVMODEW devmode = {};
    devmode.dmSize = sizeof(devmode);
    devmode.dmPrintQuality = 600;
    devmode.dmYResolution = 300;
    HDC dc = CreateDCW(TEXT(""), TEXT("Printer"), TEXT(""), &devmode);
    ASSERT_NE(dc, nullptr);
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SIZE size = {};
    SetViewportExtEx(dc, 600, 600, nullptr);
    GetViewportExtEx(dc, &size);
    EXPECT_EQ(size.cx, 600) << "an inch is 600 pixels across and 300 down";
    EXPECT_EQ(size.cy, 300);
    SetViewportExtEx(dc, 600, 100, nullptr);
    GetViewportExtEx(dc, &size);
    EXPECT_EQ(size.cx, 200);
    EXPECT_EQ(size.cy, 100);
    DeleteDC(dc);
}

// The world transform applies first, the page mapping after it.
TEST_F(GdiMapping, TheWorldTransformComesBeforeThePage)
{
    Canvas canvas(8, 8, kWhite);
    SetGraphicsMode(canvas.dc, GM_ADVANCED);
    XFORM shift = {1, 0, 0, 1, 10, 0};
    ASSERT_TRUE(SetWorldTransform(canvas.dc, &shift));
    SetMapMode(canvas.dc, MM_ANISOTROPIC);
    SetViewportExtEx(canvas.dc, 2, 3, nullptr);
    SetViewportOrgEx(canvas.dc, 1, 1, nullptr);
    EXPECT_TRUE(Mapped(canvas.dc, {0, 2}) == (POINT{21, 7})) << "(0 + 10) x 2 + 1, 2 x 3 + 1";
    EXPECT_TRUE(Unmapped(canvas.dc, {21, 7}) == (POINT{0, 2}));
    XFORM identity = {1, 0, 0, 1, 0, 0};
    SetWorldTransform(canvas.dc, &identity);
}

// Blits, DIBs and fills land on the device rectangle the mapping makes of their logical one.
TEST_F(GdiMapping, PixelsLandWhereTheMappingPutsThem)
{
    Canvas source(4, 2, kBlue);
    source.Fill(0, 0, 1, 2, kRed);

    Canvas dest(40, 40, kWhite);
    SetMapMode(dest.dc, MM_ANISOTROPIC);
    SetWindowExtEx(dest.dc, 4, 2, nullptr);
    SetViewportOrgEx(dest.dc, 10, 20, nullptr);
    SetViewportExtEx(dest.dc, 16, 8, nullptr);
    ASSERT_TRUE(StretchBlt(dest.dc, 0, 0, 4, 2, source.dc, 0, 0, 4, 2, SRCCOPY));
    SetMapMode(dest.dc, MM_TEXT);
    SetViewportOrgEx(dest.dc, 0, 0, nullptr);
    EXPECT_EQ(GetPixel(dest.dc, 10, 20), kRed);
    EXPECT_EQ(GetPixel(dest.dc, 13, 27), kRed) << "one source column becomes four";
    EXPECT_EQ(GetPixel(dest.dc, 14, 20), kBlue);
    EXPECT_EQ(GetPixel(dest.dc, 25, 27), kBlue);
    EXPECT_EQ(GetPixel(dest.dc, 26, 20), kWhite);
    EXPECT_EQ(GetPixel(dest.dc, 10, 28), kWhite);
    EXPECT_EQ(GetPixel(dest.dc, 9, 20), kWhite);

    // A flipped viewport mirrors the picture: the red column ends up on the right.
    Canvas mirror(20, 10, kWhite);
    SetMapMode(mirror.dc, MM_ANISOTROPIC);
    SetViewportOrgEx(mirror.dc, 8, 0, nullptr);
    SetViewportExtEx(mirror.dc, -2, 2, nullptr);
    ASSERT_TRUE(BitBlt(mirror.dc, 0, 0, 4, 2, source.dc, 0, 0, SRCCOPY));
    mirror.Fill(0, 2, 4, 3, kRed);
    SetMapMode(mirror.dc, MM_TEXT);
    SetViewportOrgEx(mirror.dc, 0, 0, nullptr);
    EXPECT_EQ(GetPixel(mirror.dc, 7, 0), kRed);
    EXPECT_EQ(GetPixel(mirror.dc, 6, 3), kRed);
    EXPECT_EQ(GetPixel(mirror.dc, 5, 0), kBlue);
    EXPECT_EQ(GetPixel(mirror.dc, 0, 3), kBlue);
    EXPECT_EQ(GetPixel(mirror.dc, 8, 0), kWhite);
    EXPECT_EQ(GetPixel(mirror.dc, 0, 4), kRed) << "the fill covers device columns 0 to 7 of rows 4 and 5";
    EXPECT_EQ(GetPixel(mirror.dc, 7, 5), kRed);
    EXPECT_EQ(GetPixel(mirror.dc, 8, 4), kWhite);

    // A DIB drawn through a doubling mapping.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const DWORD pixels[2] = {0x00FF0000, 0x000000FF};  // red, blue
    Canvas dib(10, 10, kWhite);
    SetMapMode(dib.dc, MM_ANISOTROPIC);
    SetViewportExtEx(dib.dc, 2, 2, nullptr);
    SetViewportOrgEx(dib.dc, 1, 1, nullptr);
    EXPECT_EQ(StretchDIBits(dib.dc, 0, 0, 2, 1, 0, 0, 2, 1, pixels, &info, DIB_RGB_COLORS, SRCCOPY), 1);
    SetMapMode(dib.dc, MM_TEXT);
    SetViewportOrgEx(dib.dc, 0, 0, nullptr);
    EXPECT_EQ(GetPixel(dib.dc, 1, 1), kRed);
    EXPECT_EQ(GetPixel(dib.dc, 2, 2), kRed);
    EXPECT_EQ(GetPixel(dib.dc, 3, 2), kBlue);
    EXPECT_EQ(GetPixel(dib.dc, 5, 1), kWhite);
    EXPECT_EQ(GetPixel(dib.dc, 1, 3), kWhite);
}
