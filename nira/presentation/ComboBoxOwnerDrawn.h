// The owner-drawn combo box: each entry painted with its bitmap or icon beside the text, a line
// above the entries that start a section, and a label static like the label-field kind.
#pragma once

#include "nira/presentation/ComboBoxWidgets.h"

struct ComboImageItem {
    WCHAR text[kWidgetTextLength];
    int state;
    int bitmapId;
    int iconId;
    int separatorBefore;
    int stringId;
};

class CNiraComboBoxOwnerDrawn : public CNiraComboBoxLabelField {
public:
    explicit CNiraComboBoxOwnerDrawn(const CNiraWidgetInfo& row) : CNiraComboBoxLabelField(row) {}
    ~CNiraComboBoxOwnerDrawn() override;

    void SetValue(int value, int flags) override;
    void Refresh() override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    void ClearItems() override;

    void AddImageItem(int optionId, const WCHAR* text, int bitmapId, int iconId, int state,
                      int separatorBefore, int stringId);
    // The stored state of the item at a running index (-1 when there is none).
    int ItemStateAt(int index) const;

protected:
    const CNiraIdMap& Entries() const override { return m_imageItems; }
    const WCHAR* EntryText(const void* value) const override
    {
        return static_cast<const ComboImageItem*>(value)->text;
    }

private:
    ComboImageItem* ItemAt(int index) const;
    void SetDroppedWidth();
    void DrawSeparators(HWND combo);
    int TextIndent();

    int m_imageColumnWidth = 0;
    COLORREF m_savedTextColor = 0;
    COLORREF m_savedBackColor = 0;
    int m_listDirty = 1;
    CNiraIdMap m_imageItems;  // option id -> LocalAlloc'ed ComboImageItem
};
