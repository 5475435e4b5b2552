// The printer services pop-up: the pop-up FDT6383 names on command 30, the five pen codes with
// their check number and the send widget's state, and the pen query job with its exact bytes.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <algorithm>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/PrinterStatusHandler.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
const char kServicesQuery[] = "Select * from FDT6383 Where ToolBoxSupport='1'";

class PrinterStatusTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
        database.tables[kServicesQuery] = {
            {"1", "212", "PrinterServicesBasic"}, {"0", "999", "Never"}, {"1", "214", "PrinterServicesPens"}};
        handler.Attach(&services, 4260, &database);
    }
    void Type(int field, const WString& code)
    {
        OptionInfo info = {};
        std::copy(code.begin(), code.end(), info.displayName);
        services.optionInfos[{6524 + field, 1}] = info;
        handler.OnWidgetChanged(6524 + field);
    }
    void Empty(int field)
    {
        services.optionInfos.erase({6524 + field, 1});
        handler.OnWidgetChanged(6524 + field);
    }
    bool Called(const Call& call) const
    {
        return std::find(services.calls.begin(), services.calls.end(), call) != services.calls.end();
    }

    nirasim::Machine machine;
    FakeCoreServices services;
    FakeFeatureDatabase database;
    CNiraPrinterStatusHandler handler;
};

}  // namespace

TEST(PenQueryCheck, Crc16Arc)
{
    EXPECT_EQ(CNiraPrinterStatusHandler::CheckNumber(TEXT("123456789")), 0xBB3D);
    EXPECT_EQ(CNiraPrinterStatusHandler::CheckNumber(TEXT("")), -1);  // a zero result
    // Only the low byte of each unit counts.
    EXPECT_EQ(CNiraPrinterStatusHandler::CheckNumber(TEXT("\x0131")),
              CNiraPrinterStatusHandler::CheckNumber(TEXT("1")));
}

TEST(PenQueryJob, FiveFourCharacterCodesMake91Bytes)
{
    char* bytes = nullptr;
    size_t length = 0;
    ASSERT_TRUE(CNiraPrinterStatusHandler::MakePenQueryJob(TEXT("AB12CD34EF56GH78IJ90"), &bytes, &length));
    std::string job(bytes, length);
    delete[] bytes;
    ASSERT_EQ(job.size(), 91u);
    EXPECT_EQ(job.substr(0, 49),
              "\x1b"
              "E\x1b%-12345X@PJL ENTER LANGUAGE=PCL3GUI\n\x1b&b35WPML ");
    EXPECT_EQ(job.substr(49, 11), std::string("\x04\x00\x04\x01\x01\x01\x24\x10\x16\x01\x15", 11));
    EXPECT_EQ(job.substr(60, 20), "AB12CD34EF56GH78IJ90");
    EXPECT_EQ(job.substr(80),
              "\x1b"
              "E\x1b%-12345X");
}

TEST_F(PrinterStatusTest, Command30ShowsThePopupOfTheLastQualifyingRow)
{
    EXPECT_EQ(handler.OnCommand(6003, 30, nullptr, nullptr), 0);
    EXPECT_EQ(database.statements, (std::vector<std::string>{kServicesQuery}));
    EXPECT_EQ(handler.MessageId(), 214);
    EXPECT_EQ(WString(handler.ContainerName()), TEXT("PrinterServicesPens"));
    EXPECT_TRUE(Called({"ShowPopup", 0, 214, 0}));
    EXPECT_EQ(services.popupContainer, TEXT("PrinterServicesPens"));

    // Other commands show nothing; without a database no pop-up is shown.
    services.calls.clear();
    EXPECT_EQ(handler.OnCommand(6003, 31, nullptr, nullptr), 0);
    CNiraPrinterStatusHandler withoutDatabase;
    withoutDatabase.Attach(&services, 4260, nullptr);
    EXPECT_EQ(withoutDatabase.OnCommand(6003, 30, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(PrinterStatusTest, TheCheckNumberAndTheSendWidgetFollowTheCodes)
{
    for (int message : {214, 212}) {
        const int send = message == 214 ? 6505 : 6507;
        database.tables[kServicesQuery] = {{"1", std::to_string(message), "Popup"}};
        handler.OnCommand(6003, 30, nullptr, nullptr);
        handler.OnWidgetChanged(6506);
        services.calls.clear();
        Type(0, TEXT("AB12"));
        EXPECT_EQ(services.added, TEXT("7241"));
        EXPECT_EQ(services.display[send], 2);
        for (int field = 1; field < 5; ++field) {
            Type(field, TEXT("CD34"));
        }
        EXPECT_EQ(services.added, nirasim::Wide(std::to_string(
                                      CNiraPrinterStatusHandler::CheckNumber(TEXT("AB12CD34CD34CD34CD34")))));
        EXPECT_EQ(services.display[send], 3);
        EXPECT_TRUE(Called({"RemoveOption", 4260, 6529, 1}));
        EXPECT_TRUE(Called({"AddOption", 4260, 6529, 1}));

        // Emptying one field brings "7241" back and leaves the widget greyed.
        Empty(2);
        EXPECT_EQ(services.added, TEXT("7241"));
        EXPECT_EQ(services.display[send], 2);
        EXPECT_EQ(handler.Code(2)[0], 0);
    }
}

TEST_F(PrinterStatusTest, ClearingEmptiesTheFieldsAndTheirCodes)
{
    for (int field = 0; field < 5; ++field) {
        Type(field, TEXT("CODE"));
    }
    services.calls.clear();
    handler.OnWidgetChanged(6508);
    for (int field = 0; field < 5; ++field) {
        EXPECT_TRUE(Called({"RemoveOption", 4260, 6524 + field, 1}));
        EXPECT_EQ(handler.Code(field)[0], 0);
    }
    // A cleared field that cannot be read again is empty: the check stays incomplete.
    services.optionInfos.clear();
    Type(0, TEXT("AB12"));
    EXPECT_EQ(services.added, TEXT("7241"));
}

TEST_F(PrinterStatusTest, ThePenQueryJobReachesThePrinterAndEmptiesTheFields)
{
    const WString codes[] = {TEXT("AB12"), TEXT("CD34"), TEXT("EF56"), TEXT("GH78"), TEXT("IJ90")};
    for (int field = 0; field < 5; ++field) {
        Type(field, codes[field]);
    }
    handler.OnCommand(6003, 30, nullptr, nullptr);
    services.calls.clear();
    EXPECT_EQ(handler.OnConstraintAction(4260, "", "", ""), 0);
    std::vector<nirasim::SpoolerJob> jobs = machine.Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].documentName, TEXT("ZQSupportRegionalPenQuery"));
    EXPECT_EQ(jobs[0].dataType, TEXT("RAW"));
    EXPECT_TRUE(jobs[0].ended);
    ASSERT_EQ(jobs[0].data.size(), 91u);
    EXPECT_EQ(jobs[0].data[50], '\0');
    EXPECT_EQ(jobs[0].data.substr(60, 20), "AB12CD34EF56GH78IJ90");
    for (int field = 0; field < 5; ++field) {
        EXPECT_TRUE(Called({"RemoveOption", 4260, 6524 + field, 1}));
        EXPECT_EQ(handler.Code(field)[0], 0);
    }
}

TEST_F(PrinterStatusTest, ARefusedJobStillEmptiesTheFields)
{
    Type(0, TEXT("AB12"));
    machine.RefuseDocuments(kPrinter, ERROR_ACCESS_DENIED);
    services.calls.clear();
    EXPECT_EQ(handler.OnConstraintAction(4260, "", "", ""), 0);
    EXPECT_TRUE(machine.Jobs().empty());
    EXPECT_TRUE(Called({"RemoveOption", 4260, 6524, 1}));
    EXPECT_EQ(handler.Code(0)[0], 0);
}
