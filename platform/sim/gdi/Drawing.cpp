// Lines and shapes with the DC's pen and brush: on a printer page as strokes and fills of the page
// picture, on memory and window DCs with GDI's pixel rules.
#include "gdi/Raster.h"

#include <algorithm>
#include <cmath>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

template <typename T>
T* Selected(HGDIOBJ handle, GdiKind kind)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    return object && object->kind == kind ? static_cast<T*>(object.get()) : nullptr;
}

// The corners of a box through the DC's transform, in drawing order.
std::vector<POINT> Corners(const GdiDC& dc, int left, int top, int right, int bottom)
{
    return {ToDevicePoint(dc, left, top), ToDevicePoint(dc, right, top), ToDevicePoint(dc, right, bottom),
            ToDevicePoint(dc, left, bottom)};
}

// Rectangle on a pixel DC: the brush fills the box (one pixel less on the right and bottom without
// a pen), and the pen runs along its outermost pixels.
void DrawBox(GdiDC& dc, int left, int top, int right, int bottom)
{
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    bool pen = PenWidth(dc) > 0;
    int cut = pen ? 0 : 1;
    COLORREF fill = 0;
    if (BrushColor(dc, fill)) {
        FillArea(dc, Region::Polygon(Corners(dc, left, top, right - cut, bottom - cut), WINDING), fill);
    }
    if (pen && right - left >= 1 && bottom - top >= 1) {
        StrokePath(dc, Corners(dc, left, top, right - 1, bottom - 1), true);
    }
}

void DrawEllipse(GdiDC& dc, int left, int top, int right, int bottom)
{
    POINT a = ToDevicePoint(dc, std::min(left, right), std::min(top, bottom));
    POINT b = ToDevicePoint(dc, std::max(left, right), std::max(top, bottom));
    int width = PenWidth(dc);
    int cut = width > 0 ? 0 : 1;
    Region outer = Region::Ellipse(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) - cut,
                                   std::max(a.y, b.y) - cut);
    Region inner = Region::Ellipse(std::min(a.x, b.x) + width, std::min(a.y, b.y) + width,
                                   std::max(a.x, b.x) - width, std::max(a.y, b.y) - width);
    COLORREF fill = 0;
    if (BrushColor(dc, fill)) {
        FillArea(dc, width > 0 ? inner : outer, fill);
    }
    std::shared_ptr<GdiObject> pen = ObjectOf(dc.pen);
    if (width > 0 && pen && pen->kind == GdiKind::PEN) {
        FillArea(dc, outer.Combine(inner, RGN_DIFF), static_cast<GdiPen*>(pen.get())->color);
    }
}

std::vector<POINT> DevicePoints(const GdiDC& dc, const POINT* points, int count)
{
    std::vector<POINT> device;
    for (int i = 0; i < count; ++i) {
        device.push_back(ToDevicePoint(dc, points[i].x, points[i].y));
    }
    return device;
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (lppt != nullptr) {
        *lppt = dc->position;
    }
    dc->position = {x, y};
    Journal(MakeGdiCall("MoveToEx", hdc, {x, y}, TRUE));
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        StrokePath(*dc, {ToDevicePoint(*dc, dc->position.x, dc->position.y), ToDevicePoint(*dc, x, y)},
                   false);
    } else if (dc->cairo != nullptr) {
        cairo_move_to(dc->cairo, dc->position.x, dc->position.y);
        cairo_line_to(dc->cairo, x, y);
        StrokePicturePath(*dc);
    }
    dc->position = {x, y};
    Journal(MakeGdiCall("LineTo", hdc, {x, y}, TRUE));
    return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        DrawBox(*dc, left, top, right, bottom);
    } else if (dc->cairo != nullptr) {
        const GdiBrush* brush = Selected<GdiBrush>(dc->brush, GdiKind::BRUSH);
        cairo_rectangle(dc->cairo, left, top, right - left, bottom - top);
        if (brush != nullptr && !brush->hollow) {
            SetPictureColor(dc->cairo, brush->color);
            cairo_fill_preserve(dc->cairo);
        }
        StrokePicturePath(*dc);
    }
    Journal(MakeGdiCall("Rectangle", hdc, {left, top, right, bottom}, TRUE));
    return TRUE;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        DrawEllipse(*dc, left, top, right, bottom);
    }
    Journal(MakeGdiCall("Ellipse", hdc, {left, top, right, bottom}, TRUE));
    return TRUE;
}

BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        std::vector<POINT> points = DevicePoints(*dc, apt, cpt);
        COLORREF fill = 0;
        if (BrushColor(*dc, fill)) {
            FillArea(*dc, Region::Polygon(points, dc->polyFillMode), fill);
        }
        StrokePath(*dc, points, true);
    }
    Journal(MakeGdiCall("Polygon", hdc, {cpt}, TRUE));
    return TRUE;
}

BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (IsPixelDC(*dc)) {
        StrokePath(*dc, DevicePoints(*dc, apt, cpt), false);
    }
    Journal(MakeGdiCall("Polyline", hdc, {cpt}, TRUE));
    return TRUE;
}

int WINAPI SetPolyFillMode(HDC hdc, int mode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || (mode != ALTERNATE && mode != WINDING)) {
        return 0;
    }
    int previous = dc->polyFillMode;
    dc->polyFillMode = mode;
    return previous;
}

// The brush fills the rectangle without its right and bottom edges; the DC's pen is not used.
int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hDC);
    COLORREF color = 0;
    if (dc == nullptr || lprc == nullptr || !BrushColorOf(hbr, color)) {
        return 0;
    }
    if (IsPixelDC(*dc)) {
        FillArea(*dc,
                 Region::Polygon(Corners(*dc, lprc->left, lprc->top, lprc->right, lprc->bottom), WINDING),
                 color);
    }
    Journal(MakeGdiCall("FillRect", hDC, {lprc->left, lprc->top, lprc->right, lprc->bottom, HandleValue(hbr)},
                        1));
    return 1;
}

// A one-pixel frame of the brush along the rectangle's outermost pixels.
int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hDC);
    COLORREF color = 0;
    if (dc == nullptr || lprc == nullptr || !BrushColorOf(hbr, color)) {
        return 0;
    }
    if (IsPixelDC(*dc) && lprc->right > lprc->left && lprc->bottom > lprc->top) {
        POINT a = ToDevicePoint(*dc, lprc->left, lprc->top);
        POINT b = ToDevicePoint(*dc, lprc->right, lprc->bottom);
        RECT box = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        Region outer = Region::Rect(box.left, box.top, box.right, box.bottom);
        FillArea(
            *dc,
            outer.Combine(Region::Rect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1), RGN_DIFF),
            color);
    }
    Journal(MakeGdiCall("FrameRect", hDC,
                        {lprc->left, lprc->top, lprc->right, lprc->bottom, HandleValue(hbr)}, 1));
    return 1;
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) {
        return FALSE;
    }
    for (int i = 0; i < c; ++i) {
        lppt[i] = ToDevicePoint(*dc, lppt[i].x, lppt[i].y);
    }
    return TRUE;
}

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) {
        return FALSE;
    }
    XFORM w = LogicalToDevice(*dc);
    double determinant = static_cast<double>(w.eM11) * w.eM22 - static_cast<double>(w.eM12) * w.eM21;
    if (determinant == 0) {
        return FALSE;
    }
    for (int i = 0; i < c; ++i) {
        double x = lppt[i].x - w.eDx;
        double y = lppt[i].y - w.eDy;
        lppt[i].x = static_cast<LONG>(std::lround((x * w.eM22 - y * w.eM21) / determinant));
        lppt[i].y = static_cast<LONG>(std::lround((y * w.eM11 - x * w.eM12) / determinant));
    }
    return TRUE;
}
