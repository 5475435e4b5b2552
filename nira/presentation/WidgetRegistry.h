// The registry of one presented frame: its widgets and widget groups, which control shows which
// feature and the widgets of each feature. It fills the widgets from the UI settings object,
// writes a changed widget's value back and brings the widgets of changed features up to date.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class CNiraButton;
class CNiraWidget;
class CNiraWidgetGroup;
class INiraUISettings;

class CNiraWidgetRegistry {
public:
    explicit CNiraWidgetRegistry(int mode);
    // Deletes the widgets, the radio widgets' option buttons and the groups.
    ~CNiraWidgetRegistry();
    CNiraWidgetRegistry(const CNiraWidgetRegistry&) = delete;
    CNiraWidgetRegistry& operator=(const CNiraWidgetRegistry&) = delete;

    // Filing, while the layout is walked. The registry owns what it is given.
    void AddGroup(int windowId, CNiraWidgetGroup* group);
    void AddWidgetToGroup(int windowId, CNiraWidget* widget);
    void AddWidget(int key, CNiraWidget* widget);
    void MapControl(int controlId, int featureId);
    void AddFeatureWidget(int featureId, CNiraWidget* widget);
    void AddRadioOption(CNiraWidget* radio, CNiraButton* button);

    CNiraIdMap& GetGroups() { return m_groups; }
    // The feature a control shows; 0 for a control never mapped.
    int GetControlFeature(int controlId, int* featureId) const;
    // The feature's widgets, newest first, or null.
    CNiraPtrList* FindFeatureWidgets(int featureId) const;
    CNiraWidget* FindRadioWidget(int featureId) const;

    // Loads the widget from the settings; fillLists also refills its option lists and texts.
    int FillWidget(CNiraWidget* widget, INiraUISettings* settings, int fillLists);
    int FillAllWidgets(INiraUISettings* settings);
    // Writes the widget's value into the settings as its kind says.
    int ApplyWidget(CNiraWidget* widget, INiraUISettings* settings, int flags);
    // The widgets of the features the settings queued as changed, by what changed.
    int RefreshChangedWidgets(INiraUISettings* settings);
    void FocusFeatureWidgets(int featureId);
    int MarkSheetChanged(CNiraWidgetGroup* group);
    int MarkSheetUnchanged(CNiraWidgetGroup* group);

private:
    int SendSheetMessage(CNiraWidgetGroup* group, UINT message);
    // The page and sheet windows, looked up from the group while none is stored.
    bool FindSheet(CNiraWidgetGroup* group);
    void RefreshFeature(int featureId, int changeMask, INiraUISettings* settings);

    CNiraIdMap m_widgets;   // control id (group id for a radio widget) -> widget, owned
    CNiraIdMap m_controls;  // control id -> feature id
    CNiraIdMap m_groups;    // window id -> group, owned
    CNiraIdMap m_features;  // feature id -> CNiraPtrList of its widgets, newest first
    int m_mode;
    HWND m_page = nullptr;
    HWND m_sheet = nullptr;
    CNiraPtrList m_optionButtons;  // the radio widgets' buttons, owned
};
