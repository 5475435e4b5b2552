#include "WidgetFixture.h"

#include "nira/presentation/ButtonWidgets.h"
#include "nira/presentation/StaticWidgets.h"

namespace {

// A widget of the base's own behaviour: it counts its redraws and handles no command.
class CountingWidget : public CNiraWidget {
public:
    explicit CountingWidget(const CNiraWidgetInfo& row)
        : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row),
                      row.CtrlHelpID(), row.GroupID(), 5, row.FeatureID())
    {}
    void Refresh() override { ++refreshes; }
    int OnCommand(int, HWND, int, int) override { return 0; }
    int refreshes = 0;
};

TEST_F(WidgetTest, SetValueActsByItsFlags)
{
    struct Case {
        int value;
        int flags;
        bool attached;
        int refreshes;
        size_t reports;
    };
    const Case cases[] = {
        {5, 2, true, 0, 0},     // unchanged, no force: nothing
        {5, 6, true, 1, 0},     // forced: redraws
        {6, 2, false, 0, 0},    // detached: stores only
        {6, 1, true, 0, 1},     // reports without redrawing
        {7, 0x10, true, 0, 0},  // 0x10 means nothing to a value
        {6, 5, true, 0, 1},
    };
    for (const Case& c : cases) {
        auto* widget = Make<CountingWidget>(Row(WIDGET_STATIC, kLabel));
        if (c.attached) {
            widget->Attach(dialog);
        }
        widget->refreshes = 0;
        sink.reports.clear();
        widget->SetValue(c.value, c.flags);
        EXPECT_EQ(widget->GetValue(), c.value);
        EXPECT_EQ(widget->refreshes, c.refreshes) << c.value << " flags " << c.flags;
        EXPECT_EQ(sink.reports.size(), c.reports) << c.value << " flags " << c.flags;
    }
}

TEST_F(WidgetTest, SetTextCopiesAgainForAFeatureNotificationAndCutsLongTexts)
{
    auto* widget = Make<CountingWidget>(Row(WIDGET_STATIC, kLabel));
    widget->Attach(dialog);
    widget->SetText(TEXT("A"), 3);
    EXPECT_EQ(sink.reports.size(), 1u);
    widget->SetText(TEXT("A"), 3);  // the same text without 4 or 0x10: nothing
    EXPECT_EQ(sink.reports.size(), 1u);
    widget->SetText(TEXT("A"), 0x10);
    EXPECT_EQ(sink.featureNotifications, std::vector<int>{kFeature});

    std::u16string longText(300, 'x');
    widget->SetText(reinterpret_cast<const WCHAR*>(longText.c_str()), 0);
    EXPECT_EQ(std::u16string(widget->GetText()), longText.substr(0, 259));
}

TEST_F(WidgetTest, TheStateShowsAndEnablesTheControlAndItsCompanion)
{
    struct Case {
        int state;
        BOOL visible;
        BOOL enabled;
    };
    const Case cases[] = {
        {0, FALSE, FALSE}, {1, FALSE, FALSE}, {2, TRUE, FALSE}, {3, TRUE, TRUE}, {7, TRUE, TRUE}};
    WidgetRow row = Row(WIDGET_STATIC, kEdit);
    row.groupId = kLabel;
    auto* widget = Make<CountingWidget>(row);
    widget->Attach(dialog);
    for (const Case& c : cases) {
        widget->SetState(c.state);
        for (int id : {kEdit, kLabel}) {
            EXPECT_EQ(IsWindowVisible(Item(id)), c.visible) << "state " << c.state << " control " << id;
            EXPECT_EQ(IsWindowEnabled(Item(id)), c.enabled) << "state " << c.state << " control " << id;
        }
    }

    widget->SetState(3);
    SetFocus(Item(kEdit));
    widget->SetState(2);
    EXPECT_EQ(GetFocus(), dialog);
}

TEST_F(WidgetTest, AttachingToASecondWindowIsIgnoredUntilDetached)
{
    auto* widget = Make<CountingWidget>(Row(WIDGET_STATIC, kLabel));
    HWND second = CreateDialogParamW(module, MAKEINTRESOURCEW(100), nullptr, nullptr, 0);
    widget->Attach(dialog);
    widget->Attach(second);
    EXPECT_EQ(widget->GetDialog(), dialog);
    widget->Attach(nullptr);
    widget->Attach(second);
    EXPECT_EQ(widget->GetDialog(), second);
    DestroyWindow(second);
}

TEST_F(WidgetTest, HelpIdsStringIdsAndStringTexts)
{
    WidgetRow row = Row(WIDGET_STATIC, kLabel);
    row.groupId = kEdit;
    row.ctrlHelpId = 77;
    row.ctrlStringId = 17;
    auto* widget = Make<CountingWidget>(row);
    EXPECT_EQ(widget->GetHelpId(kLabel), 77);
    EXPECT_EQ(widget->GetHelpId(kEdit), 77);
    EXPECT_EQ(widget->GetHelpId(kCombo), 0);
    widget->SetStringId(0);
    widget->SetStringId(-5);
    EXPECT_EQ(widget->GetStringId(), 17);
    EXPECT_EQ(widget->LoadStringId(0), static_cast<int>(NIRA_STATUS_FAILED));

    widget->Attach(dialog);
    widget->ShowText(dialog, nullptr);
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("Seventeen"));
    EXPECT_EQ(widget->LoadStringId(1), 0);
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("One"));
    widget->ShowText(dialog, TEXT("Own"));
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("Own"));
}

TEST_F(WidgetTest, AStaticShowsItsTextOrElseItsStringAndSetsAnEqualTextOnce)
{
    WidgetRow row = Row(WIDGET_STATIC, kLabel);
    row.ctrlStringId = 1;
    auto* label = Make<CNiraStaticControl>(row);
    label->Attach(dialog);
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("One"));
    label->SetEditText(TEXT("Letter"));
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("Letter"));
    SetWindowTextW(Item(kLabel), TEXT("changed elsewhere"));
    label->SetEditText(TEXT("Letter"));
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("changed elsewhere"));
    EXPECT_EQ(label->OnCommand(kCombo, nullptr, 0, 0), 0);
    EXPECT_EQ(label->OnCommand(kLabel, nullptr, 0, 0), 1);
}

TEST_F(WidgetTest, AButtonReportsItsClicksAndEnablesByItsOwnState)
{
    WidgetRow row = Row(WIDGET_BUTTON, kPushButton);
    row.endControl = 2;
    auto* button = Make<CNiraButton>(row);
    button->Attach(dialog);
    EXPECT_EQ(button->GetEndAction(), 2);
    nirasim::Click(Item(kPushButton));
    EXPECT_EQ(sink.reports, std::vector<int>{kFeature});
    button->SetState(2);
    EXPECT_TRUE(IsWindowVisible(Item(kPushButton)));
    EXPECT_FALSE(IsWindowEnabled(Item(kPushButton)));
}

}  // namespace
