// The plug-in's document events over the sample package, as GDI sends them through the simulated
// core driver: the filter, the DEVMODE repaired and handed out at create-DC and reset-DC, and freed
// again at the post events.
#include "CoreDriverFixture.h"

#include <nirasim/Runtime.h>
#include <winddiui.h>

#include <string.h>

#include <algorithm>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "support/PublicOnlyDevMode.h"

namespace {

const std::vector<DWORD> kFilter = {13, 5, 1, 2, 3, 4, 6, 7};

DEVMODEW* Public(std::vector<BYTE>& devMode)
{
    return reinterpret_cast<DEVMODEW*>(devMode.data());
}

PrivateDevMode* SectionOf(std::vector<BYTE>& devMode)
{
    PrivateDevMode* section = nullptr;
    return FindPrivateDevMode(Public(devMode), &section) ? section : nullptr;
}

class DocumentEventTest : public CoreDriverTest {
protected:
    // The printer as the spooler leaves it after adding it: its default settings stored.
    void SetUp() override
    {
        CoreDriverTest::SetUp();
        ASSERT_TRUE(machine.InitializePrinter(kPrinter));
    }

    nirasim::PrintJobTrace Print(const std::vector<BYTE>& devMode, nirasim::PrintJobOptions options = {})
    {
        const size_t globalBlocks = nirasim::LiveGlobalBlocks();
        nirasim::PrintJobTrace trace = Core().RunPrintJob(devMode, options);
        EXPECT_EQ(nirasim::LiveGlobalBlocks(), globalBlocks);  // every DEVMODE handed out was freed
        return trace;
    }

    const nirasim::DocumentEventCall* Call(const nirasim::PrintJobTrace& trace, INT escape)
    {
        for (const nirasim::DocumentEventCall& call : trace.calls) {
            if (call.escape == escape) {
                return &call;
            }
        }
        return nullptr;
    }

    bool Traced(const char16_t* text)
    {
        for (const std::u16string& line : machine.DebugOutput()) {
            if (line.find(text) != std::u16string::npos) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(DocumentEventTest, FilterAnswersTheEightEventsInOrderOnEveryVersion)
{
    for (DWORD minor : {1u, 0u}) {
        machine.SetWindowsVersion(minor == 1 ? 5 : 6, minor);
        core.reset();
        nirasim::PrintJobTrace trace = Print({});
        ASSERT_EQ(trace.filters.size(), 1u);
        EXPECT_EQ(trace.filters[0].events, kFilter);
        EXPECT_EQ(trace.filters[0].needed, 8u);
        EXPECT_EQ(trace.filters[0].returned, 8u);
        EXPECT_EQ(trace.filters[0].result, DOCUMENTEVENT_SUCCESS);
        // Only the events of the filter reach the plug-in.
        for (const nirasim::DocumentEventCall& call : trace.calls) {
            EXPECT_NE(std::find(kFilter.begin(), kFilter.end(), static_cast<DWORD>(call.escape)),
                      kFilter.end());
        }
    }
}

TEST_F(DocumentEventTest, FilterWithLessRoomWritesWhatFitsAndIsAskedAgain)
{
    nirasim::PrintJobOptions options;
    options.filterRoom = 4;
    nirasim::PrintJobTrace trace = Print({}, options);
    ASSERT_EQ(trace.filters.size(), 2u);
    EXPECT_EQ(trace.filters[0].events, (std::vector<DWORD>{13, 5, 1, 2}));
    EXPECT_EQ(trace.filters[0].returned, 4u);
    EXPECT_EQ(trace.filters[0].needed, 8u);
    EXPECT_EQ(trace.filters[1].events, kFilter);

    // A filter whose buffer is shorter than the room it claims gets what the buffer holds.
    DWORD buffer[6] = {sizeof(buffer), 8, 0, 0, 0xEE, 0xEE};
    INT result = 0;
    EXPECT_EQ(Core().Plugin()->DocumentEvent(Core().Printer(), nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr,
                                             sizeof(buffer) - sizeof(DWORD), buffer, &result),
              S_OK);
    EXPECT_EQ(buffer[3], 1u);
    EXPECT_EQ(buffer[4], 13u);
    EXPECT_EQ(buffer[5], 0xEEu);
}

TEST_F(DocumentEventTest, DefaultDevModeIsHandedOutAtBothPreEventsAndFreedAtTheirPostEvents)
{
    std::vector<BYTE> defaults = Core().DefaultDevMode().devMode;
    nirasim::PrintJobTrace trace = Print(defaults);
    for (INT escape : {DOCUMENTEVENT_CREATEDCPRE, DOCUMENTEVENT_RESETDCPRE}) {
        const nirasim::DocumentEventCall* call = Call(trace, escape);
        ASSERT_NE(call, nullptr);
        EXPECT_TRUE(call->handedOut) << escape;
        EXPECT_EQ(call->result, DOCUMENTEVENT_SUCCESS) << escape;
        EXPECT_EQ(call->answer, S_OK) << escape;
    }
    EXPECT_EQ(Call(trace, DOCUMENTEVENT_CREATEDCPOST)->result, DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(Call(trace, DOCUMENTEVENT_RESETDCPOST)->result, DOCUMENTEVENT_SUCCESS);
    ASSERT_EQ(trace.createDCDevMode.size(), defaults.size());
    EXPECT_TRUE(HasValidPrivateDevMode(Public(trace.createDCDevMode)));
    EXPECT_EQ(Public(trace.createDCDevMode)->dmDuplex, Public(defaults)->dmDuplex);
}

TEST_F(DocumentEventTest, JobWithoutSectionTakesTheDefaultWithItsPublicPart)
{
    const std::vector<BYTE> defaults = Core().DefaultDevMode().devMode;
    machine.ClearJournals();
    nirasim::PrintJobTrace trace = Print(PublicOnlyDevMode(DMPAPER_A4, DMORIENT_LANDSCAPE));
    ASSERT_EQ(trace.createDCDevMode.size(), defaults.size());
    DEVMODEW* handedOut = Public(trace.createDCDevMode);
    EXPECT_EQ(handedOut->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(handedOut->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(handedOut->dmDriverExtra, Public(const_cast<std::vector<BYTE>&>(defaults))->dmDriverExtra);
    EXPECT_TRUE(HasValidPrivateDevMode(handedOut));
    EXPECT_TRUE(Traced(TEXT("Continuing Doc-Event Processing!!")));
    EXPECT_TRUE(Traced(TEXT("DocEvent Start")));
    // The orientation also went to the core driver's own option of the handed-out DEVMODE.
    bool orientationSet = false;
    for (const nirasim::SetOptionsCall& call : Core().SetOptionsCalls()) {
        orientationSet |= call.onDevMode && call.pairs.size() == 1 && call.pairs[0].first == "Orientation" &&
                          call.pairs[0].second == "LANDSCAPE_CC90";
    }
    EXPECT_TRUE(orientationSet);

    // Another spec version does not lend its public part: the plain default is handed out.
    trace = Print(PublicOnlyDevMode(DMPAPER_A4, DMORIENT_LANDSCAPE, 0x0400));
    ASSERT_EQ(trace.createDCDevMode.size(), defaults.size());
    EXPECT_EQ(Public(trace.createDCDevMode)->dmPaperSize,
              Public(const_cast<std::vector<BYTE>&>(defaults))->dmPaperSize);
}

TEST_F(DocumentEventTest, ChangedPublicFieldsReachTheSettingsAndTheSection)
{
    // A DEVMODE of the driver whose public paper no longer matches its section.
    std::vector<BYTE> job = Core().DefaultDevMode().devMode;
    Public(job)->dmPaperSize = DMPAPER_A4;
    nirasim::PrintJobTrace trace = Print(job);
    ASSERT_FALSE(trace.createDCDevMode.empty());
    EXPECT_EQ(Public(trace.createDCDevMode)->dmPaperSize, DMPAPER_A4);
    // Handed out once more, the repaired DEVMODE agrees with its section: its section is packed
    // again and no handler sees the event.
    machine.ClearJournals();
    const std::vector<BYTE> repaired = trace.createDCDevMode;
    trace = Print(repaired);
    EXPECT_TRUE(Traced(TEXT("Skipping Doc-Event Processing!")));
    EXPECT_FALSE(Traced(TEXT("Continuing Doc-Event Processing")));
    EXPECT_FALSE(Traced(TEXT("DocEvent Start")));
    EXPECT_EQ(trace.createDCDevMode, repaired);
}

TEST_F(DocumentEventTest, SectionThatFailsItsChecksumIsNotTrusted)
{
    std::vector<BYTE> job = Core().DefaultDevMode().devMode;
    PrivateDevMode* section = SectionOf(job);
    ASSERT_NE(section, nullptr);
    section->packedLength = 8;
    section->payload.stream[0] ^= 0x5A;  // the checksums no longer agree
    ASSERT_FALSE(HasValidPrivateDevMode(Public(job)));
    nirasim::PrintJobTrace trace = Print(job);
    ASSERT_FALSE(trace.createDCDevMode.empty());
    EXPECT_TRUE(HasValidPrivateDevMode(Public(trace.createDCDevMode)));
    EXPECT_NE(SectionOf(trace.createDCDevMode)->payload.stream[0], section->payload.stream[0]);
}

TEST_F(DocumentEventTest, CreateDCIsLeftAloneInPhotoshopAndForAWrongRecord)
{
    const std::vector<BYTE> defaults = Core().DefaultDevMode().devMode;
    struct Case {
        const char* process;
        ULONG createDCSize;
    };
    for (const Case& c :
         {Case{"C:\\Program Files\\Imaging\\PHOTOSHOP.EXE", 0}, Case{"C:\\Apps\\app.exe", 16}}) {
        machine.SetProcessPath(c.process);
        nirasim::PrintJobOptions options;
        options.createDCSize = c.createDCSize;
        nirasim::PrintJobTrace trace = Print(defaults, options);
        EXPECT_FALSE(Call(trace, DOCUMENTEVENT_CREATEDCPRE)->handedOut) << c.process;
        EXPECT_EQ(Call(trace, DOCUMENTEVENT_CREATEDCPRE)->result, DOCUMENTEVENT_UNSUPPORTED) << c.process;
        EXPECT_TRUE(trace.createDCDevMode.empty());
        // Reset-DC is processed all the same.
        EXPECT_TRUE(Call(trace, DOCUMENTEVENT_RESETDCPRE)->handedOut) << c.process;
        EXPECT_FALSE(trace.resetDCDevMode.empty());
    }
}

}  // namespace
