// The tree-view group: its widgets as the option items of a tree-view page of the common
// property sheet, and the sheet's callback for those items.
#pragma once

#include "nira/presentation/WidgetGroup.h"

class CNiraCPSUITreeViewGroup : public CNiraWidgetGroup {
public:
    using CNiraWidgetGroup::CNiraWidgetGroup;
    ~CNiraCPSUITreeViewGroup() override;

    // The page record: a DLGPAGE of the host's own tree-view page (from GlobalAlloc, with a new[]
    // tab name), the item name (new[]) and the group's option items. The frame frees the first
    // two; the items stay with the group.
    void FillCompPropSheetUI(COMPROPSHEETUI* out, HMODULE module) override;

    // The sheet's callback for the group's items.
    static LONG CALLBACK TreeViewCallback(PCPSUICBPARAM param);

private:
    void FreeItems();
    // The widgets from the oldest filed to the newest.
    CNiraWidget* OldestWidgetAt(int index) const { return WidgetAt(m_widgets.GetCount() - 1 - index); }

    int m_itemCount = 0;
    OPTITEM* m_items = nullptr;  // GlobalAlloc, one per widget
};
