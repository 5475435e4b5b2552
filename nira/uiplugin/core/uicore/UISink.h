// The UI sink the core hands to the presentation library: every operation forwards to the core
// that made it. A sink without a core answers failure (or null) where it can be asked anything.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/INiraUISink.h"

class CNiraUICore;

class CNiraUISink : public INiraUISink {
public:
    explicit CNiraUISink(CNiraUICore* core) : m_core(core) {}
    ~CNiraUISink() override = default;
    CNiraUISink(const CNiraUISink&) = delete;
    CNiraUISink& operator=(const CNiraUISink&) = delete;

    int BackupSettings(int featureId, int flags) override;
    int OnOptionChanged(int featureId, int fromUser) override;
    int ResolveConflicts(int featureId, int* reverted, int check, int quiet) override;
    int NotifyFeatureHandler(int featureId) override;
    int RefreshChangedHandlers() override;
    int NotifyWidgetCommand(int widgetId) override;
    int NotifyWidgetChanged(int widgetId) override;
    // The path buffer belongs to the help-file locator and lives as long as the process.
    int GetHelpFilePath(WCHAR** path) override;
    // 0 whatever the settings answer: an unknown feature leaves *helpId as it was.
    int GetHelpId(int featureId, int* helpId) override;
    int PaintWidget(int widgetId, HWND window, LONG_PTR extra) override;
    HMODULE GetResourceModule() override;
    // The core's own object: the caller must not free it.
    CNiraPrinterAccess* GetPrinterAccess() override;
    int QueuePendingChange(int featureId, int value, int action, int source) override;
    int TakeValueSnapshot() override;

private:
    CNiraUICore* m_core;  // borrowed: the core owns the sink
};
