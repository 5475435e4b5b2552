#include "WidgetFixture.h"

#include "nira/presentation/EditWidgets.h"
#include "nira/presentation/RangeWidgets.h"

#include <commctrl.h>

namespace {

WidgetRow RangeRow(int kind, int controlId, int minimum, int maximum, int increment)
{
    WidgetRow row = WidgetTest::Row(kind, controlId);
    row.minValue = minimum;
    row.maxValue = maximum;
    row.incrementFactor = increment;
    return row;
}

class IntEditTest : public WidgetTest, public ::testing::WithParamInterface<bool> {};

// Typing a text into the integer edit box: what it reports at once, and after the focus leaves.
TEST_P(IntEditTest, TypedNumbersAreRoundedAndKeptInRange)
{
    nirasim::SetEditChangeOnSetText(GetParam());
    struct Case {
        int minimum;
        int maximum;
        std::u16string typed;
        int reported;  // the value after typing
        int left;      // the value after the focus left
    };
    const Case cases[] = {
        {1, 100, TEXT("250"), 100, 100}, {1, 100, TEXT("2.5"), 3, 3},      {1, 100, TEXT("-2.5"), -3, 1},
        {1, 100, TEXT("0"), 50, 1},      {-10, 10, TEXT("-15"), -10, -10}, {1, 100, TEXT("7x"), 7, 7},
    };
    for (const Case& c : cases) {
        Widgets().clear();
        auto* edit = Make<CNiraIntEditBox>(RangeRow(WIDGET_INT_EDIT_BOX, kEdit, c.minimum, c.maximum, 1));
        edit->SetValue(50, 0);
        edit->Attach(dialog);
        nirasim::TypeText(Item(kEdit), c.typed);
        EXPECT_EQ(edit->GetValue(), c.reported) << std::string(c.typed.begin(), c.typed.end());
        SetFocus(Item(kPushButton));
        EXPECT_EQ(edit->GetValue(), c.left) << std::string(c.typed.begin(), c.typed.end());
        EXPECT_EQ(
            TextOf(Item(kEdit)), std::u16string(TEXT("")) + [&] {
                std::string number = std::to_string(c.left);
                return std::u16string(number.begin(), number.end());
            }());
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutChangeOnSetText, IntEditTest, ::testing::Bool());

TEST_F(WidgetTest, AnEditBoxReportsChangedTextsAndAlwaysTellsTheHandlerOnLeaving)
{
    auto* edit = Make<CNiraEditBox>(Row(WIDGET_EDIT_BOX, kEdit));
    edit->SetLimits(5, 0.0f, 0.0f);
    edit->SetEditText(TEXT("Old"));
    edit->Attach(dialog);
    EXPECT_EQ(TextOf(Item(kEdit)), TEXT("Old"));
    sink.reports.clear();  // showing the text notified EN_CHANGE, which reported it
    nirasim::TypeText(Item(kEdit), TEXT("Longer name"));
    EXPECT_EQ(TextOf(Item(kEdit)), TEXT("Longe"));
    EXPECT_EQ(std::u16string(edit->GetText()), TEXT("Longe"));
    EXPECT_EQ(sink.reports.size(), 5u);
    SetFocus(Item(kPushButton));
    EXPECT_EQ(sink.featureNotifications, std::vector<int>{kFeature});
}

TEST_F(WidgetTest, ATrackBarCentresANegativeRange)
{
    auto* track = Make<CNiraTrackBar>(RangeRow(WIDGET_TRACK_BAR, kTrackBar, -50, 50, 5));
    track->SetValue(-50, 0);
    track->Attach(dialog);
    HWND control = Item(kTrackBar);
    EXPECT_EQ(SendMessageW(control, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(control, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(control, TBM_GETPOS, 0, 0), 0);
    track->SetValue(0, 2);
    EXPECT_EQ(SendMessageW(control, TBM_GETPOS, 0, 0), 50);
    nirasim::Scroll(control, TB_PAGEDOWN);
    EXPECT_EQ(track->GetValue(), 5);
    nirasim::Scroll(control, TB_THUMBTRACK, 10);
    EXPECT_EQ(track->GetValue(), -40);
}

TEST_F(WidgetTest, ATrackBarThumbMovesTheValueOnlyFromAMinimumOfOne)
{
    struct Case {
        int minimum;
        int maximum;
        int thumb;
        int value;
    };
    for (const Case& c : {Case{1, 10, 3, 4}, Case{0, 10, 3, 5}}) {
        Widgets().clear();
        auto* track = Make<CNiraTrackBar>(RangeRow(WIDGET_TRACK_BAR, kTrackBar, c.minimum, c.maximum, 1));
        track->SetValue(5, 0);
        track->Attach(dialog);
        nirasim::Scroll(Item(kTrackBar), TB_THUMBPOSITION, c.thumb);
        EXPECT_EQ(track->GetValue(), c.value) << "minimum " << c.minimum;
        nirasim::Scroll(Item(kTrackBar), TB_LINEDOWN);
        EXPECT_EQ(track->GetValue(), c.value + 1) << "minimum " << c.minimum;
    }
}

TEST_F(WidgetTest, AScrollBarFollowsItsCodesAndKeepsItsThumbWhileDisabled)
{
    auto* bar = Make<CNiraScrollBar>(RangeRow(WIDGET_SCROLL_BAR, kScrollBar, 0, 20, 5));
    bar->SetValue(10, 0);
    bar->Attach(dialog);
    HWND control = Item(kScrollBar);
    EXPECT_EQ(GetScrollPos(control, SB_CTL), 10);
    struct Step {
        int code;
        int position;
        int value;
    };
    for (const Step& s : {Step{SB_LINEUP, 0, 9}, Step{SB_PAGEDOWN, 0, 14}, Step{SB_THUMBTRACK, 30, 20},
                          Step{SB_TOP, 0, 0}, Step{SB_BOTTOM, 0, 20}}) {
        nirasim::Scroll(control, s.code, s.position);
        EXPECT_EQ(bar->GetValue(), s.value) << "code " << s.code;
        EXPECT_EQ(GetScrollPos(control, SB_CTL), s.value) << "code " << s.code;
    }
    bar->SetState(2);
    bar->SetValue(3, 2);
    EXPECT_EQ(GetScrollPos(control, SB_CTL), 20);
}

TEST_F(WidgetTest, ASpinPacksItsRangeAndNeverReports)
{
    auto* spin = Make<CNiraSpinControl>(RangeRow(WIDGET_SPIN_CONTROL, kUpDown, 1, 99, 1));
    spin->SetValue(10, 0);
    spin->Attach(dialog);
    HWND control = Item(kUpDown);
    EXPECT_EQ(SendMessageW(control, UDM_GETRANGE, 0, 0), MAKELONG(99, 1));
    EXPECT_EQ(LOWORD(SendMessageW(control, UDM_GETPOS, 0, 0)), 10);
    nirasim::ClickSpin(control, true);
    EXPECT_EQ(spin->GetValue(), 10);
    EXPECT_TRUE(sink.reports.empty());
    spin->SetState(2);
    spin->SetValue(40, 2);
    EXPECT_EQ(LOWORD(SendMessageW(control, UDM_GETPOS, 0, 0)), 11);
}

}  // namespace
