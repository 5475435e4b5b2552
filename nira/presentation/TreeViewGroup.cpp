#include "nira/presentation/TreeViewGroup.h"

#include "nira/presentation/LibraryEntry.h"
#include "nira/presentation/NiraWidget.h"
#include "nira/presentation/PresentationController.h"

#include <new>

namespace {

constexpr int kItemNameString = 6702;
constexpr BYTE kFirstItemId = 101;
constexpr WORD kCallerVersion = 0x100;
constexpr WORD kOptItemVersion = 0x400;
WCHAR g_callerName[] = TEXT("Nira");
WCHAR g_noHelpFile[] = TEXT("");

// A dialog procedure for the host's own page: it answers every message.
INT_PTR CALLBACK AnswerEveryMessage(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}

}  // namespace

CNiraCPSUITreeViewGroup::~CNiraCPSUITreeViewGroup()
{
    FreeItems();
}

void CNiraCPSUITreeViewGroup::FreeItems()
{
    for (int i = 0; i < m_itemCount; ++i) {
        delete[] m_items[i].pName;
    }
    if (m_items != nullptr) {
        GlobalFree(m_items);
    }
    m_items = nullptr;
    m_itemCount = 0;
}

void CNiraCPSUITreeViewGroup::FillCompPropSheetUI(COMPROPSHEETUI* out, HMODULE)
{
    if (out == nullptr) {
        return;
    }
    auto* page = static_cast<DLGPAGE*>(GlobalAlloc(GPTR, sizeof(DLGPAGE)));
    if (page != nullptr) {
        page->cbSize = sizeof(DLGPAGE);
        page->DlgProc = AnswerEveryMessage;
        page->pTabName = NewTitle();
        page->DlgTemplateID = DP_STD_TREEVIEWPAGE;
    }
    WCHAR* itemName = nullptr;
    if (m_controller != nullptr) {
        itemName = new (std::nothrow) WCHAR[kWidgetStringLength]();
        if (itemName != nullptr) {
            ReadPresentationString(m_controller, kItemNameString, itemName, kWidgetStringLength);
        }
    }

    FreeItems();
    const int count = m_widgets.GetCount();
    m_items = count > 0 ? static_cast<OPTITEM*>(GlobalAlloc(GPTR, count * sizeof(OPTITEM))) : nullptr;
    m_itemCount = m_items != nullptr ? count : 0;
    for (int i = 0; i < m_itemCount; ++i) {
        CNiraWidget* widget = OldestWidgetAt(i);
        OPTITEM& item = m_items[i];
        if (widget == nullptr) {
            continue;
        }
        item.cbSize = sizeof(OPTITEM);
        item.Level = static_cast<BYTE>(widget->GetTreeLevel());
        item.Flags = OPTIF_CALLBACK;
        item.UserData = static_cast<ULONG_PTR>(widget->GetFeatureId());
        item.pName = new (std::nothrow) WCHAR[kWidgetStringLength]();
        if (item.pName != nullptr) {
            ReadPresentationString(m_controller, widget->GetStringId(), item.pName, kWidgetStringLength);
        }
        item.DMPubID = static_cast<BYTE>(kFirstItemId + i);
    }

    ZeroMemory(out, sizeof(*out));
    out->cbSize = sizeof(COMPROPSHEETUI);
    out->Flags = CPSUIF_UPDATE_PERMISSION | CPSUIF_ICONID_AS_HICON;
    out->hInstCaller = GetPresentationModule();
    out->pCallerName = g_callerName;
    out->UserData = reinterpret_cast<ULONG_PTR>(this);
    out->pHelpFile = g_noHelpFile;
    out->pfnCallBack = TreeViewCallback;
    out->pOptItem = m_items;
    out->pDlgPage = page;
    out->cOptItem = static_cast<WORD>(m_itemCount);
    out->cDlgPage = 1;
    out->pOptItemName = itemName;
    out->CallerVersion = kCallerVersion;
    out->OptItemVersion = kOptItemVersion;
}

LONG CALLBACK CNiraCPSUITreeViewGroup::TreeViewCallback(PCPSUICBPARAM param)
{
    auto* group = param != nullptr ? reinterpret_cast<CNiraCPSUITreeViewGroup*>(param->UserData) : nullptr;
    if (group == nullptr) {
        return CPSUICB_ACTION_NONE;
    }
    LONG answer = CPSUICB_ACTION_NONE;
    switch (param->Reason) {
    case CPSUICB_REASON_SEL_CHANGED:
        if (param->pCurItem == nullptr) {
            break;
        }
        for (int i = 0; i < group->m_itemCount; ++i) {
            CNiraWidget* widget = group->OldestWidgetAt(i);
            if (widget != nullptr &&
                static_cast<ULONG_PTR>(widget->GetFeatureId()) == param->pCurItem->UserData) {
                answer = widget->OnTreeItem(param->pCurItem, param->Reason);
            }
        }
        break;
    case CPSUICB_REASON_APPLYNOW:
        if (group->m_controller != nullptr) {
            group->m_controller->ApplyNow();
        }
        break;
    case CPSUICB_REASON_SETACTIVE:
        // Each widget with its own item of the group's list.
        for (int i = 0; i < group->m_itemCount; ++i) {
            if (CNiraWidget* widget = group->OldestWidgetAt(i)) {
                answer = widget->OnTreeItem(&group->m_items[i], param->Reason);
            }
        }
        break;
    default:
        break;
    }
    return answer;
}
