// A widget group: the widgets of one window of the layout (a property-sheet page, a dialog or a
// tree view), the window they are attached to, and the dispatch of that window's messages to
// them. The tree-view group describes its widgets as the items of a tree-view page.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <prsht.h>

#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraPresentationController;
class CNiraWidget;
class INiraWidget;

class CNiraWidgetGroup {
public:
    CNiraWidgetGroup(int windowId, int helpId, int kind, int stringId, LPCWSTR windowName);
    // Does nothing here: only a tree-view group describes a tree-view page.
    virtual void FillCompPropSheetUI(COMPROPSHEETUI* out, HMODULE module);
    virtual ~CNiraWidgetGroup();
    CNiraWidgetGroup(const CNiraWidgetGroup&) = delete;
    CNiraWidgetGroup& operator=(const CNiraWidgetGroup&) = delete;

    void SetController(CNiraPresentationController* controller) { m_controller = controller; }
    HWND GetDialog() const { return m_dialog; }
    int GetWindowId() const { return m_windowId; }
    int GetKind() const { return m_kind; }
    int GetStringId() const { return m_stringId; }
    LPCWSTR GetWindowName() const { return m_windowName; }
    // Bit 0 of the kind: the group is a property-sheet page.
    int IsPage() const { return m_flags & 1; }
    // Files the widget under its control id and hands it the group's controller and the group.
    void AddWidget(INiraWidget* widget);
    // The page description of the group's window; the title is a new[] buffer the frame frees.
    void FillPropSheetPage(PROPSHEETPAGEW* out, HMODULE module);
    // Attaches the group and its widgets to the page or dialog window (null detaches them); a
    // group attached elsewhere is detached first.
    void AttachDialog(HWND window);
    int SetTitle(HWND window);
    void RememberInitialValues();
    void RestoreInitialValues();
    int GetEndAction(int controlId);

    // The page's or dialog's messages: 1 when handled.
    int OnMessage(UINT message, WPARAM wParam, LPARAM lParam, int reserved, HWND window);
    int OnCommand(int controlId, int code, LPARAM lParam);
    int OnTreeNotify(WPARAM controlId, NMHDR* header, int endAction);

protected:
    // The group's widgets in the map's walk order; null past the end.
    CNiraWidget* WidgetAt(int index) const;
    CNiraWidget* WidgetOf(int controlId) const;
    // The group's title: the text of its string id, else its window name, in a new[] buffer of
    // kWidgetStringLength characters; null without a controller or memory.
    WCHAR* NewTitle() const;

    int m_flags;
    int m_kind;
    CNiraIdMap m_widgets;  // control id -> widget; the registry owns the widgets
    int m_helpId;
    int m_windowId;
    int m_stringId;
    WCHAR m_windowName[MAX_PATH];
    HWND m_dialog = nullptr;
    CNiraPresentationController* m_controller = nullptr;

private:
    int OnHelp(const HELPINFO* help);
    int OnContextMenu(LPARAM lParam);
    void OnCtrlDoubleClick(LPARAM lParam);
    void Paint();
    // The help id of a control that one of the widgets (or a radio widget's option button) shows.
    int HelpIdOf(int controlId);
    void ShowHelp(HWND control, int helpId, int controlId, bool context);
};
