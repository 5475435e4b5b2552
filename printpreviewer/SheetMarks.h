// What the canvas draws around a sheet: its frame with a drop shadow, and the binding marks that
// join the two sheets of a two-sided pair across the gap between them.
#pragma once

#include <windows.h>

#include <vector>

// Binding-mark codes of the display pass: the edge the marks stand on; a cover (a sheet without
// a partner) adds kMarkCover.
constexpr LONG kMarkLeft = 1;
constexpr LONG kMarkRight = 2;
constexpr LONG kMarkTop = 3;
constexpr LONG kMarkBottom = 4;
constexpr LONG kMarkCover = 16;

// One loop of the binding marks: a curve from a point inside the sheet across the gap.
struct BindingLoop {
    POINT curve[4];      // start (inside this sheet), two control points, end
    bool partnerCircle;  // the end has its circle (in the neighbouring cell)
};

struct BindingMarks {
    LONG diameter;  // of the circles at the loops' ends
    LONG penWidth;  // of the curves
    std::vector<BindingLoop> loops;
};

// The marks of a code along its edge of the sheet; no loops for a code without an edge.
BindingMarks BindingMarksOf(const RECT& sheet, LONG code, LONG gap);

// The sheet's frame with the DC's pen and brush, then its shadow along the right and bottom edges.
void DrawSheetFrame(HDC dc, const RECT& sheet);
void DrawBindingMarks(HDC dc, const BindingMarks& marks);
