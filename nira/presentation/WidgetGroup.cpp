#include "nira/presentation/WidgetGroup.h"

#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/HelpProvider.h"
#include "nira/presentation/NiraWidget.h"
#include "nira/presentation/PresentationController.h"

#include "common/NiraStatus.h"

#include <strsafe.h>

#include <new>

namespace {

constexpr int kKindFlagBits = 7;
constexpr int kDialogKind = 2;
constexpr int kCancelId = 2;
constexpr int kRestoreEndAction = 2;
constexpr UINT kListItemHeight = 54;
constexpr int kOwnHelpFeature = 6057;  // its controls carry their own help ids
constexpr int kHelpButtons[] = {1037, 1048, 1114};
constexpr LANGID kMirroredLanguages[] = {1037, 1025};

bool IsHelpButton(int controlId)
{
    for (int id : kHelpButtons) {
        if (id == controlId) {
            return true;
        }
    }
    return false;
}

bool ReadsRightToLeft()
{
    const LANGID language = GetUserDefaultUILanguage();
    for (LANGID mirrored : kMirroredLanguages) {
        if (language == mirrored) {
            return true;
        }
    }
    return false;
}

}  // namespace

CNiraWidgetGroup::CNiraWidgetGroup(int windowId, int helpId, int kind, int stringId, LPCWSTR windowName)
    : m_flags(kind & kKindFlagBits),
      m_kind(kind),
      m_helpId(helpId),
      m_windowId(windowId),
      m_stringId(stringId),
      m_windowName{}
{
    if (windowName != nullptr) {
        StringCchCopyW(m_windowName, MAX_PATH, windowName);
    }
}

void CNiraWidgetGroup::FillCompPropSheetUI(COMPROPSHEETUI*, HMODULE) {}

CNiraWidgetGroup::~CNiraWidgetGroup()
{
    m_widgets.RemoveAll();
}

void CNiraWidgetGroup::AddWidget(INiraWidget* widget)
{
    if (widget == nullptr) {
        return;
    }
    m_widgets.SetAt(widget->GetControlId(), widget);
    if (auto* base = dynamic_cast<CNiraWidget*>(widget)) {
        base->SetController(m_controller);
        base->SetGroup(this);
    }
}

CNiraWidget* CNiraWidgetGroup::WidgetAt(int index) const
{
    void** value = m_widgets.GetValueAt(index);
    return value != nullptr ? dynamic_cast<CNiraWidget*>(static_cast<INiraWidget*>(*value)) : nullptr;
}

CNiraWidget* CNiraWidgetGroup::WidgetOf(int controlId) const
{
    if (!m_widgets.Contains(controlId)) {
        return nullptr;
    }
    void** value = const_cast<CNiraIdMap&>(m_widgets).Lookup(controlId);
    return dynamic_cast<CNiraWidget*>(static_cast<INiraWidget*>(*value));
}

WCHAR* CNiraWidgetGroup::NewTitle() const
{
    if (m_controller == nullptr) {
        return nullptr;
    }
    WCHAR* title = new (std::nothrow) WCHAR[kWidgetStringLength]();
    if (title == nullptr) {
        return nullptr;
    }
    if (m_stringId == 0 || !ReadPresentationString(m_controller, m_stringId, title, kWidgetStringLength)) {
        StringCchCopyW(title, kWidgetStringLength, m_windowName);
    }
    return title;
}

void CNiraWidgetGroup::FillPropSheetPage(PROPSHEETPAGEW* out, HMODULE module)
{
    if (out == nullptr) {
        return;
    }
    ZeroMemory(out, sizeof(*out));
    out->dwSize = sizeof(PROPSHEETPAGEW);
    out->dwFlags = PSP_USETITLE;
    out->hInstance = module;
    out->pszTemplate = MAKEINTRESOURCEW(m_windowId);
    out->lParam = reinterpret_cast<LPARAM>(this);
    out->pszTitle = NewTitle();
}

void CNiraWidgetGroup::AttachDialog(HWND window)
{
    if (window == m_dialog) {
        return;
    }
    if (window != nullptr && m_dialog != nullptr) {
        AttachDialog(nullptr);
    }
    if (window != nullptr && m_kind == kDialogKind) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    }
    m_dialog = window;
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        CNiraWidget* widget = WidgetAt(i);
        if (widget == nullptr) {
            continue;
        }
        if (m_dialog != nullptr) {
            widget->SaveValue();
        }
        widget->Attach(m_dialog);
        widget->ShowText(m_dialog, nullptr);
    }
}

int CNiraWidgetGroup::SetTitle(HWND window)
{
    WCHAR title[kWidgetStringLength] = {};
    if (m_stringId != 0) {
        ReadPresentationString(m_controller, m_stringId, title, kWidgetStringLength);
    }
    if (window == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    SetWindowTextW(window, title);
    return NIRA_STATUS_OK;
}

void CNiraWidgetGroup::RememberInitialValues()
{
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        if (CNiraWidget* widget = WidgetAt(i)) {
            widget->SetInitialValue(widget->GetValue());
        }
    }
}

void CNiraWidgetGroup::RestoreInitialValues()
{
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        CNiraWidget* widget = WidgetAt(i);
        if (widget == nullptr) {
            continue;
        }
        if (widget->GetValue() != widget->GetInitialValue()) {
            widget->SetValue(widget->GetInitialValue(), WIDGET_CHANGE_REPORT | WIDGET_CHANGE_FORCE);
        }
        if (widget->GetEndAction() == kRestoreEndAction && m_controller != nullptr) {
            m_controller->NotifyWidgetChanged(widget->GetFeatureId());
        }
    }
}

int CNiraWidgetGroup::GetEndAction(int controlId)
{
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        CNiraWidget* widget = WidgetAt(i);
        if (widget != nullptr && widget->GetControlId() == controlId) {
            return widget->GetEndAction();
        }
    }
    return 0;
}

int CNiraWidgetGroup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, int reserved, HWND window)
{
    switch (LOWORD(message)) {
    case WM_PAINT:
        Paint();
        return 1;
    case WM_CLOSE:
        OnCommand(kCancelId, 0, 0);
        return 1;
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw != nullptr && draw->CtlID != 0) {
            if (CNiraWidget* widget = WidgetOf(static_cast<int>(draw->CtlID))) {
                widget->DrawItem(draw);
            }
        }
        return 1;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr && measure->CtlType == ODT_LISTBOX) {
            measure->itemHeight = kListItemHeight;
        }
        return 1;
    }
    case WM_NOTIFY:
        OnTreeNotify(wParam, reinterpret_cast<NMHDR*>(lParam), reserved);
        return 1;
    case WM_HELP:
        return OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
    case WM_CONTEXTMENU:
        return OnContextMenu(lParam);
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), lParam);
        return 1;
    case WM_TIMER:
        return 1;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        auto* bar = reinterpret_cast<HWND>(lParam);
        const int controlId = GetDlgCtrlID(bar);
        if (CNiraWidget* widget = WidgetOf(controlId)) {
            widget->OnCommand(controlId, bar, -static_cast<int>(LOWORD(wParam)), HIWORD(wParam));
        }
        return 1;
    }
    case WM_LBUTTONDBLCLK:
        if (GetKeyState(VK_CONTROL) < 0) {
            POINT point = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            ClientToScreen(window, &point);
            for (int i = 0; i < m_widgets.GetCount(); ++i) {
                if (CNiraWidget* widget = WidgetAt(i)) {
                    widget->OnCtrlDoubleClick(point.x, point.y);
                }
            }
        }
        return 1;
    default:
        return 0;
    }
}

void CNiraWidgetGroup::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_dialog, &paint);
    if (dc == nullptr) {
        return;
    }
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        if (CNiraWidget* widget = WidgetAt(i)) {
            widget->OnPaint(dc, &paint.rcPaint);
        }
    }
    EndPaint(m_dialog, &paint);
}

int CNiraWidgetGroup::OnCommand(int controlId, int code, LPARAM)
{
    HWND control = GetDlgItem(m_dialog, controlId);
    if (control == nullptr) {
        return 0;
    }
    bool restores = false;
    for (int i = 0; i < m_widgets.GetCount(); ++i) {
        CNiraWidget* widget = WidgetAt(i);
        if (widget == nullptr) {
            continue;
        }
        const bool matches = widget->GetControlId() == controlId;
        // A radio widget hears of every command: its option buttons have ids of their own.
        if (matches || widget->GetKind() == WIDGET_RADIO_BUTTON) {
            widget->OnCommand(controlId, control, code, 0);
        }
        if (matches) {
            restores = restores || widget->GetEndAction() == kRestoreEndAction;
            if (IsHelpButton(controlId) && m_controller != nullptr) {
                int featureId = 0;
                int helpId = 0;
                m_controller->GetFeatureOfControl(controlId, &featureId);
                m_controller->GetHelpId(featureId, &helpId);
                ShowHelp(control, helpId, controlId, true);
                return 1;
            }
        }
        if (widget->GetKind() == WIDGET_TREE_VIEW && !restores) {
            widget->OnTreeCommand();
        }
    }
    return 1;
}

int CNiraWidgetGroup::OnTreeNotify(WPARAM controlId, NMHDR* header, int)
{
    HWND control = GetDlgItem(m_dialog, LOWORD(controlId));
    if (control == nullptr || header == nullptr) {
        return 0;
    }
    CNiraWidget* widget = WidgetOf(LOWORD(controlId));
    if (widget != nullptr && widget->GetKind() == WIDGET_TREE_VIEW) {
        widget->OnCommand(static_cast<int>(controlId), control, static_cast<int>(header->code), 0);
    }
    return 1;
}

int CNiraWidgetGroup::HelpIdOf(int controlId)
{
    CNiraWidget* owner = WidgetOf(controlId);
    bool optionButton = false;
    for (int i = 0; owner == nullptr && i < m_widgets.GetCount(); ++i) {
        auto* radio = dynamic_cast<CNiraRadioButton*>(WidgetAt(i));
        if (radio != nullptr && radio->GetOptionButtons().Contains(controlId)) {
            owner = radio;
            optionButton = true;
        }
    }
    if (owner == nullptr || m_controller == nullptr) {
        return 0;
    }
    int featureId = 0;
    m_controller->GetFeatureOfControl(controlId, &featureId);
    if (optionButton || featureId == kOwnHelpFeature) {
        return owner->GetHelpId(controlId);
    }
    int helpId = 0;
    m_controller->GetHelpId(featureId, &helpId);
    return helpId;
}

void CNiraWidgetGroup::ShowHelp(HWND control, int helpId, int controlId, bool context)
{
    WCHAR* path = nullptr;
    m_controller->GetHelpFilePath(&path);
    CNiraHelpProvider* provider = GetHelpProvider(path);
    if (provider == nullptr) {
        return;
    }
    if (context) {
        provider->ShowContextHelp(control, helpId, controlId);
    } else {
        provider->ShowHelp(control, helpId, controlId);
    }
}

int CNiraWidgetGroup::OnHelp(const HELPINFO* help)
{
    if (help == nullptr || m_controller == nullptr) {
        return 0;
    }
    const int helpId = HelpIdOf(help->iCtrlId);
    if (helpId == 0) {
        return 0;
    }
    ShowHelp(static_cast<HWND>(help->hItemHandle), helpId, help->iCtrlId, true);
    return 1;
}

int CNiraWidgetGroup::OnContextMenu(LPARAM lParam)
{
    POINT point = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    ScreenToClient(m_dialog, &point);
    RECT client = {};
    if (ReadsRightToLeft() && GetClientRect(m_dialog, &client)) {
        point.x = client.right - point.x;
    }
    HWND control = RealChildWindowFromPoint(m_dialog, point);
    if (control == nullptr || control == m_dialog) {
        return 0;
    }
    // The parts of a combo box stand for the combo box.
    if (GetParent(control) != m_dialog) {
        control = GetParent(control);
    }
    const int controlId = GetDlgCtrlID(control);
    const int helpId = HelpIdOf(controlId);
    if (helpId < 1 || m_controller == nullptr) {
        return 0;
    }
    ShowHelp(control, helpId, controlId, false);
    return 1;
}
