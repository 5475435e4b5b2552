#include "nira/uiplugin/foundation/dmc/NiraDmcPrinterData.h"

#include "common/NiraStatus.h"
#include "tests/nira/uiplugin/foundation/dmc/DmcFixture.h"

#include <memory>

namespace {

class DmcPrinterData : public DmcTest {
protected:
    void SetUp() override
    {
        DmcTest::SetUp();
        access = std::make_unique<CNiraPrinterAccess>(kDmcPrinter);
        data.Attach(access->GetHandle());
    }

    std::unique_ptr<CNiraPrinterAccess> access;
    CNiraDmcPrinterData data;
};

TEST_F(DmcPrinterData, WithoutPrinterEachOperationSaysWhy)
{
    CNiraDmcPrinterData detached;
    DmcSnapshotRecord record = {};
    EXPECT_EQ(detached.GetFeatureCount(), 0);
    EXPECT_EQ(detached.SetFeatureCount(1), NIRA_STATUS_FAILED);
    EXPECT_EQ(detached.SetExist(0), 0);
    EXPECT_EQ(detached.SetExist(1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(detached.SetStatus(3), ERROR_INVALID_HANDLE);
    EXPECT_EQ(detached.SetInstallComplete(1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(detached.SetInstallDate(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(detached.WriteSnapshotData(&record), kDmcNullArgument);
    EXPECT_EQ(detached.ApplySnapshotData(&settings), ERROR_INVALID_HANDLE);
    EXPECT_EQ(detached.ApplySnapshotData(nullptr), kDmcNullArgument);
    EXPECT_EQ(data.WriteSnapshotData(nullptr), kDmcNullArgument);
    EXPECT_EQ(data.WriteDate(TEXT("")), NIRA_STATUS_FAILED);
    EXPECT_EQ(data.WriteDate(nullptr), NIRA_STATUS_FAILED);
}

TEST_F(DmcPrinterData, ValuesAreWrittenAsStoredForms)
{
    EXPECT_EQ(data.SetFeatureCount(2), 0);
    EXPECT_EQ(data.GetFeatureCount(), 2);
    EXPECT_EQ(data.SetInstallComplete(0), 0);
    EXPECT_EQ(ReadDword(TEXT("InstallComplete")), 1u);
    EXPECT_EQ(data.SetInstallComplete(1), 0);
    EXPECT_EQ(ReadDword(TEXT("InstallComplete")), 0u);
    std::string bytes;
    EXPECT_EQ(data.SetExist(0), 0);
    EXPECT_FALSE(ReadData(TEXT("DMCExist"), bytes));
    // Only the stored count of records is written.
    DmcSnapshotRecord records[3] = {{4115, 3, 3, 0}, {4221, 1, 2, 1}, {1, 1, 1, 1}};
    EXPECT_EQ(data.WriteSnapshotData(records), 0);
    ASSERT_TRUE(ReadData(TEXT("DMCSnapshotFeatureData"), bytes));
    EXPECT_EQ(bytes, Records({records[0], records[1]}));

    machine.FailCalls("SetPrinterDataW", ERROR_ACCESS_DENIED, -1);
    EXPECT_EQ(data.SetStatus(3), NIRA_STATUS_FAILED);
    EXPECT_EQ(data.SetInstallDate(), NIRA_STATUS_FAILED);
    machine.ClearFailures();
}

TEST_F(DmcPrinterData, LockedGrayLocksItsOptionsOnlyWhenItComesFirst)
{
    AddFeature(4136, 1, {1, 2});
    AddFeature(4137, 2, {2, 4});
    AddFeature(4143, 1, {1, 9});
    StoreSnapshot({{4136, 2, 2, 1}, {4137, 4, 3, 0}}, 2);
    ASSERT_EQ(data.ApplySnapshotData(&settings), 0);
    EXPECT_EQ(Current(4136), 2);
    EXPECT_EQ(settings.IsFeatureLocked(4136), 1);
    EXPECT_EQ(Option(4136, 1).state, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(4136, 2).defaultState, OPTION_STATE_GREYED);
    EXPECT_EQ(settings.IsFeatureLocked(4137), 1);
    EXPECT_EQ(settings.GetDisplayState(4137), kDmcEnableLocked);
    EXPECT_EQ(Default(4137), 4);
    EXPECT_EQ(Default(4143), 9);
    EXPECT_EQ(settings.IsFeatureLockRequested(4143), 1);
}

TEST_F(DmcPrinterData, GrayAfterItsOptionsLeavesThemFree)
{
    AddFeature(4136, 1, {1, 2});
    AddFeature(4137, 2, {2, 4});
    StoreSnapshot({{4137, 4, 3, 0}, {4136, 2, 2, 1}}, 2);
    ASSERT_EQ(data.ApplySnapshotData(&settings), 0);
    EXPECT_EQ(settings.IsFeatureLocked(4137), 0);
    EXPECT_EQ(settings.GetDisplayState(4137), DISPLAY_STATE_ENABLED);
    EXPECT_EQ(Default(4137), 4);
    EXPECT_EQ(Current(4137), 2);
    EXPECT_EQ(settings.IsFeatureLocked(4136), 1);
}

TEST_F(DmcPrinterData, DuplexDecidesPageOrderAndDuplexUnitStates)
{
    AddFeature(4125, 1, {1, 2, 3});
    AddFeature(4126, 1, {1, 2});
    AddFeature(4127, 1, {1, 2});
    AddFeature(4226, 1, {1, 2});
    AddFeature(4219, 1, {1, 2, 3, 4, 5});
    settings.SetDisplayState(4126, DISPLAY_STATE_GREYED);
    // Duplex locked on (its current option becomes 3), then the page order back to front.
    StoreSnapshot({{4125, 3, 2, 1}, {4226, 2, 3, 0}}, 2);
    ASSERT_EQ(data.ApplySnapshotData(&settings), 0);
    EXPECT_EQ(Current(4125), 3);
    EXPECT_EQ(Default(4125), 3);
    EXPECT_EQ(UIRecord(4126)->defaultDisplayState, DISPLAY_STATE_GREYED);
    EXPECT_EQ(Default(4226), 2);
    EXPECT_EQ(Option(4226, 1).state, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(4226, 2).state, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(4226, 1).defaultState, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(4219, 1).defaultState, OPTION_STATE_SELECTABLE);
    for (int opt = 2; opt <= 5; ++opt) {
        EXPECT_EQ(Option(4219, opt).defaultState, OPTION_STATE_UNAVAILABLE) << opt;
    }
}

TEST_F(DmcPrinterData, CountBeyondTheStoredRecordsReadsOnlyWhatIsThere)
{
    AddFeature(4115, 1, {1, 2, 3, 4});
    AddFeature(4118, 1, {1, 2});
    StoreSnapshot({{4115, 4, 3, 0}}, 1000000);
    ASSERT_EQ(data.ApplySnapshotData(&settings), 0);
    EXPECT_EQ(Default(4115), 4);
    // A stored value shorter than one record applies nothing.
    machine.SetPrinterData(kDmcPrinter, TEXT("DMCSnapshotFeatureData"), REG_BINARY, std::string(8, '\x01'));
    EXPECT_EQ(data.ApplySnapshotData(&settings), 0);
    EXPECT_EQ(Default(4118), 1);
}

}  // namespace
