// Where the display pass draws its sheets: a grid of equal cells on a device context (the canvas
// on the screen), each sheet with its frame, page picture and binding marks. The save command's
// target (SaveTarget.h) draws every sheet alone into a picture of its own.
#pragma once

#include <windows.h>

#include "printpreviewer/PreviewDocument.h"

class CNiraDisplayTarget : public INiraPreviewTarget {
public:
    // Drawing flags.
    static constexpr DWORD kFramesAndMarks = 1;
    static constexpr DWORD kCentred = 2;

    RECT client = {0, 0, 0, 0};
    LONG zoom = 0;  // dots per inch on the target
    HDC dc = nullptr;
    const RECT* clip = nullptr;  // sheets outside it are not drawn
    DWORD flags = 0;
    POINT origin = {0, 0};  // of the grid
    LONG gapX = 0;
    LONG gapY = 0;
    LONG columns = 1;
    SIZE largestSheet = {0, 0};  // 600-dots-per-inch units

    LONG Columns() const override { return columns; }
    bool PlaceSheet(CNiraPreviewDocument& document, const PreviewDisplayStep& step) override;
    // The slot with the largest visible area so far; 0 when nothing was visible.
    LONG LargestVisibleSlot() const { return m_largestSlot; }
    // A length in 600-dots-per-inch units at the target's zoom.
    LONG Pixels(LONG units) const;

protected:
    // Starts a sheet of `width` x `height` pixels in slot `slot`; false ends the display pass.
    virtual bool BeginSheet(LONG, LONG, LONG) { return true; }
    virtual void EndSheet() {}
    // The screen shows every slot in its cell; other targets draw each sheet at slot 0.
    virtual bool ShowsSlots() const { return true; }

private:
    RECT SheetRect(const PreviewPage& page, LONG slot) const;
    RECT PictureRect(const CNiraPreviewDocument& document, const RECT& sheet) const;
    void NoteVisible(const RECT& sheet, LONG slot);

    LONG m_largestSlot = 0;
    LONGLONG m_largestArea = 0;
};
