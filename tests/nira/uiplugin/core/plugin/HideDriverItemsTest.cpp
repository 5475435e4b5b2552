// The plug-in's CommonUIProp: the property-sheet adapter made once, from the first block that
// brings plug-in items, and the core driver's items hidden as the Windows version asks.
#include "CoreDriverFixture.h"

#include <vector>

namespace {

constexpr DWORD kCollapsedHidden = OPTIF_COLLAPSE | OPTIF_HIDE;

// The default items and one that carries no user data of the core driver.
std::vector<nirasim::CoreFeature> FeaturesWithPlainItem(nirasim::CoreDriverInstance& core)
{
    std::vector<nirasim::CoreFeature> features = core.Features();
    features.push_back({"Plain", DMPUB_COLOR, {{"ON", TEXT("On"), 0, false}}, 0, false});
    return features;
}

TEST_F(CoreDriverTest, WindowsXPAndLaterCollapseAndHideEveryCoreItem)
{
    for (DWORD minor : {1u, 0u}) {
        const DWORD major = minor == 1 ? 5 : 6;
        SCOPED_TRACE(testing::Message() << "Windows " << major << "." << minor);
        machine.SetWindowsVersion(major, minor);
        core.reset();
        ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 2), S_OK);
        for (const nirasim::CoreItemState& item : Core().Items()) {
            EXPECT_EQ(item.flags & kCollapsedHidden, kCollapsedHidden) << item.keyword;
        }
        EXPECT_TRUE(Core().UpdateUISettingCalls().empty());
    }
}

TEST_F(CoreDriverTest, Windows2000HidesItemsByKeywordOrByPublicId)
{
    machine.SetWindowsVersion(5, 0);
    Core().SetFeatures(FeaturesWithPlainItem(Core()));
    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 1), S_OK);
    for (const nirasim::CoreItemState& item : Core().Items()) {
        SCOPED_TRACE(item.keyword);
        // The copies item names no feature: it is hidden by its public id (3).
        const DWORD expected = item.keyword == "Plain" ? 0 : OPTIF_HIDE;
        EXPECT_EQ(item.flags & kCollapsedHidden, expected);
    }
    const auto calls = Core().UpdateUISettingCalls();
    ASSERT_EQ(calls.size(), Core().Items().size() - 1);
    EXPECT_EQ(calls.front().keyword, "Orientation");
    EXPECT_EQ(calls.front().mode, 1u);
    EXPECT_EQ(calls[1].publicId, DMPUB_COPIES_COLLATE);
}

TEST_F(CoreDriverTest, TheAdapterIsMadeOnceFromABlockWithPluginItems)
{
    machine.SetWindowsVersion(6, 0);
    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 0), S_OK);
    EXPECT_EQ(Core().Items().front().flags & kCollapsedHidden, 0u);  // no plug-in items: no adapter
    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 1), S_OK);
    EXPECT_EQ(Core().Items().front().flags & kCollapsedHidden, kCollapsedHidden);
    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 1), S_OK);
    EXPECT_EQ(Core().Items().front().flags & kCollapsedHidden, 0u);  // hidden once only
}

TEST_F(CoreDriverTest, HiddenStandardUIKeepsTheCoreItems)
{
    machine.SetWindowsVersion(6, 0);
    ASSERT_EQ(Core().Plugin()->HideStandardUI(OEMCUIP_PRNPROP_HIDE), S_OK);
    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_PRNPROP, 1), S_OK);
    for (const nirasim::CoreItemState& item : Core().Items()) {
        EXPECT_EQ(item.flags & kCollapsedHidden, 0u) << item.keyword;
    }
}

}  // namespace
