// Features in tree form. The item of the common property sheet's tree page (it lists the
// feature's options as a combo-box option type and answers the page's callback for its item),
// and a tree-view control on a page filled with the feature's tree rows, whose chosen leaf
// becomes the value of a companion feature.
#pragma once

#include "nira/presentation/ComboBoxWidgets.h"

#include <commctrl.h>

#include "nira/uiplugin/interfaces/INiraUISettings.h"

class CNiraCPSUITreeView : public CNiraComboBox {
public:
    explicit CNiraCPSUITreeView(const CNiraWidgetInfo& row);
    ~CNiraCPSUITreeView() override;

    void SetValue(int value, int flags) override;
    int GetTreeLevel() override { return m_level; }
    // Builds the option type of the item and updates the item.
    void Refresh() override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    int OnTreeItem(OPTITEM* item, WORD reason) override;
    void AddItem(int optionId, const WCHAR* text)
    {
        CNiraComboBox::AddItem(optionId, text, OPTION_STATE_SELECTABLE);
    }
    OPTTYPE* GetOptionType() const { return m_optionType; }

protected:
    int TextLimit() const override;
    bool FocusesOnChoice() const override { return false; }

private:
    void FreeOptionParams();
    // The item's selection is the position of the value's option among the items (0 when it is
    // not one of them); a selection reports the option at its position.
    int SelectionOf(int optionId) const;
    int OptionAt(LONG selection) const;

    OPTTYPE* m_optionType = nullptr;  // GlobalAlloc, with its OPTPARAM array
    OPTITEM* m_item = nullptr;        // the page's item, from the last callback
    int m_level;
};

class CNiraTreeViewCtrl : public CNiraWidget {
public:
    explicit CNiraTreeViewCtrl(const CNiraWidgetInfo& row);
    ~CNiraTreeViewCtrl() override;

    void ShowText(HWND, const WCHAR*) override {}
    void Attach(HWND dialog) override;
    // Rebuilds the tree from the feature's tree rows.
    void Refresh() override;
    // Notes the leaf the user chose; 0 without settings.
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    // Hands the chosen leaf to the companion feature.
    int OnTreeCommand() override;
    // Inserts a row of a type (1 top level, 2 second level, other a leaf).
    void AddItem(int rowId, const WCHAR* text, int type);
    // Empties the control and starts the hierarchy afresh.
    void DeleteAllItems();
    // Fills the control with the feature's rows that the settings' filter shows.
    void FillRows(INiraUISettings* settings);
    void ExpandAndSelect();
    int GetChosenId() const { return m_chosenId; }

private:
    HWND TreeControl() const;
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_treeDialog = nullptr;
    CNiraIdMap m_items;  // row id -> LocalAlloc'ed text
    HTREEITEM m_expandItem = nullptr;
    HTREEITEM m_anchorItem = nullptr;
    int m_chosenId = 0;
    // Where the next rows go: the last item inserted, top-level item and second-level item.
    HTREEITEM m_lastItem = nullptr;
    HTREEITEM m_lastTopItem = nullptr;
    HTREEITEM m_lastSecondItem = nullptr;
};
