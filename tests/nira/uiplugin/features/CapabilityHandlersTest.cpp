// The capability handlers: DeviceCapabilities lists, the pending media choice, the print quality
// that follows a resolution, and the colour profile.
#include <gtest/gtest.h>

#include <printoem.h>

#include <cstring>
#include <vector>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/CollateHandler.h"
#include "nira/uiplugin/features/handlers/CopiesHandler.h"
#include "nira/uiplugin/features/handlers/IccProfileHandler.h"
#include "nira/uiplugin/features/handlers/InputBinHandler.h"
#include "nira/uiplugin/features/handlers/MediaTypeHandler.h"
#include "nira/uiplugin/features/handlers/ResolutionHandler.h"

using Call = FakeCoreServices::Call;

namespace {

HRESULT Ask(CNiraFeatureHandler& handler, WORD capability, void* output, DWORD* result, int* handled)
{
    return handler.DeviceCapabilities(nullptr, nullptr, capability, output, nullptr, nullptr, 0, result,
                                      handled);
}

const char kQualityQuery[] = "SELECT PrintQualityOptionID FROM FDT4123 WHERE ResolutionOptionID=\"3\"";

}  // namespace

TEST(CapabilityHandlers, MediaTypesAndBinsAsLists)
{
    FakeCoreServices services;
    services.listed[4116] = {{1, 256, TEXT("Plain")}, {2, 257, WString(70, TEXT('m'))}};
    services.listed[4117] = {{1, 15, TEXT("Auto")}, {2, 7, WString(30, TEXT('b'))}};
    CNiraMediaTypeHandler media;
    media.Attach(&services, 4116, nullptr);
    DWORD result = 0;
    int handled = 0;
    EXPECT_EQ(Ask(media, DC_MEDIATYPES, nullptr, &result, &handled), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(result, 2u);
    EXPECT_EQ(handled, 1);
    DWORD values[2] = {};
    ASSERT_EQ(Ask(media, DC_MEDIATYPES, values, &result, &handled), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(values[1], 257u);
    std::vector<WCHAR> names(2 * 64, TEXT('#'));
    ASSERT_EQ(Ask(media, DC_MEDIATYPENAMES, names.data(), &result, &handled),
              S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(WString(&names[0]), TEXT("Plain"));
    EXPECT_EQ(WString(&names[64]), WString(63, TEXT('m')));  // cut to 63 and the terminator
    services.failWalk = true;
    handled = 0;
    EXPECT_EQ(Ask(media, DC_MEDIATYPES, values, &result, &handled), E_FAIL);  // not answered
    EXPECT_EQ(handled, 0);
    services.failWalk = false;
    EXPECT_EQ(Ask(media, DC_BINS, values, &result, &handled), E_FAIL);

    CNiraInputBinHandler bins;
    bins.Attach(&services, 4117, nullptr);
    WORD binValues[2] = {};
    ASSERT_EQ(Ask(bins, DC_BINS, binValues, &result, &handled), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(binValues[0], 15);
    std::vector<WCHAR> binNames(2 * 24, TEXT('#'));
    ASSERT_EQ(Ask(bins, DC_BINNAMES, binNames.data(), &result, &handled), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(WString(&binNames[24]), WString(23, TEXT('b')));
}

TEST(CapabilityHandlers, CopiesCollateAndResolutions)
{
    FakeCoreServices services;
    DWORD result = 0;
    int handled = 0;
    CNiraCopiesHandler copies;
    copies.Attach(&services, 4235, nullptr);
    EXPECT_EQ(Ask(copies, DC_COPIES, nullptr, &result, &handled), NIRA_STATUS_FAILED);  // no range
    services.rangeMax[4235] = 999;
    EXPECT_EQ(Ask(copies, DC_COPIES, nullptr, &result, &handled), 0);
    EXPECT_EQ(result, 999u);
    CNiraCollateHandler collate;
    collate.Attach(&services, 4236, nullptr);
    EXPECT_EQ(Ask(collate, DC_COLLATE, nullptr, &result, &handled), 0);
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(Ask(collate, DC_COPIES, nullptr, &result, &handled), NIRA_STATUS_FAILED);

    services.listed[4123] = {{1, 300, TEXT("300")}, {2, 600, TEXT("600")}};
    CNiraResolutionHandler resolution;
    resolution.Attach(&services, 4123, nullptr);
    LONG pairs[4] = {};
    EXPECT_EQ(Ask(resolution, DC_ENUMRESOLUTIONS, pairs, &result, &handled), 0);
    EXPECT_EQ(result, 2u);
    EXPECT_EQ(pairs[2], 600);
    EXPECT_EQ(pairs[3], 600);
}

TEST(CapabilityHandlers, TheSecondTraysBinNeedsTheTray)
{
    for (int tray : {1, 2}) {
        FakeCoreServices services;
        services.current[4305] = tray;
        CNiraInputBinHandler bins;
        bins.Attach(&services, 4117, nullptr);
        EXPECT_EQ(bins.InitializeStates(), 0);
        EXPECT_EQ(services.calls.empty(), tray == 1);
    }
}

TEST(CapabilityHandlers, ThePendingMediaChoice)
{
    struct Case {
        int pending;
        int expected;  // the media type afterwards
        int userChoice;
    } cases[] = {{900, 3, 0}, {-1, 3, 0}, {5, 5, 1}};
    for (const Case& c : cases) {
        FakeCoreServices services;
        services.current = {{6419, c.pending}, {4116, 4}};
        services.previous[4116] = 3;
        services.userSelected[6419] = 1;
        services.records[6419].userSelected = 1;
        CNiraMediaTypeHandler media;
        media.Attach(&services, 4116, nullptr);
        EXPECT_EQ(media.OnWidgetChanged(6070), 0);
        EXPECT_EQ(services.current[4116], c.expected) << c.pending;
        EXPECT_EQ(services.current[6419], 0);
        EXPECT_EQ(services.records[6419].userSelected, 0);
    }
    // The pending choice equal to the previous medium is written straight into the record.
    FakeCoreServices services;
    services.current = {{6419, 3}, {4116, 4}};
    services.previous[4116] = 3;
    services.userSelected[6419] = 1;
    services.records[4116].currentOption = 4;
    CNiraMediaTypeHandler media;
    media.Attach(&services, 4116, nullptr);
    media.OnWidgetChanged(6070);
    EXPECT_EQ(services.records[4116].currentOption, 3);
    EXPECT_TRUE(services.calls.empty());
    media.OnWidgetChanged(6071);  // dropped: back to the previous medium
    EXPECT_EQ(services.calls.back(), (Call{"SetValue", 4116, 4116, 3}));
}

TEST(CapabilityHandlers, ThePrintQualityFollowsTheResolution)
{
    struct Case {
        std::vector<std::string> allowed;
        int current;
        int expected;  // 0: no command
    } cases[] = {
        {{"4"}, 2, 4},       // one allowed quality
        {{"4", "2"}, 2, 2},  // the current one is allowed
        {{"4", "5"}, 2, 3},  // several: the default
        {{}, 2, 0},          // no rows: unchanged
    };
    for (const Case& c : cases) {
        FakeCoreServices services;
        FakeFeatureDatabase database;
        services.listed[4123] = {{1, 300, TEXT("300")}, {2, 600, TEXT("600")}, {3, 1200, TEXT("1200")}};
        services.current[4115] = c.current;
        services.defaults[4115] = 3;
        database.rows[kQualityQuery] = c.allowed;
        CNiraResolutionHandler resolution;
        resolution.Attach(&services, 4123, &database);
        DEVMODEW devmode = {};
        devmode.dmPrintQuality = 1200;
        for (int pass = 0; pass < 2; ++pass) {  // a second run works as the first
            services.calls.clear();
            resolution.OnPublicDevMode(&devmode);
            EXPECT_EQ(resolution.LastResolution(), 3);
            if (c.expected == 0) {
                EXPECT_TRUE(services.calls.empty());
            } else {
                EXPECT_EQ(services.calls, (std::vector<Call>{{"Command", 4123, 4115, 25}})) << c.expected;
            }
        }
        EXPECT_EQ(database.mode, 4123);
    }
}

TEST(CapabilityHandlers, TheColourProfileSuitsTheColourSpace)
{
    FakeCoreServices services;
    FakeFeatureDatabase database;
    OptionInfo srgb = {};
    std::memcpy(srgb.displayName, TEXT("sRGB"), 5 * sizeof(WCHAR));
    services.optionInfos[{4304, 1}] = srgb;
    services.current = {{4138, 1}, {4116, 7}};
    database.rows["SELECT ICCProfileName FROM FDT4227 WHERE MediatypeIndex=\"7\""] = {"first.icc",
                                                                                      "second.icc"};
    CNiraIccProfileHandler icc;
    icc.Attach(&services, 4227, &database);
    EXPECT_EQ(icc.InitializeStates(), 0);
    EXPECT_EQ(services.added, TEXT("sRGB"));
    services.current[4138] = 4;
    EXPECT_EQ(icc.OnConstraintAction(4227, "", "", ""), 0);
    EXPECT_EQ(services.added, TEXT("second.icc"));  // the last row wins
    services.current[4138] = 3;
    EXPECT_EQ(icc.InitializeStates(), NIRA_STATUS_FAILED);

    // The platform's query: arguments, then the size negotiation.
    void* uiObject[2] = {nullptr, &services};
    DEVMODEW devmode = {};
    BYTE oem[4] = {};
    DWORD size = 4;
    DWORD type = 0;
    WCHAR buffer[64] = {};
    services.current[4138] = 2;
    EXPECT_EQ(icc.GetColorProfileName(nullptr, uiObject, &devmode, oem, 1, buffer, &size, &type), E_FAIL);
    void* noSecond[2] = {&services, nullptr};
    EXPECT_EQ(icc.GetColorProfileName(nullptr, noSecond, &devmode, oem, 0, buffer, &size, &type), E_FAIL);
    SetLastError(0);
    EXPECT_EQ(icc.GetColorProfileName(nullptr, uiObject, &devmode, oem, 0, buffer, &size, &type), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, (WString(TEXT("Adobe RGB (1998) D65 WP 2.2 Gamma.icc")).size() + 1) * sizeof(WCHAR));
    EXPECT_EQ(icc.GetColorProfileName(nullptr, uiObject, &devmode, oem, 0, buffer, &size, &type), S_OK);
    EXPECT_EQ(WString(buffer), TEXT("Adobe RGB (1998) D65 WP 2.2 Gamma.icc"));
    EXPECT_EQ(type, 2u);
}
