#include "printpreviewer/SheetMarks.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr COLORREF kShadowColor = RGB(0x55, 0x55, 0x55);
constexpr COLORREF kCircleColor = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kCurveColor = RGB(0, 0, 0);
constexpr LONG kSecondShadowWidth = 200;
constexpr LONG kThirdShadowWidth = 400;
constexpr LONG kLoops = 27;
constexpr LONG kLoopSpacing = 28;  // loops at k / 28 of the edge
constexpr LONG kReachDivisor = 30;
constexpr LONG kCircleDivisor = 90;
constexpr LONG kSmallestCircle = 2;

LONG ShadowLines(LONG width)
{
    return width > kThirdShadowWidth ? 3 : width > kSecondShadowWidth ? 2 : 1;
}

// The loop from `start` to `end`, its control points at a third and two thirds of the way, pushed
// a quarter of the span to either side.
BindingLoop LoopBetween(POINT start, POINT end, bool partnerCircle)
{
    LONG dx = end.x - start.x;
    LONG dy = end.y - start.y;
    LONG span = std::max(std::abs(dx), std::abs(dy));
    // Across a horizontal span the push is vertical, and the other way round.
    POINT push = dy == 0 ? POINT{0, span / 4} : POINT{span / 4, 0};
    BindingLoop loop = {};
    loop.curve[0] = start;
    loop.curve[1] = {start.x + dx / 3 + push.x, start.y + dy / 3 + push.y};
    loop.curve[2] = {start.x + 2 * dx / 3 - push.x, start.y + 2 * dy / 3 - push.y};
    loop.curve[3] = end;
    loop.partnerCircle = partnerCircle;
    return loop;
}

void Circle(HDC dc, POINT centre, LONG diameter)
{
    LONG left = centre.x - diameter / 2;
    LONG top = centre.y - diameter / 2;
    Ellipse(dc, left, top, left + diameter, top + diameter);
}

}  // namespace

BindingMarks BindingMarksOf(const RECT& sheet, LONG code, LONG gap)
{
    LONG edge = code > kMarkCover ? code - kMarkCover : code;
    bool cover = code > kMarkCover;
    bool sideEdge = edge == kMarkLeft || edge == kMarkRight;
    LONG width = sheet.right - sheet.left;
    LONG height = sheet.bottom - sheet.top;
    LONG across = sideEdge ? width : height;
    BindingMarks marks = {std::max(kSmallestCircle, across / kCircleDivisor), 0, {}};
    marks.penWidth = marks.diameter / 4;
    if (edge < kMarkLeft || edge > kMarkBottom) {
        return marks;
    }
    LONG reach = across / kReachDivisor;
    // Outward from the marked edge: -1 towards the left or the top.
    LONG outward = edge == kMarkLeft || edge == kMarkTop ? -1 : 1;
    LONG border = edge == kMarkLeft    ? sheet.left
                  : edge == kMarkRight ? sheet.right
                  : edge == kMarkTop   ? sheet.top
                                       : sheet.bottom;
    LONG inside = border - outward * reach;
    LONG outside = cover ? border + outward * gap / 2 : border + outward * (gap + reach);
    LONG length = sideEdge ? height : width;
    LONG start = sideEdge ? sheet.top : sheet.left;
    for (LONG k = 1; k <= kLoops; ++k) {
        LONG along = start + k * length / kLoopSpacing;
        POINT from = sideEdge ? POINT{inside, along} : POINT{along, inside};
        POINT to = sideEdge ? POINT{outside, along} : POINT{along, outside};
        marks.loops.push_back(LoopBetween(from, to, !cover));
    }
    return marks;
}

void DrawSheetFrame(HDC dc, const RECT& sheet)
{
    Rectangle(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
    HPEN shadow = CreatePen(PS_SOLID, 1, kShadowColor);
    HGDIOBJ previous = SelectObject(dc, shadow);
    for (LONG line = 0; line < ShadowLines(sheet.right - sheet.left); ++line) {
        MoveToEx(dc, sheet.right + line, sheet.top + 1 + line, nullptr);
        LineTo(dc, sheet.right + line, sheet.bottom + 1 + line);
        MoveToEx(dc, sheet.left + 1 + line, sheet.bottom + line, nullptr);
        LineTo(dc, sheet.right + 1 + line, sheet.bottom + line);
    }
    SelectObject(dc, previous);
    DeleteObject(shadow);
}

void DrawBindingMarks(HDC dc, const BindingMarks& marks)
{
    if (marks.loops.empty()) {
        return;
    }
    HPEN curvePen = CreatePen(PS_SOLID, marks.penWidth, kCurveColor);
    HPEN circlePen = CreatePen(PS_SOLID, 1, kCircleColor);
    HBRUSH circleBrush = CreateSolidBrush(kCircleColor);
    HGDIOBJ previousPen = SelectObject(dc, curvePen);
    HGDIOBJ previousBrush = SelectObject(dc, circleBrush);
    for (const BindingLoop& loop : marks.loops) {
        SelectObject(dc, curvePen);
        PolyBezier(dc, loop.curve, 4);
        SelectObject(dc, circlePen);
        Circle(dc, loop.curve[0], marks.diameter);
        if (loop.partnerCircle) {
            Circle(dc, loop.curve[3], marks.diameter);
        }
    }
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(curvePen);
    DeleteObject(circlePen);
    DeleteObject(circleBrush);
}
