// Fonts, pens and brushes, the stock objects, and selecting objects into a DC.
#include "gdi/GdiState.h"

#include <windows.h>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

// The DC's slot for an object of this kind; null for a kind a DC does not select.
HGDIOBJ* SlotFor(GdiDC& dc, GdiKind kind)
{
    switch (kind) {
    case GdiKind::FONT:
        return &dc.font;
    case GdiKind::PEN:
        return &dc.pen;
    case GdiKind::BRUSH:
        return &dc.brush;
    default:
        return nullptr;
    }
}

}  // namespace

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (lplf == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto font = std::make_shared<GdiFont>();
    font->logFont = *lplf;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    HGDIOBJ handle = AddGdiObject(font);
    GdiCall call = MakeGdiCall("CreateFontIndirectW", nullptr,
                               {lplf->lfHeight, lplf->lfWidth, lplf->lfWeight, lplf->lfCharSet,
                                lplf->lfPitchAndFamily, lplf->lfEscapement, lplf->lfItalic},
                               HandleValue(handle));
    call.text = font->logFont.lfFaceName;
    Journal(call);
    return static_cast<HFONT>(handle);
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto pen = std::make_shared<GdiPen>();
    pen->style = iStyle;
    pen->width = cWidth;
    pen->color = color;
    HGDIOBJ handle = AddGdiObject(pen);
    Journal(MakeGdiCall("CreatePen", nullptr, {iStyle, cWidth, color}, HandleValue(handle)));
    return static_cast<HPEN>(handle);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto brush = std::make_shared<GdiBrush>();
    brush->color = color;
    HGDIOBJ handle = AddGdiObject(brush);
    Journal(MakeGdiCall("CreateSolidBrush", nullptr, {color}, HandleValue(handle)));
    return static_cast<HBRUSH>(handle);
}

HGDIOBJ WINAPI GetStockObject(int i)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return StockObject(i);
}

namespace {

// A bitmap goes into one memory DC at a time; the DC's previous bitmap is free again.
HGDIOBJ SelectBitmap(HDC hdc, GdiDC& dc, HGDIOBJ handle, GdiBitmap& bitmap)
{
    if (dc.target != DcTarget::MEMORY || (bitmap.selectedInto != nullptr && bitmap.selectedInto != hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HGDIOBJ previous = dc.bitmap;
    std::shared_ptr<GdiObject> old = ObjectOf(previous);
    if (old && old->kind == GdiKind::BITMAP) {
        static_cast<GdiBitmap*>(old.get())->selectedInto = nullptr;
    }
    if (!bitmap.stock) {
        bitmap.selectedInto = hdc;
    }
    dc.bitmap = handle;
    Journal(MakeGdiCall("SelectObject", hdc, {HandleValue(handle)}, HandleValue(previous)));
    return previous;
}

}  // namespace

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    std::shared_ptr<GdiObject> object = ObjectOf(h);
    if (dc != nullptr && object && object->kind == GdiKind::BITMAP) {
        return SelectBitmap(hdc, *dc, h, static_cast<GdiBitmap&>(*object));
    }
    if (dc != nullptr && object && object->kind == GdiKind::REGION) {
        // A region selected is the DC's clip; the answer is its complexity.
        return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(SelectClipRgn(hdc, static_cast<HRGN>(h))));
    }
    HGDIOBJ* slot = (dc != nullptr && object) ? SlotFor(*dc, object->kind) : nullptr;
    if (slot == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ previous = *slot;
    *slot = h;
    Journal(MakeGdiCall("SelectObject", hdc, {HandleValue(h)}, HandleValue(previous)));
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    std::shared_ptr<GdiObject> object = ObjectOf(ho);
    BOOL deleted = FALSE;
    bool selectedBitmap = object && object->kind == GdiKind::BITMAP &&
                          static_cast<GdiBitmap*>(object.get())->selectedInto != nullptr;
    if (object && object->kind != GdiKind::DC && !selectedBitmap) {
        // Stock objects stay; deleting one is answered as done, as Windows does.
        if (!object->stock) {
            Gdi().objects.erase(ho);
        }
        deleted = TRUE;
    }
    Journal(MakeGdiCall("DeleteObject", nullptr, {HandleValue(ho)}, deleted));
    return deleted;
}

LOGFONTW nirasim::sim::SelectedFont(const GdiDC& dc)
{
    std::shared_ptr<GdiObject> object = ObjectOf(dc.font);
    if (object && object->kind == GdiKind::FONT) {
        return static_cast<GdiFont*>(object.get())->logFont;
    }
    return static_cast<GdiFont*>(ObjectOf(StockObject(SYSTEM_FONT)).get())->logFont;
}
