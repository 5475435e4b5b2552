// The image preview: the page's size in pixels, its turning onto the roll's sheet, its cells and
// content, and the roll with its shading.
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include "tests/nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

#include <cmath>

#include "nira/uiplugin/sheetpreview/ImagePreview.h"

namespace {

constexpr unsigned kGreyPixel = 0x808080;
constexpr unsigned kBackgroundPixel = 0xC0C0C0;
constexpr unsigned kBlackPixel = 0x000000;
constexpr int kWideOption = 9;

class OpenImagePreview : public CNiraImagePreview {
public:
    using CNiraImagePreview::DrawImageChart;
    using CNiraImagePreview::DrawImageLogo;
    using CNiraImagePreview::DrawPage;
    using CNiraImagePreview::DrawShadows;
    using CNiraImagePreview::m_cellRect;
    using CNiraImagePreview::m_innerMargin;
    using CNiraImagePreview::m_memoryDC;
    using CNiraImagePreview::m_outerMargin;
    using CNiraImagePreview::m_pageRect;
    using CNiraImagePreview::m_pagesOption;
    using CNiraImagePreview::m_paperArea;
    using CNiraImagePreview::m_paperRect;
    using CNiraImagePreview::m_sheetOrientation;
    using CNiraImagePreview::m_turned;
    using CNiraImagePreview::m_windowDC;
};

// The transform of the page's copy, as the journal keeps it (in ten-thousandths).
struct Transform {
    double m11, m12, m21, m22, dx, dy;
    void Map(double x, double y, double& outX, double& outY) const
    {
        outX = x * m11 + y * m21 + dx;
        outY = x * m12 + y * m22 + dy;
    }
};

// The world transform in effect at the last call of the name.
Transform TransformAtLast(const std::string& call)
{
    Transform current = {1, 0, 0, 1, 0, 0};
    Transform found = current;
    for (const nirasim::GdiCall& entry : nirasim::GdiJournal()) {
        if (entry.call == call) {
            found = current;
        }
        if (entry.call == "SetWorldTransform") {
            const auto& a = entry.args;
            current = {a[0] / 1e4, a[1] / 1e4, a[2] / 1e4, a[3] / 1e4, a[4] / 1e4, a[5] / 1e4};
        }
    }
    return found;
}

class ImagePreviewTest : public ::testing::Test {
protected:
    static constexpr int kWidgetWidth = 130;
    static constexpr int kWidgetHeight = 120;

    void SetUp() override
    {
        RegisterGreyWindowClass(TEXT("Roll"));
        widget = CreateWindowExW(0, TEXT("Roll"), TEXT(""), 0, 30, 40, kWidgetWidth, kWidgetHeight, nullptr,
                                 nullptr, nullptr, nullptr);
        services.values = {{4114, kLetterOption}, {4118, 1}, {4132, 2}, {4133, 1}, {4135, 1}};
        services.paperSizes[kWideOption] = {20000, 3000};  // 79 x 12 inches
        preview.Attach(&services, 4145, nullptr);
    }
    void TearDown() override { DestroyWindow(widget); }

    nirasim::Picture Paint()
    {
        nirasim::ClearGdiJournal();
        int objects = nirasim::LiveGdiObjects();
        EXPECT_EQ(preview.PaintWidget(4145, widget, 0), 0);
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects) << "no GDI object outlives a paint";
        nirasim::Picture picture;
        nirasim::WindowPixels(widget, picture);
        return picture;
    }

    nirasim::Machine machine;
    HWND widget = nullptr;
    PictureServices services;
    OpenImagePreview preview;
};

TEST_F(ImagePreviewTest, PageSizeFollowsInchesNotTheWidget)
{
    Paint();
    EXPECT_EQ(preview.m_pageRect.right - preview.m_pageRect.left, 49);
    EXPECT_EQ(preview.m_pageRect.bottom - preview.m_pageRect.top, 52);
    // Half the scale halves the inches before the line is applied.
    services.values[4120] = 3;
    services.values[4142] = 50;
    Paint();
    EXPECT_EQ(preview.m_pageRect.right - preview.m_pageRect.left, 44);
    EXPECT_EQ(preview.m_pageRect.bottom - preview.m_pageRect.top, 46);
    // Landscape lays the same page on its side; a failed scale read keeps the last scale.
    services.values.erase(4142);
    services.values[4118] = 2;
    Paint();
    EXPECT_EQ(preview.m_pageRect.right - preview.m_pageRect.left, 46);
    EXPECT_EQ(preview.m_pageRect.bottom - preview.m_pageRect.top, 44);
}

// The roll in a 130-pixel widget: its sheet from x 35 to 125, hanging from y 12, the left end's
// ellipse from x 20 to 35.
TEST_F(ImagePreviewTest, RollAndSheetSitAtTheTopRight)
{
    nirasim::Picture picture = Paint();
    const RECT& a = preview.m_paperArea;
    EXPECT_EQ(a.left, 35);
    EXPECT_EQ(a.right, 125);
    EXPECT_EQ(a.top, 12);
    EXPECT_EQ(a.bottom, kWidgetHeight);
    std::vector<nirasim::GdiCall> ellipses = nirasim::GdiCallsNamed("Ellipse");
    ASSERT_FALSE(ellipses.empty());
    EXPECT_EQ(ellipses[0].args, (std::vector<long long>{20, 12, 35, 37})) << "the left end";
    EXPECT_EQ(picture.At(23, 14), kGreyPixel) << "the left end's outline above the core";
    EXPECT_EQ(picture.At(22, 14), kBackgroundPixel);
    EXPECT_EQ(picture.At(60, 60), 0xFFFFFFu) << "the sheet is white";
    EXPECT_EQ(picture.At(35, 60), kGreyPixel) << "the sheet's left edge";
}

// Letter portrait, not turned by the printer, shows upside down in the sheet's bottom-right corner:
// every pixel lands where the transform puts it.
TEST_F(ImagePreviewTest, TheTurnedPageLandsWhereTheTransformPutsIt)
{
    nirasim::Picture picture = Paint();
    Transform t = TransformAtLast("BitBlt");
    EXPECT_NEAR(t.m11, -1.0, 1e-3) << "half a turn";
    const RECT& a = preview.m_paperArea;
    int width = preview.m_pageRect.right - preview.m_pageRect.left;
    int height = preview.m_pageRect.bottom - preview.m_pageRect.top;
    double left = a.right - width;
    double top = a.bottom - height;
    // The page's outline (its top-left pixel) and a point of its white inside.
    double x = 0;
    double y = 0;
    t.Map(left + 0.5, top + 0.5, x, y);
    EXPECT_EQ(picture.At(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))), kBlackPixel);
    EXPECT_GE(x, a.right - 6.0);
    EXPECT_GE(y, a.bottom - 2.0);
    t.Map(left + 1.5, top + height - 1.5, x, y);
    EXPECT_EQ(picture.At(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))), 0xFFFFFFu);
}

TEST_F(ImagePreviewTest, PrinterTurnedLandscapeIsNotTurnedAgain)
{
    struct Case {
        int orientation;
        double m11;
        double m12;
    } cases[] = {{2, 1.0, 0.0}, {1, 0.0, 1.0}};
    services.values[4135] = 2;
    for (const Case& c : cases) {
        services.values[4118] = c.orientation;
        Paint();
        Transform t = TransformAtLast("BitBlt");
        EXPECT_NEAR(t.m11, c.m11, 1e-3) << c.orientation;
        EXPECT_NEAR(t.m12, c.m12, 1e-3) << c.orientation;
    }
}

TEST_F(ImagePreviewTest, AnUnknownPageOrderDrawsOneCellNumberedOne)
{
    services.values[4128] = 3;
    services.values[4129] = 0;
    services.values[4130] = 1;
    Paint();
    std::vector<nirasim::GdiCall> numbers = nirasim::GdiCallsNamed("ExtTextOutW");
    ASSERT_EQ(numbers.size(), 3u) << "one number, with its halo";
    EXPECT_EQ(numbers[2].text, TEXT("1"));
    services.values[4129] = 1;
    Paint();
    EXPECT_EQ(nirasim::GdiCallsNamed("ExtTextOutW").size(), 12u) << "every cell of four";
}

// The fade shows the page beyond the sheet's left edge over 20 pixels; further left it is cut off.
TEST_F(ImagePreviewTest, AWidePageFadesOnlyInTheStripLeftOfTheSheet)
{
    services.values[4114] = kWideOption;
    nirasim::Picture picture = Paint();
    EXPECT_GT(preview.m_pageRect.right - preview.m_pageRect.left, 90 + 20);
    const RECT& a = preview.m_paperArea;
    std::vector<nirasim::GdiCall> blends = nirasim::GdiCallsNamed("AlphaBlend");
    ASSERT_FALSE(blends.empty());
    const nirasim::GdiCall& fade = blends.back();
    EXPECT_EQ(fade.args[9], 160);
    EXPECT_EQ(fade.args[0], 0);
    EXPECT_EQ(fade.args[1], a.top + 25);
    EXPECT_EQ(fade.args[2], a.left);
    int y = a.bottom - 10;
    EXPECT_EQ(picture.At(a.left - 21, y), kBackgroundPixel) << "cut off";
    unsigned faded = picture.At(a.left - 10, y);
    EXPECT_NE(faded, kBackgroundPixel) << "the page shows, faded";
    EXPECT_NE(faded, 0xFFFFFFu);
    unsigned onSheet = picture.At(a.left + 10, y);
    EXPECT_TRUE(onSheet == 0xFFFFFFu || onSheet == kGreyPixel) << "on the sheet the page is not faded";
}

// Shadows by the page's size against the sheet's, in the compared dimension.
TEST_F(ImagePreviewTest, ShadowsFollowTheWidthDifference)
{
    struct Case {
        int pageWidth;
        int pageHeight;
        bool band;
        bool triangle;
        bool gradient;
    };
    // The sheet is 90 x 100; sheet orientation 1, not turned: widths compare, heights decide.
    const Case cases[] = {{95, 120, true, false, true},
                          {92, 120, true, true, true},
                          {90, 120, true, true, false},
                          {60, 120, true, true, false},
                          {120, 100, false, false, false}};
    HDC window = GetDC(widget);
    preview.m_windowDC = window;
    preview.m_sheetOrientation = 1;
    preview.m_turned = 0;
    preview.m_paperArea = {35, 20, 125, 120};
    for (const Case& c : cases) {
        preview.m_pageRect = {0, 0, c.pageWidth, c.pageHeight};
        nirasim::ClearGdiJournal();
        preview.DrawShadows();
        EXPECT_EQ(!nirasim::GdiCallsNamed("AlphaBlend").empty(), c.band)
            << c.pageWidth << " x " << c.pageHeight;
        EXPECT_EQ(!nirasim::GdiCallsNamed("FillRgn").empty(), c.triangle) << c.pageWidth;
        EXPECT_EQ(!nirasim::GdiCallsNamed("GradientFill").empty(), c.gradient) << c.pageWidth;
    }
    preview.m_windowDC = nullptr;
    ReleaseDC(widget, window);
}

class ImageContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        preview.Attach(&services, 4145, nullptr);
        preview.m_memoryDC = canvas.dc;
        preview.m_cellRect = {0, 0, 60, 100};
        preview.m_paperRect = {0, 0, 60, 100};
        preview.m_pageRect = {0, 0, 60, 100};
        preview.m_innerMargin = 2;
        preview.m_outerMargin = 4;
        preview.m_pagesOption = 1;
    }

    nirasim::Machine machine;
    MemoryCanvas canvas{60, 100};
    PictureServices services;
    OpenImagePreview preview;
};

TEST_F(ImageContent, BlackGreyScaleWinsOverSepia)
{
    services.values = {{4274, 3}, {4176, 2}};
    preview.DrawImageLogo();
    preview.DrawImageChart();
    nirasim::Picture pixels = canvas.Pixels();
    // The logo's corner (inside its inset) and the chart's first bar are black.
    EXPECT_EQ(pixels.At(2 + 1 + 1, 2 + 2 + 1), kBlackPixel);
    int half = (60 - 4) / 2;
    int u = half / 10;
    EXPECT_EQ(pixels.At(2 + 1 + 2 + 2 * u, 100 - 2 - 2 - 2 - 1), kBlackPixel);
    services.values[4274] = 2;
    preview.DrawImageLogo();
    EXPECT_EQ(canvas.Pixels().At(4, 5), 0x404040u);
}

TEST_F(ImageContent, BordersOnlyForSeveralPagesWithoutABooklet)
{
    struct Case {
        int pagesOption;
        int booklet;
        bool border;
    } cases[] = {{1, 1, false}, {2, 1, true}, {2, 2, false}, {3, 3, false}, {3, 1, true}};
    preview.m_cellRect = {10, 10, 50, 90};
    for (const Case& c : cases) {
        PatBlt(canvas.dc, 0, 0, 60, 100, WHITENESS);
        services.values = {{4266, 2}, {4130, c.booklet}};
        preview.m_pagesOption = c.pagesOption;
        preview.DrawPage(2);
        EXPECT_EQ(canvas.Pixels().At(10, 50) == kBlackPixel, c.border) << c.pagesOption << "/" << c.booklet;
    }
}

}  // namespace
