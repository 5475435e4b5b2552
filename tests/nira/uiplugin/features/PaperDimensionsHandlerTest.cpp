// The paper dimensions texts: the size of the current paper in inches and millimetres, turned
// with the orientation, kept while the paper is marked set, rebuilt on command 24, and the unit
// switched by the widget.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include "FormServices.h"
#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"

namespace {

class PaperDimensionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        services.current[4118] = 1;
        services.current[4114] = 256;
        services.current[4211] = 1;
        services.listed[4114] = {{256, 256, TEXT("Letter")}, {259, 259, TEXT("A4")}};
        services.options = {{4211, 1}, {4211, 2}};
        services.answer = [this](int command, int* value, int* result) {
            if (command != 10) {
                return NIRA_STATUS_FAILED;
            }
            result[0] = *value == 259 ? 2100 : 2159;
            result[1] = *value == 259 ? 2970 : 2794;
            ++sizeAsked;
            return 0;
        };
        handler.Attach(&services, 4258, nullptr);
    }
    WString Text(int option) { return WString(services.optionInfos[{4211, option}].displayName); }

    FormServices services;
    CNiraPaperDimensionsHandler handler;
    int sizeAsked = 0;
};

}  // namespace

TEST_F(PaperDimensionsTest, TextsOfLetterAndA4)
{
    struct Case {
        int paper;
        int orientation;
        const WCHAR* inches;
        const WCHAR* millimetres;
    };
    const Case cases[] = {
        {256, 1, TEXT("8.50 x 11.00inches"), TEXT("216 x 279mm")},
        {256, 2, TEXT("11.00 x 8.50inches"), TEXT("279 x 216mm")},
        {259, 1, TEXT("8.27 x 11.69inches"), TEXT("210 x 297mm")},
    };
    for (const Case& c : cases) {
        services.current[4114] = c.paper;
        services.current[4118] = c.orientation;
        // Without a printer the string library cannot be had: the built-in unit texts.
        ASSERT_EQ(handler.InitializeStates(), 0);
        EXPECT_EQ(Text(1), c.inches);
        EXPECT_EQ(Text(2), c.millimetres);
    }
    EXPECT_EQ(services.calls.back(), (FakeCoreServices::Call{"SetValue", 4258, 4211, 1}));  // the unit again
}

TEST_F(PaperDimensionsTest, ASetPaperKeepsTheSizeAndCommand24Rebuilds)
{
    handler.InitializeStates();
    services.current[4114] = 259;
    services.isSet[4114] = 1;
    EXPECT_EQ(handler.OnCommand(4114, 24, nullptr, nullptr), 0);
    EXPECT_EQ(Text(1), TEXT("8.50 x 11.00inches"));
    services.isSet[4114] = 0;
    EXPECT_EQ(handler.OnCommand(4114, 24, nullptr, nullptr), 0);
    EXPECT_EQ(Text(2), TEXT("210 x 297mm"));
    EXPECT_EQ(handler.OnCommand(4114, 23, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(handler.OnConstraintAction(4211, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(handler.OnConstraintAction(4118, nullptr, nullptr, nullptr), NIRA_STATUS_FAILED);

    services.current.erase(4118);  // no orientation: the texts stay
    services.optionInfos.clear();
    EXPECT_EQ(handler.OnCommand(4114, 24, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_TRUE(services.optionInfos.empty());
}

TEST_F(PaperDimensionsTest, TheWidgetTogglesTheUnit)
{
    EXPECT_EQ(handler.OnWidgetChanged(6999), 0);
    EXPECT_EQ(services.current[4211], 2);
    EXPECT_EQ(services.lastFromOwner, 1);
    EXPECT_EQ(handler.OnWidgetChanged(6999), 0);
    EXPECT_EQ(services.current[4211], 1);
    services.current[4211] = 0;
    EXPECT_EQ(handler.OnWidgetChanged(6999), NIRA_STATUS_FAILED);
}

TEST(PaperDimensionsUnits, FromTheStringLibraryOfThePrinter)
{
    nirasim::Machine machine;
    machine.InstallSamplePackage(NIRA_BUILD_DIR);
    machine.AddSamplePrinter("Nira Sample");
    machine.SetUILanguage(0x0407);
    FormServices services;
    services.printerName = TEXT("Nira Sample");
    services.current[4118] = 1;
    services.current[4114] = 256;
    services.listed[4114] = {{256, 256, TEXT("Letter")}};
    services.options = {{4211, 1}, {4211, 2}};
    services.answer = [](int, int*, int* result) {
        result[0] = 2159;
        result[1] = 2794;
        return 0;
    };
    CNiraPaperDimensionsHandler handler;
    handler.Attach(&services, 4258, nullptr);
    handler.InitializeStates();
    EXPECT_EQ(WString(services.optionInfos[{4211, 1}].displayName), TEXT("8.50 x 11.00Zoll"));
    EXPECT_EQ(WString(services.optionInfos[{4211, 2}].displayName), TEXT("216 x 279mm"));
}
