// The preview hand-off: the preview sheets counted, the block filled, the page bitmaps' sizes read
// and the two roads to the user (the preview library in the spooler, the print-UI host).
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/AsyncUI.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/AsyncUIRequest.h"
#include "printprocessor/PreviewHandOff.h"

namespace {

class PreviewHandOffTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        m_devmode.dmSize = sizeof(DEVMODEW);
        m_devmode.dmCopies = 2;
        m_devmode.dmCollate = DMCOLLATE_TRUE;
        m_devmode.dmColor = DMCOLOR_COLOR;
        m_processorJob.jobId = 7;
        m_processorJob.openDataPrinterName = m_printerName.data();
        m_processorJob.documentName = m_documentName.data();
    }

    CNiraEmfJob Job() { return CNiraEmfJob(&m_processorJob, &m_devmode); }

    // A page bitmap's two headers as the render module writes them (pixels left out).
    void WriteBitmap(LONG sheet, LONG width, LONG height, const char* type = "BM", DWORD infoSize = 40)
    {
        std::string bytes(14 + 40, '\0');
        std::memcpy(&bytes[0], type, 2);
        std::memcpy(&bytes[14], &infoSize, 4);
        std::memcpy(&bytes[18], &width, 4);
        std::memcpy(&bytes[22], &height, 4);
        ASSERT_TRUE(Machine().WriteFile(BitmapPath(sheet), bytes));
    }
    static WString BitmapPath(LONG sheet)
    {
        WCHAR folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        std::string name =
            "[j0007]-[p" + std::string(sheet < 10 ? "0" : "") + std::to_string(sheet) + "].bmp";
        return WString(folder) + nirasim::Wide(name);
    }
    // A list of `count` records numbered by their paper size.
    static PreviewPageRecord* Records(LONG count)
    {
        PreviewPageRecord* first = nullptr;
        for (LONG i = count; i > 0; --i) {
            auto* record = static_cast<PreviewPageRecord*>(LocalAlloc(LPTR, sizeof(PreviewPageRecord)));
            record->paperSize = i;
            record->next = first;
            first = record;
        }
        return first;
    }

    DEVMODEW m_devmode = {};
    ProcessorJob m_processorJob = {};
    WString m_printerName = nirasim::Wide(kPrinter);
    WString m_documentName = TEXT("Report");
};

}  // namespace

TEST_F(PreviewHandOffTest, PreviewSheetsOfEachKindOfJob)
{
    struct Case {
        LONG pages, nup, booklet, poster, posterSize;
        std::vector<LONG> chosenTiles;
        LONG records;
    } cases[] = {
        {9, 1, 1, 0, 0, {}, 6},         // booklet: two sides per four pages
        {1, 2, 1, 0, 0, {}, 1},         // a one-page booklet is a plain sheet
        {3, 1, 0, 1, 0, {0, 1, 2}, 9},  // 2 x 2 poster, three tiles chosen
        {3, 1, 0, 1, 0, {0, 1, 5}, 6},  // tile 5 lies outside a 2 x 2 poster
        {2, 1, 0, 1, 1, {0, 8}, 4},     // 3 x 3 poster
        {9, 4, 0, 0, 0, {}, 3},        {8, 4, 0, 0, 0, {}, 2},
    };
    for (const Case& c : cases) {
        CNiraEmfJob job = Job();
        job.pageCount = c.pages;
        job.nupPages = c.nup;
        job.settings.booklet = c.booklet;
        job.settings.poster = c.poster;
        job.settings.posterSize = c.posterSize;
        for (LONG tile : c.chosenTiles) {
            job.settings.posterTileSelected[tile] = 1;
        }
        EXPECT_EQ(CountPreviewRecords(job), c.records) << c.pages << " pages, " << c.nup << "-up";
    }
}

TEST_F(PreviewHandOffTest, TheBlockDescribesTheJob)
{
    struct Case {
        short dmDuplex;
        LONG bindShortEdge;
        LONG duplex, flipShort, flipLong;
    } cases[] = {
        {0, 0, DMDUP_SIMPLEX, 0, 0},
        {DMDUP_VERTICAL, 1, DMDUP_HORIZONTAL, 1, 0},
        {DMDUP_HORIZONTAL, 0, DMDUP_VERTICAL, 0, 1},
        {DMDUP_VERTICAL, 0, DMDUP_VERTICAL, 0, 1},
    };
    for (const Case& c : cases) {
        m_devmode.dmDuplex = c.dmDuplex;
        CNiraEmfJob job = Job();
        job.pageCount = 5;
        job.nupPages = 2;
        job.settings.bindShortEdge = c.bindShortEdge;
        job.settings.posterSize = 2;
        PreviewJobBlock block = {};
        FillPreviewBlock(job, block);
        EXPECT_EQ(block.duplex, c.duplex);
        EXPECT_EQ(block.flipShortEdge, c.flipShort);
        EXPECT_EQ(block.flipLongEdge, c.flipLong);
        EXPECT_EQ(m_devmode.dmDuplex, c.dmDuplex == 0 ? DMDUP_SIMPLEX : c.dmDuplex);
        EXPECT_EQ(block.jobId, 7u);
        EXPECT_EQ(WString(block.printerName), m_printerName);
        EXPECT_EQ(WString(block.documentName), TEXT("Report"));
        EXPECT_EQ(block.recordCount, 3);
        EXPECT_EQ(block.copies, 2);
        EXPECT_EQ(block.collate, DMCOLLATE_TRUE);
        EXPECT_EQ(block.color, DMCOLOR_COLOR);
        EXPECT_EQ(block.pagesPerSheet, 2);
        EXPECT_EQ(block.posterTilesPerSide, 4);
        EXPECT_EQ(block.posterTileCount, 16);
        EXPECT_EQ(block.layoutKind, 0);
    }
    EXPECT_EQ(PosterTilesPerSide(3), 5);
    EXPECT_EQ(PosterTilesPerSide(7), 2);

    // Texts longer than their fields are cut, never run past them.
    m_documentName.assign(300, TEXT('d'));
    m_processorJob.documentName = m_documentName.data();
    CNiraEmfJob job = Job();
    for (WCHAR& c : job.driverState.colorToolArgument) {
        c = TEXT('a');
    }
    PreviewJobBlock block = {};
    FillPreviewBlock(job, block);
    EXPECT_EQ(WString(block.documentName), WString(255, TEXT('d')));
    EXPECT_EQ(WString(block.colorToolArgument), WString(255, TEXT('a')));
}

TEST_F(PreviewHandOffTest, BitmapSizesComeFromTheFilesHeaders)
{
    WriteBitmap(1, 850, -1100);
    WriteBitmap(2, 600, 400, "BX");
    WriteBitmap(3, 600, 400, "BM", 12);
    ASSERT_TRUE(Machine().WriteFile(BitmapPath(4), "BM\x10"));
    FLOAT width = 0;
    FLOAT height = 0;
    ReadBitmapSize(7, 1, &width, &height);
    EXPECT_EQ(width, 850.0f);
    EXPECT_EQ(height, 1100.0f);  // a top-down bitmap's height is positive
    for (LONG sheet : {2, 3, 4, 5}) {
        ReadBitmapSize(7, sheet, &width, &height);
        EXPECT_EQ(width, 850.0f) << sheet;  // unchanged: not a bitmap, truncated or missing
        EXPECT_EQ(height, 1100.0f) << sheet;
    }
}

TEST_F(PreviewHandOffTest, TheRequestCarriesTheBlockAndTheRecords)
{
    CNiraEmfJob job = Job();
    struct Case {
        nirasim::asyncui::HostReply reply;
        bool print;
    } cases[] = {
        {nirasim::asyncui::CustomDataReply("OK"), true},
        {nirasim::asyncui::CustomDataReply("Cancel"), false},
    };
    for (const Case& c : cases) {
        nirasim::asyncui::ScriptReplies({c.reply});
        PreviewJobBlock block = {};
        block.jobId = 7;
        block.recordCount = 3;
        block.pageRecords = Records(3);
        EXPECT_EQ(SendPreviewRequest(job, block), c.print);
        nirasim::asyncui::WaitForHost();
        FreePreviewPageRecords(block.pageRecords);
    }
    auto requests = nirasim::asyncui::Requests();
    ASSERT_EQ(requests.size(), 2u);
    const nirasim::asyncui::Request& request = requests[0];
    EXPECT_EQ(request.entryPoint, nirasim::Wide("EvtDlgAsyncUIEntryPointPrintPreview"));
    // The block starts right after the text's terminator, at byte 548; the records at 3516.
    EXPECT_EQ((request.text.size() + 1) * sizeof(WCHAR), 548u);
    EXPECT_EQ(request.size, 3536u + 3 * 56);
    ASSERT_EQ(request.afterText.size(), 2968u + 3 * 56 + 20);
    PreviewJobBlock sent;
    std::memcpy(&sent, request.afterText.data(), sizeof(sent));
    EXPECT_EQ(sent.jobId, 7u);
    EXPECT_EQ(sent.recordCount, 3);
    std::vector<PreviewPageRecord> records(3);
    std::memcpy(records.data(), request.afterText.data() + 2968, 3 * 56);
    for (LONG i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].paperSize, i + 1);
        EXPECT_EQ(records[i].next == nullptr, i == 2);
    }
    EXPECT_EQ(std::vector<BYTE>(request.afterText.end() - 20, request.afterText.end()),
              std::vector<BYTE>(20, 0));
}

TEST_F(PreviewHandOffTest, AtMost8000SheetsTravel)
{
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply("OK")});
    CNiraEmfJob job = Job();
    PreviewJobBlock block = {};
    block.recordCount = 10000;
    block.pageRecords = Records(10000);
    EXPECT_TRUE(SendPreviewRequest(job, block));
    nirasim::asyncui::WaitForHost();
    FreePreviewPageRecords(block.pageRecords);
    EXPECT_EQ(block.recordCount, 8000);
    auto requests = nirasim::asyncui::Requests();
    ASSERT_EQ(requests.size(), 1u);
    ASSERT_EQ(requests[0].afterText.size(), 2968u + 8000 * 56 + 20);
    PreviewPageRecord last;
    std::memcpy(&last, requests[0].afterText.data() + 2968 + 7999 * 56, sizeof(last));
    EXPECT_EQ(last.paperSize, 8000);
    EXPECT_EQ(last.next, nullptr);
}

TEST_F(PreviewHandOffTest, WithoutThePrintersInfoTheJobPrintsUnasked)
{
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply("Cancel")});
    Machine().FailCalls("GetPrinterW", ERROR_NOT_ENOUGH_MEMORY);
    CNiraEmfJob job = Job();
    PreviewJobBlock block = {};
    block.recordCount = 1;
    EXPECT_TRUE(SendPreviewRequest(job, block));
    EXPECT_TRUE(nirasim::asyncui::Requests().empty());
}

TEST_F(PreviewHandOffTest, InProcessThePreviewLibraryAnswers)
{
    WString library = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niraprev.dll");
    PreviewJobBlock block = {};
    block.jobId = 7;
    block.recordCount = 2;
    std::memcpy(block.printerName, m_printerName.c_str(), (m_printerName.size() + 1) * sizeof(WCHAR));

    ASSERT_TRUE(Machine().CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/niratestpreview.dll", library));
    ASSERT_TRUE(Machine().WriteFile("C:\\preview-answer", "1"));
    EXPECT_TRUE(ShowPreviewInProcess(block));
    std::string given;
    ASSERT_TRUE(Machine().ReadFile("C:\\preview-block.bin", given));
    ASSERT_EQ(given.size(), sizeof(PreviewJobBlock));
    PreviewJobBlock seen;
    std::memcpy(&seen, given.data(), sizeof(seen));
    EXPECT_EQ(seen.recordCount, 2);

    ASSERT_TRUE(Machine().WriteFile("C:\\preview-answer", "0"));
    EXPECT_FALSE(ShowPreviewInProcess(block));

    // A library without the export, and a printer that cannot be opened, end the job.
    ASSERT_TRUE(Machine().CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simfixture.dll", library));
    EXPECT_FALSE(ShowPreviewInProcess(block));
    PreviewJobBlock unknown = block;
    std::memcpy(unknown.printerName, TEXT("Nobody"), 7 * sizeof(WCHAR));
    EXPECT_FALSE(ShowPreviewInProcess(unknown));
}
