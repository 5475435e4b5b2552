// The poster's reactions through a UI core on the sample printer: the handlers the capability
// database names, the owner checks of the core services and the change notifications of the
// settings between them.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <windows.h>
#include <winspool.h>

#include <memory>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

namespace {

class PosterThroughTheCoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
        SetDefaultHandlerFactory(&CreateFeatureHandler);
        core = std::make_unique<CNiraUICore>();
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
        services = std::make_unique<CNiraCoreServices>(core.get());
    }
    void TearDown() override
    {
        services.reset();
        core.reset();
        ClosePrinter(printer);
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        services->GetValue(featureId, &option, &isSet);
        return option;
    }
    int Set(int caller, int featureId, int option)
    {
        return services->SetValue(caller, &featureId, &option, 2, 0, 0, 0);
    }

    static constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");
    nirasim::Machine machine;
    HANDLE printer = nullptr;
    std::unique_ptr<CNiraUICore> core;
    std::unique_ptr<CNiraCoreServices> services;
};

}  // namespace

TEST_F(PosterThroughTheCoreTest, APosterSwitchesFitToSizeOffAndTakesThePaper)
{
    ASSERT_EQ(Set(CLASS_PAPER_LIST, FEATURE_PAPER_SIZE, 257), 0);
    ASSERT_EQ(Set(CLASS_FIT_TO_SIZE, FEATURE_FIT_TO_SIZE, 2), 0);
    ASSERT_EQ(Set(CLASS_FIT_TO_SIZE, FEATURE_TARGET_SIZE, 263), 0);

    // No poster: fit to size stays as it is.
    ASSERT_EQ(Set(CLASS_POSTER, FEATURE_POSTER, 1), 0);
    EXPECT_EQ(Current(FEATURE_FIT_TO_SIZE), 2);
    EXPECT_EQ(Current(FEATURE_TARGET_SIZE), 263);

    ASSERT_EQ(Set(CLASS_POSTER, FEATURE_POSTER, 3), 0);
    EXPECT_EQ(Current(FEATURE_FIT_TO_SIZE), 1);
    EXPECT_EQ(Current(FEATURE_TARGET_SIZE), 257);
    EXPECT_EQ(services->GetDisplayState(FEATURE_TARGET_SIZE), 2);  // greyed
}

TEST_F(PosterThroughTheCoreTest, TheShortcutsOfferThePostersThroughTheirOwner)
{
    ASSERT_EQ(services->SetOptionState(CLASS_POSTER, FEATURE_POSTER, 3, 3), 0);
    int state = 0;
    ASSERT_EQ(services->GetOptionState(FEATURE_POSTER, 3, &state), 0);
    ASSERT_EQ(state, 3);
    // The command's answer is a failure by design; its effect is the options' states.
    EXPECT_EQ(services->SendHandlerCommand(CLASS_SHORTCUTS, FEATURE_POSTER, 39, nullptr, nullptr),
              NIRA_STATUS_FAILED);
    ASSERT_EQ(services->GetOptionState(FEATURE_POSTER, 3, &state), 0);
    EXPECT_EQ(state, 2);

    // With the pages in reverse order the posters stay as they are.
    ASSERT_EQ(services->SetOptionState(CLASS_POSTER, FEATURE_POSTER, 3, 3), 0);
    ASSERT_EQ(Set(4226, FEATURE_PAGE_ORDER, 2), 0);
    services->SendHandlerCommand(CLASS_SHORTCUTS, FEATURE_POSTER, 39, nullptr, nullptr);
    ASSERT_EQ(services->GetOptionState(FEATURE_POSTER, 3, &state), 0);
    EXPECT_EQ(state, 3);
}
