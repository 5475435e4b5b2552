// The presentation controller: the hub between the widgets and the UI plug-in. Widgets report
// their changes to it and ask it for the settings object, the string library, the resource
// module and painting; it forwards to the UI sink and the UI settings object it was given.
#pragma once

#include <windows.h>

#include "common/NiraStringDll.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"
#include "nira/uiplugin/interfaces/INiraUISink.h"

class INiraWidget;

class CNiraPresentationController {
public:
    CNiraPresentationController() = default;
    virtual ~CNiraPresentationController() = default;
    CNiraPresentationController(const CNiraPresentationController&) = delete;
    CNiraPresentationController& operator=(const CNiraPresentationController&) = delete;

    // The objects the UI plug-in hands over; they belong to it and outlive the controller.
    void AttachServices(INiraUISink* sink, INiraUISettings* settings, CNiraStringDll* strings);

    // A widget whose value (flag 1) or text (flag 0x10) the user changed.
    int OnWidgetChanged(INiraWidget* widget, int flags);
    int GetSettings(INiraUISettings** settings);
    int GetStringDll(CNiraStringDll** strings);
    int GetHelpId(int id, int* helpId);
    int GetHelpFilePath(WCHAR** path);
    HMODULE GetResourceModule();
    int PaintWidget(int widgetId, HWND window, HMODULE module);
    int NotifyWidgetCommand(int id);
    int NotifyWidgetChanged(int id);
    int ShowsHiddenOptions(int featureId, int* shows);

private:
    INiraUISink* m_sink = nullptr;
    INiraUISettings* m_settings = nullptr;
    CNiraStringDll* m_strings = nullptr;
};
