// A widget group: the widgets of one window of the layout (a property-sheet page, a dialog or a
// tree view) and the window they are attached to.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraPresentationController;
class INiraWidget;

class CNiraWidgetGroup {
public:
    CNiraWidgetGroup(int windowId, int helpId, int kind, int stringId, LPCWSTR windowName);
    virtual ~CNiraWidgetGroup();
    CNiraWidgetGroup(const CNiraWidgetGroup&) = delete;
    CNiraWidgetGroup& operator=(const CNiraWidgetGroup&) = delete;

    void SetController(CNiraPresentationController* controller) { m_controller = controller; }
    HWND GetDialog() const { return m_dialog; }
    int GetWindowId() const { return m_windowId; }
    // Bit 0 of the kind: the group is a property-sheet page.
    int IsPage() const { return m_flags & 1; }
    // Files the widget under its control id and hands it the group's controller and the group.
    void AddWidget(INiraWidget* widget);

protected:
    int m_flags;
    int m_kind;
    CNiraIdMap m_widgets;  // control id -> widget; the registry owns the widgets
    int m_helpId;
    int m_windowId;
    int m_stringId;
    WCHAR m_windowName[MAX_PATH];
    HWND m_dialog = nullptr;
    CNiraPresentationController* m_controller = nullptr;
};
