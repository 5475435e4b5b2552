#include "nira/presentation/TreeViewWidgets.h"

#include "nira/presentation/PresentationController.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <strsafe.h>
#include <wchar.h>

#include <new>

namespace {

constexpr int kTreeLimit = 79;
constexpr ULONG_PTR kOptionIcon = 64011;
constexpr int kSelectedReason = CPSUICB_REASON_SEL_CHANGED;
constexpr int kActiveReason = CPSUICB_REASON_SETACTIVE;
constexpr int kSelectedAnswer = 1;
constexpr int kActiveAnswer = 2;
constexpr int kHiddenRow = 3;
constexpr int kTopLevel = 1;
constexpr int kSecondLevel = 2;
constexpr int kAnchorRow = 901;
constexpr int kFirstBranchRow = 901;
constexpr int kLastLeafRow = 899;
constexpr int kPaperSize = 4114;
constexpr int kMediaType = 4116;
constexpr int kPaperSizeCompanion = 6418;
constexpr int kMediaTypeCompanion = 6419;
constexpr int kNothingChosen = -1;

}  // namespace

CNiraCPSUITreeView::CNiraCPSUITreeView(const CNiraWidgetInfo& row) : CNiraComboBox(row), m_level(0)
{
    if (auto* group = dynamic_cast<const CNiraGroupWidgetInfo*>(&row)) {
        m_level = group->levelId;
    }
}

CNiraCPSUITreeView::~CNiraCPSUITreeView()
{
    FreeOptionParams();
    if (m_optionType != nullptr) {
        GlobalFree(m_optionType);
    }
}

void CNiraCPSUITreeView::FreeOptionParams()
{
    if (m_optionType == nullptr || m_optionType->pOptParam == nullptr) {
        return;
    }
    for (WORD i = 0; i < m_optionType->Count; ++i) {
        LocalFree(m_optionType->pOptParam[i].pData);
    }
    GlobalFree(m_optionType->pOptParam);
    m_optionType->pOptParam = nullptr;
    m_optionType->Count = 0;
}

int CNiraCPSUITreeView::TextLimit() const
{
    return kTreeLimit;
}

void CNiraCPSUITreeView::SetValue(int value, int flags)
{
    if (value == m_value && !(flags & WIDGET_CHANGE_FORCE)) {
        return;
    }
    m_value = value;
    if (flags & WIDGET_CHANGE_REDRAW) {
        Refresh();
    }
    if (flags & WIDGET_CHANGE_REPORT) {
        ReportChange(flags);
    }
}

void CNiraCPSUITreeView::Refresh()
{
    if (m_optionType == nullptr) {
        m_optionType = static_cast<OPTTYPE*>(GlobalAlloc(GPTR, sizeof(OPTTYPE)));
        if (m_optionType == nullptr) {
            return;
        }
    }
    FreeOptionParams();
    const int count = m_items.GetCount();
    m_optionType->cbSize = sizeof(OPTTYPE);
    m_optionType->Type = TVOT_COMBOBOX;
    m_optionType->Flags = 0;
    m_optionType->BegCtrlID = 0;
    m_optionType->pOptParam =
        count > 0 ? static_cast<OPTPARAM*>(GlobalAlloc(GPTR, count * sizeof(OPTPARAM))) : nullptr;
    m_optionType->Count = m_optionType->pOptParam != nullptr ? static_cast<WORD>(count) : 0;
    for (WORD i = 0; i < m_optionType->Count; ++i) {
        OPTPARAM& param = m_optionType->pOptParam[i];
        param.cbSize = sizeof(OPTPARAM);
        param.pData = CopyWidgetText(static_cast<const WCHAR*>(*m_items.GetValueAt(i)));
        param.IconID = kOptionIcon;
    }
    if (m_item != nullptr) {
        m_item->Sel = SelectionOf(m_value);
        if (m_value > 0) {
            OnTreeItem(m_item, kSelectedReason);
        }
    }
}

int CNiraCPSUITreeView::SelectionOf(int optionId) const
{
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (m_items.GetEntryAt(i)->key == optionId) {
            return i;
        }
    }
    return 0;
}

int CNiraCPSUITreeView::OptionAt(LONG selection) const
{
    if (selection < 0 || selection >= m_items.GetCount()) {
        return m_value;
    }
    return m_items.GetEntryAt(selection)->key;
}

int CNiraCPSUITreeView::OnCommand(int controlId, HWND, int code, int)
{
    if (controlId != m_controlId || Control() == nullptr) {
        return 0;
    }
    switch (code) {
    case CBN_SELENDOK:
        OnChoice(code);
        break;
    case CBN_EDITCHANGE:
    case CBN_KILLFOCUS:
        OnEdit(code);
        break;
    default:
        break;
    }
    return 1;
}

int CNiraCPSUITreeView::OnTreeItem(OPTITEM* item, WORD reason)
{
    if (item != nullptr) {
        m_item = item;
    }
    if (m_item == nullptr) {
        return 0;
    }
    switch (reason) {
    case kSelectedReason:
        SetValue(OptionAt(m_item->Sel), WIDGET_CHANGE_REPORT);
        m_item->Flags |= OPTIF_CHANGED;
        return kSelectedAnswer;
    case kActiveReason: {
        INiraUISettings* settings = nullptr;
        int current = 0;
        int isSet = 0;
        if (m_controller != nullptr && m_controller->GetSettings(&settings) == NIRA_STATUS_OK &&
            settings != nullptr &&
            settings->GetCurrentOption(m_featureId, &current, &isSet) == NIRA_STATUS_OK) {
            SetValue(current, WIDGET_CHANGE_REDRAW);
        }
        m_item->Sel = SelectionOf(m_value);
        m_item->Level = 0;
        m_item->Flags |= OPTIF_CHANGED;
        if (m_state == WIDGET_STATE_DISABLED) {
            m_item->Flags |= OPTIF_DISABLED;
        }
        m_item->pOptType = m_optionType;
        return kActiveAnswer;
    }
    default:
        return 0;
    }
}

CNiraTreeViewCtrl::CNiraTreeViewCtrl(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

CNiraTreeViewCtrl::~CNiraTreeViewCtrl()
{
    FreeMapValues(m_items);
}

HWND CNiraTreeViewCtrl::TreeControl() const
{
    return m_treeDialog != nullptr ? GetDlgItem(m_treeDialog, m_controlId) : nullptr;
}

LRESULT CNiraTreeViewCtrl::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND tree = TreeControl();
    return tree != nullptr ? SendMessageW(tree, message, wParam, lParam) : 0;
}

void CNiraTreeViewCtrl::Attach(HWND dialog)
{
    m_treeDialog = dialog;
    if (dialog != nullptr) {
        Refresh();
    }
}

void CNiraTreeViewCtrl::Refresh()
{
    INiraUISettings* settings = nullptr;
    if (m_controller == nullptr || m_controller->GetSettings(&settings) != NIRA_STATUS_OK ||
        settings == nullptr) {
        return;
    }
    FillRows(settings);
    if (HWND tree = TreeControl()) {
        ::SetFocus(tree);
    }
}

void CNiraTreeViewCtrl::FillRows(INiraUISettings* settings)
{
    DeleteAllItems();
    int filter = 0;
    settings->GetDiscriminator(m_featureId, &filter);
    for (int index = settings->GetTreeViewOptionCount(m_featureId) - 1; index >= 0; --index) {
        int flags = 0;
        int rowId = 0;
        TreeViewOptionRecord row = {};
        if (settings->GetTreeViewOptionByIndex(index, m_featureId, &flags, &rowId) == NIRA_STATUS_OK &&
            settings->GetTreeViewOption(m_featureId, rowId, &row) == NIRA_STATUS_OK &&
            (row.discriminator == 0 || row.discriminator == filter) && row.supportOption != kHiddenRow) {
            AddItem(rowId, row.stringId != 0 ? row.displayName : row.optionName, row.levelId);
        }
        ExpandAndSelect();
    }
}

void CNiraTreeViewCtrl::AddItem(int rowId, const WCHAR* text, int type)
{
    HWND tree = TreeControl();
    if (text == nullptr || tree == nullptr) {
        return;
    }
    WCHAR* copy = CopyWidgetText(text);
    if (copy == nullptr) {
        return;
    }
    HTREEITEM parent = type == kTopLevel ? TVI_ROOT : type == kSecondLevel ? m_lastTopItem : m_lastSecondItem;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = m_lastItem != nullptr ? m_lastItem : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    insert.item.pszText = copy;
    insert.item.cchTextMax = static_cast<int>(wcslen(copy));
    insert.item.lParam = type;
    auto* item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item == nullptr) {
        LocalFree(copy);
        return;
    }
    m_lastItem = item;
    if (type == kTopLevel) {
        m_lastTopItem = item;
    } else if (type == kSecondLevel) {
        m_lastSecondItem = item;
    }
    if (type > kTopLevel) {
        TVITEMW parentItem = {};
        parentItem.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        parentItem.hItem = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
        if (parentItem.hItem != nullptr) {
            SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&parentItem));
        }
    }
    if (rowId == 0) {
        LocalFree(copy);
        return;
    }
    if (m_items.Contains(rowId)) {
        LocalFree(*m_items.Lookup(rowId));
    }
    m_items.SetAt(rowId, copy);
    if (rowId == kAnchorRow && type == kTopLevel) {
        m_anchorItem = item;
    }
    if (rowId >= kFirstBranchRow) {
        m_expandItem = item;
    }
}

void CNiraTreeViewCtrl::DeleteAllItems()
{
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_lastItem = nullptr;
    m_lastTopItem = nullptr;
    m_lastSecondItem = nullptr;
    m_expandItem = nullptr;
    m_anchorItem = nullptr;
}

void CNiraTreeViewCtrl::ExpandAndSelect()
{
    for (HTREEITEM item : {m_expandItem, m_anchorItem}) {
        if (item != nullptr) {
            Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        }
    }
    if (m_anchorItem != nullptr) {
        Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(m_anchorItem));
    }
}

int CNiraTreeViewCtrl::OnCommand(int, HWND, int, int)
{
    INiraUISettings* settings = nullptr;
    if (m_controller == nullptr || m_controller->GetSettings(&settings) != NIRA_STATUS_OK ||
        settings == nullptr) {
        return 0;
    }
    auto* selected = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selected == nullptr) {
        return 1;
    }
    WCHAR chosen[kWidgetTextLength] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = selected;
    item.pszText = chosen;
    item.cchTextMax = kWidgetTextLength;
    Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    chosen[kWidgetTextLength - 1] = 0;
    UpperCaseText(chosen);
    for (int i = 0; i < m_items.GetCount(); ++i) {
        WCHAR candidate[kWidgetTextLength];
        StoreWidgetText(candidate, static_cast<const WCHAR*>(*m_items.GetValueAt(i)));
        UpperCaseText(candidate);
        if (wcscmp(candidate, chosen) == 0) {
            const int rowId = m_items.GetEntryAt(i)->key;
            if (rowId >= 1 && rowId <= kLastLeafRow) {
                m_chosenId = rowId;
            }
            break;
        }
    }
    return 1;
}

int CNiraTreeViewCtrl::OnTreeCommand()
{
    const int companion = m_featureId == kPaperSize   ? kPaperSizeCompanion
                          : m_featureId == kMediaType ? kMediaTypeCompanion
                                                      : 0;
    if (m_controller != nullptr) {
        m_controller->SelectTreeOption(companion, m_chosenId != 0 ? m_chosenId : kNothingChosen);
    }
    return 1;
}
