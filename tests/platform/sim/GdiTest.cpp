// The simulated GDI: printer DCs sized by their DEVMODE, documents and pages, objects and the
// journal.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr short kLetter = 1;
constexpr short kA4 = 9;

class Gdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        nirasim::PrinterSpec printer;
        printer.name = TEXT("Printer");
        printer.driverName = TEXT("Driver");
        nirasim::DriverSpec driver;
        driver.name = TEXT("Driver");
        machine.InstallDriver(driver);
        machine.AddPrinter(printer);
    }

    HDC MakeDC(const DEVMODEW* devmode) { return CreateDCW(TEXT(""), TEXT("Printer"), TEXT(""), devmode); }

    nirasim::Machine machine;
};

struct CapsCase {
    const char* what;
    short paper;
    short orientation;
    short dpiX;
    short dpiY;
    int physicalWidth;
    int physicalHeight;
};

TEST_F(Gdi, PrinterCapabilitiesFollowTheDevmode)
{
    const CapsCase cases[] = {
        {"no devmode fields: letter at 600 dpi", 0, 0, 0, 0, 5100, 6600},
        {"A4 portrait, 300 dpi", kA4, DMORIENT_PORTRAIT, 300, 300, 2480, 3508},
        {"letter landscape", kLetter, DMORIENT_LANDSCAPE, 600, 600, 6600, 5100},
        {"unequal resolutions", kLetter, DMORIENT_PORTRAIT, 600, 300, 5100, 3300},
    };
    for (const CapsCase& c : cases) {
        DEVMODEW devmode = {};
        devmode.dmSize = sizeof(devmode);
        devmode.dmPaperSize = c.paper;
        devmode.dmOrientation = c.orientation;
        devmode.dmPrintQuality = c.dpiX;
        devmode.dmYResolution = c.dpiY;
        HDC dc = MakeDC(&devmode);
        ASSERT_NE(dc, nullptr) << c.what;
        int dpiX = c.dpiX > 0 ? c.dpiX : 600;
        int dpiY = c.dpiY > 0 ? c.dpiY : dpiX;
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), dpiX) << c.what;
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), dpiY) << c.what;
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.physicalWidth) << c.what;
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.physicalHeight) << c.what;
        int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
        int offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
        EXPECT_GT(offsetX, 0);
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.physicalWidth - 2 * offsetX) << c.what;
        EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.physicalHeight - 2 * offsetY) << c.what;
        EXPECT_EQ(GetDeviceCaps(dc, DESKTOPHORZRES), GetDeviceCaps(dc, HORZRES));
        EXPECT_EQ(GetDeviceCaps(dc, DESKTOPVERTRES), GetDeviceCaps(dc, VERTRES));
        DeleteDC(dc);
    }
    EXPECT_EQ(CreateDCW(TEXT(""), TEXT("No Such Printer"), TEXT(""), nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(Gdi, PagesNeedADocumentAndObjectsAreCounted)
{
    HDC dc = MakeDC(nullptr);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    DOCINFOW doc = {sizeof(DOCINFOW), TEXT("Doc"), nullptr, nullptr, 0};
    EXPECT_GT(StartDocW(dc, &doc), 0);
    EXPECT_GT(StartPage(dc), 0);
    EXPECT_EQ(StartPage(dc), SP_ERROR);  // one page at a time
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);

    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_EQ(nirasim::LiveGdiObjects(), 3);  // the DC, the pen and the brush
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // stock objects stay
    EXPECT_NE(SelectObject(dc, GetStockObject(WHITE_BRUSH)), nullptr);
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    DeleteDC(dc);
    EXPECT_EQ(nirasim::LiveGdiObjects(), 0);
}

TEST_F(Gdi, TextMetricsFollowTheFontAndTheResolution)
{
    DEVMODEW devmode = {};
    devmode.dmSize = sizeof(devmode);
    devmode.dmPrintQuality = 600;
    devmode.dmYResolution = 300;
    HDC dc = MakeDC(&devmode);
    LOGFONTW font = {};
    font.lfHeight = -100;
    font.lfPitchAndFamily = FIXED_PITCH;
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(dc, made);
    TEXTMETRICW metrics = {};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    // An em of 100 device rows; twice as many columns per unit across.
    EXPECT_GT(metrics.tmHeight, 100);
    EXPECT_LT(metrics.tmHeight, 130);
    EXPECT_GT(metrics.tmAveCharWidth, 100);  // a fixed-pitch cell is about 0.6 em, doubled
    EXPECT_LT(metrics.tmAveCharWidth, 130);
    SelectObject(dc, previous);
    DeleteObject(made);
    DeleteDC(dc);
}

}  // namespace
