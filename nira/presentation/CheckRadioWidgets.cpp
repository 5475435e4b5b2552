#include "nira/presentation/CheckRadioWidgets.h"

#include "nira/presentation/PresentationController.h"
#include "nira/presentation/UIHelpers.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <vector>

#include "common/NiraStatus.h"

namespace {

constexpr int kGreyedOption = 5;
constexpr int kOrdinaryOption = 2;

}  // namespace

CNiraCheckBox::CNiraCheckBox(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

void CNiraCheckBox::Refresh()
{
    if (m_dialog != nullptr && m_value >= 0) {
        SendDlgItemMessageW(m_dialog, m_controlId, BM_SETCHECK, static_cast<WPARAM>(m_value), 0);
    }
}

int CNiraCheckBox::OnCommand(int controlId, HWND, int code, int)
{
    if (controlId != m_controlId) {
        return 0;
    }
    if (code == BN_CLICKED && m_dialog != nullptr) {
        SetValue(static_cast<int>(IsDlgButtonChecked(m_dialog, m_controlId)), WIDGET_CHANGE_REPORT);
    }
    return 1;
}

CNiraRadioButton::CNiraRadioButton(const CNiraWidgetInfo& row)
    : CNiraWidget(row.GroupID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

// The value is stored even when it did not change, so a refill always redraws the buttons.
void CNiraRadioButton::SetValue(int value, int flags)
{
    m_value = value;
    if ((flags & WIDGET_CHANGE_REDRAW) && m_dialog != nullptr) {
        Refresh();
        UpdateEnable();
    }
    if (flags & WIDGET_CHANGE_REPORT) {
        ReportChange(flags);
    }
}

void CNiraRadioButton::ShowText(HWND dialog, const WCHAR*)
{
    for (int i = 0; i < m_buttonCount; ++i) {
        if (CNiraButton* button = ButtonAt(i)) {
            button->ShowText(dialog, nullptr);
        }
    }
}

void CNiraRadioButton::Refresh()
{
    if (m_dialog == nullptr) {
        return;
    }
    for (int position = 0; position < m_buttonCount; ++position) {
        if (CNiraButton* button = ButtonAt(position)) {
            WPARAM check = position == m_value ? BST_CHECKED : BST_UNCHECKED;
            SendDlgItemMessageW(m_dialog, button->GetControlId(), BM_SETCHECK, check, 0);
        }
    }
}

// The group frame follows the radio widget's state; each button is shown with the frame and
// enabled unless its option is greyed (state 5).
void CNiraRadioButton::UpdateEnable()
{
    CNiraWidget::UpdateEnable();
    if (m_dialog == nullptr || m_buttonCount == 0) {
        return;
    }
    std::vector<int> states(static_cast<size_t>(m_buttonCount), kOrdinaryOption);
    ReadOptionStates(states.data(), m_buttonCount);
    bool shown = m_state != WIDGET_STATE_HIDDEN && m_state != WIDGET_STATE_HIDDEN_ALT;
    for (int index = 0; index < m_buttonCount; ++index) {
        void** slot = m_buttons.GetValueAt(index);
        auto* button = slot == nullptr ? nullptr : static_cast<CNiraButton*>(*slot);
        HWND control = button == nullptr ? nullptr : GetDlgItem(m_dialog, button->GetControlId());
        if (control == nullptr) {
            continue;
        }
        bool bothEnabled = m_state == WIDGET_STATE_ENABLED && button->GetState() == WIDGET_STATE_ENABLED;
        if (!bothEnabled && GetFocus() == control) {
            ::SetFocus(m_dialog);
        }
        ShowAndEnable(control, shown);
        if (shown) {
            EnableWindow(control, states[static_cast<size_t>(index)] != kGreyedOption);
        }
    }
}

int CNiraRadioButton::GetHelpId(int controlId)
{
    if (m_buttons.Contains(controlId)) {
        void** slot = m_buttons.Lookup(controlId);
        return static_cast<CNiraButton*>(*slot)->GetHelpId(controlId);
    }
    return CNiraWidget::GetHelpId(controlId);
}

int CNiraRadioButton::OnCommand(int controlId, HWND, int code, int)
{
    int position = -1;
    for (int index = 0; index < m_buttonCount; ++index) {
        void** slot = m_buttons.GetValueAt(index);
        if (slot != nullptr && static_cast<CNiraButton*>(*slot)->GetControlId() == controlId) {
            position = m_buttonCount - 1 - index;
            break;
        }
    }
    if (position < 0 || position == m_value) {
        return 0;
    }
    if (code == BN_CLICKED && m_dialog != nullptr) {
        HWND button = GetDlgItem(m_dialog, controlId);
        HWND parent = button == nullptr ? nullptr : GetParent(button);
        if (parent != nullptr && SendDlgItemMessageW(parent, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetValue(position, WIDGET_CHANGE_REPORT);
        }
    }
    return 1;
}

void CNiraRadioButton::AddOptionButton(CNiraButton* button)
{
    if (button == nullptr) {
        return;
    }
    m_buttons.SetAt(button->GetControlId(), button);
    ++m_buttonCount;
    button->SetController(m_controller);
    button->SetGroup(m_radioGroup);
}

CNiraButton* CNiraRadioButton::ButtonAt(int position) const
{
    void** slot = m_buttons.GetValueAt(m_buttonCount - 1 - position);
    return slot == nullptr ? nullptr : static_cast<CNiraButton*>(*slot);
}

void CNiraRadioButton::ReadOptionStates(int* states, int count)
{
    INiraUISettings* settings = nullptr;
    if (m_controller == nullptr || m_controller->GetSettings(&settings) != NIRA_STATUS_OK ||
        settings == nullptr) {
        return;
    }
    int options = settings->GetOptionCount(m_featureId);
    for (int i = 0; i < options && i < count; ++i) {
        int optionIndex = 0;
        int optionId = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = kOrdinaryOption;
        if (settings->GetOptionByIndex(i, m_featureId, &optionIndex, &optionId, nullptr, &bitmapId, &iconId,
                                       &state) == NIRA_STATUS_OK) {
            states[i] = state;
        }
    }
}
