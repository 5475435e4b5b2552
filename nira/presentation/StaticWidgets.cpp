#include "nira/presentation/StaticWidgets.h"

#include "nira/presentation/ButtonWidgets.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

CNiraStaticControl::CNiraStaticControl(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  0, 0, row.FeatureID())
{}

CNiraStaticControl::CNiraStaticControl(int controlId, int stringId, int state, int helpId, int featureId)
    : CNiraWidget(controlId, WIDGET_STATIC, stringId, state, helpId, 0, 0, featureId)
{}

CNiraStaticControl::~CNiraStaticControl()
{
    LocalFree(m_staticText);
}

void CNiraStaticControl::Refresh()
{
    if (m_dialog == nullptr) {
        return;
    }
    bool hasText = m_staticText != nullptr && m_staticText[0] != 0;
    ShowText(m_dialog, hasText ? m_staticText : nullptr);
}

void CNiraStaticControl::UpdateEnable()
{
    if (m_dialog == nullptr) {
        return;
    }
    HWND control = GetDlgItem(m_dialog, m_controlId);
    if (control != nullptr) {
        LeaveFocusIfDisabled(control);
    }
    ShowControlByState(control, m_state);
}

int CNiraStaticControl::OnCommand(int controlId, HWND, int, int)
{
    return controlId == m_controlId && Control() != nullptr ? 1 : 0;
}

void CNiraStaticControl::SetEditText(const WCHAR* text)
{
    if (m_staticText == nullptr) {
        m_staticText = AllocWidgetText();
        if (m_staticText == nullptr) {
            return;
        }
    }
    if (text == nullptr || wcscmp(m_staticText, text) == 0) {
        return;
    }
    StoreWidgetText(m_staticText, text);
    if (m_dialog != nullptr) {
        SetDlgItemTextW(m_dialog, m_controlId, m_staticText);
    }
}
