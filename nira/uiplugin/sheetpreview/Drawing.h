// Small drawing helpers and option values the sheet and image preview pictures share.
#pragma once

#include <windows.h>

namespace sheetpreview {

// Options the pictures test for: one-sided printing (FEATURE_DUPLEX) and no poster (FEATURE_POSTER).
constexpr int kOneSided = 1;
constexpr int kNoPoster = 1;

inline int Width(const RECT& r)
{
    return r.right - r.left;
}

inline int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// A line from (x0, y0) to (x1, y1) with the DC's pen; the end point is not drawn, as with LineTo.
inline void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

}  // namespace sheetpreview
