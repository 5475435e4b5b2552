// A job with a preview: the preview pass renders every sheet into a bitmap, the user sees them
// through the preview library (Windows 5.x) or the print-UI host (Windows 6), and the printing
// pass runs only when the user chose to print.
#include "printprocessor/EmfJobFixture.h"

#include <nirasim/AsyncUI.h>

#include "common/PreviewRecords.h"

namespace {

class PreviewJobTest : public EmfJobTest {
protected:
    void SetUp() override
    {
        EmfJobTest::SetUp();
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\NiraSample\\RenderModule"), 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        DWORD on = 1;
        RegSetValueExW(key, TEXT("PreviewEnabled"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on),
                       sizeof(on));
        RegCloseKey(key);
    }

    static WString PageBitmap(DWORD jobId, int sheet)
    {
        WCHAR folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        char name[32];
        std::snprintf(name, sizeof(name), "[j%04u]-[p%02d].bmp", static_cast<unsigned>(jobId), sheet);
        return WString(folder) + nirasim::Wide(name);
    }

    // The block and records of the last request the print-UI host received.
    static PreviewJobBlock SentBlock(std::vector<PreviewPageRecord>& records)
    {
        auto requests = nirasim::asyncui::Requests();
        PreviewJobBlock block = {};
        if (!requests.empty() && requests.back().afterText.size() >= sizeof(block) + 20) {
            const std::vector<BYTE>& sent = requests.back().afterText;
            std::memcpy(&block, sent.data(), sizeof(block));
            size_t count = (sent.size() - sizeof(block) - 20) / sizeof(PreviewPageRecord);
            records.resize(count);
            std::memcpy(records.data(), sent.data() + sizeof(block), count * sizeof(PreviewPageRecord));
        }
        return block;
    }
};

}  // namespace

TEST_F(PreviewJobTest, OnWindows6TheUserChoosesThroughThePrintUIHost)
{
    Machine().SetWindowsVersion(6, 0);
    struct Case {
        const char* reply;
        bool printed;
        size_t sides;
    } cases[] = {{"OK", true, 6}, {"Cancel", false, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        nirasim::ClearPlacementJournal();
        nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply(c.reply)});
        nirasim::PrintJobRun run = RunEmf(3, Devmode());
        nirasim::asyncui::WaitForHost();
        EXPECT_EQ(run.printed != FALSE, c.printed) << run.printError;
        // The preview pass's three sheets, then the printing pass's.
        EXPECT_EQ(nirasim::PlacementJournal().size(), c.sides);
        std::vector<PreviewPageRecord> records;
        PreviewJobBlock block = SentBlock(records);
        EXPECT_EQ(block.jobId, run.spooledJobId);
        EXPECT_EQ(block.recordCount, 3);
        ASSERT_EQ(records.size(), 3u);
        // Each sheet's bitmap, as the render module kept it, gives the record its size.
        for (int sheet = 1; sheet <= 3; ++sheet) {
            EXPECT_TRUE(Machine().FileExists(PageBitmap(run.spooledJobId, sheet))) << sheet;
            EXPECT_EQ(records[sheet - 1].bitmapWidth, 850.0f);
            EXPECT_EQ(records[sheet - 1].bitmapHeight, 1100.0f);
            EXPECT_EQ(records[sheet - 1].orientation, DMORIENT_PORTRAIT);
        }
        EXPECT_EQ(records[2].next, nullptr);
    }
    // A channel closed without a reply lets nothing print, and nothing waits for it.
    nirasim::asyncui::ScriptReplies({{nirasim::asyncui::HostAnswer::CloseWithoutData, {}}});
    EXPECT_FALSE(RunEmf(1, Devmode()).printed);
    EXPECT_EQ(nirasim::asyncui::Requests().size(), 3u);
}

TEST_F(PreviewJobTest, OnWindows5ThePreviewLibraryAnswersInsideTheSpooler)
{
    Machine().SetWindowsVersion(5, 1);
    WString library = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niraprev.dll");
    ASSERT_TRUE(Machine().CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/niratestpreview.dll", library));
    for (const char* answer : {"1", "0"}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(Machine().WriteFile("C:\\preview-answer", answer));
        nirasim::PrintJobRun run = RunEmf(2, Devmode());
        EXPECT_EQ(run.printed != FALSE, answer[0] == '1');
        std::string given;
        ASSERT_TRUE(Machine().ReadFile("C:\\preview-block.bin", given));
        PreviewJobBlock block = {};
        std::memcpy(&block, given.data(), std::min(given.size(), sizeof(block)));
        EXPECT_EQ(block.recordCount, 2);
        EXPECT_EQ(WString(block.documentName).empty(), false);
    }
    EXPECT_TRUE(nirasim::asyncui::Requests().empty());
}

TEST_F(PreviewJobTest, WithoutThePreviewLibraryNothingPrintsOnWindows5)
{
    Machine().SetWindowsVersion(5, 1);
    WString library = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niraprev.dll");
    ASSERT_TRUE(Machine().CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simfixture.dll", library));
    nirasim::PrintJobRun run = RunEmf(2, Devmode());
    EXPECT_FALSE(run.printed);
    EXPECT_EQ(nirasim::PlacementJournal().size(), 2u);  // the preview pass only
}

TEST_F(PreviewJobTest, PostersAndBookletsGiveOneRecordPerPrintedSheet)
{
    Machine().SetWindowsVersion(6, 0);
    struct Case {
        const char* name;
        int pages;
        bool poster;
        LONG records;
    } cases[] = {{"poster, three tiles of four", 3, true, 9}, {"booklet of nine pages", 9, false, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(TEXT("Poster"), c.poster ? 1 : 0);
        Choose(TEXT("PosterTiles"), 0x7);
        Choose(TEXT("Booklet"), c.poster ? 0 : 1);
        DEVMODEW devmode = Devmode();
        devmode.dmDuplex = c.poster ? DMDUP_SIMPLEX : DMDUP_VERTICAL;
        nirasim::ClearPlacementJournal();
        nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply("OK")});
        nirasim::PrintJobRun run = RunEmf(c.pages, devmode);
        nirasim::asyncui::WaitForHost();
        ASSERT_TRUE(run.printed) << run.printError;
        std::vector<PreviewPageRecord> records;
        PreviewJobBlock block = SentBlock(records);
        EXPECT_EQ(block.recordCount, c.records);
        EXPECT_EQ(records.size(), static_cast<size_t>(c.records));
        // The preview pass's sheets, then as many printed ones.
        EXPECT_EQ(nirasim::PlacementJournal().size(), static_cast<size_t>(2 * c.records));
    }
}
