// The page-order strategies on a spool file of numbered pages: which pages each sheet side gets,
// in which cells, read from the placement journal.
#include "printprocessor/SpoolPassFixture.h"

#include <nirasim/Emf.h>

namespace {

class PageStrategiesTest : public SpoolPassTest {};

TEST_F(PageStrategiesTest, ReverseOrderSendsTheLastSheetFirst)
{
    struct Case {
        int pages;
        LONG duplex;
        const char* sides;
    };
    const Case cases[] = {
        {3, 0, "3|2|1"},
        {5, 1, "5|3|4|1|2"},  // (5 | nothing), (3 | 4), (1 | 2)
        {4, 1, "3|4|1|2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sides);
        Open(c.pages);
        Layout(1);
        m_emf.reverseOrder = 1;
        m_emf.duplex = c.duplex;
        EXPECT_TRUE(Run(PrintNupPages));
        EXPECT_EQ(Sides(), c.sides);
        GdiEndDocEMF(m_spool);
        GdiDeleteSpoolFileHandle(m_spool);
        m_spool = nullptr;
    }
}

TEST_F(PageStrategiesTest, DirectionsOrderTheCellsOfFourUp)
{
    const char* expected[] = {"1 3 2 4", "2 1 4 3", "3 1 4 2"};
    for (LONG direction = 1; direction <= 3; ++direction) {
        SCOPED_TRACE(direction);
        Open(4);
        Layout(4);
        m_emf.settings.nupDirection = direction;
        EXPECT_TRUE(Run(PrintNupPages));
        EXPECT_EQ(Sides(), expected[direction - 1]);
        GdiEndDocEMF(m_spool);
        GdiDeleteSpoolFileHandle(m_spool);
        m_spool = nullptr;
    }
}

TEST_F(PageStrategiesTest, TwoSidedFourUpOfNinePagesEndsWithABlankBack)
{
    Open(9);
    Layout(4);
    m_emf.settings.nupDirection = 1;
    m_emf.duplex = 1;
    m_emf.pageDevmode->dmDuplex = DMDUP_VERTICAL;
    EXPECT_TRUE(Run(PrintNupPages));
    EXPECT_EQ(Sides(), "1 3 2 4|5 7 6 8|9|-");

    nirasim::ClearPlacementJournal();
    m_emf.settings.skipLastBlankBack = 1;  // only a document that fits one side skips its back
    EXPECT_TRUE(Run(PrintNupPages));
    EXPECT_EQ(Sides(), "1 3 2 4|5 7 6 8|9|-");
}

TEST_F(PageStrategiesTest, ADocumentOnOneSideSkipsItsBlankBackWhenTheDriverSaysSo)
{
    Open(3);
    Layout(4);
    m_emf.settings.nupDirection = 1;
    m_emf.duplex = 1;
    m_emf.pageDevmode->dmDuplex = DMDUP_VERTICAL;
    EXPECT_TRUE(Run(PrintNupPages));
    EXPECT_EQ(Sides(), "1 3 2|-");

    nirasim::ClearPlacementJournal();
    m_emf.settings.skipLastBlankBackSingle = 1;
    EXPECT_TRUE(Run(PrintNupPages));
    EXPECT_EQ(Sides(), "1 3 2");
}

TEST_F(PageStrategiesTest, CopiesRepeatEachSheetOrTheWholeDocument)
{
    Open(2);
    Layout(1);
    m_emf.copies = 3;
    m_emf.driverCopies = 2;
    m_emf.collate = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|2|1|2");
    nirasim::ClearPlacementJournal();
    m_emf.collate = 0;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|1|2|2");
}

TEST_F(PageStrategiesTest, ARepeatCountBelowZeroSendsEverySideTwice)
{
    Open(2);
    Layout(1);
    m_emf.settings.repeatMode = 1;
    m_emf.settings.repeatCount = -1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|1|2|2");
    nirasim::ClearPlacementJournal();
    // A poster repeats its tiles itself: the strategy sends each page once.
    m_emf.settings.poster = 1;
    m_emf.settings.posterTileSelected[0] = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|1|2|2");
}

TEST_F(PageStrategiesTest, ASourceAboveAThousandBecomesAMediaTypeFromTheOtherSheetsSource)
{
    constexpr short kTray = 7;
    Open(1, DMORIENT_PORTRAIT, 1003);
    Layout(1);
    m_emf.settings.otherPagesSource = kTray;
    m_emf.pageDevmode->dmCopies = 4;
    EXPECT_TRUE(Run(PrintPlainPages));
    DEVMODEW* page = nullptr;
    ASSERT_TRUE(GetPageDevmode(m_emf, 1, &page));
    EXPECT_EQ(page->dmMediaType, 3u);
    EXPECT_EQ(page->dmDefaultSource, kTray);
    EXPECT_EQ(page->dmCopies, 1);  // SetCopies put the pass's copies in force before the page
}

TEST_F(PageStrategiesTest, DevmodesDifferInWhatTheOutputDependsOn)
{
    DEVMODEW a = {};
    a.dmSize = sizeof(DEVMODEW);
    DEVMODEW b = a;
    EXPECT_FALSE(DevmodesDiffer(&a, &a));
    EXPECT_FALSE(DevmodesDiffer(&a, &b));
    b.dmTTOption = 2;  // not compared
    EXPECT_FALSE(DevmodesDiffer(&a, &b));
    b.dmCollate = 1;
    EXPECT_TRUE(DevmodesDiffer(&a, &b));
    b = a;
    b.dmPanningHeight = 1;  // the rest after the form name
    EXPECT_TRUE(DevmodesDiffer(&a, &b));
    EXPECT_TRUE(DevmodesDiffer(&a, nullptr));
}

}  // namespace

namespace {

TEST_F(PageStrategiesTest, BookletSheetsFoldTheDocument)
{
    struct Case {
        int pages;
        const char* sides;
    };
    // Sheet by sheet: front left and right, back left and right (empty cells left out).
    const Case cases[] = {
        {8, "8 1|7 2|6 3|5 4"},
        {6, "1|2|6 3|5 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        Open(c.pages);
        Layout(2);
        m_emf.settings.booklet = 1;
        m_emf.duplex = 1;
        m_emf.duplexKind = 1;
        m_emf.pageDevmode->dmDuplex = DMDUP_HORIZONTAL;
        EXPECT_TRUE(Run(PrintBookletPages));
        EXPECT_EQ(Sides(), c.sides);
        EXPECT_EQ(m_emf.bookletSheetCount, 2);
        Close();
    }
}

TEST_F(PageStrategiesTest, ABookletPageKeepsItsCellWhenTheOtherIsEmpty)
{
    Open(6);
    Layout(2);
    m_emf.settings.booklet = 1;
    m_emf.duplex = 1;
    m_emf.duplexKind = 1;
    EXPECT_TRUE(Run(PrintBookletPages));
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 4u);
    // Page 1 is the right-hand page of the first front; on the portrait sheet the halves lie one
    // above the other, the second cell on top.
    EXPECT_LT(sides[0].pages[0].world.eDy, sides[2].pages[0].world.eDy);
}

TEST_F(PageStrategiesTest, ReverseNupPrintsSheetsFromTheLastWithPagesInTheirOrder)
{
    struct Case {
        int pages;
        LONG duplex;
        const char* sides;
    };
    const Case cases[] = {
        {9, 0, "9|5 6 7 8|1 2 3 4"},
        {12, 1, "9 10 11 12|1 2 3 4|5 6 7 8"},
        {16, 1, "9 10 11 12|13 14 15 16|1 2 3 4|5 6 7 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sides);
        Open(c.pages);
        Layout(4);
        m_emf.reverseOrder = 1;
        m_emf.duplex = c.duplex;
        EXPECT_TRUE(Run(PrintNupPages));
        EXPECT_EQ(Sides(), c.sides);
        Close();
    }
}

TEST_F(PageStrategiesTest, CoversAreBlankSheetsAroundTheDocument)
{
    Open(2);
    Layout(1);
    m_emf.settings.specialPages = 1;
    m_emf.settings.frontCover = 1;
    m_emf.settings.backCover = 1;
    m_emf.settings.frontCoverSource = 4;
    m_emf.copies = 2;
    m_emf.driverCopies = 2;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "-|1|2|-");
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    EXPECT_EQ(sides[0].copies, 2);  // the uncollated covers come with every copy at once

    nirasim::ClearPlacementJournal();
    m_emf.collate = 1;
    m_emf.driverCopies = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "-|1|2|-|-|1|2|-");
}

TEST_F(PageStrategiesTest, TwoSidedDocumentsEndOnABlankBackUnlessTheDriverSkipsIt)
{
    Open(3);
    Layout(1);
    m_emf.duplex = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|2|3|-");
    nirasim::ClearPlacementJournal();
    m_emf.settings.skipLastBlankBack = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|2|3");
    // Collated copies keep the blank back that separates one copy from the next.
    nirasim::ClearPlacementJournal();
    m_emf.copies = 2;
    m_emf.collate = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|2|3|-|1|2|3");
}

TEST_F(PageStrategiesTest, TwoSidedOnlyMediaSendsTheSideTwoSidedWithABlankBack)
{
    constexpr DWORD kTwoSidedMedia = 7;
    Open(2);
    Layout(1);
    m_emf.settings.duplexMediaOn = 1;
    m_emf.settings.duplexMediaType1 = kTwoSidedMedia;
    m_emf.settings.mediaOverride = kTwoSidedMedia;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|-|2|-");
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    EXPECT_EQ(sides[0].duplex, DMDUP_HORIZONTAL);
}

TEST_F(PageStrategiesTest, APausedJobWaitsAndACancelDoesNotEndTheLoop)
{
    Open(3);
    Layout(1);
    m_job.pauseEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetJobFlags(m_job, JOB_FLAG_PAUSED);
    constexpr auto kPause = std::chrono::milliseconds(100);
    auto start = std::chrono::steady_clock::now();
    std::thread control([&] {
        std::this_thread::sleep_for(kPause);
        EXPECT_TRUE(nirasim::PlacementJournal().empty());  // nothing printed while paused
        SetJobFlags(m_job, JOB_FLAG_ABORTED);
        SetEvent(m_job.pauseEvent);
    });
    EXPECT_TRUE(Run(PrintPlainPages));
    control.join();
    EXPECT_GE(std::chrono::steady_clock::now() - start, kPause);
    EXPECT_EQ(Sides(), "1|2|3");
    CloseHandle(m_job.pauseEvent);
}

TEST_F(PageStrategiesTest, ScalingThroughThePaperMakesACustomPaperClampedToTheWidest)
{
    constexpr short kA4 = 9;
    struct Case {
        LONG maxWidth;
        short width;
        LONG clamped;
    };
    const Case cases[] = {{3300, 3150, 0}, {3000, 3000, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxWidth);
        m_devmode.dmPaperSize = kA4;
        Open(1);
        Layout(1);
        m_emf.settings.scalePercent = 150;
        m_emf.settings.driverScales = 1;
        m_emf.settings.outputMode = 1;
        m_emf.settings.maxPaperWidth = c.maxWidth;
        EXPECT_TRUE(Run(PrintPlainPages));
        DEVMODEW* page = nullptr;
        ASSERT_TRUE(GetPageDevmode(m_emf, 1, &page));
        EXPECT_EQ(page->dmPaperSize, 0);
        EXPECT_EQ(page->dmPaperWidth, c.width);
        EXPECT_EQ(page->dmPaperLength, 4455);
        EXPECT_EQ(m_emf.paperWidthClamped, c.clamped);
        EXPECT_EQ(m_emf.requestedPaperWidth, c.clamped != 0 ? 3150 : 0);
        Close();
    }
}

TEST_F(PageStrategiesTest, PagesCarryTheirParityAndRepetitionInTheirPrivateSection)
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    GivePagesPrivateSections();
    Open(2);
    Layout(1);
    m_emf.settings.pageParityMode = 1;
    m_emf.settings.repeatMode = 1;
    m_emf.settings.repeatCount = 3;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|1|1|2|2|2");
    EXPECT_EQ(FlagOfPage(1, kParityFlagA), 0);
    EXPECT_EQ(FlagOfPage(1, kParityFlagB), 1);
    EXPECT_EQ(FlagOfPage(2, kParityFlagB), 0);
    // The last of three repetitions leaves its mark.
    EXPECT_EQ(FlagOfPage(2, kRepeatOnFlag), 1);
    EXPECT_EQ(FlagOfPage(2, kFirstRepeatFlag), 0);
    EXPECT_EQ(IntOfPage(2, kRepeatCountSetting), 3);
    Close();
    FreeSettingsLibrary();
}

}  // namespace
