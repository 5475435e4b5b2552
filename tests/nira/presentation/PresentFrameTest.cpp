// PresentFrame over a small layout database of the test: the layout walk into groups and widgets,
// the frames it shows through the machine's property-sheet host and dialogs, and the controller's
// road for a widget's change.
#include "WidgetFixture.h"

#include <nirasim/Help.h>
#include <nirasim/PropertySheets.h>

#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/Frames.h"
#include "nira/presentation/HelpProvider.h"
#include "nira/presentation/WidgetGroup.h"
#include "nira/presentation/WidgetRegistry.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/interfaces/PresentationIntf.h"
#include "support/SqlDatabase.h"

#include <strsafe.h>

#include <algorithm>

namespace {

constexpr int kOther = 4201;
constexpr int kMissing = 4999;
constexpr int kPage = 100;  // the fixture's dialog template
constexpr int kRadioGroup = 77;
constexpr int kThirdRadio = 30;
constexpr int kNoClassControl = 31;
constexpr int kTreeSize = 6418;
constexpr int kTreeMedia = 6419;

const char* const kLayoutSql = R"sql(
CREATE TABLE UI_CONTAINERS_INFO (ContainerID INTEGER, ContainerName TEXT, FrameType INTEGER);
CREATE TABLE UI_WINDOWS_INFO (WindowID INTEGER, RTLWindowID INTEGER, ContainerID INTEGER,
  WindowStringID INTEGER, WindowHelp INTEGER, WindowName TEXT);
CREATE TABLE UI_WIDGETS_INFO (ControlID INTEGER, WindowID INTEGER, RTLWindowID INTEGER,
  GroupID INTEGER, FeatureID INTEGER, CtrlStringID INTEGER, BitampID INTEGER, CtrlHelpID INTEGER,
  CtrlType INTEGER, LabelID INTEGER, CtrlName TEXT, CtrlState INTEGER, MaxValue INTEGER,
  MinValue INTEGER, IncrementFactor INTEGER, LevelID INTEGER, EndControl INTEGER);
INSERT INTO UI_CONTAINERS_INFO VALUES (2, 'Pages', 1), (3, 'Empty', 1), (4, 'Dialog', 2),
  (5, 'NoFrame', 6), (6, 'Box', 5), (11, 'Tree', 7);
INSERT INTO UI_WINDOWS_INFO VALUES (100, 0, 2, 0, 0, 'First'), (102, 0, 2, 0, 0, 'Second'),
  (101, 0, 2, 0, 0, 'Third'), (200, 0, 4, 0, 0, 'Modal'), (110, 0, 6, 17, 0, 'Question'),
  (400, 0, 11, 0, 0, 'Tree view');
INSERT INTO UI_WIDGETS_INFO VALUES
  (11, 100, 0, 0, 4200, 0, 0, 0, 2, 0, 'IDC_CHECK', 3, 0, 0, 0, 0, 0),
  (16, 100, 0, 0, 4999, 0, 0, 0, 7, 0, 'IDC_ABSENT', 3, 0, 0, 0, 0, 0),
  (31, 100, 0, 0, 4200, 0, 0, 0, 3, 0, 'IDC_NO_CLASS', 3, 0, 0, 0, 0, 0),
  (12, 100, 0, 77, 4201, 0, 0, 0, 6, 0, 'IDC_RADIO_1', 3, 0, 0, 0, 0, 0),
  (13, 100, 0, 77, 4201, 0, 0, 0, 6, 0, 'IDC_RADIO_2', 3, 0, 0, 0, 0, 0),
  (30, 100, 0, 77, 4201, 0, 0, 0, 6, 0, 'IDC_RADIO_3', 3, 0, 0, 0, 0, 0),
  (10, 200, 0, 0, 4200, 0, 0, 0, 5, 0, 'IDC_PUSH', 3, 0, 0, 0, 0, 1),
  (40001, 400, 0, 0, 4200, 0, 0, 0, 27, 0, 'IDC_TREE_ITEM', 3, 0, 0, 0, 1, 0);
)sql";

// A dialog of its own, modal or modeless: a check box, and a push button that ends the dialog.
const char* const kDialogSql = R"sql(
CREATE TABLE UI_CONTAINERS_INFO (ContainerID INTEGER, ContainerName TEXT, FrameType INTEGER);
CREATE TABLE UI_WINDOWS_INFO (WindowID INTEGER, RTLWindowID INTEGER, ContainerID INTEGER,
  WindowStringID INTEGER, WindowHelp INTEGER, WindowName TEXT);
CREATE TABLE UI_WIDGETS_INFO (ControlID INTEGER, WindowID INTEGER, RTLWindowID INTEGER,
  GroupID INTEGER, FeatureID INTEGER, CtrlStringID INTEGER, BitampID INTEGER, CtrlHelpID INTEGER,
  CtrlType INTEGER, LabelID INTEGER, CtrlName TEXT, CtrlState INTEGER, MaxValue INTEGER,
  MinValue INTEGER, IncrementFactor INTEGER, LevelID INTEGER, EndControl INTEGER);
INSERT INTO UI_CONTAINERS_INFO VALUES (4, 'Modal', 2), (5, 'Modeless', 3);
INSERT INTO UI_WINDOWS_INFO VALUES (100, 0, 4, 0, 0, 'Modal'), (100, 0, 5, 0, 0, 'Modeless');
INSERT INTO UI_WIDGETS_INFO VALUES
  (11, 100, 0, 0, 4200, 0, 0, 0, 2, 0, 'IDC_CHECK', 3, 0, 0, 0, 0, 0),
  (10, 100, 0, 0, 4201, 0, 0, 0, 5, 0, 'IDC_PUSH', 3, 0, 0, 0, 0, 1);
)sql";

// A sink that notes the controller's calls in order.
class JournalSink : public CountingSink {
public:
    int BackupSettings(int, int) override
    {
        calls.push_back("backup");
        return 0;
    }
    int OnOptionChanged(int featureId, int) override
    {
        calls.push_back("changed");
        settings->AddChange(featureId, CHANGE_DISPLAY_STATE);
        return 0;
    }
    int ResolveConflicts(int featureId, int* changed, int, int) override
    {
        calls.push_back("resolve");
        settings->AddChange(featureId, CHANGE_DISPLAY_STATE);
        *changed = 1;
        return 0;
    }
    int NotifyFeatureHandler(int) override
    {
        calls.push_back("handler");
        return 0;
    }
    int RefreshChangedHandlers() override
    {
        calls.push_back("handlers");
        return 0;
    }
    int TakeValueSnapshot() override
    {
        calls.push_back("snapshot");
        return 0;
    }
    int GetHelpFilePath(WCHAR** path) override
    {
        *path = helpFile;
        return 0;
    }
    int GetHelpId(int, int* helpId) override
    {
        *helpId = kHelpTopic;
        return 0;
    }
    int QueuePendingChange(int id, int value, int action, int source) override
    {
        pending.push_back({id, value, action, source});
        return 0;
    }

    static constexpr int kHelpTopic = 77;
    WCHAR helpFile[32] = TEXT("C:\\Help\\Driver.chm");
    CNiraUISettings* settings = nullptr;
    std::vector<std::string> calls;
    std::vector<std::vector<int>> pending;
};

// A check box that notes each refresh of its state in the sink's journal.
class NotingCheckBox : public CNiraCheckBox {
public:
    NotingCheckBox(const CNiraWidgetInfo& row, JournalSink* sink) : CNiraCheckBox(row), m_sink(sink) {}
    void SetState(int state) override
    {
        m_sink->calls.push_back("refresh");
        CNiraCheckBox::SetState(state);
    }

private:
    JournalSink* m_sink;
};

class PresentFrameTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        database = WriteSqlDatabase(machine, "layout.db", kLayoutSql);
        journal.settings = &settings.settings;
        info.cbSize = sizeof(info);
        info.hComPropSheet = sheet.Handle();
        info.pfnComPropSheet = &nirasim::PropertySheet::Function;
        AddFeature(kFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}}, 1);
        AddFeature(kOther, {{1, TEXT("One"), 2}, {2, TEXT("Two"), 2}, {3, TEXT("Three"), 2}}, 2);
    }

    int Present(CNiraPresentationController& target, const WCHAR* container, void* context, int mode = 1)
    {
        request = {};
        StringCchCopyW(request.containerName, kFrameNameChars, container);
        StringCchCopyW(request.databasePath, kFrameNameChars, database.c_str());
        request.context = context;
        request.resourceModule = module;
        return target.PresentFrame(&journal, &settings.settings, &layout, &request, strings, mode);
    }

    WString database;
    CNiraUILayoutDB layout;
    JournalSink journal;
    // The sheet's pages go before the controller that backs them.
    CNiraPresentationController presenter;
    nirasim::PropertySheet sheet;
    PROPSHEETUI_INFO info{};
    FrameRequest request{};
};

TEST_F(PresentFrameTest, TheWalkMakesAGroupPerWindowAndAWidgetPerRow)
{
    ASSERT_EQ(Present(presenter, TEXT("Pages"), &info), 0);
    EXPECT_EQ(request.frameType, 1u);
    CNiraWidgetRegistry* registry = presenter.GetRegistry();
    EXPECT_EQ(registry->GetGroups().GetCount(), 3);
    // The absent feature's row and the kind without a class make nothing.
    int feature = -1;
    for (int control : {16, kNoClassControl}) {
        presenter.GetFeatureOfControl(control, &feature);
        EXPECT_EQ(feature, 0) << control;
    }
    ASSERT_NE(registry->FindFeatureWidgets(kFeature), nullptr);
    EXPECT_EQ(registry->FindFeatureWidgets(kFeature)->GetCount(), 1);
    // Three radio rows: one radio widget with three option buttons; the first row's control maps.
    auto* radio = static_cast<CNiraRadioButton*>(registry->FindRadioWidget(kOther));
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->GetOptionButtons().GetCount(), 3);
    EXPECT_EQ(registry->FindFeatureWidgets(kOther)->GetCount(), 1);
    for (auto [control, mapped] : {std::pair{12, kOther}, {13, 0}, {kThirdRadio, 0}}) {
        presenter.GetFeatureOfControl(control, &feature);
        EXPECT_EQ(feature, mapped) << control;
    }
    EXPECT_EQ(radio->GetValue(), 1);  // filled: option 2 is the second button
    EXPECT_EQ(sheet.PageHandles().size(), 3u);
}

TEST_F(PresentFrameTest, FrameTypeIsWrittenWhatEverTheContainer)
{
    EXPECT_EQ(Present(presenter, TEXT("Unknown"), &info), static_cast<int>(0x10000002));
    EXPECT_EQ(request.frameType, 0u);
    EXPECT_EQ(Present(presenter, TEXT("NoFrame"), &info), static_cast<int>(0x10000002));
    EXPECT_EQ(request.frameType, 6u);
    EXPECT_EQ(Present(presenter, TEXT("Empty"), &info), 0);
    EXPECT_EQ(request.frameType, 1u);
    EXPECT_EQ(Present(presenter, TEXT("Pages"), nullptr), static_cast<int>(0x10000002));  // no context
    EXPECT_EQ(presenter.PresentFrame(&journal, &settings.settings, &layout, nullptr, strings, 1),
              static_cast<int>(0x10000002));
    EXPECT_EQ(presenter.PresentFrame(nullptr, &settings.settings, &layout, &request, strings, 1),
              static_cast<int>(0x10000002));
    EXPECT_TRUE(sheet.Calls().empty());
}

TEST_F(PresentFrameTest, AModeAboveTwoLeavesQueuedChangesForTheSheet)
{
    for (auto [mode, left] : {std::pair{5, 1}, {1, 0}}) {
        CNiraPresentationController walked;
        Present(walked, TEXT("Pages"), &info, mode);
        while (settings.settings.GetChangeCount() > 0) {
            settings.settings.RemoveChange(
                static_cast<ChangeRecord*>(settings.settings.GetChangeList()->GetHead()->value)->featureId);
        }
        settings.settings.AddChange(kFeature, CHANGE_DISPLAY_STATE);
        EXPECT_EQ(walked.RefreshChangedWidgets(), 0);
        EXPECT_EQ(settings.settings.GetChangeCount(), left) << mode;
        sheet.DestroyPages();
    }
}

TEST_F(PresentFrameTest, PagesInDatabaseOrderWithTheStartPage)
{
    // Without the start-page feature the first page opens first; with it, its option's value.
    for (int startPage : {-1, 1}) {
        nirasim::PropertySheet pages;
        PROPSHEETUI_INFO pagesInfo = info;
        pagesInfo.hComPropSheet = pages.Handle();
        if (startPage >= 0) {
            AddFeature(FEATURE_START_PAGE, {{kPage, TEXT(""), 2}}, kPage);
            OptionInfo* option = nullptr;
            FeatureEntry* entry = nullptr;
            int id = FEATURE_START_PAGE;
            settings.settings.FindFeature(&id, &entry);
            option = static_cast<OptionInfo*>(*entry->options.Lookup(kPage));
            option->optionIndex = startPage;
        }
        CNiraPresentationController presenter;
        ASSERT_EQ(Present(presenter, TEXT("Pages"), &pagesInfo), 0);
        std::vector<int> templates;
        for (const nirasim::SheetHostCall& call : pages.Calls()) {
            if (call.function == CPSFUNC_ADD_PROPSHEETPAGEW) {
                templates.push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(
                    reinterpret_cast<PROPSHEETPAGEW*>(call.lParam1)->pszTemplate)));
            }
        }
        EXPECT_EQ(templates, (std::vector<int>{100, 102, 101}));
        EXPECT_EQ(pages.StartPage(), pages.PageHandles()[startPage < 0 ? 0 : startPage]);
        // The request keeps the handle of the last page added.
        EXPECT_EQ(request.parentValue,
                  static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(pages.PageHandles()[2])));
        pages.DestroyPages();
    }
}

TEST_F(PresentFrameTest, PageNotificationsApplyOrCancel)
{
    AddFeature(FEATURE_START_PAGE, {{kPage, TEXT(""), 2}, {5, TEXT(""), 2}}, 5);
    settings.settings.SetFeatureState(FEATURE_START_PAGE, 1);
    ASSERT_EQ(Present(presenter, TEXT("Pages"), &info), 0);
    ASSERT_NE(sheet.Pages()[0], nullptr);
    journal.calls.clear();

    sheet.Notify(0, PSN_SETACTIVE);
    int option = 0;
    int isSet = 0;
    settings.settings.GetCurrentOption(FEATURE_START_PAGE, &option, &isSet);
    EXPECT_EQ(option, kPage);

    sheet.Notify(0, PSN_RESET);
    EXPECT_EQ(sheet.Result(), CPSUI_CANCEL);
    EXPECT_TRUE(journal.calls.empty());
    sheet.Notify(0, PSN_APPLY);
    EXPECT_EQ(sheet.Result(), CPSUI_OK);
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"handlers", "snapshot"}));
    sheet.DestroyPages();
}

TEST_F(PresentFrameTest, TreeViewsAreInsertedAsFirstChildren)
{
    ASSERT_EQ(Present(presenter, TEXT("Tree"), &info), 0);
    EXPECT_EQ(request.frameType, 7u);
    ASSERT_EQ(sheet.Insertions().size(), 1u);
    const INSERTPSUIPAGE_INFO insert = sheet.Insertions()[0];
    EXPECT_EQ(insert.cbSize, sizeof(INSERTPSUIPAGE_INFO));
    EXPECT_EQ(insert.Type, PSUIPAGEINSERT_PCOMPROPSHEETUI);
    EXPECT_EQ(insert.Mode, INSPSUIPAGE_MODE_FIRST_CHILD);
    ASSERT_EQ(sheet.TreeViews().size(), 1u);
    const COMPROPSHEETUI& tree = *sheet.TreeViews()[0];
    EXPECT_EQ(tree.cOptItem, 1);
    EXPECT_EQ(tree.pOptItem[0].DMPubID, 101);
    EXPECT_EQ(tree.pOptItem[0].UserData, static_cast<ULONG_PTR>(kFeature));
    EXPECT_EQ(tree.pDlgPage->DlgTemplateID, DP_STD_TREEVIEWPAGE);
    for (const nirasim::SheetHostCall& call : sheet.Calls()) {
        if (call.function == CPSFUNC_INSERT_PSUIPAGEW) {
            EXPECT_EQ(request.parentValue, static_cast<DWORD>(call.answer));
        }
    }
}

TEST_F(PresentFrameTest, AModalDialogOwnedByTheForegroundWindow)
{
    PopupRequest popup{};
    popup.messageId = 200;
    int shown = 0;
    nirasim::SetDialogScript([&](HWND) { ++shown; });
    // The fixture has no template 200: the dialog cannot be made, the owner is still found.
    EXPECT_EQ(Present(presenter, TEXT("Dialog"), &popup, 2), 0);
    EXPECT_EQ(popup.parentWindow, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(dialog)));

    // Right to left without a mirrored window: template 0, no dialog.
    machine.SetUILanguage(0x040D);
    PopupRequest mirrored{};
    mirrored.messageId = 200;
    CNiraPresentationController rtl;
    EXPECT_EQ(Present(rtl, TEXT("Dialog"), &mirrored, 2), 0);
    EXPECT_EQ(mirrored.messageId, 0u);
    EXPECT_EQ(shown, 0);
}

TEST_F(PresentFrameTest, ADialogEndsKeepingOrRestoringItsValues)
{
    database = WriteSqlDatabase(machine, "dialog.db", kDialogSql);
    settings.settings.SetFeatureState(kFeature, 1);
    bool close = false;
    nirasim::SetDialogScript([&](HWND shown) {
        nirasim::Click(GetDlgItem(shown, kCheckBox));
        if (close) {
            SendMessageW(shown, WM_CLOSE, 0, 0);  // the close box puts the values back
        } else {
            nirasim::Click(GetDlgItem(shown, kPushButton));  // end action 1 keeps them
        }
    });
    int option = 0;
    int isSet = 0;
    for (auto [closing, kept] : {std::pair{false, 2}, {true, 1}}) {
        close = closing;
        int feature = kFeature;
        int first = 1;
        settings.settings.ForceCurrentOption(&feature, &first, 0);
        PopupRequest popup{};
        popup.messageId = kPage;
        CNiraPresentationController modal;
        EXPECT_EQ(Present(modal, TEXT("Modal"), &popup, 2), 0);
        settings.settings.GetCurrentOption(kFeature, &option, &isSet);
        EXPECT_EQ(option, kept) << closing;
    }
}

// A modeless dialog still open when its controller goes is destroyed first: its last messages
// reach a group that still exists.
TEST_F(PresentFrameTest, AModelessDialogGoesWithItsController)
{
    database = WriteSqlDatabase(machine, "dialog.db", kDialogSql);
    HWND shown = nullptr;
    nirasim::SetDialogScript([&](HWND dialog) { shown = dialog; });
    PopupRequest popup{};
    popup.messageId = kPage;
    auto modeless = std::make_unique<CNiraPresentationController>();
    EXPECT_EQ(Present(*modeless, TEXT("Modeless"), &popup, 2), 0);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(IsWindow(shown));
    modeless.reset();
    EXPECT_FALSE(IsWindow(shown));
}

// The message box: the window's string as its text, the window's name as its caption.
TEST_F(PresentFrameTest, AMessageBoxFrameAsksWithOkAndCancel)
{
    PopupRequest popup{};
    popup.messageId = 110;
    const size_t before = machine.MessageBoxes().size();
    EXPECT_EQ(Present(presenter, TEXT("Box"), &popup, 2), 0);
    EXPECT_EQ(request.frameType, 5u);
    const std::vector<nirasim::MessageBoxCall> boxes = machine.MessageBoxes();
    ASSERT_EQ(boxes.size(), before + 1);
    const nirasim::MessageBoxCall& box = boxes.back();
    EXPECT_EQ(box.text, TEXT("Seventeen"));
    EXPECT_EQ(box.caption, TEXT("Question"));
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(box.owner, GetDesktopWindow());
}

TEST_F(PresentFrameTest, HelpForTheControlsTheWidgetsShow)
{
    DeleteHelpProvider();
    ASSERT_EQ(Present(presenter, TEXT("Pages"), &info), 0);
    HWND page = sheet.Pages()[0];
    ASSERT_NE(page, nullptr);
    const size_t before = nirasim::HelpRequests().size();
    for (auto [control, shown] : {std::pair{kCheckBox, 1u}, {kLabel, 0u}}) {
        HELPINFO help{};
        help.cbSize = sizeof(help);
        help.iContextType = HELPINFO_WINDOW;
        help.iCtrlId = control;
        help.hItemHandle = GetDlgItem(page, control);
        const size_t seen = nirasim::HelpRequests().size();
        SendMessageW(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        EXPECT_EQ(nirasim::HelpRequests().size() - seen, shown) << control;
    }
    // A right click on the check box asks for its help too.
    RECT box{};
    GetWindowRect(GetDlgItem(page, kCheckBox), &box);
    SendMessageW(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page), MAKELPARAM(box.left + 1, box.top + 1));
    ASSERT_EQ(nirasim::HelpRequests().size(), before + 2);
    EXPECT_NE(nirasim::HelpRequests().back().file.find(TEXT("77")), std::u16string::npos);
    sheet.DestroyPages();
    DeleteHelpProvider();
}

TEST_F(PresentFrameTest, AWidgetChangeIsWrittenAnnouncedAndResolved)
{
    ASSERT_EQ(Present(presenter, TEXT("Empty"), &info), 0);
    std::unique_ptr<CNiraWidgetInfo> row(CreateWidgetInfo(Row(WIDGET_CHECK_BOX, kCheckBox)));
    auto* check = new NotingCheckBox(*row, &journal);
    check->SetController(&presenter);
    presenter.GetRegistry()->AddWidget(kCheckBox, check);
    presenter.GetRegistry()->AddFeatureWidget(kFeature, check);
    journal.calls.clear();

    check->SetValue(1, WIDGET_CHANGE_REPORT);
    // Conflicts that changed settings refresh the widgets a second time (a refresh may touch the
    // widget more than once).
    journal.calls.erase(std::unique(journal.calls.begin(), journal.calls.end()), journal.calls.end());
    EXPECT_EQ(journal.calls,
              (std::vector<std::string>{"backup", "changed", "refresh", "resolve", "refresh"}));
    int option = 0;
    int isSet = 0;
    settings.settings.GetCurrentOption(kFeature, &option, &isSet);
    EXPECT_EQ(option, 2);

    journal.calls.clear();
    settings.settings.AddChange(kFeature, CHANGE_DISPLAY_STATE);
    presenter.OnWidgetChanged(check, WIDGET_CHANGE_NOTIFY_FEATURE);
    journal.calls.erase(std::unique(journal.calls.begin(), journal.calls.end()), journal.calls.end());
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"handler", "refresh"}));
    EXPECT_EQ(presenter.OnWidgetChanged(nullptr, 1), static_cast<int>(0x10000002));
}

TEST_F(PresentFrameTest, TreeSelectionsQueueTheirCompanionChange)
{
    AddFeature(kTreeSize, {{7, TEXT(""), 2}, {8, TEXT(""), 2}}, 8);
    settings.settings.SetFeatureState(kTreeSize, 1);
    Present(presenter, TEXT("Empty"), &info);
    for (auto [feature, pending] : {std::pair{kTreeSize, 6067}, {kTreeMedia, 6070}, {kFeature, 0}}) {
        journal.pending.clear();
        EXPECT_EQ(presenter.SelectTreeOption(feature, 7), static_cast<int>(0x10000002));
        EXPECT_EQ(journal.pending, (std::vector<std::vector<int>>{{pending, 2, 1, 1}})) << feature;
    }
    int option = 0;
    int isSet = 0;
    settings.settings.GetCurrentOption(kTreeSize, &option, &isSet);
    EXPECT_EQ(option, 7);
}

}  // namespace
