// The presentation controller, one per presented frame: PresentFrame walks the container of the
// UI layout database into widget groups and widgets, fills them from the settings and shows the
// frame. Afterwards it is the hub between the widgets and the UI plug-in: widgets report their
// changes to it and ask it for the settings object, the string library, the resource module and
// painting; it forwards to the UI sink and the UI settings object it was given.
#pragma once

#include <windows.h>

#include "common/NiraStringDll.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"
#include "nira/uiplugin/interfaces/INiraUISink.h"
#include "nira/uiplugin/interfaces/PresentationIntf.h"

class CNiraDataSource;
class CNiraFrame;
class CNiraIntRecord;
class CNiraWidget;
class CNiraWidgetInfo;
class CNiraWidgetRegistry;
class CNiraWindowRecord;
class INiraWidget;

class CNiraPresentationController : public INiraPresentationIntf {
public:
    CNiraPresentationController() = default;
    ~CNiraPresentationController() override;
    CNiraPresentationController(const CNiraPresentationController&) = delete;
    CNiraPresentationController& operator=(const CNiraPresentationController&) = delete;

    int PresentFrame(INiraUISink* sink, INiraUISettings* settings, CNiraUILayoutDB* layoutReader,
                     FrameRequest* request, CNiraStringDll* strings, int mode) override;

    // The objects PresentFrame is given, for widgets shown on a dialog of their own: the registry
    // is made here when there is none.
    void AttachServices(INiraUISink* sink, INiraUISettings* settings, CNiraStringDll* strings);
    CNiraWidgetRegistry* GetRegistry() const { return m_registry; }

    // A widget whose value (flag 1) or text (flag 0x10) the user changed.
    int OnWidgetChanged(INiraWidget* widget, int flags);
    int GetSettings(INiraUISettings** settings);
    int GetStringDll(CNiraStringDll** strings);
    CNiraFrame* GetFrame() const { return m_frame; }
    int GetFeatureOfControl(int controlId, int* featureId);
    int GetHelpId(int id, int* helpId);
    int GetHelpFilePath(WCHAR** path);
    HMODULE GetResourceModule();
    int PaintWidget(int widgetId, HWND window, HMODULE module);
    int NotifyWidgetCommand(int id);
    int NotifyWidgetChanged(int id);
    int ApplyNow();
    int RefreshChangedWidgets();
    int QueuePendingChange(int id, int value, int mode);
    int SelectTreeOption(int featureId, int value);
    int SetStartPage(int windowId);
    int ShowsHiddenOptions(int featureId, int* shows);
    int GetRtlWindowId(int windowId, int* rtlWindowId);

private:
    // The layout walk: the container, each window, each widget row.
    static LONG CALLBACK AddContainer(CNiraIntRecord* record, LPVOID controller);
    static LONG CALLBACK AddWindow(CNiraIntRecord* record, LPVOID controller);
    static LONG CALLBACK AddWidget(CNiraWidgetInfo* row, LPVOID controller);
    void CreateGroup(const CNiraWindowRecord& row);
    void CreateWidget(const CNiraWidgetInfo& row);
    void CreateRadioOption(const CNiraWidgetInfo& row);
    // Files a widget the factory made under a key, in the current window's group.
    void FileWidget(int key, CNiraWidget* widget, const CNiraWidgetInfo& row);
    int StartPage();
    int CreateAndShowFrame(int frameType, DWORD* result, void* context, HMODULE resourceModule,
                           int startPage);

    INiraUISink* m_sink = nullptr;
    CNiraDataSource* m_layoutReader = nullptr;
    CNiraFrame* m_frame = nullptr;
    INiraUISettings* m_settings = nullptr;
    CNiraWidgetRegistry* m_registry = nullptr;
    CNiraStringDll* m_strings = nullptr;
    int m_containerId = 0;
    int m_windowId = 0;
    int m_rtl = 0;
};

// Reads the text of a string id from the controller's string library into a buffer of `size`
// characters; false (and an empty buffer) for id 0, without a library or without the text.
bool ReadPresentationString(CNiraPresentationController* controller, int id, WCHAR* buffer, DWORD size);
