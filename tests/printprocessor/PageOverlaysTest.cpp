// The overlay step of a placed page: the placement entries sent to the render module, the overlay
// text of output mode 3 and the space marker of output mode 1, read from the GDI journal.
#include "printprocessor/SpoolPassFixture.h"

#include <nirasim/Gdi.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

class PageOverlaysTest : public SpoolPassTest {
protected:
    void SetUp() override
    {
        SpoolPassTest::SetUp();
        Open(4);
        m_placement.job = &m_emf;
        m_placement.spoolHandle = m_spool;
        m_placement.printerDC = m_emf.printerDC;
        m_placement.cellRect = {10, 20, 30, 40};
        m_page = *m_emf.pageDevmode;
        m_page.dmPrintQuality = 600;
        SetText(m_emf.settings.overlay.overlayFont, TEXT("Courier"));
        SetText(m_emf.settings.overlay.overlayText2, TEXT("Draft"));
        nirasim::ClearGdiJournal();
    }

    static void SetText(WCHAR* field, const WString& text)
    {
        std::memcpy(field, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    }

    void Step(LONG page, LONG cell, LONG pagesPerSheet)
    {
        OverlayStep(m_placement, &m_page, page, cell, pagesPerSheet);
    }

    // The private escapes in order, by their codes.
    static std::vector<long long> Escapes()
    {
        std::vector<long long> codes;
        for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("ExtEscape")) {
            codes.push_back(call.args[0]);
        }
        return codes;
    }

    // The placement record of the last ESCAPE_SET_PAGE_PLACEMENT.
    static PagePlacementRecord LastPlacement()
    {
        PagePlacementRecord record = {};
        for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("ExtEscape")) {
            if (call.args[0] == ESCAPE_SET_PAGE_PLACEMENT && call.bytes.size() >= sizeof(record)) {
                std::memcpy(&record, call.bytes.data(), sizeof(record));
            }
        }
        return record;
    }

    CellPlacement m_placement;
    DEVMODEW m_page = {};
};

TEST_F(PageOverlaysTest, OutputModeTwoReportsTheCellsOfSeveralPagesAndDrawsNothing)
{
    m_emf.settings.outputMode = 2;
    m_emf.pagesPerSide = 4;
    for (LONG cell = 1; cell <= 4; ++cell) {
        m_placement.cellRect = {cell, 2 * cell, 3 * cell, 4 * cell};
        Step(cell, cell, 4);
    }
    EXPECT_EQ(Escapes(), std::vector<long long>(4, ESCAPE_SET_PAGE_PLACEMENT));
    PagePlacementRecord record = LastPlacement();
    EXPECT_EQ(record.pageCount, 4);
    for (LONG cell = 1; cell <= 4; ++cell) {
        const PageCellEntry& entry = record.cells[cell - 1];
        EXPECT_EQ(entry.pageNumber, cell);
        EXPECT_EQ(entry.left, cell);
        EXPECT_EQ(entry.bottom, 4 * cell);
        EXPECT_EQ(entry.orientation, DMORIENT_PORTRAIT);
    }
    EXPECT_TRUE(nirasim::GdiCallsNamed("CreateFontIndirectW").empty());
    EXPECT_TRUE(nirasim::GdiCallsNamed("TextOutW").empty());

    nirasim::ClearGdiJournal();
    m_emf.pagesPerSide = 1;
    Step(1, 1, 1);
    EXPECT_TRUE(nirasim::GdiJournal().empty());
}

TEST_F(PageOverlaysTest, EveryCellOfABookletSheetWritesTheFirstEntryInOutputModeThree)
{
    m_emf.settings.outputMode = 3;
    m_emf.settings.booklet = 1;
    m_emf.pagesPerSide = 2;
    Step(4, 1, 2);
    Step(1, 2, 2);
    PagePlacementRecord record = LastPlacement();
    EXPECT_EQ(record.cells[0].pageNumber, 1);
    EXPECT_EQ(record.cells[1].pageNumber, 0);
}

TEST_F(PageOverlaysTest, TheOverlayFontFollowsThePrintQuality)
{
    m_emf.settings.outputMode = 3;
    m_emf.settings.cellReports = 1;
    m_emf.settings.overlayVariant = 2;
    struct Case {
        short quality;
        LONG variant;
        long long height;
    };
    const Case cases[] = {
        {600, 2, -625}, {300, 2, -625},   {-2, 2, -625}, {360, 2, -375},
        {720, 2, -750}, {1200, 2, -1250}, {0, 2, 0},     {300, 0, -156},
    };
    const XFORM cellTurn = {0, -1, 1, 0, 5, 900};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        nirasim::ClearGdiJournal();
        m_page.dmPrintQuality = c.quality;
        m_emf.settings.overlayVariant = c.variant;
        ASSERT_TRUE(SetWorldTransform(m_emf.printerDC, &cellTurn));
        Step(1, 1, 1);
        std::vector<nirasim::GdiCall> fonts = nirasim::GdiCallsNamed("CreateFontIndirectW");
        ASSERT_EQ(fonts.size(), 1U);
        EXPECT_EQ(fonts[0].args[0], c.height);
        EXPECT_EQ(Escapes(), (std::vector<long long>{ESCAPE_SET_PAGE_PLACEMENT, ESCAPE_OVERLAY_BEGIN}));
        std::vector<nirasim::GdiCall> texts = nirasim::GdiCallsNamed("TextOutW");
        ASSERT_EQ(texts.size(), 1U);
        EXPECT_EQ(texts[0].text, WString(TEXT("Draft")));
        EXPECT_EQ(texts[0].args[0], 100);
        XFORM after = {};
        GetWorldTransform(m_emf.printerDC, &after);
        EXPECT_EQ(std::memcmp(&after, &cellTurn, sizeof(XFORM)), 0);
    }
    ModifyWorldTransform(m_emf.printerDC, nullptr, MWT_IDENTITY);
}

TEST_F(PageOverlaysTest, AFaceOrTextTooLongSaysThatNothingWasDrawn)
{
    m_emf.settings.outputMode = 3;
    m_emf.settings.cellReports = 1;
    SetText(m_emf.settings.overlay.overlayFont, WString(32, TEXT("F")[0]));
    Step(1, 1, 1);
    EXPECT_EQ(Escapes(),
              (std::vector<long long>{ESCAPE_SET_PAGE_PLACEMENT, ESCAPE_OVERLAY_BEGIN, ESCAPE_OVERLAY_NONE}));
    EXPECT_TRUE(nirasim::GdiCallsNamed("TextOutW").empty());

    // A text that fills its whole field without a terminator is not drawn either.
    nirasim::ClearGdiJournal();
    SetText(m_emf.settings.overlay.overlayFont, TEXT("Courier"));
    std::fill(std::begin(m_emf.settings.overlay.overlayText2), std::end(m_emf.settings.overlay.overlayText2),
              TEXT("x")[0]);
    Step(1, 1, 1);
    EXPECT_EQ(Escapes(),
              (std::vector<long long>{ESCAPE_SET_PAGE_PLACEMENT, ESCAPE_OVERLAY_BEGIN, ESCAPE_OVERLAY_NONE}));
    EXPECT_TRUE(nirasim::GdiCallsNamed("TextOutW").empty());
}

TEST_F(PageOverlaysTest, TheSpaceMarkerMarksTextBeyondTheFirstPageOfCharacters)
{
    m_emf.settings.outputMode = 1;
    m_emf.settings.cellReports = 1;
    SetText(m_emf.settings.overlay.overlayText2, TEXT("\u00FF"));
    Step(1, 1, 1);
    EXPECT_TRUE(nirasim::GdiCallsNamed("TextOutW").empty());

    SetText(m_emf.settings.overlay.overlayText2, TEXT("a\u0100"));
    for (LONG pages : {2, 4, 6}) {
        SCOPED_TRACE(pages);
        nirasim::ClearGdiJournal();
        Step(1, 1, pages);
        std::vector<nirasim::GdiCall> texts = nirasim::GdiCallsNamed("TextOutW");
        ASSERT_EQ(texts.size(), 1U);
        EXPECT_EQ(texts[0].text, WString(TEXT(" ")));
        std::vector<nirasim::GdiCall> fonts = nirasim::GdiCallsNamed("CreateFontIndirectW");
        ASSERT_EQ(fonts.size(), 1U);
        EXPECT_EQ(fonts[0].text, WString(TEXT("Comic Sans MS")));
        EXPECT_EQ(fonts[0].args[5], pages == 4 ? 0 : 2700);  // the escapement
    }
}

TEST_F(PageOverlaysTest, OutputModeOneAsksForThePageSettingsOnlyAtPageTwo)
{
    m_emf.settings.outputMode = 1;
    m_emf.pagesPerSide = 4;
    for (LONG page = 1; page <= 4; ++page) {
        nirasim::ClearGdiJournal();
        Step(page, page, 4);
        std::vector<long long> expected = {ESCAPE_SET_PAGE_PLACEMENT};
        if (page == 2) {
            expected.push_back(ESCAPE_GET_PAGE_SETTINGS);
        }
        EXPECT_EQ(Escapes(), expected) << "page " << page;
    }
}

}  // namespace
