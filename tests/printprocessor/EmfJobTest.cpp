// EMF jobs run through nirapp as the spooler runs them: the sheet sides and the cells that the
// pages were played into, read from the placement journal.
#include "printprocessor/EmfJobFixture.h"

#include <nirasim/Emf.h>
#include <nirasim/Gdi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "common/EscapeRecords.h"

namespace {

TEST_F(EmfJobTest, OnePagePerSideFillsThePrintableAreaAndLeavesTheIdentity)
{
    nirasim::PrintJobRun run = RunEmf(3, Devmode());
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 3u);
    for (size_t i = 0; i < sides.size(); ++i) {
        ASSERT_EQ(sides[i].pages.size(), 1u);
        const nirasim::PlayedPage& page = sides[i].pages[0];
        EXPECT_EQ(page.page, i + 1);
        EXPECT_TRUE(page.played);
        // The whole page within the sheet's margins that the render module gives.
        EXPECT_GE(page.document.left, 0);
        EXPECT_GT(page.document.right, 800);
        EXPECT_LE(page.document.right, 850);
        EXPECT_EQ(page.border.left, -1);
        EXPECT_EQ(page.world.eM11, 1);
        EXPECT_TRUE(sides[i].identityAtStart);
        EXPECT_TRUE(sides[i].identityAtEnd);
    }
}

TEST_F(EmfJobTest, FourUpPutsFourPagesOnEachSideAndAShortLastSide)
{
    nirasim::JobAttributeSettings attributes;
    attributes.pagesPerSide = 4;
    nirasim::SetJobAttributes(attributes);
    nirasim::PrintJobRun run = RunEmf(9, Devmode());
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 3u);
    EXPECT_EQ(PagesOf(sides[0]), (std::vector<DWORD>{1, 2, 3, 4}));
    EXPECT_EQ(PagesOf(sides[1]), (std::vector<DWORD>{5, 6, 7, 8}));
    EXPECT_EQ(PagesOf(sides[2]), (std::vector<DWORD>{9}));
    const std::vector<nirasim::PlayedPage>& first = sides[0].pages;
    for (const nirasim::PlayedPage& page : first) {
        EXPECT_GT(page.document.right - page.document.left, 300);
        EXPECT_GT(page.document.bottom - page.document.top, 400);
    }
    EXPECT_LT(first[0].document.right, first[1].document.left + 1);  // left to right
    EXPECT_LT(first[0].document.bottom, first[2].document.top + 1);  // then the next row
    EXPECT_EQ(first[3].clip.left, first[3].document.left);           // clipped to the cell
    for (const nirasim::SheetSideRecord& side : sides) {
        EXPECT_TRUE(side.identityAtStart);
        EXPECT_TRUE(side.identityAtEnd);
    }
}

TEST_F(EmfJobTest, CopiesGoInChunksOfTheDriversCopies)
{
    nirasim::JobAttributeSettings attributes;
    attributes.driverCopies = 2;
    nirasim::SetJobAttributes(attributes);
    struct Case {
        short collate;
        std::vector<DWORD> pages;
        std::vector<short> copies;
    };
    const std::vector<Case> cases = {
        {DMCOLLATE_TRUE, {1, 2, 1, 2, 1, 2}, {2, 2, 2, 2, 1, 1}},
        {DMCOLLATE_FALSE, {1, 1, 1, 2, 2, 2}, {2, 2, 1, 2, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.collate);
        nirasim::ClearPlacementJournal();
        DEVMODEW devmode = Devmode();
        devmode.dmCopies = 5;
        devmode.dmCollate = c.collate;
        nirasim::PrintJobRun run = RunEmf(2, devmode);
        ASSERT_TRUE(run.printed) << run.printError;
        std::vector<DWORD> pages;
        std::vector<short> copies;
        for (const nirasim::SheetSideRecord& side : nirasim::PlacementJournal()) {
            pages.push_back(side.pages.empty() ? 0 : side.pages[0].page);
            copies.push_back(side.copies);
        }
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(copies, c.copies);
    }
}

TEST_F(EmfJobTest, AShortDevmodeFailsBeforeTheSpoolFileOpens)
{
    DEVMODEW devmode = Devmode();
    devmode.dmSize = 96;
    nirasim::PrintJobRun run = RunEmf(2, devmode);
    EXPECT_FALSE(run.printed);
    EXPECT_TRUE(nirasim::PlacementJournal().empty());
    EXPECT_TRUE(nirasim::GdiCallsNamed("CreateDCW").empty());
}

// DEVMODEs shorter than a whole record are never read or written past their end: the job's
// older one is completed with zero fields and prints; a page's damaged one fails the job (and the
// render module is asked with a whole record all the same).
TEST_F(EmfJobTest, ShortDevmodesAreNeverReadPastTheirEnd)
{
    DEVMODEW older = Devmode();
    older.dmSize = offsetof(DEVMODEW, dmICMMethod);
    nirasim::PrintJobSpec job = Job(kEmf, Document(2, Devmode()));
    job.devmode = Bytes(older);
    nirasim::PrintJobRun run = Host().Run(job);
    EXPECT_TRUE(run.printed) << run.printError;

    DEVMODEW damaged = Devmode();
    damaged.dmSize = offsetof(DEVMODEW, dmMediaType) + 1;
    job = Job(kEmf, Document(2, damaged));
    job.devmode = Bytes(Devmode());
    run = Host().Run(job);
    EXPECT_FALSE(run.printed);

    // A job DEVMODE whose sizes claim none of its bytes: refused, its sizes read from the copy.
    job = Job(kEmf, Document(2, Devmode()));
    job.devmode.assign(offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD), 0);
    run = Host().Run(job);
    EXPECT_FALSE(run.printed);
}

TEST_F(EmfJobTest, ABadRecordFailsTheJobAndEndsTheDocument)
{
    nirasim::PrintJobRun run = RunEmf(3, Devmode(), 2);
    EXPECT_FALSE(run.printed);
    EXPECT_EQ(run.printError, static_cast<DWORD>(ERROR_INVALID_DATA));
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 2u);
    EXPECT_TRUE(sides[0].pages[0].played);
    EXPECT_FALSE(sides[1].pages[0].played);
    EXPECT_EQ(nirasim::GdiCallsNamed("EndDoc").size(), 1u);
    EXPECT_EQ(nirasim::GdiCallsNamed("DeleteDC").size(), 1u);
}

TEST_F(EmfJobTest, EveryFailingSpoolCallFailsTheJobWithItsError)
{
    const char* calls[] = {"GdiGetSpoolFileHandle", "GdiGetDC",         "GdiStartDocEMF", "GdiStartPageEMF",
                           "GdiPlayPageEMF",        "GdiEndPageEMF",    "GdiEndDocEMF",   "GetJobAttributes",
                           "GdiGetDevmodeForPage",  "SetWorldTransform"};
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        Machine().FailCalls(call, ERROR_GEN_FAILURE, -1);
        nirasim::PrintJobRun run = RunEmf(2, Devmode());
        Machine().ClearFailures();
        if (std::string(call) == "GdiPlayPageEMF" || std::string(call) == "SetWorldTransform") {
            // Neither a page's play nor a 1-up page turns: the job prints on.
            EXPECT_TRUE(run.printed);
            continue;
        }
        EXPECT_FALSE(run.printed);
        EXPECT_EQ(run.printError, static_cast<DWORD>(ERROR_GEN_FAILURE));
    }
}

TEST_F(EmfJobTest, DocumentsThatOrderTheirOwnTwoSidedPagesAreNotReversed)
{
    nirasim::JobAttributeSettings attributes;
    attributes.jobPageOrder = 0x1;  // REVERSE_PRINT
    nirasim::SetJobAttributes(attributes);
    DEVMODEW devmode = Devmode();
    devmode.dmDuplex = DMDUP_VERTICAL;
    struct Case {
        const char* name;
        DWORD firstPage;
    };
    const Case cases[] = {
        {"C:\\docs\\x.WPD", 1}, {"C:\\docs\\x", 3}, {"SlideShow1", 1}, {"docs\\SlideShow1", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nirasim::ClearPlacementJournal();
        nirasim::PrintJobRun run = RunEmf(4, devmode, 0, c.name);
        ASSERT_TRUE(run.printed) << run.printError;
        std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
        ASSERT_FALSE(sides.empty());
        ASSERT_FALSE(sides[0].pages.empty());
        EXPECT_EQ(sides[0].pages[0].page, c.firstPage);
    }
}

TEST_F(EmfJobTest, ABookletOnOneSidedPaperPrintsOnePagePerSide)
{
    nirasim::JobAttributeSettings attributes;
    attributes.jobPageOrder = 0x2;  // BOOKLET_PRINT
    nirasim::SetJobAttributes(attributes);
    // Without the render module's answer the booklet comes from the job's page order.
    nirasim::SetRenderModuleAnswers(false);
    nirasim::PrintJobRun run = RunEmf(3, Devmode());
    nirasim::SetRenderModuleAnswers(true);
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 3u);
    EXPECT_EQ(sides[2].pages[0].page, 3u);
}

}  // namespace

namespace {

TEST_F(EmfJobTest, APlainOneUpJobNeverWaitsForThePageCount)
{
    Choose(TEXT("MarginMode"), 0);
    Machine().FailCalls("GdiGetPageCount", ERROR_GEN_FAILURE, -1);
    nirasim::PrintJobRun run = RunEmf(3, Devmode());
    Machine().ClearFailures();
    ASSERT_TRUE(run.printed) << run.printError;
    EXPECT_EQ(nirasim::PlacementJournal().size(), 3u);
    // Copies need the count: then the failed count fails the job.
    DEVMODEW devmode = Devmode();
    devmode.dmCopies = 2;
    devmode.dmCollate = DMCOLLATE_TRUE;
    Machine().FailCalls("GdiGetPageCount", ERROR_GEN_FAILURE, -1);
    run = RunEmf(3, devmode);
    Machine().ClearFailures();
    EXPECT_FALSE(run.printed);
}

TEST_F(EmfJobTest, AJobWithoutADevmodeTakesThePrintersOwn)
{
    nirasim::PrintJobSpec job = Job(kEmf, Document(2, Devmode()));
    nirasim::PrintJobRun run = Host().Run(job);
    ASSERT_TRUE(run.printed) << run.printError;
    EXPECT_EQ(nirasim::PlacementJournal().size(), 2u);

    Machine().FailCalls("DocumentPropertiesW", ERROR_GEN_FAILURE, -1);
    run = Host().Run(job);
    Machine().ClearFailures();
    EXPECT_FALSE(run.printed);
}

TEST_F(EmfJobTest, ATwoSidedBookletFoldsEightPagesOntoTwoSheets)
{
    Choose(TEXT("Booklet"), 1);
    DEVMODEW devmode = Devmode();
    devmode.dmDuplex = DMDUP_VERTICAL;
    nirasim::PrintJobRun run = RunEmf(8, devmode);
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 4u);
    EXPECT_EQ(PagesOf(sides[0]), (std::vector<DWORD>{8, 1}));
    EXPECT_EQ(PagesOf(sides[2]), (std::vector<DWORD>{6, 3}));
    for (const nirasim::SheetSideRecord& side : sides) {
        EXPECT_EQ(side.duplex, DMDUP_HORIZONTAL);  // booklets bind on the short edge
        EXPECT_TRUE(side.identityAtStart && side.identityAtEnd);
    }
}

}  // namespace

namespace {

// How often the render module was sent an escape, and the last record it came with.
size_t EscapesSent(int code, std::string* lastRecord = nullptr)
{
    size_t sent = 0;
    for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("ExtEscape")) {
        if (call.args[0] == code) {
            ++sent;
            if (lastRecord != nullptr) {
                *lastRecord = call.bytes;
            }
        }
    }
    return sent;
}

TEST_F(EmfJobTest, APosterJobPrintsEachPageOverItsChosenTiles)
{
    Choose(TEXT("Poster"), 1);
    Choose(TEXT("PosterSize"), 0);
    Choose(TEXT("PosterTiles"), 0x9);  // the top left and bottom right tiles of 2 x 2
    nirasim::PrintJobRun run = RunEmf(2, Devmode());
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 4u);
    for (size_t i = 0; i < sides.size(); ++i) {
        ASSERT_EQ(sides[i].pages.size(), 1u);
        EXPECT_EQ(sides[i].pages[0].page, i / 2 + 1);
        EXPECT_EQ(sides[i].pages[0].world.eM11, 2.0f);
        // Each page starts on the side its strategy began; its other tile makes a side of its own.
        EXPECT_EQ(sides[i].identityAtStart, i % 2 == 0);
    }
    // The bottom right tile first: shifted by a whole tile more than the top left one.
    EXPECT_LT(sides[0].pages[0].world.eDx, sides[1].pages[0].world.eDx);
    EXPECT_EQ(nirasim::LiveGdiObjects(), 0);
}

TEST_F(EmfJobTest, AManualTwoSidedJobTellsTheRenderModuleWhenTheSecondBatchBegins)
{
    Choose(TEXT("ManualDuplex"), 1);
    nirasim::PrintJobRun run = RunEmf(5, Devmode());
    ASSERT_TRUE(run.printed) << run.printError;
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    ASSERT_EQ(sides.size(), 6u);  // five pages and the blank back of the third sheet
    std::vector<DWORD> pages;
    for (const nirasim::SheetSideRecord& side : sides) {
        for (const nirasim::PlayedPage& played : side.pages) {
            pages.push_back(played.page);
        }
    }
    std::sort(pages.begin(), pages.end());
    EXPECT_EQ(pages, (std::vector<DWORD>{1, 2, 3, 4, 5}));
    size_t announced = 0;
    for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("ExtEscape")) {
        JobCountsRecord record = {};
        if (call.args[0] == ESCAPE_SET_JOB_COUNTS && call.bytes.size() >= sizeof(record)) {
            std::memcpy(&record, call.bytes.data(), sizeof(record));
            announced += record.secondBatch == 1 ? 1 : 0;
        }
    }
    EXPECT_GE(announced, 1u);
}

TEST_F(EmfJobTest, OverlayTextAndFitToAnotherPaperReachEveryPage)
{
    Choose(TEXT("OutputMode"), 3);
    Choose(TEXT("CellReports"), 1);
    Choose(TEXT("FitToPaper"), 1);
    Choose(TEXT("FitScales"), 1);
    Choose(TEXT("PaperSize"), 11);  // A5
    nirasim::PrintJobRun run = RunEmf(2, Devmode());
    ASSERT_TRUE(run.printed) << run.printError;
    EXPECT_EQ(EscapesSent(ESCAPE_OVERLAY_BEGIN), 2u);
    EXPECT_EQ(EscapesSent(ESCAPE_OVERLAY_NONE), 0u);
    EXPECT_EQ(nirasim::GdiCallsNamed("TextOutW").size(), 2u);
    // Letter pages shrunk onto A5 keep their proportions.
    for (const nirasim::SheetSideRecord& side : nirasim::PlacementJournal()) {
        ASSERT_EQ(side.pages.size(), 1u);
        const RECT& cell = side.pages[0].document;
        double shape = static_cast<double>(cell.right - cell.left) / (cell.bottom - cell.top);
        EXPECT_NEAR(shape, 850.0 / 1100.0, 0.01);
        EXPECT_LT(cell.right - cell.left, 600);
    }
    std::string placement;
    EscapesSent(ESCAPE_SET_PAGE_PLACEMENT, &placement);
    PagePlacementRecord record = {};
    ASSERT_GE(placement.size(), sizeof(record));
    std::memcpy(&record, placement.data(), sizeof(record));
    EXPECT_GT(record.fitScale, 0.6f);
    EXPECT_LT(record.fitScale, 0.7f);
}

}  // namespace
