#include "nira/presentation/Frames.h"

#include "nira/presentation/PresentationController.h"
#include "nira/presentation/UIHelpers.h"
#include "nira/presentation/WidgetKinds.h"
#include "nira/presentation/WidgetGroup.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/interfaces/PresentationIntf.h"

#include <new>
#include <vector>

namespace {

constexpr int kManifestResource = 2;
constexpr int kHelpButton = 9;
constexpr int kTreeViewPage = 11;
constexpr int kTreeView = 12;

// The groups in the order their windows were read: the map's walk from its oldest entry.
std::vector<CNiraWidgetGroup*> GroupsInReadingOrder(CNiraIdMap* groups)
{
    std::vector<CNiraWidgetGroup*> ordered;
    for (int i = groups->GetCount() - 1; i >= 0; --i) {
        void** value = groups->GetValueAt(i);
        if (value != nullptr && *value != nullptr) {
            ordered.push_back(static_cast<CNiraWidgetGroup*>(*value));
        }
    }
    return ordered;
}

CNiraWidgetGroup* GroupOf(CNiraIdMap* groups, int windowId)
{
    if (groups == nullptr || !groups->Contains(windowId)) {
        return nullptr;
    }
    return static_cast<CNiraWidgetGroup*>(*groups->Lookup(windowId));
}

PROPSHEETUI_INFO* SheetInfo(void* context)
{
    return static_cast<PROPSHEETUI_INFO*>(context);
}

PopupRequest* Popup(void* context)
{
    return static_cast<PopupRequest*>(context);
}

void Store(DWORD* result, HANDLE handle)
{
    if (result != nullptr) {
        *result = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(handle));
    }
}

}  // namespace

int CNiraFrame::Show(CNiraIdMap*, DWORD*, HMODULE, int, int, CNiraPresentationController*)
{
    return NIRA_STATUS_OK;
}

int CNiraFrame::OnPageMessage(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

CNiraCPSUIFrame::~CNiraCPSUIFrame()
{
    for (int i = 0; i < m_count; ++i) {
        delete[] m_pages[i].pszTitle;
        delete reinterpret_cast<PageContext*>(m_pages[i].lParam);
    }
    if (m_pages != nullptr) {
        GlobalFree(m_pages);
    }
}

int CNiraCPSUIFrame::Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int, int startPage,
                          CNiraPresentationController* controller)
{
    if (groups == nullptr || m_context == nullptr || m_pages != nullptr) {
        return NIRA_STATUS_OK;
    }
    m_callback = SheetInfo(m_context)->pfnComPropSheet;
    std::vector<CNiraWidgetGroup*> pages;
    for (CNiraWidgetGroup* group : GroupsInReadingOrder(groups)) {
        if (group->IsPage()) {
            pages.push_back(group);
        }
    }
    if (pages.empty()) {
        return NIRA_STATUS_OK;
    }
    m_pages = static_cast<PROPSHEETPAGEW*>(GlobalAlloc(GPTR, pages.size() * sizeof(PROPSHEETPAGEW)));
    if (m_pages == nullptr) {
        return NIRA_STATUS_OK;
    }
    m_count = static_cast<int>(pages.size());
    for (int i = 0; i < m_count; ++i) {
        pages[i]->FillPropSheetPage(&m_pages[i], module);
    }
    for (int i = 0; i < m_count; ++i) {
        m_pages[i].lParam =
            reinterpret_cast<LPARAM>(new (std::nothrow) PageContext{controller, pages[i], false});
        HANDLE page = AddPage(&m_pages[i], module);
        Store(result, page);
        if (i == startPage && m_callback != nullptr) {
            m_callback(SheetInfo(m_context)->hComPropSheet, CPSFUNC_SET_HSTARTPAGE,
                       reinterpret_cast<LPARAM>(page), 0);
        }
    }
    return NIRA_STATUS_OK;
}

HANDLE CNiraCPSUIFrame::AddPage(PROPSHEETPAGEW* page, HMODULE module)
{
    HANDLE context = INVALID_HANDLE_VALUE;
    if (CreateManifestContext(module, kManifestResource, &context) == NIRA_STATUS_OK) {
        page->hActCtx = context;
        page->dwFlags |= PSP_USEFUSIONCONTEXT;
    }
    page->pfnDlgProc = PageDialogProc;
    if (m_callback == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(m_callback(
        SheetInfo(m_context)->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(page), 0));
}

void CNiraCPSUIFrame::SetResult(LPARAM result)
{
    if (m_pspInfo != nullptr && m_pspInfo->pfnComPropSheet != nullptr) {
        m_pspInfo->pfnComPropSheet(m_pspInfo->hComPropSheet, CPSFUNC_SET_RESULT,
                                   reinterpret_cast<LPARAM>(m_pspInfo->hComPropSheet), result);
    }
}

int CNiraCPSUIFrame::OnPageMessage(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam != 0) {
        auto* page = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
        m_pspInfo = reinterpret_cast<PSPINFO*>(reinterpret_cast<BYTE*>(page) + page->dwSize);
        return 1;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || header == nullptr) {
        return 1;
    }
    const auto* context = reinterpret_cast<PageContext*>(GetWindowLongPtrW(window, DWLP_USER));
    CNiraPresentationController* controller = context != nullptr ? context->controller : nullptr;
    switch (header->code) {
    case PSN_SETACTIVE:
        if (controller != nullptr && context->group != nullptr) {
            controller->SetStartPage(context->group->GetWindowId());
            controller->RefreshChangedWidgets();
        }
        break;
    case PSN_APPLY:
        if (controller != nullptr) {
            controller->ApplyNow();
        }
        SetResult(CPSUI_OK);
        break;
    case PSN_RESET:
        SetResult(CPSUI_CANCEL);
        break;
    case PSN_HELP:
        PageDialogProc(window, WM_COMMAND, kHelpButton, lParam);
        break;
    default:
        break;
    }
    return 1;
}

CNiraCPSUITreeViewFrame::~CNiraCPSUITreeViewFrame()
{
    for (int i = 0; i < m_count; ++i) {
        if (m_sheets[i].pDlgPage != nullptr) {
            delete[] m_sheets[i].pDlgPage->pTabName;
            GlobalFree(m_sheets[i].pDlgPage);
        }
        delete[] m_sheets[i].pOptItemName;
    }
    if (m_sheets != nullptr) {
        GlobalFree(m_sheets);
    }
}

int CNiraCPSUITreeViewFrame::Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int, int startPage,
                                  CNiraPresentationController*)
{
    if (groups == nullptr || m_context == nullptr || m_sheets != nullptr) {
        return NIRA_STATUS_OK;
    }
    m_callback = SheetInfo(m_context)->pfnComPropSheet;
    std::vector<CNiraWidgetGroup*> trees;
    for (CNiraWidgetGroup* group : GroupsInReadingOrder(groups)) {
        if (group->GetKind() == kTreeViewPage || group->GetKind() == kTreeView) {
            trees.push_back(group);
        }
    }
    if (trees.empty()) {
        return NIRA_STATUS_OK;
    }
    m_sheets = static_cast<COMPROPSHEETUI*>(GlobalAlloc(GPTR, trees.size() * sizeof(COMPROPSHEETUI)));
    if (m_sheets == nullptr) {
        return NIRA_STATUS_OK;
    }
    m_count = static_cast<int>(trees.size());
    for (int i = 0; i < m_count; ++i) {
        trees[i]->FillCompPropSheetUI(&m_sheets[i], module);
        INSERTPSUIPAGE_INFO insert = {};
        insert.cbSize = sizeof(insert);
        insert.Type = PSUIPAGEINSERT_PCOMPROPSHEETUI;
        insert.Mode = INSPSUIPAGE_MODE_FIRST_CHILD;
        insert.dwData1 = reinterpret_cast<ULONG_PTR>(&m_sheets[i]);
        HANDLE tree = nullptr;
        if (m_callback != nullptr) {
            tree = reinterpret_cast<HANDLE>(m_callback(SheetInfo(m_context)->hComPropSheet,
                                                       CPSFUNC_INSERT_PSUIPAGEW, 0,
                                                       reinterpret_cast<LPARAM>(&insert)));
        }
        Store(result, tree);
        if (i == startPage && m_callback != nullptr) {
            m_callback(SheetInfo(m_context)->hComPropSheet, CPSFUNC_SET_HSTARTPAGE,
                       reinterpret_cast<LPARAM>(tree), 0);
        }
    }
    return NIRA_STATUS_OK;
}

CNiraWidgetGroup* CNiraDialogFrame::GroupToShow(CNiraIdMap* groups, int rtl,
                                                CNiraPresentationController* controller, int* templateId)
{
    PopupRequest* request = Popup(m_context);
    *templateId = static_cast<int>(request->messageId);
    if (rtl != 0) {
        int rtlId = 0;
        if (controller != nullptr) {
            controller->GetRtlWindowId(*templateId, &rtlId);
        }
        *templateId = rtlId;
        request->messageId = static_cast<DWORD>(rtlId);
    }
    return GroupOf(groups, *templateId);
}

int CNiraModalDialogFrame::Show(CNiraIdMap* groups, DWORD*, HMODULE module, int rtl, int,
                                CNiraPresentationController* controller)
{
    PopupRequest* request = Popup(m_context);
    if (request->parentWindow == 0) {
        request->parentWindow = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(GetForegroundWindow()));
    }
    int templateId = 0;
    CNiraWidgetGroup* group = GroupToShow(groups, rtl, controller, &templateId);
    if (group == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    PageContext context = {controller, group, false};
    HWND owner = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(request->parentWindow));
    DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, FrameDialogProc,
                    reinterpret_cast<LPARAM>(&context));
    return NIRA_STATUS_OK;
}

CNiraModelessDialogFrame::~CNiraModelessDialogFrame()
{
    if (m_dialog != nullptr && IsWindow(m_dialog)) {
        DestroyWindow(m_dialog);
    }
}

int CNiraModelessDialogFrame::Show(CNiraIdMap* groups, DWORD*, HMODULE module, int rtl, int,
                                   CNiraPresentationController* controller)
{
    int templateId = 0;
    CNiraWidgetGroup* group = GroupToShow(groups, rtl, controller, &templateId);
    if (group == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    auto* context = new (std::nothrow) PageContext{controller, group, true};
    if (context == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), GetDesktopWindow(), FrameDialogProc,
                                  reinterpret_cast<LPARAM>(context));
    if (m_dialog == nullptr) {
        delete context;
    }
    return NIRA_STATUS_OK;
}

int CNiraMessagePopupFrame::Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int, int startPage,
                                 CNiraPresentationController* controller)
{
    return CNiraModelessDialogFrame::Show(groups, result, module, 0, startPage, controller);
}

int CNiraMessageBox::Show(CNiraIdMap* groups, DWORD*, HMODULE, int, int,
                          CNiraPresentationController* controller)
{
    CNiraWidgetGroup* group = GroupOf(groups, static_cast<int>(Popup(m_context)->messageId));
    WCHAR text[kWidgetStringLength] = {};
    LPCWSTR caption = TEXT("");
    if (group != nullptr) {
        ReadPresentationString(controller, group->GetStringId(), text, kWidgetStringLength);
        caption = group->GetWindowName();
    }
    return MessageBoxW(GetDesktopWindow(), text, caption, MB_OKCANCEL) != 0 ? NIRA_STATUS_OK
                                                                            : NIRA_STATUS_FAILED;
}

CNiraFrame* CreateFrame(int kind, void* context, HMODULE resourceModule)
{
    if (context == nullptr) {
        return nullptr;
    }
    switch (kind) {
    case FRAME_CPSUI:
        return new (std::nothrow) CNiraCPSUIFrame(resourceModule, context);
    case FRAME_MODAL_DIALOG:
        return new (std::nothrow) CNiraModalDialogFrame(resourceModule, context);
    case FRAME_MODELESS_DIALOG:
        return new (std::nothrow) CNiraModelessDialogFrame(resourceModule, context);
    case FRAME_MESSAGE_POPUP:
        return new (std::nothrow) CNiraMessagePopupFrame(resourceModule, context);
    case FRAME_MESSAGE_BOX:
        return new (std::nothrow) CNiraMessageBox(resourceModule, context);
    case FRAME_CPSUI_TREE_VIEW:
        return new (std::nothrow) CNiraCPSUITreeViewFrame(resourceModule, context);
    default:
        return nullptr;
    }
}
