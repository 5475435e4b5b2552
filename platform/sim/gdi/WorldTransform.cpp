// The graphics mode and world transform of a DC, with the XFORM algebra the platform documents:
// a point is a row vector, so "A then B" is the product A x B.
#include "gdi/GdiState.h"

#include "core/Failures.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr XFORM kIdentity = {1, 0, 0, 1, 0, 0};

bool IsIdentity(const XFORM& x)
{
    return x.eM11 == 1 && x.eM12 == 0 && x.eM21 == 0 && x.eM22 == 1 && x.eDx == 0 && x.eDy == 0;
}

}  // namespace

XFORM nirasim::sim::CombineTransforms(const XFORM& a, const XFORM& b)
{
    XFORM r;
    r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return r;
}

namespace {

// A singular matrix maps the page onto a line: the platform refuses it.
bool Invertible(const XFORM& x)
{
    return x.eM11 * x.eM22 - x.eM12 * x.eM21 != 0;
}

long long Scaled(FLOAT value)
{
    constexpr double kJournalScale = 10000.0;
    return static_cast<long long>(value * kJournalScale);
}

void JournalTransform(const char* name, HDC hdc, const XFORM& x, long long mode, BOOL result)
{
    Journal(MakeGdiCall(
        name, hdc,
        {Scaled(x.eM11), Scaled(x.eM12), Scaled(x.eM21), Scaled(x.eM22), Scaled(x.eDx), Scaled(x.eDy), mode},
        result));
}

}  // namespace

int WINAPI SetGraphicsMode(HDC hdc, int iMode)
{
    NIRASIM_FAIL_IF_INJECTED("SetGraphicsMode", 0);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || (iMode != GM_COMPATIBLE && iMode != GM_ADVANCED) ||
        (iMode == GM_COMPATIBLE && !IsIdentity(dc->world))) {
        if (dc != nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return 0;
    }
    int previous = dc->graphicsMode;
    dc->graphicsMode = iMode;
    return previous;
}

int WINAPI GetGraphicsMode(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->graphicsMode : 0;
}

BOOL WINAPI GetWorldTransform(HDC hdc, LPXFORM lpxf)
{
    NIRASIM_FAIL_IF_INJECTED("GetWorldTransform", FALSE);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || lpxf == nullptr) {
        return FALSE;
    }
    *lpxf = dc->world;
    return TRUE;
}

BOOL WINAPI SetWorldTransform(HDC hdc, const XFORM* lpxf)
{
    NIRASIM_FAIL_IF_INJECTED("SetWorldTransform", FALSE);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    BOOL result = FALSE;
    if (dc != nullptr && lpxf != nullptr) {
        if (dc->graphicsMode == GM_ADVANCED && Invertible(*lpxf)) {
            dc->world = *lpxf;
            result = TRUE;
        } else {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        JournalTransform("SetWorldTransform", hdc, *lpxf, 0, result);
    }
    return result;
}

BOOL WINAPI ModifyWorldTransform(HDC hdc, const XFORM* lpxf, DWORD mode)
{
    NIRASIM_FAIL_IF_INJECTED("ModifyWorldTransform", FALSE);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    XFORM next = kIdentity;
    bool known = true;
    if (mode == MWT_LEFTMULTIPLY && lpxf != nullptr) {
        next = CombineTransforms(*lpxf, dc->world);
    } else if (mode == MWT_RIGHTMULTIPLY && lpxf != nullptr) {
        next = CombineTransforms(dc->world, *lpxf);
    } else if (mode != MWT_IDENTITY) {
        known = false;
    }
    BOOL result = FALSE;
    if (known && dc->graphicsMode == GM_ADVANCED && Invertible(next)) {
        dc->world = next;
        result = TRUE;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    JournalTransform("ModifyWorldTransform", hdc, dc->world, mode, result);
    return result;
}
