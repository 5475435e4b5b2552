// Buttons and statics that show pictures: a bitmap on a button or a static, the owner-drawn
// canvas button that the feature handlers paint into, and the owner-drawn static that draws its
// bitmap transparently and turns a Ctrl + double click into a widget command.
#pragma once

#include "nira/presentation/ButtonWidgets.h"
#include "nira/presentation/StaticWidgets.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraImageButton : public CNiraButton {
public:
    explicit CNiraImageButton(const CNiraWidgetInfo& row);

    void Refresh() override;
    void SetImageId(int id) override;
    int OnCommand(int, HWND, int, int) override { return 1; }

private:
    int m_imageId;
};

class CNiraOwnerdrawnButton : public CNiraButton {
public:
    explicit CNiraOwnerdrawnButton(const CNiraWidgetInfo& row);
    ~CNiraOwnerdrawnButton() override;

    void DrawItem(DRAWITEMSTRUCT* draw) override;
    void SetImageId(int id) override;
    virtual void ClearItems();

    void AddImageItem(int optionId, const WCHAR* text, int bitmapId, int iconId, int state);

private:
    void StretchImage(const DRAWITEMSTRUCT& draw);
    void DrawOptionName(const DRAWITEMSTRUCT& draw);

    int m_imageId;
    int m_itemsPresent = 0;
    CNiraIdMap m_items;  // option id -> LocalAlloc'ed text
};

class CNiraImageStaticControl : public CNiraStaticControl {
public:
    explicit CNiraImageStaticControl(const CNiraWidgetInfo& row);

    void Refresh() override;
    void SetImageId(int id) override;

private:
    int m_imageId;
};

class CNiraOwnerDrawnStaticControl : public CNiraStaticControl {
public:
    explicit CNiraOwnerDrawnStaticControl(const CNiraWidgetInfo& row);

    void Refresh() override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    void SetImageId(int id) override;
    void OnCtrlDoubleClick(int x, int y) override;

private:
    int m_imageId;
};

// The bitmap of an id from the presentation library's own resources, or null.
HBITMAP LoadOwnBitmap(int imageId);
