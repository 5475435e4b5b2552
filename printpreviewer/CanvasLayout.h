// The arithmetic of the preview canvas: zooms that fit the sheets into the window, the grid of
// cells, and the way between slots on the screen and page numbers.
#pragma once

#include <windows.h>

#include "printpreviewer/PreviewDocument.h"

// Zoom modes of the canvas.
enum class CanvasZoomMode : LONG {
    kPercent = 1,
    kPageWidth = 2,
    kWholePage = 3,
    kTwoPages = 4,
};

struct CanvasLayout {
    static constexpr LONG kMargin = 8;
    static constexpr LONG kGap = 8;

    LONG screenDpi;
    LONG zoom;          // dots per inch on the screen
    SIZE client;        // the canvas's client size
    SIZE largestSheet;  // 600-dots-per-inch units
    SIZE scrollBars;    // the widths of the vertical and horizontal scroll bars

    // The zoom at which nx sheets fit across and ny sheets down (0: that side unconstrained).
    LONG FitZoom(LONG nx, LONG ny) const;
    // A length in 600-dots-per-inch units on the screen.
    LONG Pixels(LONG units) const;
    LONG Columns(CanvasZoomMode mode, PreviewBinding binding, bool oneSided) const;
    LONG Rows(LONG slots, LONG columns, PreviewBinding binding) const;
    // The scroll extents of a grid.
    SIZE Extent(LONG columns, LONG rows) const;
};

// The page number a slot shows: with a binding the empty slot before each copy counts; -1 for the
// empty slot 0.
LONG PageNumberOfSlot(LONG slot, PreviewBinding binding, LONG sheets, LONG slotsPerCopy);
// The slot of page number t, clamped to the slots there are.
LONG SlotOfPage(LONG page, PreviewBinding binding, LONG sheets, LONG slotsPerCopy, LONG slots);

// The ruler's unit in pixels and the span numbered by ten units, once halved when a unit is wider
// than 50 pixels or doubled when narrower than 25.
struct RulerUnit {
    LONG unit;
    LONG tenUnits;
    LONG subdivisions;
};
RulerUnit ChooseRulerUnit(LONG zoom, bool inches);
