#include "WidgetFixture.h"

#include "nira/presentation/ComboBoxWidgets.h"

namespace {

class ComboBoxTest : public WidgetTest {
protected:
    std::vector<std::u16string> Rows(HWND combo) const
    {
        std::vector<std::u16string> rows;
        LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR text[300] = {};
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            rows.emplace_back(text);
        }
        return rows;
    }

    CNiraComboBox* Filled(int kind)
    {
        auto* combo = kind == WIDGET_COMBO_BOX_DROPDOWN ? Make<CNiraComboBoxDropDown>(Row(kind, kCombo))
                                                        : Make<CNiraComboBox>(Row(kind, kCombo));
        combo->AddItem(1, TEXT("A"), 2);
        combo->AddItem(2, TEXT("B"), 2);
        combo->AddItem(3, TEXT("C"), 2);
        combo->AddItem(4, TEXT("Hidden"), 3);
        combo->SetValue(2, 0);
        combo->Attach(dialog);
        return combo;
    }
};

TEST_F(ComboBoxTest, OptionsAreListedNewestFirstWithoutTheOnesNotOffered)
{
    AddFeature(kFeature, {}, 0);
    Filled(WIDGET_COMBO_BOX);
    EXPECT_EQ(Rows(Item(kCombo)), (std::vector<std::u16string>{TEXT("C"), TEXT("B"), TEXT("A")}));
    EXPECT_EQ(SendMessageW(Item(kCombo), CB_GETCURSEL, 0, 0), 1);

    Widgets().clear();
    AddFeature(4201, {}, 0, 1);  // a feature that lists options not offered
    auto* shown = Make<CNiraComboBox>(Row(WIDGET_COMBO_BOX, kCombo, 4201));
    shown->AddItem(4, TEXT("Hidden"), 3);
    shown->Attach(dialog);
    EXPECT_EQ(Rows(Item(kCombo)), std::vector<std::u16string>{TEXT("Hidden")});
}

TEST_F(ComboBoxTest, ChoosingAnEntryReportsItOnce)
{
    AddFeature(kFeature, {}, 0);
    auto* combo = Filled(WIDGET_COMBO_BOX);
    nirasim::ChooseItem(Item(kCombo), 0);  // C: CBN_SELCHANGE and CBN_SELENDOK
    EXPECT_EQ(combo->GetValue(), 3);
    EXPECT_EQ(sink.reports, std::vector<int>{kFeature});
    EXPECT_EQ(GetFocus(), Item(kCombo));
}

TEST_F(ComboBoxTest, OptionZeroIsReportedAsMinusOne)
{
    AddFeature(kFeature, {}, 0);
    auto* combo = Make<CNiraComboBox>(Row(WIDGET_COMBO_BOX, kCombo));
    combo->AddItem(0, TEXT("Zero"), 2);
    combo->AddItem(5, TEXT("Five"), 2);
    combo->SetValue(5, 0);
    combo->Attach(dialog);
    nirasim::ChooseItem(Item(kCombo), 1);
    EXPECT_EQ(combo->GetValue(), -1);
    EXPECT_EQ(sink.reports.size(), 1u);
    combo->SetValue(0, 2);  // 0 is no longer an entry: the selection stays
    EXPECT_EQ(SendMessageW(Item(kCombo), CB_GETCURSEL, 0, 0), 1);
}

TEST_F(ComboBoxTest, TypingReportsMinusOneAndLeavingReportsMinusTwo)
{
    AddFeature(kFeature, {}, 0);
    struct Case {
        int kind;
        size_t typingReports;  // one per typed character
        int typedValue;
        int leftValue;
    };
    const Case cases[] = {{WIDGET_COMBO_BOX, 2, -1, -2}, {WIDGET_COMBO_BOX_DROPDOWN, 0, 2, 2}};
    for (const Case& c : cases) {
        Widgets().clear();
        sink.reports.clear();
        auto* combo = Filled(c.kind);
        nirasim::TypeText(Item(kCombo), TEXT("Zq"));
        EXPECT_EQ(sink.reports.size(), c.typingReports) << "kind " << c.kind;
        EXPECT_EQ(combo->GetValue(), c.typedValue) << "kind " << c.kind;
        SetFocus(Item(kPushButton));
        EXPECT_EQ(combo->GetValue(), c.leftValue) << "kind " << c.kind;
    }
}

TEST_F(ComboBoxTest, ALabelFieldCarriesItsLabelAlong)
{
    AddFeature(kFeature, {}, 0);
    WidgetRow row = Row(WIDGET_COMBO_BOX_LABEL_FIELD, kCombo);
    row.labelId = kLabel;
    row.ctrlStringId = 17;
    auto* combo = Make<CNiraComboBoxLabelField>(row);
    combo->Attach(dialog);
    combo->ShowText(dialog, nullptr);
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("Seventeen"));
    combo->SetState(0);
    EXPECT_FALSE(IsWindowVisible(Item(kLabel)));
    EXPECT_FALSE(IsWindowVisible(Item(kCombo)));
    EXPECT_EQ(combo->LoadStringId(1), 0);
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("One"));
}

TEST_F(ComboBoxTest, TheTextLimitDependsOnTheKind)
{
    AddFeature(kFeature, {}, 0);
    Filled(WIDGET_COMBO_BOX_DROPDOWN);
    nirasim::TypeText(Item(kCombo), std::u16string(100, 'x'));
    EXPECT_EQ(TextOf(Item(kCombo)).size(), 79u);
    Widgets().clear();
    Filled(WIDGET_COMBO_BOX);
    nirasim::TypeText(Item(kCombo), std::u16string(100, 'x'));
    EXPECT_EQ(TextOf(Item(kCombo)).size(), 80u);
}

}  // namespace
