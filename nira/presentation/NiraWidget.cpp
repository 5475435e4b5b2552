#include "nira/presentation/NiraWidget.h"

#include "nira/presentation/PresentationController.h"
#include "nira/presentation/UIHelpers.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <strsafe.h>

#include "common/NiraStatus.h"

CNiraWidget::CNiraWidget(int controlId, int kind, int stringId, int state, int helpId, int companionId,
                         int value, int featureId)
    : m_controlId(controlId),
      m_companionId(companionId),
      m_stringId(stringId),
      m_featureId(featureId),
      m_helpId(helpId),
      m_state(state),
      m_kind(kind),
      m_value(value),
      m_initialValue(value),
      m_savedValue(value)
{}

CNiraWidget::~CNiraWidget()
{
    LocalFree(m_text);
}

// Texts longer than the buffer are cut to its 259 characters.
int CNiraWidget::SetText(const WCHAR* text, int flags)
{
    if (m_text == nullptr) {
        m_text = AllocWidgetText();
        if (m_text == nullptr) {
            return NIRA_STATUS_FAILED;
        }
    }
    const WCHAR* source = text != nullptr ? text : TEXT("");
    bool same = wcscmp(m_text, source) == 0;
    if (same && !(flags & (WIDGET_CHANGE_FORCE | WIDGET_CHANGE_NOTIFY_FEATURE))) {
        return NIRA_STATUS_OK;
    }
    StoreWidgetText(m_text, source);
    if ((flags & WIDGET_CHANGE_REDRAW) && m_dialog != nullptr) {
        Refresh();
    }
    if (flags & (WIDGET_CHANGE_REPORT | WIDGET_CHANGE_NOTIFY_FEATURE)) {
        ReportChange(flags);
    }
    return NIRA_STATUS_OK;
}

void CNiraWidget::SetValue(int value, int flags)
{
    if (value == m_value && !(flags & WIDGET_CHANGE_FORCE)) {
        return;
    }
    m_value = value;
    if ((flags & WIDGET_CHANGE_REDRAW) && m_dialog != nullptr) {
        Refresh();
    }
    if (flags & WIDGET_CHANGE_REPORT) {
        ReportChange(flags);
    }
}

void CNiraWidget::SetState(int state)
{
    if (state == m_state) {
        return;
    }
    m_state = state;
    if (m_dialog != nullptr) {
        UpdateEnable();
        Refresh();
    }
}

void CNiraWidget::SetStringId(int id)
{
    if (id > 0) {
        m_stringId = id;
    }
}

void CNiraWidget::ShowText(HWND dialog, const WCHAR* text)
{
    if (dialog == nullptr) {
        return;
    }
    if (text != nullptr) {
        SetDlgItemTextW(dialog, m_controlId, text);
        return;
    }
    WCHAR buffer[kWidgetStringLength];
    if (ReadString(m_stringId, buffer, kWidgetStringLength) && buffer[0] != 0) {
        SetDlgItemTextW(dialog, m_controlId, buffer);
    }
}

int CNiraWidget::LoadStringId(int id)
{
    if (id == 0) {
        return NIRA_STATUS_FAILED;
    }
    SetStringId(id);
    WCHAR buffer[kWidgetStringLength];
    ReadString(id, buffer, kWidgetStringLength);
    ShowText(m_dialog, buffer);
    Refresh();
    return NIRA_STATUS_OK;
}

void CNiraWidget::SetLimits(int limit, float a, float b)
{
    m_limit = limit;
    m_limitA = a;
    m_limitB = b;
}

void CNiraWidget::SetFocus()
{
    if (HWND control = Control()) {
        ::SetFocus(control);
    }
}

void CNiraWidget::UpdateEnable()
{
    if (m_dialog == nullptr) {
        return;
    }
    bool shown = m_state != WIDGET_STATE_HIDDEN && m_state != WIDGET_STATE_HIDDEN_ALT;
    for (int id : {m_companionId, m_controlId}) {
        HWND control = id == 0 ? nullptr : GetDlgItem(m_dialog, id);
        if (control == nullptr) {
            continue;
        }
        if (id == m_controlId) {
            LeaveFocusIfDisabled(control);
        }
        ShowAndEnable(control, shown);
        if (m_state == WIDGET_STATE_DISABLED) {
            EnableWindow(control, FALSE);
        }
    }
}

int CNiraWidget::GetHelpId(int controlId)
{
    return controlId == m_controlId || controlId == m_companionId ? m_helpId : 0;
}

void CNiraWidget::Attach(HWND dialog)
{
    if (dialog != nullptr && m_dialog != nullptr) {
        return;
    }
    m_dialog = dialog;
    if (dialog != nullptr) {
        Refresh();
        UpdateEnable();
    }
}

void CNiraWidget::SetController(CNiraPresentationController* controller)
{
    if (controller != nullptr) {
        m_controller = controller;
    }
}

void CNiraWidget::SetGroup(CNiraWidgetGroup* group)
{
    if (group != nullptr) {
        m_group = group;
    }
}

void CNiraWidget::ReportChange(int flags)
{
    if (m_controller != nullptr) {
        m_controller->OnWidgetChanged(this, flags);
    }
}

HWND CNiraWidget::Control() const
{
    return m_dialog == nullptr ? nullptr : GetDlgItem(m_dialog, m_controlId);
}

bool CNiraWidget::ReadString(int id, WCHAR* buffer, DWORD size) const
{
    return ReadPresentationString(m_controller, id, buffer, size);
}

void CNiraWidget::LeaveFocusIfDisabled(HWND control) const
{
    if (m_state == WIDGET_STATE_DISABLED && GetFocus() == control) {
        ::SetFocus(m_dialog);
    }
}

int WidgetRowState(const CNiraWidgetInfo& row)
{
    if (auto* list = dynamic_cast<const CNiraListWidgetInfo*>(&row)) {
        return list->state.value;
    }
    if (auto* value = dynamic_cast<const CNiraValueWidgetInfo*>(&row)) {
        return value->state.value;
    }
    if (auto* range = dynamic_cast<const CNiraRangeWidgetInfo*>(&row)) {
        return range->state.value;
    }
    if (auto* linked = dynamic_cast<const CNiraLinkedWidgetInfo*>(&row)) {
        return linked->state.value;
    }
    if (auto* group = dynamic_cast<const CNiraGroupWidgetInfo*>(&row)) {
        return group->state.value;
    }
    return 0;
}

int WidgetRowEndControl(const CNiraWidgetInfo& row)
{
    auto* end = dynamic_cast<const CNiraEndListWidgetInfo*>(&row);
    return end == nullptr ? 0 : end->endControl;
}

int WidgetRowLabelId(const CNiraWidgetInfo& row)
{
    auto* linked = dynamic_cast<const CNiraLinkedWidgetInfo*>(&row);
    return linked == nullptr ? 0 : linked->labelId;
}

void WidgetRowRange(const CNiraWidgetInfo& row, int* increment, int* minimum, int* maximum)
{
    auto* range = dynamic_cast<const CNiraRangeWidgetInfo*>(&row);
    *increment = range == nullptr ? 0 : range->range.incrementFactor;
    *minimum = range == nullptr ? 0 : range->range.minValue;
    *maximum = range == nullptr ? 0 : range->range.maxValue;
}

WCHAR* AllocWidgetText()
{
    return static_cast<WCHAR*>(LocalAlloc(LPTR, kWidgetTextLength * sizeof(WCHAR)));
}

void StoreWidgetText(WCHAR* buffer, const WCHAR* text)
{
    StringCchCopyW(buffer, kWidgetTextLength, text != nullptr ? text : TEXT(""));
}
