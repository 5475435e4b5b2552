// Poster tiles on a spool file of one page: the tile rectangle, the magnified transforms of the
// sides in the order they are printed, the cut-line pen and the last-sheet mark.
#include "printprocessor/SpoolPassFixture.h"

#include <nirasim/Gdi.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

// 800 dots per inch: the simulated printer's physical offsets are then 100 units.
constexpr short kPosterQuality = 800;

class PosterTilesTest : public SpoolPassTest {
protected:
    void SetUp() override
    {
        SpoolPassTest::SetUp();
        // The driver's margins of 600 give half margins of 300, as on a 600-dpi sheet.
        nirasim::SetRenderModuleAnswers(false);
    }

    void TearDown() override
    {
        if (m_placement.posterPen != nullptr) {
            DeleteObject(m_placement.posterPen);
        }
        nirasim::SetRenderModuleAnswers(true);
        SpoolPassTest::TearDown();
    }

    // A sheet of 5100 x 6600 working units (turned for landscape) whose cell leaves 100 units of
    // the printable area free at the right and bottom.
    void Prepare(short orientation, std::initializer_list<int> tiles, LONG posterSize = 0)
    {
        Open(1, orientation, DMBIN_FORMSOURCE, kPosterQuality);
        JobSettingsRecord& s = m_emf.settings;
        s.poster = 1;
        s.posterSize = posterSize;
        s.driverMargins = 1;
        std::fill(std::begin(s.posterTileSelected), std::end(s.posterTileSelected), 0);
        for (int tile : tiles) {
            s.posterTileSelected[tile] = 1;
        }
        m_emf.pageSettings.marginX = kDriverMargin;
        m_emf.pageSettings.marginY = kDriverMargin;
        bool portrait = orientation == DMORIENT_PORTRAIT;
        m_placement.job = &m_emf;
        m_placement.spoolHandle = m_spool;
        m_placement.printerDC = m_emf.printerDC;
        m_placement.physicalWidth = portrait ? kShort : kLong;
        m_placement.physicalHeight = portrait ? kLong : kShort;
        m_placement.cellRect = {0, 0, m_placement.physicalWidth - 200, m_placement.physicalHeight - 200};
        nirasim::ClearGdiJournal();
    }

    // Plays the page on a side started and ended around the call, as PlayPageInCell does.
    BOOL Play()
    {
        EXPECT_TRUE(GdiStartPageEMF(m_spool));
        DWORD type = 0;
        HANDLE page = GdiGetPageHandle(m_spool, 1, &type);
        BOOL answer = PlayPosterTiles(m_placement, page, m_emf.pageDevmode, 1);
        ModifyWorldTransform(m_emf.printerDC, nullptr, MWT_IDENTITY);
        EXPECT_TRUE(GdiEndPageEMF(m_spool, 0));
        return answer;
    }

    // The translation of each side's page: "-4700,-6200 ...".
    static std::string Translations()
    {
        std::string text;
        for (const nirasim::SheetSideRecord& side : nirasim::PlacementJournal()) {
            for (const nirasim::PlayedPage& played : side.pages) {
                text += (text.empty() ? "" : " ") + std::to_string(static_cast<int>(played.world.eDx)) + "," +
                        std::to_string(static_cast<int>(played.world.eDy));
            }
        }
        return text;
    }

    static size_t PlacementsSent()
    {
        size_t sent = 0;
        for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("ExtEscape")) {
            sent += call.args[0] == ESCAPE_SET_PAGE_PLACEMENT ? 1 : 0;
        }
        return sent;
    }

    static constexpr LONG kDriverMargin = 600;
    static constexpr LONG kShort = 5100;
    static constexpr LONG kLong = 6600;
    CellPlacement m_placement;
};

TEST_F(PosterTilesTest, FourTilesGoOutFromTheBottomRightMagnifiedTwiceWithDashedCutLines)
{
    Prepare(DMORIENT_PORTRAIT, {0, 1, 2, 3});
    EXPECT_TRUE(Play());

    const RECT tile = {200, 200, 4700, 6200};
    EXPECT_TRUE(EqualRect(&m_placement.cellRect, &tile));
    EXPECT_EQ(Translations(), "-4700,-6200 -200,-6200 -4700,-200 -200,-200");
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 4U);  // the caller's side and three started inside the call
    for (size_t i = 0; i < sides.size(); ++i) {
        const nirasim::PlayedPage& played = sides[i].pages.at(0);
        EXPECT_EQ(played.world.eM11, 2.0F);
        EXPECT_EQ(played.world.eM22, 2.0F);
        EXPECT_TRUE(EqualRect(&played.document, &tile));
        EXPECT_TRUE(EqualRect(&played.clip, &tile));
        const RECT border = {199, 199, 4701, 6201};
        EXPECT_TRUE(EqualRect(&played.border, &border));
        // Three sides ended inside the call with the tile's transform; the caller ends the last.
        EXPECT_EQ(sides[i].identityAtEnd, i == 3) << "side " << i;
    }
    std::vector<nirasim::GdiCall> pens = nirasim::GdiCallsNamed("CreatePen");
    ASSERT_EQ(pens.size(), 1U);
    EXPECT_EQ(pens[0].args, (std::vector<long long>{PS_DASH, 0, 0x010000}));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(pens[0].result), m_placement.posterPen);
}

TEST_F(PosterTilesTest, TheGridFollowsThePosterSize)
{
    struct Case {
        LONG posterSize;
        size_t sides;
    };
    for (const Case& c : {Case{3, 25U}, Case{7, 4U}, Case{1, 9U}}) {
        SCOPED_TRACE(c.posterSize);
        Prepare(DMORIENT_PORTRAIT, {}, c.posterSize);
        for (LONG& entry : m_emf.settings.posterTileSelected) {
            entry = 1;
        }
        EXPECT_TRUE(Play());
        EXPECT_EQ(nirasim::PlacementJournal().size(), c.sides);
        Close();
        DeleteObject(m_placement.posterPen);
        m_placement.posterPen = nullptr;
    }
}

TEST_F(PosterTilesTest, OnlyTheTopLeftTilePrintsOnTheCallersSide)
{
    Prepare(DMORIENT_PORTRAIT, {0});
    EXPECT_TRUE(Play());
    EXPECT_EQ(Translations(), "-200,-200");
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 1U);
    EXPECT_TRUE(sides[0].identityAtEnd);
}

TEST_F(PosterTilesTest, RepeatedSidesFollowEachOtherPerTile)
{
    Prepare(DMORIENT_PORTRAIT, {0, 3});
    m_emf.settings.repeatMode = 1;
    m_emf.settings.repeatCount = -1;
    EXPECT_TRUE(Play());
    EXPECT_EQ(Translations(), "-4700,-6200 -4700,-6200 -200,-200 -200,-200");
}

TEST_F(PosterTilesTest, TheLastSheetMarkGoesWithTheLastTileOrAtOnceWithoutTiles)
{
    Prepare(DMORIENT_PORTRAIT, {0, 1});
    m_emf.posterLastSheetPending = 1;
    EXPECT_TRUE(Play());
    EXPECT_EQ(m_emf.placement.lastSheet, 1);
    EXPECT_EQ(PlacementsSent(), 1U);  // with tile 0, the last one printed
    Close();
    DeleteObject(m_placement.posterPen);
    m_placement.posterPen = nullptr;

    Prepare(DMORIENT_PORTRAIT, {});
    m_emf.posterLastSheetPending = 1;
    m_emf.placement.lastSheet = 0;
    EXPECT_FALSE(Play());
    EXPECT_EQ(m_emf.placement.lastSheet, 1);
    EXPECT_EQ(PlacementsSent(), 1U);
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 1U);
    EXPECT_TRUE(sides[0].pages.empty());  // the caller's side stays blank
    EXPECT_EQ(m_placement.posterPen, nullptr);
}

TEST_F(PosterTilesTest, ALandscapeTileEndsTwoUnitsFurtherIn)
{
    Prepare(DMORIENT_LANDSCAPE, {0});
    EXPECT_TRUE(Play());
    // Cell {0, 0, 6400, 4900}: sx = 100, so right = 6400 - |300 - 100| - 2; bottom = 5100 - 100 - 300.
    const RECT tile = {200, 200, 6198, 4700};
    EXPECT_TRUE(EqualRect(&m_placement.cellRect, &tile));
}

TEST_F(PosterTilesTest, APageOfNeitherOrientationTakesThePortraitEdges)
{
    Prepare(DMORIENT_PORTRAIT, {0, 1, 2, 3});
    m_emf.pageDevmode->dmOrientation = 0;
    EXPECT_TRUE(Play());
    const RECT tile = {200, 200, 4700, 6200};
    EXPECT_TRUE(EqualRect(&m_placement.cellRect, &tile));
    EXPECT_EQ(Translations(), "-4700,-6200 -200,-6200 -4700,-200 -200,-200");
}

}  // namespace
