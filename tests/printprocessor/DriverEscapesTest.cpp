// The private escapes of an EMF job on a printer DC whose driver has the sample render module.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/PrintJobs.h>

#include <cstring>
#include <string>
#include "support/WString.h"

#include "printprocessor/EmfJob.h"

namespace {

constexpr short kA4 = 9;
constexpr short kTray2 = 260;
constexpr DWORD kPhotoMedia = 257;

class DriverEscapesTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        m_devmode.dmSize = sizeof(DEVMODEW);
        m_devmode.dmPaperSize = kA4;
        m_devmode.dmDefaultSource = kTray2;
        m_devmode.dmMediaType = kPhotoMedia;
        WString printer = nirasim::Wide(kPrinter);
        m_dc = CreateDCW(TEXT(""), printer.c_str(), TEXT(""), &m_devmode);
        ASSERT_NE(m_dc, nullptr);
        m_job.jobId = 42;
        m_emf.printerDC = m_dc;
        nirasim::ClearGdiJournal();
    }

    void TearDown() override
    {
        DeleteDC(m_dc);
        nirasim::SetRenderModuleAnswers(true);
        ProcessorMachineTest::TearDown();
    }

    std::vector<nirasim::GdiCall> Escapes() const { return nirasim::GdiCallsNamed("ExtEscape"); }

    DEVMODEW m_devmode = {};
    HDC m_dc = nullptr;
    ProcessorJob m_job = {};
    CNiraEmfJob m_emf{&m_job, &m_devmode};
};

TEST_F(DriverEscapesTest, WithoutAnAnswerTheJobSettingsTakeTheirDefaults)
{
    nirasim::SetRenderModuleAnswers(false);
    std::memset(&m_emf.settings, 0x5A, sizeof(m_emf.settings));
    m_emf.blankBackPending = 1;
    m_emf.attributes.dwJobPageOrderFlags = BOOKLET_PRINT | REVERSE_PRINT;
    m_emf.attributes.dwDrvPageOrderFlags = REVERSE_PRINT;
    EXPECT_EQ(m_emf.SendDriverEscape(ESCAPE_GET_JOB_SETTINGS), 1);
    const JobSettingsRecord& s = m_emf.settings;
    EXPECT_EQ(s.outputMode, 1);
    EXPECT_EQ(s.scalePercent, 100);
    EXPECT_EQ(s.previewEnabled, 0);
    EXPECT_EQ(s.poster, 0);
    EXPECT_EQ(s.specialPages, 0);
    EXPECT_EQ(s.booklet, 1);  // job and driver differ in BOOKLET_PRINT
    EXPECT_EQ(s.paperSize, kA4);
    EXPECT_EQ(s.firstPageSource, kTray2);
    EXPECT_EQ(s.frontCoverMediaType, static_cast<LONG>(kPhotoMedia));
    EXPECT_EQ(s.manualDuplexSource, kTray2);
    EXPECT_EQ(s.marginMode, 1);
    EXPECT_EQ(s.manualDuplexOrderMode, 1);
    EXPECT_EQ(s.overlay.overlayColor, 0xC0C0C0);
    EXPECT_EQ(WString(s.overlay.overlayText2), TEXT(" [none]"));
    EXPECT_EQ(WString(s.overlay.overlayFont), TEXT("Courier"));
    for (LONG tile : s.posterTileSelected) {
        EXPECT_EQ(tile, 1);
    }
    EXPECT_EQ(s.overlayVariant, 0x5A5A5A5A);  // a field the defaults leave alone
    EXPECT_EQ(m_emf.blankBackPending, 0);

    m_emf.attributes.dwDrvPageOrderFlags = BOOKLET_PRINT;
    m_emf.SendDriverEscape(ESCAPE_GET_JOB_SETTINGS);
    EXPECT_EQ(m_emf.settings.booklet, 0);
}

TEST_F(DriverEscapesTest, DefaultsWithoutAJobDevmodeLeaveTheDevmodeFieldsAlone)
{
    nirasim::SetRenderModuleAnswers(false);
    CNiraEmfJob job(&m_job, nullptr);
    job.printerDC = m_dc;
    job.settings.paperSize = 77;
    job.SendDriverEscape(ESCAPE_GET_JOB_SETTINGS);
    EXPECT_EQ(job.settings.paperSize, 77);
    EXPECT_EQ(job.settings.scalePercent, 100);
}

TEST_F(DriverEscapesTest, TheDriverStateIsCopiedIntoTheSettingsAndTheColourToolSwitchedOff)
{
    EXPECT_EQ(m_emf.SendDriverEscape(ESCAPE_GET_DRIVER_STATE), 1);
    EXPECT_EQ(m_emf.driverState.colorToolEnabled, 0);  // the render module answered 1
    m_emf.settings.repeatMode = 3;
    nirasim::SetRenderModuleAnswers(false);
    m_emf.driverRepeatMode = 9;
    EXPECT_EQ(m_emf.SendDriverEscape(ESCAPE_GET_DRIVER_STATE), 1);
    EXPECT_EQ(m_emf.driverRepeatMode, 0);  // copied from the zero-filled state
    EXPECT_EQ(m_emf.settings.scalePercent, 100);
}

TEST_F(DriverEscapesTest, JobCountsAnnounceTheSheetsOfAllCopies)
{
    m_emf.SendDriverEscape(ESCAPE_GET_JOB_SETTINGS);
    m_emf.pageCount = 5;
    m_emf.pagesPerSide = 2;
    m_emf.copies = 3;
    m_emf.settings.specialPages = 1;
    m_emf.settings.frontCover = 1;
    EXPECT_EQ(m_emf.SendDriverEscape(ESCAPE_SET_JOB_COUNTS), 1);
    EXPECT_EQ(m_emf.jobCounts.sheetCopies, 9);  // (2 sheets + the cover) x 3
    EXPECT_EQ(m_emf.jobCounts.jobId, 42);
    EXPECT_EQ(m_emf.jobCounts.copies, 3);
    std::vector<nirasim::GdiCall> sent = Escapes();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].args[0], ESCAPE_SET_JOB_COUNTS);
    ASSERT_EQ(sent[1].bytes.size(), sizeof(JobCountsRecord));
    EXPECT_EQ(std::memcmp(sent[1].bytes.data(), &m_emf.jobCounts, sizeof(JobCountsRecord)), 0);
}

TEST_F(DriverEscapesTest, NothingIsSentForAJobWithoutPagesOrForAnUnknownCode)
{
    m_emf.pageCount = 0;
    EXPECT_EQ(m_emf.SendDriverEscape(ESCAPE_SET_JOB_COUNTS), 0);
    EXPECT_EQ(m_emf.SendDriverEscape(3886), 0);
    EXPECT_EQ(m_emf.SendDriverEscape(0), 0);
    EXPECT_TRUE(Escapes().empty());
}

TEST_F(DriverEscapesTest, EscapesReportTheRenderModulesAnswer)
{
    struct Case {
        int code;
        int answered;
        int silent;
    };
    const Case cases[] = {
        {ESCAPE_GET_PAGE_SETTINGS, 1, 0},
        {ESCAPE_SET_PAGE_PLACEMENT, 1, 0},
        {ESCAPE_OVERLAY_BEGIN, 0, 0},
        {ESCAPE_OVERLAY_NONE, 0, 0},
    };
    for (const Case& c : cases) {
        nirasim::SetRenderModuleAnswers(true);
        EXPECT_EQ(m_emf.SendDriverEscape(c.code), c.answered) << c.code;
        nirasim::SetRenderModuleAnswers(false);
        EXPECT_EQ(m_emf.SendDriverEscape(c.code), c.silent) << c.code;
    }
    EXPECT_EQ(Escapes().size(), 8u);
}

}  // namespace
