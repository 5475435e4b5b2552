// Widget groups: the dispatch of a page's messages, the tree-view group's page record and the
// tree-view widgets on a page and in the tree page of the property sheet.
#include "WidgetFixture.h"

#include <commctrl.h>

#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/RangeWidgets.h"
#include "nira/presentation/TreeViewGroup.h"
#include "nira/presentation/TreeViewWidgets.h"
#include "nira/presentation/WidgetFactory.h"

namespace {

constexpr int kPageWindow = 300;
constexpr int kTreeControl = 90;
constexpr int kPaperSize = 4114;

// A widget that notes what the group hands it.
class NotingButton : public CNiraButton {
public:
    explicit NotingButton(const CNiraWidgetInfo& row) : CNiraButton(row) {}
    int OnCommand(int controlId, HWND, int code, int extra) override
    {
        commands.push_back({controlId, code, extra});
        return 1;
    }
    void OnCtrlDoubleClick(int x, int y) override { clicks.push_back({x, y}); }
    int OnTreeCommand() override
    {
        ++treeCommands;
        return 1;
    }
    int GetEndAction() override { return endAction; }
    int GetKind() override { return kind; }

    std::vector<std::vector<int>> commands;
    std::vector<std::pair<int, int>> clicks;
    int treeCommands = 0;
    int endAction = 0;
    int kind = WIDGET_BUTTON;
};

class WidgetGroupTest : public WidgetTest {
protected:
    NotingButton* Noting(int controlId)
    {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_BUTTON, controlId)));
        auto widget = std::make_unique<NotingButton>(*info);
        NotingButton* made = widget.get();
        owned.push_back(std::move(widget));
        group.AddWidget(made);
        return made;
    }

    CNiraWidgetGroup group{kPageWindow, 0, 7, 0, TEXT("Page")};
    std::vector<std::unique_ptr<CNiraWidget>> owned;
};

TEST_F(WidgetGroupTest, MessagesReachTheirWidgets)
{
    group.SetController(&controller);
    CreateWindowExW(0, TEXT("Button"), TEXT("Cancel"), WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), nullptr, nullptr);
    NotingButton* push = Noting(kPushButton);
    NotingButton* cancel = Noting(IDCANCEL);
    NotingButton* bar = Noting(kScrollBar);
    group.AttachDialog(dialog);

    EXPECT_EQ(group.OnMessage(WM_COMMAND, MAKEWPARAM(kPushButton, BN_CLICKED), 0, 0, dialog), 1);
    EXPECT_EQ(push->commands, (std::vector<std::vector<int>>{{kPushButton, BN_CLICKED, 0}}));
    // Closing is a click on control 2.
    EXPECT_EQ(group.OnMessage(WM_CLOSE, 0, 0, 0, dialog), 1);
    EXPECT_EQ(cancel->commands, (std::vector<std::vector<int>>{{2, 0, 0}}));
    // Scroll messages carry the negated code and the position.
    group.OnMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 7), reinterpret_cast<LPARAM>(Item(kScrollBar)), 0,
                    dialog);
    EXPECT_EQ(bar->commands, (std::vector<std::vector<int>>{{kScrollBar, -SB_LINEDOWN, 7}}));
    // A command for a control the dialog lacks is refused.
    EXPECT_EQ(group.OnCommand(999, 0, 0), 0);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    EXPECT_EQ(group.OnMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 0, dialog), 1);
    EXPECT_EQ(measure.itemHeight, 54u);
    EXPECT_EQ(group.OnMessage(WM_TIMER, 0, 0, 0, dialog), 1);
    EXPECT_EQ(group.OnMessage(WM_SETFOCUS, 0, 0, 0, dialog), 0);

    // A double click reaches every widget, in screen coordinates, only while Ctrl is down.
    EXPECT_EQ(group.OnMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 6), 0, dialog), 1);
    EXPECT_TRUE(push->clicks.empty());
    nirasim::SetKeyDown(VK_CONTROL, true);
    group.OnMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 6), 0, dialog);
    nirasim::SetKeyDown(VK_CONTROL, false);
    POINT point = {5, 6};
    ClientToScreen(dialog, &point);
    EXPECT_EQ(push->clicks, (std::vector<std::pair<int, int>>{{point.x, point.y}}));
    EXPECT_EQ(bar->clicks.size(), 1u);
    group.AttachDialog(nullptr);
}

TEST_F(WidgetGroupTest, RadioAndTreeWidgetsHearEveryCommand)
{
    NotingButton* radio = Noting(kRadioOne);
    radio->kind = WIDGET_RADIO_BUTTON;
    NotingButton* tree = Noting(kList);
    tree->kind = WIDGET_TREE_VIEW;
    NotingButton* restoring = Noting(kPushButton);
    group.AttachDialog(dialog);
    group.OnCommand(kCheckBox, BN_CLICKED, 0);
    EXPECT_EQ(radio->commands.size(), 1u);
    EXPECT_EQ(tree->treeCommands, 1);
    // A widget that ends the dialog with restore keeps the tree views from acting on it.
    restoring->endAction = 2;
    group.OnCommand(kPushButton, BN_CLICKED, 0);
    EXPECT_EQ(radio->commands.size(), 2u);
    EXPECT_EQ(tree->treeCommands, 1);
    group.AttachDialog(nullptr);
}

TEST_F(WidgetGroupTest, InitialValuesComeBack)
{
    AddFeature(kFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}}, 1);
    NotingButton* push = Noting(kPushButton);
    push->SetValue(3, 0);
    group.RememberInitialValues();
    push->SetValue(8, 0);
    group.RestoreInitialValues();
    EXPECT_EQ(push->GetValue(), 3);
    EXPECT_EQ(group.GetEndAction(kPushButton), 0);
    push->endAction = 1;
    EXPECT_EQ(group.GetEndAction(kPushButton), 1);
    EXPECT_EQ(group.GetEndAction(999), 0);
}

TEST_F(WidgetGroupTest, ThePageRecordAndTheDialogTitle)
{
    PROPSHEETPAGEW page{};
    group.FillPropSheetPage(&page, module);
    EXPECT_EQ(page.dwSize, sizeof(PROPSHEETPAGEW));
    EXPECT_EQ(page.dwFlags, static_cast<DWORD>(PSP_USETITLE));
    EXPECT_EQ(page.pszTemplate, MAKEINTRESOURCEW(kPageWindow));
    EXPECT_EQ(page.pszTitle, nullptr);  // no controller, no title
    group.SetController(&controller);
    group.FillPropSheetPage(&page, module);
    ASSERT_NE(page.pszTitle, nullptr);
    EXPECT_EQ(std::u16string(page.pszTitle), TEXT("Page"));
    delete[] page.pszTitle;
    EXPECT_EQ(group.SetTitle(nullptr), static_cast<int>(0x10000002));
}

TEST_F(WidgetGroupTest, TheTreeViewGroupDescribesItsPage)
{
    AddFeature(kFeature, {{1, TEXT("Off"), 2}, {2, TEXT("On"), 2}, {3, TEXT("Auto"), 2}}, 3);
    CNiraCPSUITreeViewGroup tree(kPageWindow, 0, 11, 0, TEXT("Tree"));
    tree.SetController(&controller);
    std::vector<CNiraCPSUITreeView*> items;
    for (int control : {41, 42, 43, 44}) {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_CPSUI_TREE_VIEW, control)));
        items.push_back(new CNiraCPSUITreeView(*info));
        owned.emplace_back(items.back());
        tree.AddWidget(items.back());
        // As the registry fills it: the list reads Off, On, Auto.
        for (int option : {3, 2, 1}) {
            items.back()->AddItem(option, option == 1   ? TEXT("Off")
                                          : option == 2 ? TEXT("On")
                                                        : TEXT("Auto"));
        }
    }
    COMPROPSHEETUI sheet{};
    tree.FillCompPropSheetUI(&sheet, module);
    EXPECT_EQ(sheet.cbSize, sizeof(COMPROPSHEETUI));
    EXPECT_EQ(sheet.Flags, CPSUIF_UPDATE_PERMISSION | CPSUIF_ICONID_AS_HICON);
    EXPECT_EQ(sheet.CallerVersion, 0x100);
    EXPECT_EQ(sheet.OptItemVersion, 0x400);
    EXPECT_EQ(sheet.cDlgPage, 1);
    ASSERT_EQ(sheet.cOptItem, 4);
    EXPECT_EQ(sheet.pOptItem[3].DMPubID, 104);
    EXPECT_EQ(sheet.pOptItem[0].Flags, static_cast<DWORD>(OPTIF_CALLBACK));
    EXPECT_EQ(std::u16string(sheet.pDlgPage->pTabName), TEXT("Tree"));

    // The page becomes active: each widget takes its own item, with its option type.
    CPSUICBPARAM param{};
    param.cbSize = sizeof(param);
    param.Reason = CPSUICB_REASON_SETACTIVE;
    param.pCurItem = sheet.pOptItem;
    param.UserData = sheet.UserData;
    EXPECT_EQ(sheet.pfnCallBack(&param), 2);
    ASSERT_NE(sheet.pOptItem[0].pOptType, nullptr);
    EXPECT_EQ(sheet.pOptItem[0].pOptType->Count, 3);
    EXPECT_EQ(sheet.pOptItem[0].Sel, 2);  // option 3
    EXPECT_EQ(std::u16string(sheet.pOptItem[0].pOptType->pOptParam[2].pData), TEXT("Auto"));
    // The user picks the first entry: the widget reports option 1.
    sink.reports.clear();
    sheet.pOptItem[0].Sel = 0;
    param.Reason = CPSUICB_REASON_SEL_CHANGED;
    EXPECT_EQ(sheet.pfnCallBack(&param), 1);
    EXPECT_EQ(items[3]->GetValue(), 1);  // the oldest widget has the first item
    EXPECT_EQ(sink.reports.size(), 4u);  // all four show the feature of the item
    param.Reason = CPSUICB_REASON_APPLYNOW;
    EXPECT_EQ(sheet.pfnCallBack(&param), 0);
    delete[] sheet.pDlgPage->pTabName;
    GlobalFree(sheet.pDlgPage);
    delete[] sheet.pOptItemName;
}

// Options whose ids are not their positions (papers 256 and up): the item selects the current
// option's own entry and a choice reports the option of the entry chosen.
TEST_F(WidgetGroupTest, TreeItemsSelectTheirOptionWhateverItsId)
{
    std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_CPSUI_TREE_VIEW, 41)));
    CNiraCPSUITreeView widget(*info);
    for (auto [option, text] : {std::pair{263, TEXT("4 x 6 in")}, {258, TEXT("A4")}, {256, TEXT("Letter")}}) {
        widget.AddItem(option, text);
    }
    widget.SetValue(258, WIDGET_CHANGE_REDRAW);
    OPTITEM item{};
    item.cbSize = sizeof(item);
    widget.OnTreeItem(&item, CPSUICB_REASON_SETACTIVE);
    ASSERT_NE(item.pOptType, nullptr);
    ASSERT_EQ(item.pOptType->Count, 3);
    EXPECT_EQ(item.Sel, 1);
    EXPECT_EQ(std::u16string(item.pOptType->pOptParam[item.Sel].pData), TEXT("A4"));
    item.Sel = 2;
    EXPECT_EQ(widget.OnTreeItem(&item, CPSUICB_REASON_SEL_CHANGED), 1);
    EXPECT_EQ(widget.GetValue(), 263);
    EXPECT_EQ(std::u16string(item.pOptType->pOptParam[2].pData), TEXT("4 x 6 in"));
}

TEST_F(WidgetGroupTest, TreeRowsBuildTheirLevelsAndRefillSafely)
{
    HWND treeControl =
        CreateWindowExW(0, WC_TREEVIEWW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeControl)), nullptr, nullptr);
    ASSERT_NE(treeControl, nullptr);
    std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_TREE_VIEW, kTreeControl, kPaperSize)));
    auto* tree = new CNiraTreeViewCtrl(*info);
    owned.emplace_back(tree);
    tree->SetController(&controller);
    tree->Attach(dialog);
    for (int round = 0; round < 2; ++round) {
        tree->DeleteAllItems();
        int row = 1;
        for (int type : {1, 2, 3, 3, 2, 3}) {
            tree->AddItem(type == 1 ? 901 : type == 2 ? 900 + row : row, TEXT("Row"), type);
            ++row;
        }
        tree->ExpandAndSelect();
    }
    auto next = [&](WPARAM relation, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(treeControl, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM root = next(TVGN_ROOT, nullptr);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(next(TVGN_NEXT, root), nullptr);
    HTREEITEM first = next(TVGN_CHILD, root);
    HTREEITEM second = next(TVGN_NEXT, first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(next(TVGN_NEXT, second), nullptr);
    HTREEITEM leaf = next(TVGN_CHILD, first);
    EXPECT_NE(next(TVGN_NEXT, leaf), nullptr);
    EXPECT_EQ(next(TVGN_NEXT, next(TVGN_NEXT, leaf)), nullptr);
    HTREEITEM lone = next(TVGN_CHILD, second);
    ASSERT_NE(lone, nullptr);
    EXPECT_EQ(next(TVGN_NEXT, lone), nullptr);
    EXPECT_EQ(next(TVGN_FIRSTVISIBLE, nullptr), root);  // the anchor row 901
    EXPECT_EQ(SendMessageW(treeControl, TVM_GETCOUNT, 0, 0), 6);
}

TEST_F(WidgetGroupTest, AChosenLeafGoesToTheCompanionFeature)
{
    HWND treeControl =
        CreateWindowExW(0, WC_TREEVIEWW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeControl)), nullptr, nullptr);
    std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(Row(WIDGET_TREE_VIEW, kTreeControl, kPaperSize)));
    auto* tree = new CNiraTreeViewCtrl(*info);
    owned.emplace_back(tree);
    tree->SetController(&controller);
    tree->Attach(dialog);
    tree->AddItem(901, TEXT("Sizes"), 1);
    tree->AddItem(12, TEXT("Letter"), 2);
    auto select = [&](const WCHAR* text) {
        for (HTREEITEM item =
                 reinterpret_cast<HTREEITEM>(SendMessageW(treeControl, TVM_GETNEXTITEM, TVGN_ROOT, 0));
             item != nullptr;) {
            WCHAR buffer[64] = {};
            TVITEMW read{};
            read.mask = TVIF_TEXT;
            read.hItem = item;
            read.pszText = buffer;
            read.cchTextMax = 64;
            SendMessageW(treeControl, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
            if (std::u16string(buffer) == text) {
                SendMessageW(treeControl, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                return;
            }
            HTREEITEM child = reinterpret_cast<HTREEITEM>(
                SendMessageW(treeControl, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
            item = child;
        }
    };
    select(TEXT("Sizes"));
    tree->OnCommand(kTreeControl, treeControl, TVN_SELCHANGEDW, 0);
    EXPECT_EQ(tree->GetChosenId(), 0);  // a branch is not a choice
    select(TEXT("Letter"));
    tree->OnCommand(kTreeControl, treeControl, TVN_SELCHANGEDW, 0);
    EXPECT_EQ(tree->GetChosenId(), 12);
}

}  // namespace
