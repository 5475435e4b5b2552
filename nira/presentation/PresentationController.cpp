#include "nira/presentation/PresentationController.h"

#include "nira/presentation/NiraWidget.h"

#include "common/NiraStatus.h"

void CNiraPresentationController::AttachServices(INiraUISink* sink, INiraUISettings* settings,
                                                 CNiraStringDll* strings)
{
    m_sink = sink;
    m_settings = settings;
    m_strings = strings;
}

// A text reported as a feature notification goes to the feature's handler; a value is backed up,
// announced as an option change and checked against the constraints.
int CNiraPresentationController::OnWidgetChanged(INiraWidget* widget, int flags)
{
    if (widget == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int featureId = widget->GetFeatureId();
    if (m_sink == nullptr) {
        return NIRA_STATUS_OK;
    }
    if (flags & WIDGET_CHANGE_NOTIFY_FEATURE) {
        m_sink->NotifyFeatureHandler(featureId);
        return NIRA_STATUS_OK;
    }
    m_sink->BackupSettings(featureId, 1);
    m_sink->OnOptionChanged(featureId, 1);
    int changed = 0;
    m_sink->ResolveConflicts(featureId, &changed, 1, 0);
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetSettings(INiraUISettings** settings)
{
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *settings = m_settings;
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetStringDll(CNiraStringDll** strings)
{
    if (strings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *strings = m_strings;
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetHelpId(int id, int* helpId)
{
    return m_sink == nullptr ? NIRA_STATUS_FAILED : m_sink->GetHelpId(id, helpId);
}

int CNiraPresentationController::GetHelpFilePath(WCHAR** path)
{
    return m_sink == nullptr ? NIRA_STATUS_FAILED : m_sink->GetHelpFilePath(path);
}

HMODULE CNiraPresentationController::GetResourceModule()
{
    return m_sink == nullptr ? nullptr : m_sink->GetResourceModule();
}

int CNiraPresentationController::PaintWidget(int widgetId, HWND window, HMODULE module)
{
    if (window == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_sink != nullptr) {
        m_sink->PaintWidget(widgetId, window, reinterpret_cast<LONG_PTR>(module));
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::NotifyWidgetCommand(int id)
{
    if (m_sink != nullptr) {
        m_sink->NotifyWidgetCommand(id);
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::NotifyWidgetChanged(int id)
{
    if (m_sink != nullptr && id != 0) {
        m_sink->NotifyWidgetChanged(id);
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::ShowsHiddenOptions(int featureId, int* shows)
{
    if (m_settings != nullptr) {
        m_settings->GetIgnoreOptionState(featureId, shows);
    }
    return NIRA_STATUS_OK;
}
