// The poster tile selection: the tiles from the mask and back, clicks, selecting all, the count
// text, and the poster's reactions that its owner runs.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"

using Call = FakeCoreServices::Call;
using Calls = std::vector<Call>;

namespace {

constexpr int kFirstTile = CNiraPosterTilesHandler::kFirstTile;
constexpr int kMask = CNiraPosterTilesHandler::kSelectionMask;

class PosterTilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.options.insert({CNiraPosterTilesHandler::kCountText, 1});
        tiles.Attach(&services, 4243, nullptr);
    }
    // The chosen tiles, as a mask read off their options.
    unsigned ChosenTiles()
    {
        unsigned mask = 0;
        for (int k = 0; k < CNiraPosterTilesHandler::kTileCount; ++k) {
            mask |= services.current[kFirstTile + k] == 2 ? 1u << k : 0u;
        }
        return mask;
    }
    void SetTiles(int first, int last, int option)
    {
        for (int tile = first; tile <= last; ++tile) {
            services.current[tile] = option;
        }
    }

    FakeCoreServices services;
    CNiraPosterTilesHandler tiles;
};

}  // namespace

TEST_F(PosterTilesTest, TheTilesFollowTheMaskAndAreCounted)
{
    services.current = {{kMask, 0x5}, {4219, 2}};
    EXPECT_EQ(tiles.InitializeStates(), 0);
    EXPECT_EQ(ChosenTiles(), 0x5u);  // 6350 and 6352
    EXPECT_EQ(services.current[kFirstTile + 24], 1);
    services.calls.clear();
    EXPECT_EQ(tiles.OnWidgetChanged(6000), 0);  // any widget change updates the count
    EXPECT_EQ(services.calls, (Calls{{"RemoveOption", 4243, 6078, 1}, {"AddOption", 4243, 6078, 1}}));
    EXPECT_EQ(services.added, TEXT("2"));

    // Restoring from the mask, after the tiles were changed.
    SetTiles(kFirstTile, kFirstTile + 24, 2);
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kRestoreSelection);
    EXPECT_EQ(ChosenTiles(), 0x5u);

    // Without the poster's size nothing is counted; without the mask the tiles stay.
    services.current.erase(4219);
    services.calls.clear();
    EXPECT_EQ(tiles.OnWidgetChanged(6000), NIRA_STATUS_FAILED);
    EXPECT_TRUE(services.calls.empty());
    services.current.erase(kMask);
    EXPECT_EQ(tiles.InitializeStates(), 0);
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(PosterTilesTest, AClickTogglesTheTile)
{
    services.current = {{4219, 2}, {kFirstTile + 1, 1}};
    tiles.OnWidgetChanged(kFirstTile + 1);
    EXPECT_EQ(services.current[kFirstTile + 1], 2);
    EXPECT_EQ(services.lastFromOwner, 1);
    tiles.OnWidgetChanged(kFirstTile + 1);
    EXPECT_EQ(services.current[kFirstTile + 1], 1);
    services.current[kFirstTile + 2] = 0;  // a tile without an option is left alone
    services.calls.clear();
    tiles.OnWidgetChanged(kFirstTile + 2);
    EXPECT_EQ(services.calls.front().what, "RemoveOption");
}

TEST_F(PosterTilesTest, StoringKeepsOnlyThePostersTiles)
{
    services.current = {{kMask, 0x1000000}, {4219, 3}};
    SetTiles(kFirstTile, kFirstTile + 24, 2);
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kStoreSelection);
    EXPECT_EQ(services.current[kMask], 0x1FF);
    EXPECT_EQ(ChosenTiles(), 0x1FFu);  // 6359 to 6374 are left out

    // Once stored, the tiles beyond the poster keep their choice and their bits.
    SetTiles(kFirstTile + 20, kFirstTile + 20, 2);
    services.current[kFirstTile] = 1;
    services.current[kMask] = 0x100000;
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kStoreSelection);
    EXPECT_EQ(services.current[kMask], 0x1FE | 0x100000);
    EXPECT_EQ(services.current[kFirstTile + 20], 2);
}

TEST_F(PosterTilesTest, AfterSelectingAllTheOtherTilesKeepTheirChoice)
{
    services.current = {{kMask, 0}, {4219, 2}};
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kClearAll);
    EXPECT_EQ(ChosenTiles(), 0u);
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kSelectAll);
    EXPECT_EQ(ChosenTiles(), 0x1FFFFFFu);
    tiles.OnWidgetChanged(CNiraPosterTilesHandler::kStoreSelection);
    EXPECT_EQ(services.current[kMask], 0xF);  // the poster's four tiles; the others' bits as they were
    EXPECT_EQ(ChosenTiles(), 0x1FFFFFFu);
}

TEST_F(PosterTilesTest, Commands)
{
    services.current = {{kMask, 0}, {4219, 2}, {4226, 1}};
    EXPECT_EQ(tiles.OnCommand(4143, 29, nullptr, nullptr), 0);  // all tiles, even beyond a 2 x 2 poster
    EXPECT_EQ(services.current[kMask], 0x1FFFFFF);
    EXPECT_EQ(ChosenTiles(), 0x1FFFFFFu);

    // Command 39 reaches this handler when it owns the poster feature.
    services.optionCounts[4219] = 2;
    services.calls.clear();
    EXPECT_EQ(tiles.OnCommand(4143, 39, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(services.calls, (Calls{{"SetOptionState", 4243, 4219, 0 * 10 + 2},
                                     {"SetOptionState", 4243, 4219, 1 * 10 + 2},
                                     {"SetOptionState", 4243, 4219, 2 * 10 + 2}}));
    services.current[4226] = 2;  // pages in reverse order: no posters offered
    services.calls.clear();
    tiles.OnCommand(4143, 39, nullptr, nullptr);
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(tiles.OnCommand(4143, 30, nullptr, nullptr), NIRA_STATUS_FAILED);
}

TEST_F(PosterTilesTest, APosterTellsFitToSize)
{
    struct Case {
        int poster;  // -1: unreadable
        int changeKind;
        bool told;
    } cases[] = {{3, 7, true}, {1, 7, false}, {-1, 7, false}, {3, 4, false}};
    for (const Case& c : cases) {
        services.calls.clear();
        services.current.erase(4219);
        if (c.poster >= 0) {
            services.current[4219] = c.poster;
        }
        int told = 0;
        services.answer = [&](int command, int* value, int*) {
            told = command == 35 && value != nullptr ? *value : -1;
            return 0;
        };
        EXPECT_EQ(tiles.OnFeatureChanged(4219, c.changeKind), 0);
        EXPECT_EQ(told, c.told ? c.poster : 0) << c.poster << "/" << c.changeKind;
        if (c.told) {
            EXPECT_EQ(services.calls, (Calls{{"Command", 4219, 4120, 35}}));
        }
    }
}
