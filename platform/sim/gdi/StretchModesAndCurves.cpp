// The stretch mode of a DC and Bezier curves: the curves are drawn as the polyline that follows
// them closely, with the DC's pen.
#include "gdi/Raster.h"

#include <cmath>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr int kStepsPerCurve = 32;

POINT CurvePoint(const POINT* control, double t)
{
    double u = 1 - t;
    double a = u * u * u;
    double b = 3 * u * u * t;
    double c = 3 * u * t * t;
    double d = t * t * t;
    return {static_cast<LONG>(
                std::lround(a * control[0].x + b * control[1].x + c * control[2].x + d * control[3].x)),
            static_cast<LONG>(
                std::lround(a * control[0].y + b * control[1].y + c * control[2].y + d * control[3].y))};
}

}  // namespace

int WINAPI SetStretchBltMode(HDC hdc, int mode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = dc->stretchMode;
    dc->stretchMode = mode;
    Journal(MakeGdiCall("SetStretchBltMode", hdc, {mode}, previous));
    return previous;
}

int WINAPI GetStretchBltMode(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc == nullptr ? 0 : dc->stretchMode;
}

BOOL WINAPI PolyBezier(HDC hdc, const POINT* apt, DWORD cpt)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 4 || (cpt - 1) % 3 != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        std::vector<POINT> line = {ToDevicePoint(*dc, apt[0].x, apt[0].y)};
        for (DWORD first = 0; first + 3 < cpt; first += 3) {
            for (int step = 1; step <= kStepsPerCurve; ++step) {
                POINT point = CurvePoint(apt + first, static_cast<double>(step) / kStepsPerCurve);
                line.push_back(ToDevicePoint(*dc, point.x, point.y));
            }
        }
        StrokePath(*dc, line, false);
    }
    Journal(MakeGdiCall("PolyBezier", hdc, {static_cast<long long>(cpt)}, TRUE));
    return TRUE;
}
