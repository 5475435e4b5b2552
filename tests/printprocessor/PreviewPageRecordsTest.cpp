// The preview sheets' records built from a spool file: one per sheet, each with its page's paper
// and the size of the sheet's bitmap, turned for sheets of two pages across.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Emf.h>

#include <winppi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "printprocessor/PreviewHandOff.h"

namespace {

constexpr short kQuality = 100;
constexpr DWORD kJobId = 12;
// Letter and A4 at 100 dpi, with the simulated printer's border of an eighth of an inch.
constexpr FLOAT kLetterWidth = 850;
constexpr FLOAT kLetterHeight = 1100;
constexpr FLOAT kA4Width = 827;
constexpr FLOAT kA4Height = 1169;
constexpr FLOAT kBorder = 12;

struct Sheet {
    INT paperSize;
    FLOAT sheetWidth, sheetHeight, bitmapWidth, bitmapHeight;
    INT orientation;
};

bool operator==(const Sheet& a, const Sheet& b)
{
    return a.paperSize == b.paperSize && a.sheetWidth == b.sheetWidth && a.sheetHeight == b.sheetHeight &&
           a.bitmapWidth == b.bitmapWidth && a.bitmapHeight == b.bitmapHeight &&
           a.orientation == b.orientation;
}

std::ostream& operator<<(std::ostream& out, const Sheet& s)
{
    return out << "paper " << s.paperSize << " sheet " << s.sheetWidth << "x" << s.sheetHeight << " bitmap "
               << s.bitmapWidth << "x" << s.bitmapHeight << " orientation " << s.orientation;
}

class PreviewPageRecordsTest : public ProcessorMachineTest {
protected:
    void TearDown() override
    {
        if (m_spool != nullptr) {
            GdiEndDocEMF(m_spool);
            GdiDeleteSpoolFileHandle(m_spool);
        }
        ProcessorMachineTest::TearDown();
    }

    // A spool file whose pages carry the paper sizes given, all in one orientation.
    void Open(const std::vector<short>& papers, short orientation = DMORIENT_PORTRAIT)
    {
        std::vector<nirasim::SpoolPage> spooled;
        for (short paper : papers) {
            DEVMODEW page = {};
            page.dmSize = sizeof(DEVMODEW);
            page.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
            page.dmOrientation = orientation;
            page.dmPaperSize = paper;
            page.dmCopies = 1;
            page.dmPrintQuality = kQuality;
            page.dmYResolution = kQuality;
            const auto* bytes = reinterpret_cast<const BYTE*>(&page);
            spooled.push_back(
                {std::vector<BYTE>(bytes, bytes + sizeof(page)), nirasim::EmfRecorder(100, 100).Finish()});
            if (spooled.size() == 1) {
                m_devmode = page;
            }
        }
        WString printer = nirasim::Wide(kPrinter);
        DWORD id = nirasim::SpoolEmfJob(printer, nirasim::EmfSpoolFile(printer, spooled));
        m_document = printer + nirasim::Wide(", Job " + std::to_string(id));
        m_printerName = printer;
        m_spool = GdiGetSpoolFileHandle(&m_printerName[0], &m_devmode, &m_document[0]);
        ASSERT_NE(m_spool, nullptr);
        m_job.spoolHandle = m_spool;
        m_job.printerDC = GdiGetDC(m_spool);
        ASSERT_NE(m_job.printerDC, nullptr);
        m_job.pageCount = static_cast<int>(papers.size());
    }

    // The bitmap of a preview sheet as the render module writes it (headers only).
    void WriteBitmap(LONG sheet, LONG width, LONG height)
    {
        WCHAR folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        char name[32];
        std::snprintf(name, sizeof(name), "[j%04lu]-[p%02ld].bmp", static_cast<unsigned long>(kJobId),
                      static_cast<long>(sheet));
        std::string bytes(14 + 40, '\0');
        DWORD infoSize = 40;
        std::memcpy(&bytes[0], "BM", 2);
        std::memcpy(&bytes[14], &infoSize, 4);
        std::memcpy(&bytes[18], &width, 4);
        std::memcpy(&bytes[22], &height, 4);
        ASSERT_TRUE(Machine().WriteFile(WString(folder) + nirasim::Wide(name), bytes));
    }

    std::vector<Sheet> Build()
    {
        PreviewJobBlock block = {};
        block.jobId = kJobId;
        BuildPreviewPageRecords(m_job, block);
        std::vector<Sheet> sheets;
        for (PreviewPageRecord* r = block.pageRecords; r != nullptr; r = r->next) {
            sheets.push_back({r->paperSize, r->sheetWidth, r->sheetHeight, r->bitmapWidth, r->bitmapHeight,
                              r->orientation});
            EXPECT_EQ(r->offsetX, kBorder);
            EXPECT_EQ(r->offsetY, kBorder);
        }
        FreePreviewPageRecords(block.pageRecords);
        return sheets;
    }

    DEVMODEW m_devmode = {};
    ProcessorJob m_processorJob = {};
    CNiraEmfJob m_job{&m_processorJob, &m_devmode};
    HANDLE m_spool = nullptr;
    WString m_printerName;
    WString m_document;
};

}  // namespace

TEST_F(PreviewPageRecordsTest, APosterPageGivesOneSheetPerChosenTile)
{
    // Three pages, tiles 1, 2 and 4 of a 2 x 2 poster: nine sheets, each with its own bitmap
    // (the fifth is missing and repeats the fourth's size) and its page's paper.
    Open({DMPAPER_LETTER, DMPAPER_A4, DMPAPER_LETTER});
    m_job.settings.poster = 1;
    for (int tile : {0, 1, 3}) {
        m_job.settings.posterTileSelected[tile] = 1;
    }
    for (LONG sheet = 1; sheet <= 9; ++sheet) {
        if (sheet != 5) {
            WriteBitmap(sheet, 100 + sheet, 200 + sheet);
        }
    }
    std::vector<Sheet> expected;
    for (LONG sheet = 1; sheet <= 9; ++sheet) {
        bool a4 = sheet > 3 && sheet <= 6;
        LONG bitmap = sheet == 5 ? 4 : sheet;
        expected.push_back({a4 ? DMPAPER_A4 : DMPAPER_LETTER, a4 ? kA4Width : kLetterWidth,
                            a4 ? kA4Height : kLetterHeight, 100.0f + bitmap, 200.0f + bitmap,
                            DMORIENT_PORTRAIT});
    }
    EXPECT_EQ(CountPreviewRecords(m_job), 9);
    EXPECT_EQ(Build(), expected);
}

TEST_F(PreviewPageRecordsTest, SheetsOfTwoPagesAcrossAreTurned)
{
    struct Case {
        short orientation;
        LONG nup, driverScales;
        Sheet first;
    } cases[] = {
        {DMORIENT_PORTRAIT, 2, 0, {DMPAPER_LETTER, kLetterHeight, kLetterWidth, 60, 40, DMORIENT_LANDSCAPE}},
        {DMORIENT_LANDSCAPE, 6, 0, {DMPAPER_LETTER, kLetterWidth, kLetterHeight, 60, 40, DMORIENT_PORTRAIT}},
        {DMORIENT_PORTRAIT, 2, 1, {DMPAPER_LETTER, kLetterWidth, kLetterHeight, 40, 60, DMORIENT_PORTRAIT}},
        {DMORIENT_PORTRAIT, 4, 0, {DMPAPER_LETTER, kLetterWidth, kLetterHeight, 40, 60, DMORIENT_PORTRAIT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nup) + "-up, orientation " + std::to_string(c.orientation));
        Open({DMPAPER_LETTER, DMPAPER_LETTER, DMPAPER_LETTER}, c.orientation);
        WriteBitmap(1, 40, -60);
        m_job.nupPages = c.nup;
        m_job.settings.driverScales = c.driverScales;
        std::vector<Sheet> sheets = Build();
        ASSERT_EQ(sheets.size(), c.nup == 2 ? 2u : 1u);
        EXPECT_EQ(sheets[0], c.first);
        GdiEndDocEMF(m_spool);
        GdiDeleteSpoolFileHandle(m_spool);
        m_spool = nullptr;
    }
}

TEST_F(PreviewPageRecordsTest, BookletSheetsAndMissingPages)
{
    // A nine-page booklet: six sides, each described by the page of its own number; the first
    // sheet without a bitmap has no size yet.
    Open(std::vector<short>(9, DMPAPER_LETTER));
    m_job.settings.booklet = 1;
    m_job.nupPages = 2;
    m_job.settings.driverScales = 1;
    WriteBitmap(3, 70, 90);
    std::vector<Sheet> sheets = Build();
    ASSERT_EQ(sheets.size(), 6u);
    EXPECT_EQ(sheets[0].bitmapWidth, 0.0f);
    EXPECT_EQ(sheets[1].bitmapHeight, 0.0f);
    EXPECT_EQ(sheets[5].bitmapWidth, 70.0f);
    EXPECT_EQ(sheets[5].bitmapHeight, 90.0f);
    GdiEndDocEMF(m_spool);
    GdiDeleteSpoolFileHandle(m_spool);
    m_spool = nullptr;

    // Pages the spool file does not hold end the list; the sheets made so far stay.
    Open({DMPAPER_LETTER, DMPAPER_A4});
    m_job.pageCount = 4;
    std::vector<Sheet> kept = Build();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].paperSize, DMPAPER_A4);
}
