#include "nira/presentation/RangeWidgets.h"

#include <commctrl.h>

#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <cstdlib>

namespace {

constexpr WORD kPositionMask = 0xFFFF;

int Clamp(int value, int minimum, int maximum)
{
    return value > maximum ? maximum : value < minimum ? minimum : value;
}

}  // namespace

CNiraRangeWidget::CNiraRangeWidget(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{
    WidgetRowRange(row, &m_increment, &m_minimum, &m_maximum);
}

void CNiraSpinControl::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (HWND control = Control()) {
        SendMessageW(control, UDM_SETRANGE, 0, MAKELPARAM(m_maximum, m_minimum));
    }
    Refresh();
}

void CNiraSpinControl::Refresh()
{
    HWND control = Control();
    if (control != nullptr && m_state != WIDGET_STATE_DISABLED) {
        SendMessageW(control, UDM_SETPOS, 0, m_value);
    }
}

void CNiraScrollBar::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (HWND control = Control()) {
        SetScrollRange(control, SB_CTL, m_minimum, m_maximum, FALSE);
    }
    Refresh();
}

// A disabled bar keeps its thumb; a hidden one shows the value the dialog opened with.
void CNiraScrollBar::Refresh()
{
    HWND control = Control();
    if (control == nullptr || m_state == WIDGET_STATE_DISABLED) {
        return;
    }
    bool hidden = m_state == WIDGET_STATE_HIDDEN || m_state == WIDGET_STATE_HIDDEN_ALT;
    SetScrollPos(control, SB_CTL, hidden ? m_initialValue : m_value, TRUE);
}

int CNiraScrollBar::OnCommand(int controlId, HWND, int negatedCode, int position)
{
    if (controlId != m_controlId || m_dialog == nullptr) {
        return 0;
    }
    int value = m_value;
    switch (-negatedCode) {
    case SB_LINEUP:
        value -= 1;
        break;
    case SB_LINEDOWN:
        value += 1;
        break;
    case SB_PAGEUP:
        value -= m_increment;
        break;
    case SB_PAGEDOWN:
        value += m_increment;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        value = position & kPositionMask;
        break;
    case SB_TOP:
        value = m_minimum;
        break;
    case SB_BOTTOM:
        value = m_maximum;
        break;
    default:
        return 1;
    }
    SetValue(Clamp(value, m_minimum, m_maximum), WIDGET_CHANGE_REPORT | WIDGET_CHANGE_REDRAW);
    return 1;
}

// A range that reaches below zero is centred: value 0 sits at the middle of the control's range.
int CNiraTrackBar::Upper() const
{
    if (m_minimum < 0) {
        return std::abs(m_minimum) + m_maximum;
    }
    return m_increment == 0 ? 0 : (m_maximum - m_minimum) / m_increment;
}

int CNiraTrackBar::PositionOf(int value) const
{
    if (m_minimum < 0) {
        return value + (std::abs(m_minimum) + m_maximum) / 2;
    }
    return m_increment == 0 ? 0 : (value - m_minimum) / m_increment;
}

void CNiraTrackBar::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (HWND control = Control()) {
        SendMessageW(control, TBM_SETRANGE, TRUE, MAKELPARAM(0, Upper()));
        SendMessageW(control, TBM_SETPAGESIZE, 0, m_increment);
        SendMessageW(control, TBM_SETTICFREQ, static_cast<WPARAM>(m_increment), 0);
    }
    Refresh();
}

void CNiraTrackBar::Refresh()
{
    if (HWND control = Control()) {
        SendMessageW(control, TBM_SETPOS, TRUE, PositionOf(m_value));
    }
}

int CNiraTrackBar::OnCommand(int controlId, HWND, int negatedCode, int position)
{
    if (controlId != m_controlId || m_dialog == nullptr) {
        return 0;
    }
    int value = m_value;
    switch (-negatedCode) {
    case TB_LINEUP:
    case TB_PAGEUP:
        value -= m_increment;
        break;
    case TB_LINEDOWN:
    case TB_PAGEDOWN:
        value += m_increment;
        break;
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
        if (m_minimum < 0) {
            value = position - (std::abs(m_minimum) + m_maximum) / 2;
        } else if (m_minimum == 1) {
            value = position + 1;
        }
        break;
    case TB_TOP:
        value = m_minimum;
        break;
    case TB_BOTTOM:
        value = m_maximum;
        break;
    default:
        return 1;
    }
    SetValue(Clamp(value, m_minimum, m_maximum), WIDGET_CHANGE_REPORT | WIDGET_CHANGE_REDRAW);
    return 1;
}
