#include "nira/uiplugin/foundation/dmc/NiraDmcHandler.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcHandlerFactory.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcPrinterData.h"

#include "tests/nira/uiplugin/foundation/dmc/DmcFixture.h"

#include <memory>
#include <string>
#include <vector>

#include "support/WString.h"

namespace {

class DmcHandler : public DmcTest {
protected:
    void SetUp() override
    {
        DmcTest::SetUp();
        access = std::make_unique<CNiraPrinterAccess>(kDmcPrinter);
        handler.Bind(access.get(), &settings);
        SYSTEMTIME utc = {};
        utc.wYear = 2026;
        utc.wMonth = 3;
        utc.wDay = 4;
        utc.wHour = 5;
        utc.wMinute = 6;
        utc.wSecond = 7;
        machine.SetSystemTime(utc);
    }

    std::unique_ptr<CNiraPrinterAccess> access;
    CNiraDmcHandler handler;
};

TEST(DmcHandlerFactory, MakesTheHandlerOrTheNullOne)
{
    int isNull = 7;
    std::unique_ptr<INiraDmcHandler> real(CNiraDmcHandlerFactory::Create(0, &isNull));
    EXPECT_EQ(isNull, 0);
    EXPECT_NE(dynamic_cast<CNiraDmcHandler*>(real.get()), nullptr);
    EXPECT_EQ(real->Reserved(), 0);
    std::unique_ptr<INiraDmcHandler> none(CNiraDmcHandlerFactory::Create(1, &isNull));
    EXPECT_EQ(isNull, 1);
    EXPECT_EQ(none->CaptureDeviceModel(), 0);
    EXPECT_EQ(none->Reserved(), 0);
    EXPECT_EQ(none->ApplySnapshot(), 0);
}

TEST_F(DmcHandler, WithoutPrinterNothingRuns)
{
    CNiraDmcHandler unbound;
    EXPECT_EQ(unbound.CaptureDeviceModel(), 0);
    EXPECT_EQ(unbound.ApplySnapshot(), 0);
    CNiraPrinterAccess absent(TEXT("No Such Printer"));
    ASSERT_EQ(absent.GetHandle(), nullptr);
    unbound.Bind(&absent, nullptr);
    EXPECT_EQ(unbound.CaptureDeviceModel(), 1);
    EXPECT_EQ(unbound.ApplySnapshot(), 0);
}

TEST_F(DmcHandler, CaptureWritesValuesSnapshotAndOutcome)
{
    AddSampleFeatures();
    DWORD installCompleteDuringRun = 0xFFFFFFFF;
    settings.onHasFeature = [&](int) {
        if (installCompleteDuringRun == 0xFFFFFFFF) {
            installCompleteDuringRun = ReadDword(TEXT("InstallComplete"));
        }
    };
    EXPECT_EQ(handler.CaptureDeviceModel(), 1);
    settings.onHasFeature = nullptr;

    EXPECT_EQ(installCompleteDuringRun, 1u);
    EXPECT_EQ(ReadDword(TEXT("InstallComplete")), 0u);
    EXPECT_EQ(ReadDword(TEXT("DMCStatus")), static_cast<DWORD>(DMC_STATUS_APPLIED));
    EXPECT_EQ(ReadDword(TEXT("DMCFeatureCount")), 11u);
    std::string bytes;
    ASSERT_TRUE(ReadData(TEXT("DMCExist"), bytes));
    EXPECT_EQ(bytes, std::string("T\0r\0u\0e\0\0\0\0\0\0\0", 14));
    ASSERT_TRUE(ReadData(TEXT("DMCSnapshotFeatureData"), bytes));
    ASSERT_EQ(bytes.size(), 11u * sizeof(DmcSnapshotRecord));
    EXPECT_EQ(bytes.substr(0, 32), Records({{4221, 1, 2, 1}, {4305, 2, 2, 1}}));
    ASSERT_TRUE(ReadData(TEXT("InstallDate"), bytes));
    const WString date = TEXT("03/04/2026:05:06:07");
    EXPECT_EQ(bytes,
              std::string(reinterpret_cast<const char*>(date.c_str()), (date.size() + 1) * sizeof(WCHAR)));
}

TEST_F(DmcHandler, CaptureWithoutValuesMarksTheConfigurationPresent)
{
    WriteConfig("");
    EXPECT_EQ(handler.CaptureDeviceModel(), 1);
    EXPECT_EQ(ReadDword(TEXT("DMCStatus")), static_cast<DWORD>(DMC_STATUS_NO_VALUES));
    EXPECT_EQ(ReadDword(TEXT("DMCFeatureCount")), 0u);
    std::string bytes;
    EXPECT_TRUE(ReadData(TEXT("DMCExist"), bytes));
    EXPECT_FALSE(ReadData(TEXT("DMCSnapshotFeatureData"), bytes));
    EXPECT_EQ(ReadDword(TEXT("InstallComplete")), 0u);
}

TEST_F(DmcHandler, FailedRunKeepsTheEarlierSnapshot)
{
    const std::string earlier = Records({{4115, 4, 3, 0}});
    machine.SetPrinterData(kDmcPrinter, TEXT("DMCSnapshotFeatureData"), REG_BINARY, earlier);
    machine.SetPrinterDword(kDmcPrinter, TEXT("DMCFeatureCount"), 1);
    UseFixtureLibrary("niradmc_noregister.dll");
    EXPECT_EQ(handler.CaptureDeviceModel(), 1);
    EXPECT_EQ(ReadDword(TEXT("DMCStatus")), static_cast<DWORD>(DMC_STATUS_RUN_FAILED));
    EXPECT_EQ(ReadDword(TEXT("DMCFeatureCount")), 1u);
    std::string bytes;
    EXPECT_FALSE(ReadData(TEXT("DMCExist"), bytes));
    ASSERT_TRUE(ReadData(TEXT("DMCSnapshotFeatureData"), bytes));
    EXPECT_EQ(bytes, earlier);
    EXPECT_TRUE(ReadData(TEXT("InstallDate"), bytes));
}

TEST_F(DmcHandler, CaptureWithoutSettingsCannotPushTheValues)
{
    CNiraDmcHandler withoutSettings;
    withoutSettings.Bind(access.get(), nullptr);
    EXPECT_EQ(withoutSettings.CaptureDeviceModel(), 1);
    EXPECT_EQ(ReadDword(TEXT("DMCStatus")), static_cast<DWORD>(DMC_STATUS_NOT_APPLIED));
    EXPECT_EQ(ReadDword(TEXT("DMCFeatureCount")), 11u);
}

TEST_F(DmcHandler, SnapshotRoundTripsThroughPrinterData)
{
    AddSampleFeatures();
    ASSERT_EQ(handler.CaptureDeviceModel(), 1);

    // A later session starts from fresh settings and takes the stored values back.
    ObservedSettings later;
    later.SetOwner(&owner);
    for (int id : {4115, 4221, 4305, 4125, 4226, 4143}) {
        ASSERT_EQ(later.AddFeature(NewFeatureRecord(id, 1)), 0);
        later.SetFeatureUIRecord(id, NewUIRecord(id));
        for (int opt : {1, 2, 3, 9}) {
            later.AddOption(id, opt, NewOption(id, opt * 10));
        }
    }
    CNiraDmcHandler again;
    again.Bind(access.get(), &later);
    EXPECT_EQ(again.ApplySnapshot(), 1);
    int opt = 0;
    later.GetDefaultOption(4115, &opt);
    EXPECT_EQ(opt, 3);
    later.GetDefaultOption(4305, &opt);
    EXPECT_EQ(opt, 2);
    EXPECT_EQ(later.IsFeatureLocked(4221), 1);  // locked by the configuration
    EXPECT_EQ(later.GetDisplayState(4221), kDmcEnableLocked);
    EXPECT_EQ(later.IsFeatureLocked(4115), 0);
    EXPECT_EQ(later.IsFeatureLockRequested(4115), 1);
    later.GetDefaultOption(4143, &opt);
    EXPECT_EQ(opt, 9);
    // Duplex on sets the page order's default to back to front; its own record, stored later,
    // sets it back.
    later.GetDefaultOption(4226, &opt);
    EXPECT_EQ(opt, 1);
}

// Ink volume "Light" is option -1: a real option, distinct from a value that names none. What
// the capture selected is what a later replay of the stored snapshot selects, and a value that
// named no option selects nothing either time, locked or not.
TEST_F(DmcHandler, CaptureAndReplayAgreeOnOptionMinusOne)
{
    constexpr int kInkVolume = 4302;
    auto addFeatures = [](ObservedSettings& into) {
        const struct {
            int id;
            int defaultOption;
            std::vector<int> options;
        } features[] = {{kInkVolume, 0, {-2, -1, 0, 1, 2}}, {4143, 1, {1, 9}}};
        for (const auto& feature : features) {
            ASSERT_EQ(into.AddFeature(NewFeatureRecord(feature.id, feature.defaultOption)), 0);
            into.SetFeatureUIRecord(feature.id, NewUIRecord(feature.id));
            for (int opt : feature.options) {
                ASSERT_EQ(into.AddOption(feature.id, opt, NewOption(feature.id, opt + 10)), 0);
            }
        }
    };
    const struct {
        const char* value;
        const char* lock;
        int selected;
    } cases[] = {
        {"Light", "false", -1}, {"Ligher", "true", -2}, {"Unknown", "false", 0}, {"Unknown", "true", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " lock " + c.lock);
        ObservedSettings captured;
        captured.SetOwner(&owner);
        addFeatures(captured);
        WriteConfig(std::string("<feature name=\"InkVolumeOptions\" value=\"") + c.value + "\" lock=\"" +
                    c.lock + "\"/>");
        CNiraDmcHandler capture;
        capture.Bind(access.get(), &captured);
        ASSERT_EQ(capture.CaptureDeviceModel(), 1);
        int opt = 7;
        int isSet = 0;
        captured.GetCurrentOption(kInkVolume, &opt, &isSet);
        EXPECT_EQ(opt, c.selected) << "capture";

        ObservedSettings later;
        later.SetOwner(&owner);
        addFeatures(later);
        CNiraDmcHandler replay;
        replay.Bind(access.get(), &later);
        EXPECT_EQ(replay.ApplySnapshot(), 1);
        later.GetDefaultOption(kInkVolume, &opt);
        EXPECT_EQ(opt, c.selected) << "replayed default";
        if (std::string(c.lock) == "true") {
            later.GetCurrentOption(kInkVolume, &opt, &isSet);
            EXPECT_EQ(opt, c.selected) << "replayed current of a locked value";
        }
    }
}

TEST_F(DmcHandler, ApplyNeedsThePresenceMarkAndACount)
{
    AddSampleFeatures();
    StoreSnapshot({{4115, 4, 3, 0}}, 1);
    EXPECT_EQ(handler.ApplySnapshot(), 0);  // no DMCExist
    machine.SetPrinterString(kDmcPrinter, TEXT("DMCExist"), TEXT("False"));
    EXPECT_EQ(handler.ApplySnapshot(), 0);
    machine.SetPrinterString(kDmcPrinter, TEXT("DMCExist"), TEXT("True"));
    machine.SetPrinterDword(kDmcPrinter, TEXT("DMCFeatureCount"), 0);
    EXPECT_EQ(handler.ApplySnapshot(), 0);
    EXPECT_EQ(Default(4115), 1);
    machine.SetPrinterDword(kDmcPrinter, TEXT("DMCFeatureCount"), 1);
    EXPECT_EQ(handler.ApplySnapshot(), 1);
    EXPECT_EQ(Default(4115), 4);
}

}  // namespace
