#include "nira/uiplugin/core/uicore/UISink.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/help/HelpFileLocator.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

namespace {

constexpr DWORD kPrinterNameChars = 260;

}  // namespace

int CNiraUISink::BackupSettings(int featureId, int flags)
{
    return m_core ? m_core->BackupSettings(featureId, flags) : NIRA_STATUS_FAILED;
}

int CNiraUISink::OnOptionChanged(int featureId, int fromUser)
{
    return m_core ? m_core->OnOptionChanged(featureId, fromUser) : NIRA_STATUS_FAILED;
}

int CNiraUISink::ResolveConflicts(int featureId, int* reverted, int check, int quiet)
{
    return m_core ? m_core->ResolveConflicts(featureId, reverted, check, quiet) : NIRA_STATUS_FAILED;
}

int CNiraUISink::NotifyFeatureHandler(int featureId)
{
    return m_core ? m_core->NotifyFeatureHandler(featureId) : NIRA_STATUS_FAILED;
}

int CNiraUISink::RefreshChangedHandlers()
{
    if (m_core != nullptr) {
        m_core->RefreshChangedHandlers();
        m_core->SetHandlersRefreshed(1);
    }
    return 0;
}

int CNiraUISink::NotifyWidgetCommand(int widgetId)
{
    if (m_core != nullptr) {
        m_core->NotifyWidgetCommand(widgetId);
    }
    return 0;
}

int CNiraUISink::NotifyWidgetChanged(int widgetId)
{
    if (m_core != nullptr) {
        m_core->NotifyWidgetChanged(widgetId);
    }
    return 0;
}

int CNiraUISink::GetHelpFilePath(WCHAR** path)
{
    CNiraHelpFileLocator* locator = GetHelpFileLocator();
    if (locator == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPrinterAccess* access = m_core ? m_core->GetPrinterAccess() : nullptr;
    if (access == nullptr) {
        if (path != nullptr) {
            *path = nullptr;
        }
        return NIRA_STATUS_FAILED;
    }
    auto* name = static_cast<WCHAR*>(LocalAlloc(LPTR, kPrinterNameChars * sizeof(WCHAR)));
    int located = 0;
    if (name != nullptr && path != nullptr && access->GetPrinterName(name, kPrinterNameChars)) {
        located = locator->Locate(name, path);
    }
    LocalFree(name);
    return located ? 0 : NIRA_STATUS_FAILED;
}

int CNiraUISink::GetHelpId(int featureId, int* helpId)
{
    if (m_core == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_core->GetHelpId(featureId, helpId);
    return 0;
}

int CNiraUISink::PaintWidget(int widgetId, HWND window, LONG_PTR extra)
{
    return m_core ? m_core->PaintWidget(widgetId, window, static_cast<int>(extra)) : 0;
}

HMODULE CNiraUISink::GetResourceModule()
{
    return m_core ? m_core->GetResourceModule() : nullptr;
}

CNiraPrinterAccess* CNiraUISink::GetPrinterAccess()
{
    return m_core ? m_core->GetPrinterAccess() : nullptr;
}

int CNiraUISink::QueuePendingChange(int featureId, int value, int action, int source)
{
    return m_core ? m_core->QueuePendingChange(featureId, value, action, source) : NIRA_STATUS_FAILED;
}

int CNiraUISink::TakeValueSnapshot()
{
    return m_core ? m_core->TakeValueSnapshot() : NIRA_STATUS_FAILED;
}
