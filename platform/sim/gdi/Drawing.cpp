// Lines and rectangles with the DC's pen and brush.
#include "gdi/GdiState.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

template <typename T>
T* Selected(HGDIOBJ handle, GdiKind kind)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    return object && object->kind == kind ? static_cast<T*>(object.get()) : nullptr;
}

// Strokes the current path with the DC's pen; false when the pen draws nothing.
void StrokeWithPen(GdiDC& dc)
{
    const GdiPen* pen = Selected<GdiPen>(dc.pen, GdiKind::PEN);
    if (pen == nullptr || pen->style == PS_NULL) {
        cairo_new_path(dc.cairo);
        return;
    }
    SetPictureColor(dc.cairo, pen->color);
    cairo_set_line_width(dc.cairo, pen->width > 0 ? pen->width : 1);
    cairo_stroke(dc.cairo);
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
    if (dc->cairo != nullptr) {
        cairo_move_to(dc->cairo, dc->position.x, dc->position.y);
        cairo_line_to(dc->cairo, x, y);
        StrokeWithPen(*dc);
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
    if (dc->cairo != nullptr) {
        const GdiBrush* brush = Selected<GdiBrush>(dc->brush, GdiKind::BRUSH);
        cairo_rectangle(dc->cairo, left, top, right - left, bottom - top);
        if (brush != nullptr && !brush->hollow) {
            SetPictureColor(dc->cairo, brush->color);
            cairo_fill_preserve(dc->cairo);
        }
        StrokeWithPen(*dc);
    }
    Journal(MakeGdiCall("Rectangle", hdc, {left, top, right, bottom}, TRUE));
    return TRUE;
}
