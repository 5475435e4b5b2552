#include "WidgetFixture.h"

#include "nira/presentation/CheckRadioWidgets.h"

namespace {

class RadioTest : public WidgetTest {
protected:
    // A radio widget of rows One (12) and Two (13), group frame 30.
    CNiraRadioButton* MakeRadio(int state = 3)
    {
        WidgetRow row = Row(WIDGET_RADIO_BUTTON, kRadioOne, kFeature, state);
        row.groupId = 30;
        row.ctrlHelpId = 500;
        auto* radio = Make<CNiraRadioButton>(row);
        // The option buttons belong to the radio widget alone: the group routes their commands to it.
        for (int id : {kRadioOne, kRadioTwo}) {
            WidgetRow buttonRow = Row(WIDGET_BUTTON, id);
            buttonRow.ctrlHelpId = 600 + id;
            std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(buttonRow));
            optionButtons.push_back(std::make_unique<CNiraButton>(*info));
            radio->AddOptionButton(optionButtons.back().get());
        }
        return radio;
    }

    std::vector<std::unique_ptr<CNiraButton>> optionButtons;

    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
};

TEST_F(RadioTest, ValuesCountTheButtonsInTheOrderTheyWereAdded)
{
    auto* radio = MakeRadio();
    radio->Attach(dialog);
    struct Case {
        int value;
        bool one;
        bool two;
    };
    for (const Case& c :
         {Case{0, true, false}, Case{1, false, true}, Case{2, false, false}, Case{-1, false, false}}) {
        radio->SetValue(c.value, 2);
        EXPECT_EQ(Checked(kRadioOne), c.one) << c.value;
        EXPECT_EQ(Checked(kRadioTwo), c.two) << c.value;
    }
}

TEST_F(RadioTest, ClickingTheCheckedButtonReportsNothing)
{
    auto* radio = MakeRadio();
    radio->Attach(dialog);
    radio->SetValue(0, 2);
    nirasim::Click(Item(kRadioOne));
    EXPECT_TRUE(sink.reports.empty());
    nirasim::Click(Item(kRadioTwo));
    EXPECT_EQ(radio->GetValue(), 1);
    EXPECT_EQ(sink.reports.size(), 1u);
}

TEST_F(RadioTest, AGreyedOptionDisablesItsButtonAndTheFrameStateRulesTheRest)
{
    AddFeature(kFeature, {{1, TEXT("One"), 2}, {2, TEXT("Two"), 5}}, 1);
    auto* radio = MakeRadio();
    radio->Attach(dialog);
    // Options and buttons are both listed newest first: Two's state 5 disables button Two.
    EXPECT_TRUE(IsWindowEnabled(Item(kRadioOne)));
    EXPECT_FALSE(IsWindowEnabled(Item(kRadioTwo)));
    radio->SetState(0);
    EXPECT_FALSE(IsWindowVisible(Item(kRadioOne)));
    radio->SetState(2);
    EXPECT_TRUE(IsWindowVisible(Item(kRadioOne)));
    EXPECT_TRUE(IsWindowEnabled(Item(kRadioOne)));
}

TEST_F(RadioTest, HelpComesFromTheButtonOrTheFrame)
{
    auto* radio = MakeRadio();
    EXPECT_EQ(radio->GetHelpId(kRadioTwo), 600 + kRadioTwo);
    EXPECT_EQ(radio->GetHelpId(30), 500);
    EXPECT_EQ(radio->GetHelpId(kCombo), 0);
}

TEST_F(WidgetTest, ACheckBoxReportsItsCheckState)
{
    auto* check = Make<CNiraCheckBox>(Row(WIDGET_CHECK_BOX, kCheckBox));
    check->SetValue(1, 0);
    check->Attach(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheckBox), static_cast<UINT>(BST_CHECKED));
    nirasim::Click(Item(kCheckBox));
    EXPECT_EQ(check->GetValue(), 0);
    EXPECT_EQ(sink.reports.size(), 1u);
    check->SetValue(-1, 2);  // a negative value leaves the box as it is
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheckBox), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(check->OnCommand(kCombo, nullptr, BN_CLICKED, 0), 0);
}

}  // namespace
