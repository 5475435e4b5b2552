// The widget registry: filing, filling each kind from the UI settings object, writing a changed
// value back, the Apply button of the sheet and the refresh of the features the settings changed.
#include "WidgetFixture.h"

#include <prsht.h>

#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/ComboBoxOwnerDrawn.h"
#include "nira/presentation/EditWidgets.h"
#include "nira/presentation/ImageWidgets.h"
#include "nira/presentation/RangeWidgets.h"
#include "nira/presentation/WidgetFactory.h"
#include "nira/presentation/WidgetGroup.h"
#include "nira/presentation/WidgetRegistry.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"

namespace {

constexpr int kOtherFeature = 4201;
constexpr int kPaperSize = 4114;
constexpr int kChangeState = 6079;
constexpr int kOutsideFeature = 9000;
constexpr int kPageWindow = 300;

std::vector<UINT> g_sheetMessages;

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PSM_CHANGED || message == PSM_UNCHANGED) {
        g_sheetMessages.push_back(message);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A check box that notes each state it is given, by its feature.
class StateNotingCheckBox : public CNiraCheckBox {
public:
    StateNotingCheckBox(const CNiraWidgetInfo& row, std::vector<int>* log) : CNiraCheckBox(row), m_log(log) {}
    void SetState(int state) override
    {
        m_log->push_back(GetFeatureId());
        CNiraCheckBox::SetState(state);
    }

private:
    std::vector<int>* m_log;
};

class WidgetRegistryTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registry = std::make_unique<CNiraWidgetRegistry>(1);
    }

    // A widget of the row's kind made by the factory and filed as the controller files it.
    CNiraWidget* File(const WidgetRow& row)
    {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(row));
        CNiraWidgetFactory factory;
        CNiraWidget* widget = factory.CreateWidget(info.get());
        if (widget != nullptr) {
            File(widget);
        }
        return widget;
    }
    void File(CNiraWidget* widget)
    {
        widget->SetController(&controller);
        registry->AddWidget(widget->GetControlId(), widget);
        registry->AddFeatureWidget(widget->GetFeatureId(), widget);
        registry->MapControl(widget->GetControlId(), widget->GetFeatureId());
    }
    void ClearChanges()
    {
        while (CNiraPtrList* changes = settings.settings.GetChangeList()) {
            if (changes->GetHead() == nullptr) {
                break;
            }
            settings.settings.RemoveChange(static_cast<ChangeRecord*>(changes->GetHead()->value)->featureId);
        }
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        settings.settings.GetCurrentOption(featureId, &option, &isSet);
        return option;
    }
    std::vector<std::u16string> ComboEntries(HWND combo) const
    {
        std::vector<std::u16string> entries;
        const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR text[kWidgetTextLength] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }

    std::unique_ptr<CNiraWidgetRegistry> registry;
};

TEST_F(WidgetRegistryTest, FactoryMakesTheClassOfEachKind)
{
    CNiraWidgetFactory factory;
    for (int kind = 0; kind <= 30; ++kind) {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(kind, kCombo)));
        std::unique_ptr<CNiraWidget> widget(factory.CreateWidget(info.get()));
        const bool hasClass = kind == 2 || (kind >= 4 && kind <= 7) || (kind >= 11 && kind <= 13) ||
                              (kind >= 15 && kind <= 23) || (kind >= 25 && kind <= 28);
        EXPECT_EQ(widget != nullptr, hasClass) << kind;
        if (widget != nullptr) {
            EXPECT_EQ(widget->GetKind(), kind);
        }
    }
    EXPECT_EQ(factory.CreateWidget(nullptr), nullptr);
    EXPECT_EQ(factory.CreateGroup(nullptr), nullptr);
    for (auto [container, kind, page] : {std::tuple{1, 2, 0}, {11, 11, 1}, {12, 12, 0}, {5, 7, 1}}) {
        CNiraWindowRecord row(container, kPageWindow, 0, TEXT("Page"), 0);
        std::unique_ptr<CNiraWidgetGroup> group(factory.CreateGroup(&row));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->IsPage(), page) << container;
        EXPECT_EQ(group->GetWindowId(), kPageWindow);
    }
}

TEST_F(WidgetRegistryTest, FillShowsTheCurrentOptionByKind)
{
    AddFeature(kFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}, {3, TEXT("Third"), 2}}, 2);
    struct Case {
        int kind;
        int control;
        int current;
        int value;
    } const cases[] = {
        {WIDGET_CHECK_BOX, kCheckBox, 2, 1},    {WIDGET_CHECK_BOX, kCheckBox, 1, 0},
        {WIDGET_RADIO_BUTTON, kRadioOne, 3, 2}, {WIDGET_INT_EDIT_BOX, kEdit, 3, 3},
        {WIDGET_TRACK_BAR, kTrackBar, 1, 1},    {WIDGET_COMBO_BOX, kCombo, 3, 3},
        {WIDGET_LIST_BOX, kList, 2, 2},
    };
    for (const Case& c : cases) {
        int feature = kFeature;
        int option = c.current;
        settings.settings.ForceCurrentOption(&feature, &option, 1);
        WidgetRow row = Row(c.kind, c.control);
        row.groupId = c.kind == WIDGET_RADIO_BUTTON ? c.control : 0;
        CNiraWidget* widget = File(row);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(registry->FillWidget(widget, &settings.settings, 1), 1);
        EXPECT_EQ(widget->GetValue(), c.value) << c.kind << " at option " << c.current;
    }
    EXPECT_EQ(registry->FillWidget(nullptr, &settings.settings, 1), 0);
}

TEST_F(WidgetRegistryTest, FillListsOptionsAndTexts)
{
    AddFeature(kFeature, {{1, TEXT("Plain"), 2}, {2, TEXT("Glossy"), 2}, {3, TEXT("Hidden"), 3}}, 2);
    AddFeature(kOtherFeature, {{1, TEXT("Only text"), 2}}, 1);
    CNiraWidget* combo = File(Row(WIDGET_COMBO_BOX, kCombo));
    CNiraWidget* label = File(Row(WIDGET_STATIC, kLabel, kOtherFeature));
    EXPECT_EQ(registry->FillAllWidgets(&settings.settings), 1);
    combo->Attach(dialog);
    label->Attach(dialog);
    // The option not offered is left out; the database's order comes back in the list.
    EXPECT_EQ(ComboEntries(Item(kCombo)), (std::vector<std::u16string>{TEXT("Plain"), TEXT("Glossy")}));
    EXPECT_EQ(TextOf(Item(kCombo)), TEXT("Glossy"));
    EXPECT_EQ(TextOf(Item(kLabel)), TEXT("Only text"));
}

TEST_F(WidgetRegistryTest, PicturesRefuseTheWrongNumberOfOptions)
{
    AddFeature(kFeature, {{1, TEXT("Only"), 2}}, 1);
    AddFeature(kOtherFeature, {{1, TEXT("One"), 2}, {2, TEXT("Two"), 2}}, 2);
    CNiraWidget* picture = File(Row(WIDGET_OWNERDRAWN_BUTTON, kPushButton));
    EXPECT_EQ(registry->FillWidget(picture, &settings.settings, 1), static_cast<int>(0x10000002));
    EXPECT_EQ(picture->GetValue(), 0);
    EXPECT_EQ(registry->FillWidget(picture, &settings.settings, 0), 1);  // not filling: the value only
    EXPECT_EQ(picture->GetValue(), 1);

    CNiraWidget* drawnStatic = File(Row(WIDGET_OWNERDRAWN_STATIC, kLabel, kOtherFeature));
    EXPECT_EQ(registry->FillWidget(drawnStatic, &settings.settings, 1), static_cast<int>(0x10000002));
}

TEST_F(WidgetRegistryTest, PaperSizesListTwoStandardSizesFirst)
{
    // Added oldest first: the settings list them 600, 12, 7, 3.
    AddFeature(kPaperSize, {{3, TEXT("A"), 2}, {7, TEXT("B"), 2}, {12, TEXT("C"), 2}, {600, TEXT("Own"), 2}},
               3);
    CNiraWidget* combo = File(Row(WIDGET_COMBO_BOX_OWNERDRAWN, kOwnerDrawnCombo, kPaperSize));
    registry->FillWidget(combo, &settings.settings, 1);
    combo->Attach(dialog);
    // Added as 12, 7, 600, 3; the combo lists its newest entry first.
    EXPECT_EQ(ComboEntries(Item(kOwnerDrawnCombo)),
              (std::vector<std::u16string>{TEXT("A"), TEXT("Own"), TEXT("B"), TEXT("C")}));
}

TEST_F(WidgetRegistryTest, ApplyWritesTheValueByKind)
{
    AddFeature(kFeature, {{0, TEXT("Zero"), 2}, {1, TEXT("One"), 2}, {2, TEXT("Two"), 2}}, 1);
    CNiraWidget* check = File(Row(WIDGET_CHECK_BOX, kCheckBox));
    check->SetValue(1, 0);
    registry->ApplyWidget(check, &settings.settings, 1);
    EXPECT_EQ(Current(kFeature), 2);
    check->SetValue(0, 0);
    registry->ApplyWidget(check, &settings.settings, 1);
    EXPECT_EQ(Current(kFeature), 1);

    CNiraWidget* radio = File(Row(WIDGET_RADIO_BUTTON, kRadioOne));
    radio->SetValue(1, 0);
    registry->ApplyWidget(radio, &settings.settings, 1);
    EXPECT_EQ(Current(kFeature), 2);

    // A press writes option 0 and then option 1, so it always reaches the settings as a change.
    CNiraWidget* button = File(Row(WIDGET_BUTTON, kPushButton));
    registry->ApplyWidget(button, &settings.settings, 1);
    int previous = -1;
    int isSet = 0;
    settings.settings.GetPreviousOption(kFeature, &previous, &isSet);
    EXPECT_EQ(Current(kFeature), 1);
    EXPECT_EQ(previous, 0);

    // A typed name becomes option 1, marked as the user's, and is selected.
    CNiraWidget* edit = File(Row(WIDGET_EDIT_BOX, kEdit));
    edit->SetText(TEXT("My paper"), 0);
    int option = 2;
    int feature = kFeature;
    settings.settings.ForceCurrentOption(&feature, &option, 0);
    registry->ApplyWidget(edit, &settings.settings, 1);
    OptionInfo info{};
    ASSERT_EQ(settings.settings.GetOptionInfo(kFeature, 1, &info), 0);
    EXPECT_EQ(std::u16string(info.displayName), TEXT("My paper"));
    EXPECT_EQ(info.isSet, 1);
    EXPECT_EQ(Current(kFeature), 1);

    EXPECT_EQ(registry->ApplyWidget(nullptr, &settings.settings, 1), 0);
    EXPECT_EQ(registry->ApplyWidget(check, nullptr, 1), 0);
}

TEST_F(WidgetRegistryTest, ApplyLightsTheSheetOnlyForTheFirstChange)
{
    WNDCLASSEXW sheetClass{};
    sheetClass.cbSize = sizeof(sheetClass);
    sheetClass.lpfnWndProc = SheetProc;
    sheetClass.lpszClassName = TEXT("TestSheet");
    RegisterClassExW(&sheetClass);
    HWND sheet =
        CreateWindowExW(0, TEXT("TestSheet"), nullptr, 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND page = CreateWindowExW(0, TEXT("TestSheet"), nullptr, WS_CHILD, 0, 0, 50, 50, sheet, nullptr,
                                nullptr, nullptr);
    AddFeature(kPaperSize, {{26, TEXT("Auto"), 2}, {254, TEXT("Any"), 2}, {9, TEXT("A4"), 2}}, 9);
    AddFeature(kChangeState, {{1, TEXT("Applied"), 2}, {2, TEXT("Changed"), 2}}, 1);
    auto* group = new CNiraWidgetGroup(kPageWindow, 0, GROUP_PAGE, 0, TEXT("Page"));
    group->SetController(&controller);
    registry->AddGroup(kPageWindow, group);
    CNiraWidget* combo = File(Row(WIDGET_COMBO_BOX, kCombo, kPaperSize));
    CNiraWidget* button = File(Row(WIDGET_BUTTON, kPushButton, kPaperSize));
    registry->AddWidgetToGroup(kPageWindow, combo);
    registry->AddWidgetToGroup(kPageWindow, button);
    group->AttachDialog(page);

    struct Case {
        CNiraWidget* widget;
        int value;
        int changeState;
        size_t messages;
    } const cases[] = {
        {combo, 254, 1, 0},  // exempt options never light it
        {combo, 26, 1, 0},   //
        {button, 9, 1, 0},   // nor buttons
        {combo, 9, 2, 0},    // nor a change after the first
        {combo, 9, 1, 1},    //
    };
    for (const Case& c : cases) {
        g_sheetMessages.clear();
        int feature = kChangeState;
        int state = c.changeState;
        settings.settings.ForceCurrentOption(&feature, &state, 1);
        c.widget->SetValue(c.value, 0);
        registry->ApplyWidget(c.widget, &settings.settings, 1);
        EXPECT_EQ(g_sheetMessages.size(), c.messages) << c.value << " in state " << c.changeState;
    }
    g_sheetMessages.clear();
    EXPECT_EQ(registry->MarkSheetUnchanged(group), 0);
    EXPECT_EQ(registry->MarkSheetChanged(group), 0);
    EXPECT_EQ(g_sheetMessages, (std::vector<UINT>{PSM_UNCHANGED, PSM_CHANGED}));
    EXPECT_EQ(registry->MarkSheetChanged(nullptr), static_cast<int>(0x10000002));
    group->AttachDialog(nullptr);
    DestroyWindow(sheet);
}

TEST_F(WidgetRegistryTest, RefreshFollowsTheQueueOfChangedFeatures)
{
    AddFeature(kFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}}, 1);
    AddFeature(kOtherFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}}, 2);
    AddFeature(kOutsideFeature, {{1, TEXT("Off"), 2}}, 1);
    std::vector<int> refreshed;
    for (int feature : {kFeature, kOtherFeature, kOutsideFeature}) {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_CHECK_BOX, kCheckBox, feature)));
        File(new StateNotingCheckBox(*info, &refreshed));
    }
    ClearChanges();
    EXPECT_EQ(registry->RefreshChangedWidgets(&settings.settings), static_cast<int>(0x10000002));

    // Queued in this order: the outside feature, the other feature, then the first twice.
    settings.settings.AddChange(kOutsideFeature, CHANGE_DISPLAY_STATE);
    settings.settings.AddChange(kOtherFeature, CHANGE_DISPLAY_STATE);
    settings.settings.AddChange(kFeature, CHANGE_DISPLAY_STATE);
    settings.settings.AddChange(kFeature, CHANGE_CURRENT_OPTION);
    EXPECT_EQ(registry->RefreshChangedWidgets(&settings.settings), 0);
    // The other feature by its state; the first by its state and by a fill of its value.
    EXPECT_EQ(refreshed, (std::vector<int>{kOtherFeature, kFeature, kFeature}));
    EXPECT_EQ(settings.settings.GetChangeCount(), 1);  // the outside feature stays queued
    ChangeRecord record{};
    EXPECT_EQ(settings.settings.GetChange(kOutsideFeature, &record), 0);

    // An instance of a pop-up refreshes but leaves the changes for the sheet.
    CNiraWidgetRegistry popup(2);
    std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_CHECK_BOX, kCheckBox)));
    auto* shown = new StateNotingCheckBox(*info, &refreshed);
    popup.AddWidget(kCheckBox, shown);
    popup.AddFeatureWidget(kFeature, shown);
    settings.settings.AddChange(kFeature, CHANGE_DISPLAY_STATE);
    refreshed.clear();
    EXPECT_EQ(popup.RefreshChangedWidgets(&settings.settings), 0);
    EXPECT_EQ(refreshed, std::vector<int>{kFeature});
    EXPECT_EQ(settings.settings.GetChange(kFeature, &record), 0);
}

TEST_F(WidgetRegistryTest, RadioWidgetsKeepTheirOptionButtons)
{
    AddFeature(kFeature, {{1, TEXT("Portrait"), 2}, {2, TEXT("Landscape"), 2}}, 2);
    WidgetRow row = Row(WIDGET_RADIO_BUTTON, kRadioOne);
    row.groupId = kRadioOne;
    CNiraWidget* radio = File(row);
    EXPECT_EQ(registry->FindRadioWidget(kFeature), radio);
    EXPECT_EQ(registry->FindRadioWidget(kOtherFeature), nullptr);
    CNiraWidgetFactory factory;
    for (int control : {kRadioOne, kRadioTwo}) {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_RADIO_BUTTON, control)));
        registry->AddRadioOption(radio, factory.CreateOptionButton(info.get()));
    }
    EXPECT_EQ(static_cast<CNiraRadioButton*>(radio)->GetOptionButtons().GetCount(), 2);
    int feature = -1;
    registry->GetControlFeature(kRadioOne, &feature);
    EXPECT_EQ(feature, kFeature);
    registry->GetControlFeature(kRadioTwo, &feature);
    EXPECT_EQ(feature, 0);
}

}  // namespace
