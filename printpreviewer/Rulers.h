// The two rulers the frame paints beside the canvas, in inches or centimetres at the canvas's zoom.
#pragma once

#include <windows.h>

struct RulerView {
    POINT origin;  // the canvas point (margin, margin) in the frame's client coordinates
    POINT scroll;  // the canvas's scroll positions
    LONG margin;
    LONG zoom;
};

void PaintRulers(HDC dc, const RECT& horizontal, const RECT& vertical, bool inches, const RulerView& view);
