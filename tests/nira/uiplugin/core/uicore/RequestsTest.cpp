// The requests without user interface: device capabilities and the colour profile read only the
// features they need; document events always succeed.
#include "UICoreFixture.h"

#include <printoem.h>
#include <winddiui.h>

#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

using ::testing::ElementsAre;

namespace {

// A core-driver object with its procedures, as QueryColorProfile demands.
struct UIObject {
    OEMUIPROCS procs = {};
    OEMUIOBJ object = {};
    UIObject()
    {
        object.cbSize = sizeof(object);
        object.pOemUIProcs = &procs;
    }
};

}  // namespace

TEST_F(UICoreTest, CopiesOnAFreshCoreReadsOnlyTheCopiesFeature)
{
    UseRecordingHandlers();
    journal.capabilityAnswers[CLASS_COPIES] = 999;
    DWORD result = 0;
    HRESULT answer =
        core->DeviceCapabilities(nullptr, printer, nullptr, DC_COPIES, nullptr, nullptr, nullptr, 0, &result);

    EXPECT_EQ(answer, S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(result, 999u);
    EXPECT_EQ(BoundFeatures(), std::vector<int>{FEATURE_COPIES});
    // A later request works on that state, whatever it asks for.
    core->DeviceCapabilities(nullptr, printer, nullptr, DC_PAPERS, nullptr, nullptr, nullptr, 0, &result);
    EXPECT_EQ(BoundFeatures(), std::vector<int>{FEATURE_COPIES});
}

TEST_F(UICoreTest, UnlistedCapabilityAnswersZeroAndBuildsNothing)
{
    DWORD result = 7;
    EXPECT_EQ(core->DeviceCapabilities(nullptr, printer, nullptr, 1 /* DC_FIELDS */, nullptr, nullptr,
                                       nullptr, 0, &result),
              0);
    EXPECT_EQ(result, 7u);
    EXPECT_EQ(core->GetFeatureCount(), 0);
    EXPECT_THAT(Traces(), ElementsAre(WString(TEXT("DevCaps Start")), WString(TEXT("DevCaps End"))));
}

TEST_F(UICoreTest, DeviceCapabilitiesReachTheHandlerOfTheirFeature)
{
    DWORD result = 5;
    EXPECT_EQ(core->DeviceCapabilities(nullptr, printer, nullptr, DC_COLLATE, nullptr, nullptr, nullptr, 0,
                                       &result),
              S_OK);
    EXPECT_EQ(result, 1u);  // the collate handler's answer
    EXPECT_EQ(BoundFeatures(), std::vector<int>{FEATURE_COLLATE});
}

constexpr int kColorSpaceProfiles = 4304;

class ColorProfileTest : public UICoreTest {
protected:
    HRESULT Query(ULONG queryMode, void* data, ULONG* size, ULONG* flags)
    {
        std::vector<BYTE> devMode(sizeof(DEVMODEW));
        BYTE privateSection[16] = {};
        return core->QueryColorProfile(printer, &ui.object, reinterpret_cast<DEVMODEW*>(devMode.data()),
                                       privateSection, queryMode, data, size, flags, nullptr);
    }

    UIObject ui;
    // The display name of option 1 of the colour-profile feature, with its terminator.
    const WString kProfile = TEXT("sRGB display profile");
    const ULONG kNeeded = static_cast<ULONG>((kProfile.size() + 1) * sizeof(WCHAR));
};

TEST_F(ColorProfileTest, CopiesTheProfileNameAndReadsOnlyItsFeatures)
{
    WCHAR name[64] = {};
    ULONG size = kNeeded;
    ULONG flags = 0;
    ASSERT_EQ(Query(QCP_DEVICEPROFILE, name, &size, &flags), S_OK);
    EXPECT_EQ(WString(name), kProfile);
    EXPECT_EQ(flags, static_cast<ULONG>(QCP_PROFILEDISK));
    EXPECT_EQ(BoundFeatures(),
              (std::vector<int>{FEATURE_MEDIA_TYPE, FEATURE_INPUT_COLOR_SPACE, FEATURE_ICM_INTENT,
                                FEATURE_ICM_METHOD, FEATURE_ICC_PROFILE, kColorSpaceProfiles}));
}

TEST_F(ColorProfileTest, OneByteShortAsksForTheSize)
{
    WCHAR name[64] = {};
    ULONG size = kNeeded - 1;
    ULONG flags = 0;
    SetLastError(0);
    EXPECT_EQ(Query(QCP_DEVICEPROFILE, name, &size, &flags), E_FAIL);
    EXPECT_EQ(size, kNeeded);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(name[0], 0);
    EXPECT_EQ(flags, 0u);
}

TEST_F(ColorProfileTest, RefusedRequestsBuildNothing)
{
    ULONG size = 64;
    ULONG flags = 0;
    WCHAR name[64] = {};
    EXPECT_EQ(Query(QCP_SOURCEPROFILE, name, &size, &flags), E_FAIL);
    EXPECT_EQ(Query(QCP_DEVICEPROFILE, name, nullptr, &flags), E_FAIL);
    ui.object.pOemUIProcs = nullptr;
    EXPECT_EQ(Query(QCP_DEVICEPROFILE, name, &size, &flags), E_FAIL);
    EXPECT_EQ(core->GetFeatureCount(), 0);
}

TEST_F(UICoreTest, DocumentEventsSucceedAndOnlyPrinterSetupBuildsTheState)
{
    for (INT escape : {0, 5}) {
        INT result = 0;
        EXPECT_EQ(
            core->DocumentEvent(printer, nullptr, escape, 0, nullptr, 0, nullptr, &result, nullptr, nullptr),
            0);
        EXPECT_EQ(result, DOCUMENTEVENT_SUCCESS) << escape;
    }
    EXPECT_EQ(core->GetFeatureCount(), 0);

    INT result = 0;
    core->DocumentEvent(printer, nullptr, 1, 0, nullptr, 0, nullptr, &result, nullptr, nullptr);
    EXPECT_EQ(result, DOCUMENTEVENT_SUCCESS);
    EXPECT_GT(core->GetFeatureCount(), 0);
}
