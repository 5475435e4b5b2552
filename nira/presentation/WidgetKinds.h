// The widget kinds of the layout database's CtrlType column, the change flags of a widget's text
// and value, and its display states.
#pragma once

#include <windows.h>

enum NiraWidgetKind : int {
    WIDGET_CHECK_BOX = 2,
    WIDGET_OWNERDRAWN_BUTTON = 4,
    WIDGET_BUTTON = 5,
    WIDGET_RADIO_BUTTON = 6,
    WIDGET_COMBO_BOX = 7,
    WIDGET_EDIT_BOX = 11,
    WIDGET_INT_EDIT_BOX = 12,
    WIDGET_LIST_BOX = 13,
    WIDGET_SCROLL_BAR = 15,
    WIDGET_SPIN_CONTROL = 16,
    WIDGET_IMAGE_STATIC = 17,
    WIDGET_OWNERDRAWN_STATIC = 18,
    WIDGET_STATIC = 19,
    WIDGET_COMBO_BOX_LABEL_FIELD = 20,
    WIDGET_TRACK_BAR = 21,
    WIDGET_OWNERDRAWN_LIST_BOX = 22,
    WIDGET_COMBO_BOX_OWNERDRAWN = 23,
    WIDGET_COMBO_BOX_DROPDOWN = 25,
    WIDGET_IMAGE_BUTTON = 26,
    WIDGET_CPSUI_TREE_VIEW = 27,
    WIDGET_TREE_VIEW = 28,
};

// Flags of CNiraWidget::SetText and CNiraWidget::SetValue.
enum NiraWidgetChange : int {
    WIDGET_CHANGE_REPORT = 1,             // tell the controller, which writes the settings
    WIDGET_CHANGE_REDRAW = 2,             // show it in the control when attached
    WIDGET_CHANGE_FORCE = 4,              // act even when nothing changed
    WIDGET_CHANGE_NOTIFY_FEATURE = 0x10,  // SetText: tell the feature's handler instead
};

// Display states of a widget: 0 and 1 hidden and disabled, 2 shown and disabled, 3 (and any
// other value) shown and enabled.
enum NiraWidgetState : int {
    WIDGET_STATE_HIDDEN = 0,
    WIDGET_STATE_HIDDEN_ALT = 1,
    WIDGET_STATE_DISABLED = 2,
    WIDGET_STATE_ENABLED = 3,
};

// Widget texts: a 260-character buffer holding at most 259 characters and the terminator.
constexpr int kWidgetTextLength = 260;
// Texts read from the string library.
constexpr int kWidgetStringLength = 256;

// Features the library itself reads and writes.
enum NiraPresentationFeature : int {
    FEATURE_START_PAGE = 4297,    // the page opened first: options are window ids, values page indexes
    FEATURE_CHANGE_STATE = 6079,  // option 1 while the settings equal the values last applied
};
