// Region objects, painting them, and the clip region of a DC.
#include "gdi/Raster.h"

#include <algorithm>
#include <climits>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

GdiRegion* RegionOf(HRGN handle)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    if (!object || object->kind != GdiKind::REGION) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<GdiRegion*>(object.get());
}

HRGN AddRegion(Region area, const char* call, std::vector<long long> args)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto region = std::make_shared<GdiRegion>();
    region->area = std::move(area);
    HGDIOBJ handle = AddGdiObject(region);
    Journal(MakeGdiCall(call, nullptr, std::move(args), HandleValue(handle)));
    return static_cast<HRGN>(handle);
}

int Complexity(const GdiDC& dc)
{
    return dc.hasClip ? dc.clip.Complexity() : SIMPLEREGION;
}

}  // namespace

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AddRegion(Region::Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)),
                     "CreateRectRgn", {x1, y1, x2, y2});
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect)
{
    if (lprect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AddRegion(Region::Ellipse(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)),
                     "CreateEllipticRgn", {x1, y1, x2, y2});
}

HRGN WINAPI CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    if (pptl == nullptr || cPoint < 0 || (iMode != ALTERNATE && iMode != WINDING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<POINT> points(pptl, pptl + cPoint);
    return AddRegion(Region::Polygon(points, iMode), "CreatePolygonRgn", {cPoint, iMode});
}

int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiRegion* target = RegionOf(hrgnDst);
    GdiRegion* first = RegionOf(hrgnSrc1);
    if (target == nullptr || first == nullptr || iMode < RGN_AND || iMode > RGN_COPY) {
        return ERROR;
    }
    if (iMode == RGN_COPY) {
        target->area = first->area;
    } else {
        GdiRegion* second = RegionOf(hrgnSrc2);
        if (second == nullptr) {
            return ERROR;
        }
        target->area = first->area.Combine(second->area, iMode);
    }
    return target->area.Complexity();
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiRegion* region = RegionOf(hrgn);
    if (region == nullptr) {
        return ERROR;
    }
    region->area.Offset(x, y);
    return region->area.Complexity();
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiRegion* region = RegionOf(hrgn);
    if (region == nullptr || lprc == nullptr) {
        return ERROR;
    }
    *lprc = region->area.Box();
    return region->area.Complexity();
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiRegion* region = RegionOf(hrgn);
    return region != nullptr && region->area.Contains(x, y);
}

BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    GdiRegion* region = RegionOf(hrgn);
    COLORREF color = 0;
    BOOL done = dc != nullptr && region != nullptr && IsPixelDC(*dc);
    if (done && BrushColorOf(hbr, color)) {
        FillArea(*dc, region->area, color);
    }
    Journal(MakeGdiCall("FillRgn", hdc, {HandleValue(hrgn), HandleValue(hbr)}, done));
    return done;
}

BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr && FillRgn(hdc, hrgn, static_cast<HBRUSH>(dc->brush));
}

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    if (hrgn == nullptr) {
        // Only RGN_COPY may take no region: the clip is removed.
        if (mode != RGN_COPY) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        dc->hasClip = false;
        dc->clip = Region();
    } else {
        GdiRegion* region = RegionOf(hrgn);
        if (region == nullptr || mode < RGN_AND || mode > RGN_COPY) {
            return ERROR;
        }
        if (mode == RGN_COPY || !dc->hasClip) {
            // Without a clip the DC shows everything, which AND and DIFF start from as a whole.
            dc->clip = mode == RGN_COPY || mode == RGN_AND || mode == RGN_OR
                           ? region->area
                           : Region::Rect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2)
                                 .Combine(region->area, mode);
        } else {
            dc->clip = dc->clip.Combine(region->area, mode);
        }
        dc->hasClip = true;
    }
    Journal(MakeGdiCall("ExtSelectClipRgn", hdc, {HandleValue(hrgn), mode}, Complexity(*dc)));
    return Complexity(*dc);
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn)
{
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    POINT a = ToDevicePoint(*dc, left, top);
    POINT b = ToDevicePoint(*dc, right, bottom);
    Region box = Region::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    dc->clip = dc->hasClip ? dc->clip.Combine(box, RGN_AND) : box;
    dc->hasClip = true;
    Journal(MakeGdiCall("IntersectClipRect", hdc, {left, top, right, bottom}, Complexity(*dc)));
    return Complexity(*dc);
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || lprect == nullptr) {
        return ERROR;
    }
    Region visible = Region::Rect(0, 0, dc->geometry.printableWidth, dc->geometry.printableHeight);
    if (IsPixelDC(*dc)) {
        PixelAccess access(*dc, false);
        visible = access.Valid() ? access.Writable() : Region();
    } else if (dc->hasClip) {
        visible = visible.Combine(dc->clip, RGN_AND);
    }
    *lprect = visible.Box();
    return visible.Complexity();
}

// 1 with the DC's clip copied into the region, 0 when the DC has none.
int WINAPI GetClipRgn(HDC hdc, HRGN hrgn)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    GdiRegion* region = RegionOf(hrgn);
    if (dc == nullptr || region == nullptr) {
        return -1;
    }
    if (!dc->hasClip) {
        return 0;
    }
    region->area = dc->clip;
    return 1;
}
