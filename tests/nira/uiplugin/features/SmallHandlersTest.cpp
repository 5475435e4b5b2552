// The eight small handlers: their commands, initial states, device capability and PrintTicket.
#include <gtest/gtest.h>

#include <printoem.h>

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/BorderlessHandler.h"
#include "nira/uiplugin/features/handlers/ColorSpaceHandler.h"
#include "nira/uiplugin/features/handlers/DuplexHandler.h"
#include "nira/uiplugin/features/handlers/DuplexUnitHandler.h"
#include "nira/uiplugin/features/handlers/PairedDefaultsHandler.h"
#include "nira/uiplugin/features/handlers/PrintQualityHandler.h"
#include "nira/uiplugin/features/handlers/StatusRefreshHandler.h"
#include "printticket/converters/ConverterFixture.h"

using Call = FakeCoreServices::Call;
using Calls = std::vector<Call>;

TEST(SmallHandlers, PrintQualityCommands)
{
    FakeCoreServices services;
    CNiraPrintQualityHandler handler;
    handler.Attach(&services, 4115, nullptr);
    EXPECT_EQ(handler.GetHandlerId(), 0);  // the id is the handler's own
    int value = 4;
    EXPECT_EQ(handler.OnCommand(0, 25, &value, nullptr), 0);
    EXPECT_EQ(handler.OnCommand(0, 25, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(handler.OnCommand(0, 99, &value, nullptr), NIRA_STATUS_FAILED);
    services.current[4298] = 2;
    EXPECT_EQ(handler.OnCommand(0, 36, nullptr, nullptr), 0);
    services.current[4298] = 1;
    handler.OnCommand(0, 36, nullptr, nullptr);
    EXPECT_EQ(services.calls, (Calls{{"SetValue", 4115, 4115, 4},
                                     {"SetOptionState", 4115, 4115, 5 * 10 + 2},
                                     {"SetOptionState", 4115, 4115, 5 * 10 + 3}}));
    EXPECT_EQ(handler.OnWidgetChanged(4115), NIRA_STATUS_FAILED);
}

TEST(SmallHandlers, BorderlessAndDuplexUnitCommands)
{
    FakeCoreServices services;
    CNiraBorderlessHandler borderless;
    borderless.Attach(&services, 4119, nullptr);
    int on = 2;
    EXPECT_EQ(borderless.OnCommand(0, 21, &on, nullptr), 0);
    EXPECT_EQ(borderless.OnCommand(0, 22, &on, nullptr), 0);
    EXPECT_EQ(borderless.OnCommand(0, 21, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(borderless.OnCommand(0, 22, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(borderless.OnCommand(0, 23, &on, nullptr), 0);

    CNiraDuplexUnitHandler unit;
    unit.Attach(&services, 4221, nullptr);
    for (int present : {1, 0, 5}) {
        EXPECT_EQ(unit.OnCommand(0, 16, &present, nullptr), 0);
    }
    EXPECT_EQ(unit.OnCommand(0, 16, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(services.calls, (Calls{{"SetValue", 4119, 4119, 2},
                                     {"SetDisplayState", 4119, 4119, 2},
                                     {"SetValue", 4221, 4221, 1},
                                     {"SetValue", 4221, 4221, 2}}));
}

TEST(SmallHandlers, DuplexUnitAnswersDcDuplex)
{
    FakeCoreServices services;
    CNiraDuplexUnitHandler unit;
    unit.Attach(&services, 4221, nullptr);
    DWORD result = 77;
    int handled = 0;
    EXPECT_EQ(
        unit.DeviceCapabilities(nullptr, nullptr, DC_DUPLEX, nullptr, nullptr, nullptr, 0, &result, &handled),
        S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(result, 77u);  // no options: the caller's answer stays
    services.optionCounts[4221] = 2;
    EXPECT_EQ(
        unit.DeviceCapabilities(nullptr, nullptr, DC_DUPLEX, nullptr, nullptr, nullptr, 0, &result, &handled),
        S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(result, 1u);
    handled = 0;
    EXPECT_EQ(
        unit.DeviceCapabilities(nullptr, nullptr, DC_COPIES, nullptr, nullptr, nullptr, 0, &result, &handled),
        E_FAIL);
    EXPECT_EQ(handled, 0);

    // A unit shown greyed turns automatic two-sided printing off.
    services.display[4221] = 2;
    unit.InitializeStates();
    EXPECT_EQ(services.current[4221], 2);
}

TEST(SmallHandlers, AutomaticTwoSidedNeedsTheUnit)
{
    struct Case {
        int unit;
        int isSet;
        bool greyed;
    } cases[] = {{1, 0, false}, {2, 1, false}, {2, 0, true}};
    for (const Case& c : cases) {
        FakeCoreServices services;
        services.current[4221] = c.unit;
        services.isSet[4221] = c.isSet;
        CNiraDuplexHandler duplex;
        duplex.Attach(&services, 4125, nullptr);
        EXPECT_EQ(duplex.InitializeStates(), 0);
        EXPECT_EQ(services.calls.size(), c.greyed ? 1u : 0u) << c.unit << " " << c.isSet;
        if (c.greyed) {
            EXPECT_EQ(services.calls[0], (Call{"SetOptionState", 4125, 4125, 3 * 10 + 3}));
        }
    }
}

TEST(SmallHandlers, StatusRefreshAsksThePrinterStatus)
{
    FakeCoreServices services;
    CNiraStatusRefreshHandler refresh;
    refresh.Attach(&services, 4133, nullptr);
    EXPECT_EQ(refresh.OnWidgetCommand(1234), 0);
    EXPECT_EQ(services.calls, (Calls{{"Command", 6003, 6501, 30}}));
}

TEST(SmallHandlers, PairsGoBackToTheirDefaultsTogether)
{
    FakeCoreServices services;
    services.defaults = {{4217, 1}, {4302, 1}, {4296, 1}, {4300, 1}, {4216, 1}, {4301, 1}};
    services.current = {{4217, 2}, {4302, 3}, {4296, 1}, {4300, 1}, {4216, 2}, {4301, 1}};
    CNiraPairedDefaultsHandler paired;
    paired.Attach(&services, 4263, nullptr);
    paired.InitializeStates();
    EXPECT_EQ(services.display[6337], 3);  // 4217 is away from its default
    EXPECT_EQ(services.display.count(6338), 0u);
    EXPECT_EQ(services.display.count(6336), 0u);

    services.current[4217] = 1;  // back to the default: its partner follows and the marker hides
    paired.OnWidgetChanged(4217);
    EXPECT_EQ(services.current[4302], 1);
    EXPECT_EQ(services.display[6337], 1);
    services.current[4217] = 2;  // away again: the marker shows, the partner stays
    paired.OnWidgetChanged(4217);
    EXPECT_EQ(services.current[4302], 1);
    EXPECT_EQ(services.display[6337], 3);

    services.current[4301] = 1;  // a widget of the third pair's second feature
    paired.OnWidgetChanged(6342);
    EXPECT_EQ(services.current[4216], 1);
    EXPECT_EQ(services.display[6336], 1);
    services.calls.clear();
    paired.OnWidgetChanged(4216);  // the third pair does not follow its first feature
    EXPECT_TRUE(services.calls.empty());
}

class ColorSpaceTicketTest : public ConverterTest {};

TEST_F(ColorSpaceTicketTest, TheTicketsColourManagementSelectsTheColourSpace)
{
    struct Case {
        const WCHAR* option;  // null: no PageColorManagement feature
        int selected;         // 0: unchanged
        bool pictureReset;
    } cases[] = {
        {TEXT("{k}Driver"), 1, false},
        {TEXT("PSK:DRIVER"), 3, true},
        {TEXT("{k}System"), 3, true},
        {nullptr, 0, false},
    };
    for (const Case& c : cases) {
        FakeCoreServices services;
        services.options.insert({4138, 3});
        CNiraColorSpaceHandler handler;
        handler.Attach(&services, 4138, nullptr);
        LoadTicket(c.option == nullptr ? WString()
                                       : FeatureWithOption(TEXT("{k}PageColorManagement"), c.option));
        handler.ReadPrintTicket(m_dom.Get());
        EXPECT_EQ(services.current.count(4138) ? services.current[4138] : 0, c.selected)
            << Narrow(c.option ? c.option : TEXT("none"));
        bool reset = !services.calls.empty() && services.calls.back() == Call{"Command", 4138, 6025, 28};
        EXPECT_EQ(reset, c.pictureReset);
    }
    CNiraColorSpaceHandler handler;
    EXPECT_EQ(handler.ReadPrintTicket(nullptr), E_FAIL);
    EXPECT_EQ(handler.WritePrintTicket(nullptr), E_FAIL);
    EXPECT_EQ(handler.WritePrintCapabilities(nullptr, nullptr), E_FAIL);
}
