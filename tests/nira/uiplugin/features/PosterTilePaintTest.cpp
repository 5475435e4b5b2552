// A poster tile painted into a headless widget window: the calls in the GDI journal (the frame, the
// tile inset by the poster's size, its number in the menu font) and the window's pixels.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"

using nirasim::GdiCall;

namespace {

constexpr int kTile13 = 6362;
constexpr int kSide = 40;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kLightGrey = 0xC0C0C0;
constexpr long long kDottedStyle = PS_DOT;

long long HandleOf(HGDIOBJ object)
{
    return static_cast<long long>(reinterpret_cast<UINT_PTR>(object));
}

class PosterTilePaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = TEXT("TileWidget");
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassExW(&windowClass);
        dialog = CreateWindowExW(0, TEXT("TileWidget"), TEXT(""), 0, 100, 100, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        widget = CreateWindowExW(0, TEXT("TileWidget"), TEXT(""), WS_CHILD, 20, 20, kSide, kSide, dialog,
                                 nullptr, nullptr, nullptr);
        services.current = {{4219, 4}, {kTile13, 2}};
        tiles.Attach(&services, 4243, nullptr);
    }

    // Paints the tile and keeps its journal; the paint must leave no GDI object behind.
    std::vector<GdiCall> Paint(CNiraPosterTilesHandler& handler, int tile)
    {
        int objects = nirasim::LiveGdiObjects();
        nirasim::ClearGdiJournal();
        EXPECT_EQ(handler.PaintWidget(tile, widget, 0), 0);
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects);
        return nirasim::GdiJournal();
    }
    static std::vector<GdiCall> Named(const std::vector<GdiCall>& journal, const std::string& name)
    {
        std::vector<GdiCall> calls;
        for (const GdiCall& call : journal) {
            if (call.call == name) {
                calls.push_back(call);
            }
        }
        return calls;
    }
    static std::vector<std::vector<long long>> RectanglesOf(const std::vector<GdiCall>& journal)
    {
        std::vector<std::vector<long long>> rectangles;
        for (const GdiCall& call : Named(journal, "Rectangle")) {
            rectangles.push_back(call.args);
        }
        return rectangles;
    }
    nirasim::Picture Pixels()
    {
        nirasim::Picture picture;
        EXPECT_TRUE(nirasim::WindowPixels(widget, picture));
        return picture;
    }

    nirasim::Machine machine;
    HWND dialog = nullptr;
    HWND widget = nullptr;
    FakeCoreServices services;
    CNiraPosterTilesHandler tiles;
};

}  // namespace

TEST_F(PosterTilePaintTest, TileThirteenOfAFourByFourPoster)
{
    std::vector<GdiCall> journal = Paint(tiles, kTile13);

    // A dotted frame of width 2 around the client area, then the tile inset by 3 and 4 with a
    // one-pixel dotted pen, filled light grey as the tile is chosen.
    std::vector<GdiCall> pens = Named(journal, "CreatePen");
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0].args, (std::vector<long long>{kDottedStyle, 2, 0}));
    EXPECT_EQ(pens[1].args, (std::vector<long long>{kDottedStyle, 0, 0}));
    EXPECT_EQ(RectanglesOf(journal),
              (std::vector<std::vector<long long>>{{0, 0, kSide, kSide}, {3, 3, 36, 36}}));
    std::vector<GdiCall> selections = Named(journal, "SelectObject");
    ASSERT_GE(selections.size(), 3u);
    EXPECT_EQ(selections[2].args, (std::vector<long long>{HandleOf(GetStockObject(LTGRAY_BRUSH))}));

    // " 13" in the menu font, bold, at the DC's default height, half the tile's size less 6 and 5.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    std::vector<GdiCall> fonts = Named(journal, "CreateFontIndirectW");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].args[0], 0);    // height
    EXPECT_EQ(fonts[0].args[2], 700);  // weight
    EXPECT_EQ(fonts[0].args[3], DEFAULT_CHARSET);
    EXPECT_EQ(fonts[0].text,
              std::u16string(reinterpret_cast<const char16_t*>(metrics.lfMenuFont.lfFaceName)));
    std::vector<GdiCall> texts = Named(journal, "ExtTextOutW");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].args, (std::vector<long long>{33 / 2 - 6, 33 / 2 - 5, ETO_CLIPPED, 3}));
    EXPECT_EQ(nirasim::Utf8(texts[0].text), " 13");

    // Every pen and the font go back out of the DC before they are deleted, and the DC is released.
    for (const GdiCall& deleted : Named(journal, "DeleteObject")) {
        long long handle = deleted.args.at(0);
        bool deselected = false;
        for (const GdiCall& call : journal) {
            if (&call == &deleted || (call.call == "DeleteObject" && call.args.at(0) == handle)) {
                break;
            }
            deselected = deselected || (call.call == "SelectObject" && call.result == handle);
        }
        EXPECT_TRUE(deselected) << "object " << handle << " deleted while selected";
    }
    EXPECT_EQ(Named(journal, "DeleteObject").size(), 3u);
    EXPECT_EQ(journal.back().call, "ReleaseDC");

    // The window: white between frame and tile, light grey in the tile, the number drawn dark.
    nirasim::Picture picture = Pixels();
    EXPECT_EQ(picture.At(2, 20), kWhite);
    EXPECT_EQ(picture.At(5, 33), kLightGrey);
    EXPECT_EQ(picture.At(34, 5), kLightGrey);
    int dark = 0;
    for (int y = 11; y < 35; ++y) {
        for (int x = 10; x < 35; ++x) {
            dark += (picture.At(x, y) & 0xFF) < 0x60 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
}

TEST_F(PosterTilePaintTest, TheInsetFollowsThePosterAndTheFillTheChoice)
{
    struct Case {
        int side;
        std::vector<long long> tile;
    } cases[] = {{2, {5, 5, 34, 34}}, {3, {4, 4, 35, 35}}, {5, {2, 2, 37, 37}}, {6, {0, 0, 0, 0}}};
    for (const Case& c : cases) {
        services.current[4219] = c.side;
        std::vector<std::vector<long long>> rectangles = RectanglesOf(Paint(tiles, kTile13));
        ASSERT_EQ(rectangles.size(), 2u) << c.side;
        EXPECT_EQ(rectangles[1], c.tile) << c.side;
    }
    services.current = {{4219, 2}, {6350, 1}};
    std::vector<GdiCall> journal = Paint(tiles, 6350);
    EXPECT_EQ(nirasim::Utf8(Named(journal, "ExtTextOutW").at(0).text), " 1");
    EXPECT_EQ(Pixels().At(7, 31), kWhite);  // a tile left out is white
}

TEST_F(PosterTilePaintTest, OnlyTheFrameWhatIsUnknown)
{
    // No poster size, no poster, a tile without a choice, no services: the frame alone.
    services.current = {{kTile13, 2}};
    EXPECT_EQ(RectanglesOf(Paint(tiles, kTile13)).size(), 1u);
    services.current = {{4219, 0}, {kTile13, 2}};
    EXPECT_EQ(RectanglesOf(Paint(tiles, kTile13)).size(), 1u);
    services.current = {{4219, 4}};
    std::vector<GdiCall> journal = Paint(tiles, kTile13);
    EXPECT_EQ(RectanglesOf(journal).size(), 1u);
    EXPECT_EQ(Named(journal, "CreatePen").size(), 2u);
    CNiraPosterTilesHandler detached;
    journal = Paint(detached, kTile13);
    EXPECT_EQ(RectanglesOf(journal).size(), 1u);
    EXPECT_TRUE(Named(journal, "ExtTextOutW").empty());

    // Without a window nothing is drawn.
    nirasim::ClearGdiJournal();
    EXPECT_EQ(tiles.PaintWidget(kTile13, nullptr, 0), 0);
    EXPECT_TRUE(nirasim::GdiJournal().empty());
}
