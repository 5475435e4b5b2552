// The poster grid: bands, tile outlines, white frames of chosen tiles (with the frames that sit a
// pixel off the rule), tiles left out, and the shadow.
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include "tests/nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

#include <algorithm>

namespace {

constexpr unsigned kBand = 0x808080;
constexpr unsigned kBlack = 0x000000;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kPage = 0x0000FF;
constexpr unsigned kLeftOut = 0xC0C0C0;
constexpr unsigned kShadow = 0x717171;

class PosterTiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        RECT all = {0, 0, 130, 180};
        FillRect(canvas.dc, &all, blue);
        DeleteObject(blue);
        preview.Attach(&services, 4132, nullptr);
        preview.m_memoryDC = canvas.dc;
        preview.m_paperRect = {10, 20, 110, 170};
        nirasim::ClearGdiJournal();
    }

    std::vector<std::vector<long long>> Rectangles()
    {
        std::vector<std::vector<long long>> drawn;
        for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("Rectangle")) {
            drawn.push_back(call.args);
        }
        return drawn;
    }

    nirasim::Machine machine;
    MemoryCanvas canvas{130, 180};
    PictureServices services;
    OpenSheetPreview preview;
};

TEST_F(PosterTiles, TwoByTwoOnPixels)
{
    int objects = nirasim::LiveGdiObjects();
    preview.DrawPosterTiles(2);
    EXPECT_EQ(nirasim::LiveGdiObjects(), objects);
    nirasim::Picture p = canvas.Pixels();
    EXPECT_EQ(p.At(59, 60), kBand);
    EXPECT_EQ(p.At(60, 60), kBand);
    EXPECT_EQ(p.At(30, 94), kBand);
    EXPECT_EQ(p.At(30, 95), kBand);
    EXPECT_EQ(p.At(58, 60), kBlack) << "right edge of tile (10, 20, 59, 94)";
    EXPECT_EQ(p.At(61, 60), kBlack) << "left edge of tile (61, 20, 110, 94)";
    EXPECT_EQ(p.At(30, 93), kBlack);
    EXPECT_EQ(p.At(30, 96), kBlack);
    EXPECT_EQ(p.At(13, 23), kWhite) << "frame (13, 23, 57, 92)";
    EXPECT_EQ(p.At(56, 60), kWhite);
    EXPECT_EQ(p.At(30, 91), kWhite);
    EXPECT_EQ(p.At(64, 99), kWhite) << "frame (64, 99, 108, 167)";
    EXPECT_EQ(p.At(107, 130), kWhite);
    EXPECT_EQ(p.At(35, 60), kPage) << "a chosen tile shows the page";
    EXPECT_EQ(p.At(60, 172), kShadow) << "shadow below the paper";
    EXPECT_EQ(p.At(112, 100), kShadow) << "shadow right of the paper";
    std::vector<long long> frame = {13, 23, 57, 92};
    auto drawn = Rectangles();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), frame), drawn.end());
}

TEST_F(PosterTiles, TilesLeftOutHideThePage)
{
    for (int id = 6350; id < 6354; ++id) {
        services.values[id] = 1;
    }
    preview.DrawPosterTiles(2);
    nirasim::Picture p = canvas.Pixels();
    for (POINT inside : {POINT{35, 60}, POINT{85, 60}, POINT{35, 130}, POINT{85, 130}}) {
        EXPECT_EQ(p.At(inside.x, inside.y), kLeftOut);
    }
    EXPECT_EQ(p.At(13, 23), kLeftOut) << "no frame";
}

TEST_F(PosterTiles, EachGridReadsItsOwnTiles)
{
    preview.DrawPosterTiles(3);
    std::vector<int> tiles;
    for (int id : services.reads) {
        if (id >= 6350) {
            tiles.push_back(id);
        }
    }
    ASSERT_FALSE(tiles.empty());
    EXPECT_EQ(*std::min_element(tiles.begin(), tiles.end()), 6350);
    EXPECT_EQ(*std::max_element(tiles.begin(), tiles.end()), 6358);
}

TEST_F(PosterTiles, SomeFramesSitOnePixelOffTheRule)
{
    struct Case {
        UINT tiles;
        std::vector<long long> frame;
    };
    // On the paper (10, 20, 110, 170).
    const Case cases[] = {
        {2, {64, 99, 108, 167}},  // (1, 1): right R - 2
        {3, {13, 23, 40, 67}},    // (0, 0): by the rule
        {3, {80, 74, 107, 116}},  // (1, 2): bottom y2 - 4
        {4, {39, 24, 57, 53}},    // (0, 1): top T + 4, bottom y1 - 4
        {4, {64, 24, 82, 53}},    // (0, 2): the same
        {4, {89, 24, 107, 54}},   // (0, 3): top T + 4
        {4, {64, 61, 82, 91}},    // (1, 2): bottom y2 - 4
        {5, {14, 24, 27, 47}},    // (0, 0): top T + 4 and left L + 4
        {5, {14, 54, 27, 77}},    // (1, 0): left L + 4
    };
    for (const Case& c : cases) {
        nirasim::ClearGdiJournal();
        preview.DrawPosterTiles(c.tiles);
        auto drawn = Rectangles();
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), c.frame), drawn.end())
            << c.tiles << " tiles: " << c.frame[0] << ", " << c.frame[1] << ", " << c.frame[2] << ", "
            << c.frame[3];
    }
}

TEST_F(PosterTiles, OtherTileCountsDrawNothing)
{
    for (UINT tiles : {0u, 1u, 6u, 100u}) {
        preview.DrawPosterTiles(tiles);
    }
    EXPECT_TRUE(nirasim::GdiJournal().empty());
}

}  // namespace
