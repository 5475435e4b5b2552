// List boxes showing the options of one feature as rows, newest first; the value is the option
// id of the selected row.
#pragma once

#include "nira/presentation/NiraWidget.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraListBox : public CNiraWidget {
public:
    explicit CNiraListBox(const CNiraWidgetInfo& row);
    ~CNiraListBox() override;

    void Refresh() override;
    void Attach(HWND dialog) override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;

    void AddItem(int optionId, const WCHAR* text);
    void ClearItems();

protected:
    // The number of rows' texts and each text with its option id, newest first.
    virtual int ItemCount() const { return m_items.GetCount(); }
    virtual const WCHAR* ItemTextAt(int index, LONG* optionId) const;
    // The answer to LBN_SELCHANGE when no row matched.
    virtual int UnmatchedAnswer() const { return 1; }

    CNiraIdMap m_items;  // option id -> LocalAlloc'ed text
};
