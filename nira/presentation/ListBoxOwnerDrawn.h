// The owner-drawn list box: each row painted with its bitmap and a text of up to three lines.
#pragma once

#include "nira/presentation/ListBoxWidgets.h"

struct ListImageItem {
    int bitmapId;
    WCHAR text[kWidgetTextLength];
};

// Where a row's text breaks: the lines as [start, end) ranges of the text, one to three of them.
struct RowLines {
    int count = 0;
    int start[3] = {};
    int end[3] = {};
};

// Splits a text of `length` characters that is `width` pixels wide for an available width, as the
// row painting does: at the last blank that fits, else two characters before the fitting count.
RowLines SplitRowText(const WCHAR* text, int length, int width, int available,
                      int (*measure)(const WCHAR* text, int length, void* context), void* context);

class CNiraOwnerDrawnListBox : public CNiraListBox {
public:
    explicit CNiraOwnerDrawnListBox(const CNiraWidgetInfo& row) : CNiraListBox(row) {}
    ~CNiraOwnerDrawnListBox() override;

    void SetValue(int value, int flags) override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    void SetImageId(int id) override { m_imageId = id; }

    void AddImageItem(int optionId, const WCHAR* text, int bitmapId);
    void ClearItems();

protected:
    int ItemCount() const override { return m_imageItems.GetCount(); }
    const WCHAR* ItemTextAt(int index, LONG* optionId) const override;
    int UnmatchedAnswer() const override { return 0; }

private:
    COLORREF m_savedTextColor = 0;
    COLORREF m_savedBackColor = 0;
    CNiraIdMap m_imageItems;  // option id -> LocalAlloc'ed ListImageItem
    int m_imageId = 0;
};
