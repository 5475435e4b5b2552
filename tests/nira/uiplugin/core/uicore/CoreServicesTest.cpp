// The core services over a built driver state: the owner check of the guarded operations, the
// forced notification of SetValue, the reset gate, the option walk, and the answers without owner.
#include "UICoreFixture.h"

#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

namespace {

constexpr int kUnboundFeature = 4999;

}  // namespace

class CoreServicesTest : public UICoreTest {
protected:
    void SetUp() override
    {
        UICoreTest::SetUp();
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
        core->GetSettings(&settings);
        services = std::make_unique<CNiraCoreServices>(core.get());
    }
    void TearDown() override
    {
        services.reset();
        UICoreTest::TearDown();
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        services->GetValue(featureId, &option, &isSet);
        return option;
    }

    CNiraUISettings* settings = nullptr;
    std::unique_ptr<CNiraCoreServices> services;
};

TEST_F(CoreServicesTest, OwnerCheckAllowsOwnClassAndShortcutsOnly)
{
    struct Case {
        int caller;
        int feature;
        int status;
        int allowed;
    };
    const Case cases[] = {
        {CLASS_ORIENTATION, FEATURE_ORIENTATION, 0, 1},
        {CLASS_ORIENTATION, FEATURE_ROTATION, 0, 1},   // another feature of the same class
        {CLASS_PAPER_LIST, FEATURE_PAPER_SIZE, 0, 1},  // written in its owner's name
        {CLASS_PAPER_SIZE, FEATURE_PAPER_SIZE, 0, 0},
        {CLASS_MEDIA_TYPE, FEATURE_ORIENTATION, 0, 0},
        {CLASS_SHORTCUTS, FEATURE_ORIENTATION, 0, 1},
        {CLASS_SHORTCUTS, kUnboundFeature, NIRA_STATUS_FAILED, -1},
    };
    for (const Case& c : cases) {
        int allowed = -1;
        EXPECT_EQ(services->CheckOwner(c.caller, c.feature, &allowed), c.status)
            << c.caller << "/" << c.feature;
        EXPECT_EQ(allowed, c.allowed) << c.caller << "/" << c.feature;
    }
}

TEST_F(CoreServicesTest, GuardedSetValueChangesOnlyForTheOwner)
{
    int feature = FEATURE_COLLATE;
    int option = 1;
    ASSERT_EQ(Current(feature), 2);
    EXPECT_EQ(services->SetValue(CLASS_MEDIA_TYPE, &feature, &option, 2, 0, 0, 0), NIRA_STATUS_FAILED);
    EXPECT_EQ(Current(feature), 2);
    // notifyAlways: the current option moves although it is still available.
    EXPECT_EQ(services->SetValue(CLASS_COLLATE, &feature, &option, 2, 0, 0, 0), 0);
    EXPECT_EQ(Current(feature), 1);
    option = 2;
    EXPECT_EQ(services->SetValue(CLASS_SHORTCUTS, &feature, &option, 2, 0, 0, 0), 0);
    EXPECT_EQ(Current(feature), 2);
    int unbound = kUnboundFeature;
    EXPECT_EQ(services->SetValue(CLASS_SHORTCUTS, &unbound, &option, 2, 0, 0, 0), NIRA_STATUS_FAILED);
}

TEST_F(CoreServicesTest, ResetToDefaultsRunsOnlyForTheShortcutsFeature)
{
    int feature = FEATURE_COLLATE;
    int option = 1;
    ASSERT_EQ(services->SetValue(CLASS_COLLATE, &feature, &option, 2, 0, 0, 0), 0);

    EXPECT_EQ(services->ResetToDefaults(FEATURE_COLLATE), 0);
    EXPECT_EQ(Current(FEATURE_COLLATE), 1);
    EXPECT_EQ(services->ResetToDefaults(kUnboundFeature), NIRA_STATUS_FAILED);
    EXPECT_EQ(Current(FEATURE_COLLATE), 1);
    EXPECT_EQ(services->ResetToDefaults(FEATURE_PRINTING_SHORTCUTS), 0);
    EXPECT_EQ(Current(FEATURE_COLLATE), 2);
}

TEST_F(CoreServicesTest, EnumerateOptionsDeliversThemAsAdded)
{
    std::vector<std::pair<int, int>> seen;
    auto record = [](int index, int optionId, int, WCHAR*, void* user) {
        static_cast<std::vector<std::pair<int, int>>*>(user)->push_back({index, optionId});
        return 0;
    };
    EXPECT_EQ(services->EnumerateOptions(FEATURE_PRINT_IN_GRAY, record, &seen), 0);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 3}}));
}

TEST_F(CoreServicesTest, PrinterNameIsAllocatedForANullBuffer)
{
    WCHAR* name = nullptr;
    ASSERT_EQ(services->GetPrinterName(&name), 0);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(WString(name), WString(TEXT("Nira Sample Inkjet")));
    LocalFree(name);
    EXPECT_EQ(services->GetPrinterName(nullptr), NIRA_STATUS_FAILED);

    DWORD needed = 0;
    BYTE small[4] = {};
    EXPECT_EQ(services->GetPrinter(2, small, sizeof(small), &needed), NIRA_STATUS_FAILED);
    EXPECT_GT(needed, sizeof(small));
    std::vector<BYTE> buffer(needed);
    EXPECT_EQ(services->GetPrinter(2, buffer.data(), needed, &needed), 0);
}

TEST(CoreServicesWithoutOwner, AnswerNeutrallyAndClearTheirOuts)
{
    CNiraCoreServices services(nullptr);
    int option = 7;
    int isSet = 7;
    EXPECT_EQ(services.GetValue(FEATURE_COLLATE, &option, &isSet), 0);
    EXPECT_EQ(option, 0);
    EXPECT_EQ(isSet, 0);
    option = isSet = 7;
    EXPECT_EQ(services.GetPreviousOption(FEATURE_COLLATE, &option, &isSet), 0);
    EXPECT_EQ(option + isSet, 0);
    int result = 7;
    EXPECT_EQ(services.IsAutoSelectedOption(FEATURE_COLLATE, 1, &result), 0);
    EXPECT_EQ(result, 0);
    int feature = FEATURE_COLLATE;
    EXPECT_EQ(services.SetValue(CLASS_SHORTCUTS, &feature, &option, 2, 0, 0, 0), NIRA_STATUS_FAILED);
    EXPECT_EQ(services.GetOptionCount(FEATURE_COLLATE), 0);
    EXPECT_EQ(services.GetResourceModule(), nullptr);
    EXPECT_EQ(services.ResetToDefaults(FEATURE_PRINTING_SHORTCUTS), NIRA_STATUS_FAILED);
}

TEST_F(CoreServicesTest, ConstraintServicesReachTheHandlersAndTheSettings)
{
    CNiraConstraintServices constraints(core.get());
    CNiraUISettings* reached = nullptr;
    EXPECT_EQ(constraints.GetSettings(&reached), 0);
    EXPECT_EQ(reached, settings);
    EXPECT_EQ(constraints.GetSettings(nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(constraints.IsSettingsRestored(), 1);
    EXPECT_EQ(constraints.Reserved76(0), NIRA_STATUS_FAILED);
    // The base handler lets a message show only when someone chose the feature.
    int show = 0;
    EXPECT_EQ(constraints.ForwardConstraintMessage(FEATURE_COLLATE, "", "4235", "", &show), 0);
    EXPECT_EQ(show, 2);
    EXPECT_EQ(services->ForwardConstraintAction(FEATURE_COLLATE, "", "", ""), NIRA_STATUS_FAILED);
    EXPECT_EQ(constraints.ForwardConstraintAction(FEATURE_COLLATE, "", "", ""), 0);
}
