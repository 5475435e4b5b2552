// The factory of the layout's objects: a widget group for each window row and a widget for each
// widget row, of the class the row's kind names.
#pragma once

#include <windows.h>

class CNiraButton;
class CNiraWidget;
class CNiraWidgetGroup;
class CNiraWidgetInfo;
class CNiraWindowRecord;

// Group kinds by the window's container: 2 for container 1, 11 and 12 for the tree-view
// containers, 7 for every other container.
enum NiraGroupKind : int {
    GROUP_DIALOG = 2,
    GROUP_PAGE = 7,
    GROUP_TREE_VIEW_PAGE = 11,
    GROUP_TREE_VIEW = 12,
};

class CNiraWidgetFactory {
public:
    CNiraWidgetFactory() = default;
    virtual ~CNiraWidgetFactory() = default;
    CNiraWidgetFactory(const CNiraWidgetFactory&) = delete;
    CNiraWidgetFactory& operator=(const CNiraWidgetFactory&) = delete;

    // Null for a null row or when memory runs out.
    CNiraWidgetGroup* CreateGroup(const CNiraWindowRecord* row);
    // Null for a null row, a kind without a class, or when memory runs out.
    CNiraWidget* CreateWidget(const CNiraWidgetInfo* row);
    // A plain button standing for one option of a radio group.
    CNiraButton* CreateOptionButton(const CNiraWidgetInfo* row);
};
