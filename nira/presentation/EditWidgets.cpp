#include "nira/presentation/EditWidgets.h"

#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

namespace {

constexpr int kNumberTextChars = 20;
constexpr int kDecimalRadix = 10;
constexpr double kHalf = 0.5;

// Digits, a '.' anywhere and a '-' only first.
bool IsNumberText(const WCHAR* text)
{
    for (const WCHAR* c = text; *c != 0; ++c) {
        bool allowed = iswdigit(*c) || *c == '.' || (*c == '-' && c == text);
        if (!allowed) {
            return false;
        }
    }
    return true;
}

// The text as a number rounded half away from zero by the sign of its integer part.
int RoundedNumber(const WCHAR* text)
{
    double number = _wtof(text);
    number += _wtoi(text) >= 0 ? kHalf : -kHalf;
    return static_cast<int>(number);
}

}  // namespace

CNiraEditBox::CNiraEditBox(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

CNiraEditBox::~CNiraEditBox()
{
    LocalFree(m_editText);
}

void CNiraEditBox::ShowText(HWND dialog, const WCHAR*)
{
    if (dialog != nullptr && m_editText != nullptr) {
        SetDlgItemTextW(dialog, m_controlId, m_editText);
    }
}

void CNiraEditBox::Refresh()
{
    if (Control() != nullptr) {
        ShowText(m_dialog, nullptr);
    }
}

void CNiraEditBox::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (HWND control = Control()) {
        SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(m_limit), 0);
    }
}

void CNiraEditBox::SetEditText(const WCHAR* text)
{
    if (m_editText == nullptr) {
        m_editText = AllocWidgetText();
        if (m_editText == nullptr) {
            return;
        }
    }
    if (text == nullptr || wcscmp(m_editText, text) == 0) {
        return;
    }
    StoreWidgetText(m_editText, text);
    if (m_dialog != nullptr) {
        SetDlgItemTextW(m_dialog, m_controlId, m_editText);
    }
}

// A change reports a text that differs from the widget's; leaving the field always tells the
// feature's handler.
int CNiraEditBox::OnCommand(int controlId, HWND control, int code, int)
{
    if (controlId != m_controlId || m_dialog == nullptr) {
        return 0;
    }
    if (code != EN_CHANGE && code != EN_KILLFOCUS) {
        return 1;
    }
    if (m_editText == nullptr) {
        m_editText = AllocWidgetText();
        if (m_editText == nullptr) {
            return 1;
        }
    }
    GetWindowTextW(control != nullptr ? control : Control(), m_editText, kWidgetTextLength);
    SetText(m_editText, code == EN_CHANGE ? WIDGET_CHANGE_REPORT : WIDGET_CHANGE_NOTIFY_FEATURE);
    return 1;
}

CNiraIntEditBox::CNiraIntEditBox(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{
    int increment = 0;
    WidgetRowRange(row, &increment, &m_minimum, &m_maximum);
}

void CNiraIntEditBox::PutText(const WCHAR* text)
{
    HWND control = Control();
    if (control == nullptr) {
        return;
    }
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    WPARAM end = static_cast<WPARAM>(wcslen(text));
    SendMessageW(control, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void CNiraIntEditBox::Refresh()
{
    WCHAR number[kNumberTextChars] = {};
    _itow(m_value, number, kDecimalRadix);
    PutText(number);
}

void CNiraIntEditBox::ShowText(HWND, const WCHAR* text)
{
    if (text != nullptr) {
        PutText(text);
    }
}

int CNiraIntEditBox::OnCommand(int controlId, HWND control, int code, int)
{
    if (controlId != m_controlId || m_dialog == nullptr) {
        return 0;
    }
    if (code != EN_CHANGE && code != EN_KILLFOCUS) {
        return 1;
    }
    WCHAR text[kNumberTextChars] = {};
    GetWindowTextW(control != nullptr ? control : Control(), text, kNumberTextChars);
    int number = RoundedNumber(text);
    if (code == EN_KILLFOCUS) {
        number = number > m_maximum ? m_maximum : number;
        number = number < m_minimum ? m_minimum : number;
        Refresh();
        SetValue(number, WIDGET_CHANGE_REPORT | WIDGET_CHANGE_REDRAW);
        return 1;
    }
    if (text[0] != 0 && !IsNumberText(text)) {
        Refresh();
    }
    if (number == m_value) {
        return 1;
    }
    if (number > m_maximum) {
        number = m_maximum;
    } else {
        if (number < m_minimum && m_minimum < 0) {
            number = m_minimum;
        }
        if (number == 0) {
            return 0;
        }
    }
    Refresh();
    SetValue(number, WIDGET_CHANGE_REPORT | WIDGET_CHANGE_REDRAW);
    return 1;
}
