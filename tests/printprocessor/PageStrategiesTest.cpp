// The page-order strategies on a spool file of numbered pages: which pages each sheet side gets,
// in which cells, read from the placement journal.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Emf.h>

#include <winppi.h>

#include <string>
#include <vector>

#include "printprocessor/PageStep.h"
#include "printprocessor/PageStrategies.h"

namespace {

constexpr short kQuality = 100;

class PageStrategiesTest : public ProcessorMachineTest {
protected:
    void TearDown() override
    {
        if (m_spool != nullptr) {
            GdiEndDocEMF(m_spool);
            GdiDeleteSpoolFileHandle(m_spool);
        }
        ProcessorMachineTest::TearDown();
    }

    // Opens a spool file of `pages` pages and prepares the job as a pass would.
    void Open(int pages, short orientation = DMORIENT_PORTRAIT, short source = DMBIN_FORMSOURCE)
    {
        m_devmode.dmSize = sizeof(DEVMODEW);
        m_devmode.dmFields = DM_ORIENTATION | DM_COPIES | DM_DUPLEX;
        m_devmode.dmOrientation = orientation;
        m_devmode.dmCopies = 1;
        m_devmode.dmDuplex = DMDUP_SIMPLEX;
        m_devmode.dmPrintQuality = kQuality;
        m_devmode.dmYResolution = kQuality;
        m_devmode.dmDefaultSource = source;
        std::vector<nirasim::SpoolPage> spooled;
        for (int i = 1; i <= pages; ++i) {
            nirasim::EmfRecorder page(100, 100);
            std::vector<BYTE> devmode;
            if (i == 1) {
                const auto* b = reinterpret_cast<const BYTE*>(&m_devmode);
                devmode.assign(b, b + sizeof(m_devmode));
            }
            spooled.push_back({devmode, page.Finish()});
        }
        WString printer = nirasim::Wide(kPrinter);
        DWORD id = nirasim::SpoolEmfJob(printer, nirasim::EmfSpoolFile(printer, spooled));
        m_document = printer + nirasim::Wide(", Job " + std::to_string(id));
        m_printerName = printer;
        m_job.printerName = &m_printerName[0];
        m_spool = GdiGetSpoolFileHandle(&m_printerName[0], &m_devmode, &m_document[0]);
        ASSERT_NE(m_spool, nullptr);
        HDC dc = GdiGetDC(m_spool);
        ASSERT_NE(dc, nullptr);
        DOCINFOW info = {sizeof(DOCINFOW), m_document.c_str(), nullptr, nullptr, 0};
        ASSERT_TRUE(GdiStartDocEMF(m_spool, &info));
        SetGraphicsMode(dc, GM_ADVANCED);
        m_emf.spoolHandle = m_spool;
        m_emf.printerDC = dc;
        m_emf.pageCount = pages;
        m_emf.settings.marginMode = 0;
        ASSERT_TRUE(GetPageDevmode(m_emf, 1, &m_emf.pageDevmode));
        nirasim::ClearPlacementJournal();
    }

    void Layout(LONG pagesPerSide, bool processorPlaces = true)
    {
        m_emf.pagesPerSide = pagesPerSide;
        m_emf.driverPagesPerSide = processorPlaces ? 1 : pagesPerSide;
        m_emf.nupPages = processorPlaces ? pagesPerSide : 1;
    }

    BOOL Run(BOOL (*strategy)(StrategyContext&))
    {
        CellPlacement placement;
        placement.job = &m_emf;
        placement.spoolHandle = m_spool;
        placement.printerDC = m_emf.printerDC;
        StrategyContext context;
        context.job = &m_emf;
        context.spoolHandle = m_spool;
        context.printerDC = m_emf.printerDC;
        context.pageDevmode = m_emf.pageDevmode;
        context.duplex = m_emf.duplex;
        context.collate = m_emf.collate;
        context.pageCount = m_emf.pageCount;
        context.cellPlacement = &placement;
        return strategy(context);
    }

    // Each side as its pages in cell order, "-" for an empty side: "1 2|3 4|-".
    static std::string Sides()
    {
        std::string text;
        for (const nirasim::SheetSideRecord& side : nirasim::PlacementJournal()) {
            std::string pages;
            for (const nirasim::PlayedPage& played : side.pages) {
                pages += (pages.empty() ? "" : " ") + std::to_string(played.page);
            }
            text += (text.empty() ? "" : "|") + (pages.empty() ? std::string("-") : pages);
        }
        return text;
    }

    DEVMODEW m_devmode = {};
    WString m_printerName;
    WString m_document;
    ProcessorJob m_job = {};
    CNiraEmfJob m_emf{&m_job, &m_devmode};
    HANDLE m_spool = nullptr;
};

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
    m_emf.settings.poster = 1;
    EXPECT_TRUE(Run(PrintPlainPages));
    EXPECT_EQ(Sides(), "1|2");
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
