// Elliptic arcs on memory and window DCs: the arc direction of a DC and ArcTo, which draws a line
// from the current position to the arc's start, then the arc, and leaves the current position at
// the arc's end.
#include "gdi/Raster.h"

#include <cmath>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr double kFullTurn = 2.0 * 3.14159265358979323846;
// Arc points are placed about every half pixel of the longer radius.
constexpr double kStepsPerPixel = 2.0;
constexpr int kMinimumSteps = 8;

// The angle (counter-clockwise as seen on the screen, 0 to the right) at which the line from the
// ellipse's centre through the point crosses the ellipse.
double AngleOf(double cx, double cy, double rx, double ry, int x, int y)
{
    return std::atan2(-(y - cy) / ry, (x - cx) / rx);
}

}  // namespace

int WINAPI SetArcDirection(HDC hdc, int dir)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int previous = 0;
    if (dc != nullptr && (dir == AD_COUNTERCLOCKWISE || dir == AD_CLOCKWISE)) {
        previous = dc->arcDirection;
        dc->arcDirection = dir;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("SetArcDirection", hdc, {dir}, previous));
    return previous;
}

// The arc runs on the ellipse inscribed in the box (right and bottom edges included, as for an
// arc's outline) from the crossing of the first radial line to that of the second, in the DC's arc
// direction; equal crossings draw the whole ellipse.
BOOL WINAPI ArcTo(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    BOOL done = dc != nullptr && IsPixelDC(*dc) && right != left && bottom != top;
    if (done) {
        double cx = (left + right - 1) / 2.0;
        double cy = (top + bottom - 1) / 2.0;
        double rx = std::abs(right - left - 1) / 2.0;
        double ry = std::abs(bottom - top - 1) / 2.0;
        rx = rx == 0 ? 0.5 : rx;
        ry = ry == 0 ? 0.5 : ry;
        double start = AngleOf(cx, cy, rx, ry, xr1, yr1);
        double end = AngleOf(cx, cy, rx, ry, xr2, yr2);
        double sweep = end - start;
        if (dc->arcDirection == AD_COUNTERCLOCKWISE) {
            sweep = sweep <= 0 ? sweep + kFullTurn : sweep;
        } else {
            sweep = sweep >= 0 ? sweep - kFullTurn : sweep;
        }
        int steps =
            std::max(kMinimumSteps, static_cast<int>(std::abs(sweep) * std::max(rx, ry) * kStepsPerPixel));
        std::vector<POINT> points = {ToDevicePoint(*dc, dc->position.x, dc->position.y)};
        POINT last = {};
        for (int i = 0; i <= steps; ++i) {
            double angle = start + sweep * i / steps;
            last = {static_cast<LONG>(std::lround(cx + rx * std::cos(angle))),
                    static_cast<LONG>(std::lround(cy - ry * std::sin(angle)))};
            points.push_back(ToDevicePoint(*dc, last.x, last.y));
        }
        StrokePath(*dc, points, false);
        dc->position = last;
    }
    Journal(MakeGdiCall("ArcTo", hdc, {left, top, right, bottom, xr1, yr1, xr2, yr2}, done));
    return done;
}
