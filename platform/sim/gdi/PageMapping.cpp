// The page space of a DC: its mapping mode, and the window (origin and extent) in logical units
// that is mapped onto the viewport in device units. Points go through the world transform first.
// MM_TEXT maps one to one; the metric and English modes have fixed extents from the device's
// resolution with y growing upwards; MM_ANISOTROPIC takes any extents, and MM_ISOTROPIC shrinks one
// viewport extent so that a logical unit is as long on the page along both axes.
#include "gdi/GdiState.h"

#include <cmath>
#include <type_traits>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

// Logical units per inch of the fixed modes; 0 for the others.
int UnitsPerInch(int mode)
{
    constexpr int kLoMetric = 254;
    constexpr int kHiMetric = 2540;
    constexpr int kLoEnglish = 100;
    constexpr int kHiEnglish = 1000;
    constexpr int kTwips = 1440;
    switch (mode) {
    case MM_LOMETRIC:
        return kLoMetric;
    case MM_HIMETRIC:
        return kHiMetric;
    case MM_LOENGLISH:
        return kLoEnglish;
    case MM_HIENGLISH:
        return kHiEnglish;
    case MM_TWIPS:
        return kTwips;
    default:
        return 0;
    }
}

bool TakesExtents(int mode)
{
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

// The length on the page of one logical unit along an axis, in inches.
double UnitLength(LONG viewport, LONG window, int dpi)
{
    return std::fabs(static_cast<double>(viewport) / window) / dpi;
}

// Shrinks the viewport extent whose logical unit is the longer one, keeping its sign.
void MakeIsotropic(GdiDC& dc)
{
    if (dc.geometry.dpiX <= 0 || dc.geometry.dpiY <= 0) {
        return;
    }
    double x = UnitLength(dc.viewportExt.cx, dc.windowExt.cx, dc.geometry.dpiX);
    double y = UnitLength(dc.viewportExt.cy, dc.windowExt.cy, dc.geometry.dpiY);
    auto shrink = [](LONG& extent, double ratio) {
        LONG shrunk = static_cast<LONG>(std::lround(std::fabs(extent * ratio)));
        shrunk = shrunk < 1 ? 1 : shrunk;
        extent = extent < 0 ? -shrunk : shrunk;
    };
    if (x > y) {
        shrink(dc.viewportExt.cx, y / x);
    } else if (y > x) {
        shrink(dc.viewportExt.cy, x / y);
    }
}

void Assign(POINT& point, LONG x, LONG y)
{
    point = {x, y};
}

void Assign(SIZE& size, LONG x, LONG y)
{
    size = {x, y};
}

// Sets one of the DC's points or sizes; the previous value goes to `previous` when asked for.
template <typename T>
BOOL SetPagePair(const char* name, HDC hdc, T GdiDC::*member, LONG x, LONG y, T* previous)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    T& value = dc->*member;
    if (previous != nullptr) {
        *previous = value;
    }
    constexpr bool extent = std::is_same_v<T, SIZE>;
    BOOL result = TRUE;
    if (extent && (x == 0 || y == 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        result = FALSE;
    } else if (!extent || TakesExtents(dc->mapMode)) {
        // The extents of the other modes are fixed: setting them is allowed and changes nothing.
        Assign(value, x, y);
        if (extent && dc->mapMode == MM_ISOTROPIC) {
            MakeIsotropic(*dc);
        }
    }
    Journal(MakeGdiCall(name, hdc, {x, y}, result));
    return result;
}

template <typename T>
BOOL GetPagePair(HDC hdc, T GdiDC::*member, T* out)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || out == nullptr) {
        return FALSE;
    }
    *out = dc->*member;
    return TRUE;
}

}  // namespace

XFORM nirasim::sim::LogicalToDevice(const GdiDC& dc)
{
    double scaleX = static_cast<double>(dc.viewportExt.cx) / dc.windowExt.cx;
    double scaleY = static_cast<double>(dc.viewportExt.cy) / dc.windowExt.cy;
    XFORM page;
    page.eM11 = static_cast<FLOAT>(scaleX);
    page.eM12 = 0;
    page.eM21 = 0;
    page.eM22 = static_cast<FLOAT>(scaleY);
    page.eDx = static_cast<FLOAT>(dc.viewportOrg.x - dc.windowOrg.x * scaleX);
    page.eDy = static_cast<FLOAT>(dc.viewportOrg.y - dc.windowOrg.y * scaleY);
    return CombineTransforms(dc.world, page);
}

// Switching to MM_TEXT or a fixed mode sets that mode's extents; the two free modes keep the
// extents they find, and no mode moves the origins.
int WINAPI SetMapMode(HDC hdc, int iMode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int previous = 0;
    if (dc != nullptr && iMode >= MM_TEXT && iMode <= MM_ANISOTROPIC) {
        previous = dc->mapMode;
        dc->mapMode = iMode;
        if (iMode == MM_TEXT) {
            dc->windowExt = {1, 1};
            dc->viewportExt = {1, 1};
        } else if (int units = UnitsPerInch(iMode); units != 0) {
            dc->windowExt = {units, units};
            dc->viewportExt = {dc->geometry.dpiX, -dc->geometry.dpiY};
        }
    } else if (dc != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("SetMapMode", hdc, {iMode}, previous));
    return previous;
}

int WINAPI GetMapMode(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->mapMode : 0;
}

BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return SetPagePair("SetWindowExtEx", hdc, &GdiDC::windowExt, x, y, lpsz);
}

BOOL WINAPI GetWindowExtEx(HDC hdc, LPSIZE lpsize)
{
    return GetPagePair(hdc, &GdiDC::windowExt, lpsize);
}

BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return SetPagePair("SetViewportExtEx", hdc, &GdiDC::viewportExt, x, y, lpsz);
}

BOOL WINAPI GetViewportExtEx(HDC hdc, LPSIZE lpsize)
{
    return GetPagePair(hdc, &GdiDC::viewportExt, lpsize);
}

BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPagePair("SetWindowOrgEx", hdc, &GdiDC::windowOrg, x, y, lppt);
}

BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppoint)
{
    return GetPagePair(hdc, &GdiDC::windowOrg, lppoint);
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPagePair("SetViewportOrgEx", hdc, &GdiDC::viewportOrg, x, y, lppt);
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint)
{
    return GetPagePair(hdc, &GdiDC::viewportOrg, lppoint);
}
