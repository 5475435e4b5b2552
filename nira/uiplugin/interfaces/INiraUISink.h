// The UI sink: the table through which the presentation library reports widget changes to the UI
// core and asks it for painting, help and resources. nirapres calls it by position, so the order
// of the operations is a contract. Status results: 0 or NIRA_STATUS_FAILED.
#pragma once

#include <windows.h>

class CNiraPrinterAccess;

class INiraUISink {
public:
    virtual ~INiraUISink() = default;                              // 0
    virtual int BackupSettings(int featureId, int flags) = 0;      // 1
    virtual int OnOptionChanged(int featureId, int fromUser) = 0;  // 2
    virtual int ResolveConflicts(int featureId, int* reverted, int check,
                                 int quiet) = 0;            // 3
    virtual int NotifyFeatureHandler(int featureId) = 0;    // 4
    virtual int RefreshChangedHandlers() = 0;               // 5
    virtual int NotifyWidgetCommand(int widgetId) = 0;      // 6
    virtual int NotifyWidgetChanged(int widgetId) = 0;      // 7
    virtual int GetHelpFilePath(WCHAR** path) = 0;          // 8
    virtual int GetHelpId(int featureId, int* helpId) = 0;  // 9
    // The extra value is pointer-sized: nirapres passes its module handle.
    virtual int PaintWidget(int widgetId, HWND window, LONG_PTR extra) = 0;  // 10
    virtual HMODULE GetResourceModule() = 0;                                 // 11
    virtual CNiraPrinterAccess* GetPrinterAccess() = 0;                      // 12
    virtual int QueuePendingChange(int featureId, int value, int action,
                                   int source) = 0;  // 13
    virtual int TakeValueSnapshot() = 0;             // 14
};
