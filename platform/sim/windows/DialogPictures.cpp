// A dialog as the user sees it: the dialog and every visible control painted afresh, composed at
// their places into one picture.
#include "windows/WindowTable.h"

#include "gdi/Raster.h"

#include <nirasim/Windows.h>

#include <cairo.h>

namespace nirasim::sim {
namespace {

// The whole tree is made invalid first and then updated parent before children, as
// RedrawWindow(RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW) does: a parent that paints into a
// child's window (BeginPaint on the child) leaves that child nothing to repaint.
void InvalidateTree(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    for (const auto& child : ChildrenOf(window)) {
        if ((child->style & WS_CHILD) && (child->style & WS_VISIBLE)) {
            InvalidateTree(child->handle);
        }
    }
}

void UpdateTree(HWND window)
{
    UpdateWindow(window);
    for (const auto& child : ChildrenOf(window)) {
        if ((child->style & WS_CHILD) && (child->style & WS_VISIBLE)) {
            UpdateTree(child->handle);
        }
    }
}

void PaintTree(HWND window)
{
    InvalidateTree(window);
    UpdateTree(window);
}

void ComposeTree(cairo_t* cairo, HWND window, POINT origin)
{
    POINT at = ScreenOrigin(window);
    if (cairo_surface_t* surface = WindowSurface(window)) {
        cairo_set_source_surface(cairo, surface, at.x - origin.x, at.y - origin.y);
        cairo_paint(cairo);
    }
    for (const auto& child : ChildrenOf(window)) {
        if ((child->style & WS_CHILD) && (child->style & WS_VISIBLE)) {
            ComposeTree(cairo, child->handle, origin);
        }
    }
}

}  // namespace
}  // namespace nirasim::sim

namespace nirasim {

bool SaveDialogPicture(HWND dialog, const std::string& pngPath)
{
    RECT client{};
    if (!GetClientRect(dialog, &client) || client.right <= 0 || client.bottom <= 0) {
        return false;
    }
    sim::PaintTree(dialog);
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, client.right, client.bottom);
    cairo_t* cairo = cairo_create(picture);
    sim::ComposeTree(cairo, dialog, sim::ScreenOrigin(dialog));
    cairo_destroy(cairo);
    bool written = cairo_surface_write_to_png(picture, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(picture);
    return written;
}

}  // namespace nirasim
