#include "nira/presentation/ListBoxWidgets.h"

#include "nira/presentation/ComboBoxWidgets.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <vector>

CNiraListBox::CNiraListBox(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

CNiraListBox::~CNiraListBox()
{
    FreeMapValues(m_items);
}

void CNiraListBox::Refresh()
{
    HWND control = Control();
    if (control == nullptr) {
        return;
    }
    SendMessageW(control, LB_RESETCONTENT, 0, 0);
    for (int index = 0; index < ItemCount(); ++index) {
        LONG optionId = 0;
        if (const WCHAR* text = ItemTextAt(index, &optionId)) {
            SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    const WCHAR* current = nullptr;
    for (int index = 0; index < ItemCount() && current == nullptr; ++index) {
        LONG optionId = 0;
        const WCHAR* text = ItemTextAt(index, &optionId);
        current = optionId == m_value ? text : nullptr;
    }
    if (current == nullptr) {
        return;
    }
    LRESULT row = SendMessageW(control, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(current));
    SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(row == LB_ERR ? 0 : row), 0);
}

void CNiraListBox::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (dialog != nullptr) {
        Refresh();
    }
}

// The row's text is read with its real length, so option names of any length are matched.
int CNiraListBox::OnCommand(int controlId, HWND, int code, int)
{
    HWND control = Control();
    if (controlId != m_controlId || control == nullptr || code != LBN_SELCHANGE) {
        return 0;
    }
    LRESULT row = SendMessageW(control, LB_GETCURSEL, 0, 0);
    LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0) {
        return UnmatchedAnswer();
    }
    std::vector<WCHAR> chosen(static_cast<size_t>(length) + 1, 0);
    SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(chosen.data()));
    CharUpperBuffW(chosen.data(), static_cast<DWORD>(length));
    for (int index = 0; index < ItemCount(); ++index) {
        LONG optionId = 0;
        const WCHAR* text = ItemTextAt(index, &optionId);
        if (text == nullptr) {
            continue;
        }
        WCHAR candidate[kWidgetTextLength];
        StoreWidgetText(candidate, text);
        CharUpperBuffW(candidate, static_cast<DWORD>(wcslen(candidate)));
        if (wcscmp(candidate, chosen.data()) == 0) {
            SetValue(optionId, WIDGET_CHANGE_REPORT);
            return 1;
        }
    }
    return UnmatchedAnswer();
}

void CNiraListBox::AddItem(int optionId, const WCHAR* text)
{
    if (text == nullptr) {
        return;
    }
    WCHAR* copy = AllocWidgetText();
    if (copy == nullptr) {
        return;
    }
    StoreWidgetText(copy, text);
    void** slot = m_items.Lookup(optionId);
    if (slot == nullptr) {
        LocalFree(copy);
        return;
    }
    LocalFree(*slot);
    *slot = copy;
}

void CNiraListBox::ClearItems()
{
    FreeMapValues(m_items);
}

const WCHAR* CNiraListBox::ItemTextAt(int index, LONG* optionId) const
{
    NiraIdEntry* entry = m_items.GetEntryAt(index);
    if (entry == nullptr) {
        return nullptr;
    }
    *optionId = entry->key;
    return static_cast<const WCHAR*>(entry->value);
}
