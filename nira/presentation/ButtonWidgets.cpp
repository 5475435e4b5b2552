#include "nira/presentation/ButtonWidgets.h"

#include "nira/presentation/PresentationController.h"
#include "nira/presentation/UIHelpers.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

CNiraButton::CNiraButton(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID()),
      m_endAction(WidgetRowEndControl(row))
{}

void CNiraButton::Refresh()
{
    if (m_dialog == nullptr) {
        return;
    }
    SendDlgItemMessageW(m_dialog, m_controlId, BM_SETCHECK, static_cast<WPARAM>(m_value), 0);
    ShowText(m_dialog, m_text);
}

void CNiraButton::UpdateEnable()
{
    if (m_dialog != nullptr) {
        ShowControlByState(GetDlgItem(m_dialog, m_controlId), m_state);
    }
}

int CNiraButton::OnCommand(int, HWND, int code, int)
{
    if (code == BN_CLICKED && Controller() != nullptr) {
        Controller()->OnWidgetChanged(this, 0);
    }
    return 1;
}

void ShowControlByState(HWND control, int state)
{
    if (control == nullptr) {
        return;
    }
    bool shown = state != WIDGET_STATE_HIDDEN && state != WIDGET_STATE_HIDDEN_ALT;
    ShowAndEnable(control, shown);
    if (state == WIDGET_STATE_DISABLED) {
        EnableWindow(control, FALSE);
    }
}
