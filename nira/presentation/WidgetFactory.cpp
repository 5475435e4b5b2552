#include "nira/presentation/WidgetFactory.h"

#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/ComboBoxOwnerDrawn.h"
#include "nira/presentation/EditWidgets.h"
#include "nira/presentation/ImageWidgets.h"
#include "nira/presentation/ListBoxOwnerDrawn.h"
#include "nira/presentation/RangeWidgets.h"
#include "nira/presentation/TreeViewGroup.h"
#include "nira/presentation/TreeViewWidgets.h"
#include "nira/presentation/WidgetGroup.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <new>

namespace {

constexpr int kDialogContainer = 1;

int GroupKindOf(int containerId)
{
    switch (containerId) {
    case kDialogContainer:
        return GROUP_DIALOG;
    case GROUP_TREE_VIEW_PAGE:
    case GROUP_TREE_VIEW:
        return containerId;
    default:
        return GROUP_PAGE;
    }
}

template <typename T>
CNiraWidget* Make(const CNiraWidgetInfo& row)
{
    return new (std::nothrow) T(row);
}

}  // namespace

CNiraWidgetGroup* CNiraWidgetFactory::CreateGroup(const CNiraWindowRecord* row)
{
    if (row == nullptr) {
        return nullptr;
    }
    const int kind = GroupKindOf(row->containerId);
    if (kind == GROUP_TREE_VIEW_PAGE || kind == GROUP_TREE_VIEW) {
        return new (std::nothrow)
            CNiraCPSUITreeViewGroup(row->windowId, row->helpId, kind, row->stringId, row->windowName);
    }
    return new (std::nothrow)
        CNiraWidgetGroup(row->windowId, row->helpId, kind, row->stringId, row->windowName);
}

CNiraWidget* CNiraWidgetFactory::CreateWidget(const CNiraWidgetInfo* row)
{
    if (row == nullptr) {
        return nullptr;
    }
    switch (row->CtrlType()) {
    case WIDGET_CHECK_BOX:
        return Make<CNiraCheckBox>(*row);
    case WIDGET_OWNERDRAWN_BUTTON:
        return Make<CNiraOwnerdrawnButton>(*row);
    case WIDGET_BUTTON:
        return Make<CNiraButton>(*row);
    case WIDGET_RADIO_BUTTON:
        return Make<CNiraRadioButton>(*row);
    case WIDGET_COMBO_BOX:
        return Make<CNiraComboBox>(*row);
    case WIDGET_EDIT_BOX:
        return Make<CNiraEditBox>(*row);
    case WIDGET_INT_EDIT_BOX:
        return Make<CNiraIntEditBox>(*row);
    case WIDGET_LIST_BOX:
        return Make<CNiraListBox>(*row);
    case WIDGET_SCROLL_BAR:
        return Make<CNiraScrollBar>(*row);
    case WIDGET_SPIN_CONTROL:
        return Make<CNiraSpinControl>(*row);
    case WIDGET_IMAGE_STATIC:
        return Make<CNiraImageStaticControl>(*row);
    case WIDGET_OWNERDRAWN_STATIC:
        return Make<CNiraOwnerDrawnStaticControl>(*row);
    case WIDGET_STATIC:
        return Make<CNiraStaticControl>(*row);
    case WIDGET_COMBO_BOX_LABEL_FIELD:
        return Make<CNiraComboBoxLabelField>(*row);
    case WIDGET_TRACK_BAR:
        return Make<CNiraTrackBar>(*row);
    case WIDGET_OWNERDRAWN_LIST_BOX:
        return Make<CNiraOwnerDrawnListBox>(*row);
    case WIDGET_COMBO_BOX_OWNERDRAWN:
        return Make<CNiraComboBoxOwnerDrawn>(*row);
    case WIDGET_COMBO_BOX_DROPDOWN:
        return Make<CNiraComboBoxDropDown>(*row);
    case WIDGET_IMAGE_BUTTON:
        return Make<CNiraImageButton>(*row);
    case WIDGET_CPSUI_TREE_VIEW:
        return Make<CNiraCPSUITreeView>(*row);
    case WIDGET_TREE_VIEW:
        return Make<CNiraTreeViewCtrl>(*row);
    default:
        return nullptr;
    }
}

CNiraButton* CNiraWidgetFactory::CreateOptionButton(const CNiraWidgetInfo* row)
{
    return row != nullptr ? new (std::nothrow) CNiraButton(*row) : nullptr;
}
