// The TEXT road through the loaded nirapp, read back from the drawing journal and the pictures.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Runtime.h>

#include <filesystem>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {

constexpr UINT kShiftJis = 932;
constexpr LONG kChunk = 65536;

// Where a piece of text was drawn, in cells of the fixed-pitch font.
struct Cell {
    long long column;
    long long line;
    std::string bytes;
    bool operator==(const Cell& other) const
    {
        return column == other.column && line == other.line && bytes == other.bytes;
    }
};

class TextJobTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        MeasureCell();
    }

    // The cell of the font the processor asks for, measured on a DC of the printer.
    void MeasureCell()
    {
        WString printer = nirasim::Wide(kPrinter);
        HDC dc = CreateDCW(TEXT(""), printer.c_str(), TEXT(""), nullptr);
        LOGFONTW font = {};
        font.lfWeight = FW_NORMAL;
        font.lfPitchAndFamily = FIXED_PITCH;
        HFONT made = CreateFontIndirectW(&font);
        HGDIOBJ previous = SelectObject(dc, made);
        TEXTMETRICW metrics = {};
        ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
        m_charWidth = metrics.tmAveCharWidth;
        m_lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        m_columns = GetDeviceCaps(dc, DESKTOPHORZRES) / m_charWidth;
        SelectObject(dc, previous);
        DeleteObject(made);
        DeleteDC(dc);
        nirasim::ClearGdiJournal();
    }

    std::vector<Cell> Cells() const
    {
        std::vector<Cell> cells;
        for (const nirasim::GdiCall& call : nirasim::GdiCallsNamed("TextOutA")) {
            cells.push_back({call.args[0] / m_charWidth, call.args[1] / m_lineHeight, call.bytes});
        }
        return cells;
    }

    static size_t Count(const char* call) { return nirasim::GdiCallsNamed(call).size(); }

    LONG m_charWidth = 0;
    LONG m_lineHeight = 0;
    LONG m_columns = 0;
};

TEST_F(TextJobTest, LineEndsFollowThePrinterDataSwitches)
{
    const std::string text = "ab\rcd\nef";
    struct Case {
        const char* what;
        const char* switchName;
        std::vector<Cell> cells;
    };
    const Case cases[] = {
        {"default", nullptr, {{0, 0, "ab"}, {0, 1, "cd"}, {0, 2, "ef"}}},
        {"no CR translation", "Winprint_TextNoCRTranslation", {{0, 0, "ab"}, {0, 0, "cd"}, {0, 1, "ef"}}},
        {"no translation", "Winprint_TextNoTranslation", {{0, 0, "ab"}, {0, 0, "cd"}, {2, 1, "ef"}}},
    };
    for (const Case& c : cases) {
        if (c.switchName != nullptr) {
            Machine().SetPrinterDword(kPrinter, c.switchName, 1);
        }
        nirasim::ClearGdiJournal();
        EXPECT_TRUE(Run(TEXT("TEXT"), text).printed) << c.what;
        EXPECT_EQ(Cells(), c.cells) << c.what;
        if (c.switchName != nullptr) {
            Machine().SetPrinterDword(kPrinter, c.switchName, 0);
        }
    }
}

TEST_F(TextJobTest, TransparencyIsSetForTheJobAndSetBack)
{
    Machine().SetPrinterDword(kPrinter, "Winprint_TextNoCRTranslation", 1);
    Machine().SetPrinterDword(kPrinter, "Transparency", 1);
    EXPECT_TRUE(Run(TEXT("TEXT"), "text", TEXT("COPIES=2;")).printed);
    std::vector<nirasim::GdiCall> modes = nirasim::GdiCallsNamed("SetBkMode");
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0].args[0], TRANSPARENT);
    EXPECT_EQ(modes[2].args[0], OPAQUE);  // the mode it replaced, once at the end
}

TEST_F(TextJobTest, FormFeedsBreakPagesOnlyBeforeText)
{
    EXPECT_TRUE(Run(TEXT("TEXT"),
                    "a\x0c\x0c"
                    "b")
                    .printed);
    EXPECT_EQ(Count("StartPage"), 2u);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{0, 0, "a"}, {0, 0, "b"}}));

    nirasim::ClearGdiJournal();
    EXPECT_TRUE(Run(TEXT("TEXT"), "a\x0c").printed);
    EXPECT_EQ(Count("StartPage"), 1u);
}

TEST_F(TextJobTest, EmptyJobsAndCopies)
{
    EXPECT_TRUE(Run(TEXT("TEXT"), "", TEXT("COPIES=2;")).printed);
    EXPECT_EQ(Count("StartPage"), 2u);  // one empty page per copy
    EXPECT_EQ(Count("EndPage"), 2u);
    EXPECT_EQ(Count("TextOutA"), 0u);

    nirasim::ClearGdiJournal();
    nirasim::PrintJobRun none = Run(TEXT("TEXT"), "text", TEXT("COPIES=0;"));
    EXPECT_TRUE(none.printed);
    EXPECT_EQ(Count("StartDocW"), 1u);
    EXPECT_EQ(Count("StartPage"), 0u);
    EXPECT_EQ(Count("EndDoc"), 1u);
}

TEST_F(TextJobTest, LongLinesWrapAndTabsKeepThePhaseOfTheUnwrappedLine)
{
    // A line one cell short of full, a TAB that the wrap cuts, then "x": the TAB's spaces go on
    // at the next line's start, so "x" stands where the unwrapped line's tab stop is.
    std::string line(static_cast<size_t>(m_columns - 1), 'a');
    EXPECT_TRUE(Run(TEXT("TEXT"), line + "\tx", TEXT("TABS=4;")).printed);
    std::vector<Cell> cells = Cells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].bytes, line);
    LONG tabStop = ((m_columns - 1) / 4 + 1) * 4;
    std::string owed(static_cast<size_t>(tabStop - m_columns), ' ');
    EXPECT_EQ(cells[1], (Cell{0, 1, owed + "x"}));
}

TEST_F(TextJobTest, DoubleByteCharactersAreNotSplitAtTheChunkEnd)
{
    nirasim::SetAnsiCodePage(kShiftJis);
    // The lead byte is the last byte of the first read, its trail byte the first of the next.
    std::string text = std::string(kChunk - 1, 'a') + "\x82\xa0" + "b";
    EXPECT_TRUE(Run(TEXT("TEXT"), text).printed);
    std::string printed;
    bool whole = false;
    for (const Cell& cell : Cells()) {
        printed += cell.bytes;
        whole = whole || cell.bytes.find("\x82\xa0") != std::string::npos;
    }
    EXPECT_EQ(printed, text);
    EXPECT_TRUE(whole);

    nirasim::ClearGdiJournal();
    EXPECT_TRUE(Run(TEXT("TEXT"), "ab\x82").printed);  // a lead byte ends the data: printed alone
    EXPECT_EQ(Cells(), (std::vector<Cell>{{0, 0, "ab\x82"}}));
    nirasim::SetAnsiCodePage(0);
}

TEST_F(TextJobTest, AOneCellLinePrintsEachDoubleByteCharacterAlone)
{
    nirasim::SetAnsiCodePage(kShiftJis);
    DEVMODEW narrow = {};
    narrow.dmSize = sizeof(DEVMODEW);
    narrow.dmPaperSize = DMPAPER_USER;
    narrow.dmPaperWidth = 100;  // 10 mm: a single cell between the borders
    narrow.dmPaperLength = 2794;
    nirasim::PrintJobSpec job = Job(TEXT("TEXT"), "\x82\xa0\x82\xa1");
    const auto* bytes = reinterpret_cast<const BYTE*>(&narrow);
    job.devmode.assign(bytes, bytes + sizeof(narrow));
    EXPECT_TRUE(Host().Run(job).printed);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{0, 0, "\x82\xa0"}, {0, 1, "\x82\xa1"}}));
    nirasim::SetAnsiCodePage(0);
}

TEST_F(TextJobTest, CancelAbortsTheDocumentAndReportsSuccess)
{
    std::string text(2 * kChunk, 'c');
    nirasim::PrintJobRun run =
        Run(TEXT("TEXT"), text, WString(), {{2, JOB_CONTROL_PAUSE}, {2, JOB_CONTROL_CANCEL, true}});
    EXPECT_TRUE(run.printed);
    EXPECT_EQ(Count("CancelDC"), 1u);
    EXPECT_EQ(Count("AbortDoc"), 1u);
    EXPECT_EQ(Count("EndDoc"), 0u);
    EXPECT_EQ(nirasim::LiveGdiObjects(), 0);
}

TEST_F(TextJobTest, AFailedPageAbortsTheDocumentAndReleasesEverything)
{
    Machine().FailCalls("EndPage", ERROR_INVALID_HANDLE);
    nirasim::PrintJobRun run = Run(TEXT("TEXT"), "text");
    EXPECT_FALSE(run.printed);
    EXPECT_EQ(Count("AbortDoc"), 1u);
    EXPECT_EQ(nirasim::LiveGdiObjects(), 0);
}

TEST_F(TextJobTest, PagesBecomePictures)
{
    std::filesystem::path folder = std::filesystem::path(Machine().Root()) / "pictures";
    std::filesystem::create_directories(folder);
    nirasim::SetPagePictureFolder(folder.string());
    EXPECT_TRUE(Run(TEXT("TEXT"), "Hello\x0cWorld").printed);
    std::vector<std::string> pictures = nirasim::PagePictures();
    ASSERT_EQ(pictures.size(), 2u);
    nirasim::Picture page;
    ASSERT_TRUE(nirasim::ReadPicture(pictures[0], page));
    EXPECT_EQ(page.width, 850);  // letter at 100 pixels per inch
    EXPECT_EQ(page.height, 1100);
    // Dark text in the first line of the printable area (which starts an eighth of an inch in),
    // and nothing beyond it.
    int dark = 0;
    for (int y = 13; y < 35; ++y) {
        for (int x = 13; x < 80; ++x) {
            dark += (page.At(x, y) & 0xFF) < 0x80 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20);
    EXPECT_EQ(page.At(400, 600), 0xFFFFFFu);
    nirasim::SetPagePictureFolder(std::string());
}

}  // namespace
