// Test control: the pixels of windows and of memory and window DCs, read or written as PNG files.
#include "gdi/Raster.h"

namespace nirasim {
namespace {

using namespace sim;

// The surface a window or DC shows (a DIB section's bits taken in first), or null.
cairo_surface_t* SurfaceOf(HWND window, HDC hdc)
{
    if (window != nullptr) {
        return WindowSurface(window);
    }
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || !IsPixelDC(*dc)) {
        return nullptr;
    }
    if (dc->target == DcTarget::WINDOW) {
        return dc->window != nullptr ? WindowSurface(dc->window) : nullptr;
    }
    std::shared_ptr<GdiObject> object = ObjectOf(dc->bitmap);
    if (!object || object->kind != GdiKind::BITMAP) {
        return nullptr;
    }
    auto* bitmap = static_cast<GdiBitmap*>(object.get());
    TakeDibBits(*bitmap);
    return bitmap->surface;
}

bool WriteSurface(cairo_surface_t* surface, const std::string& pngPath)
{
    if (surface == nullptr || cairo_image_surface_get_width(surface) == 0 ||
        cairo_image_surface_get_height(surface) == 0) {
        return false;
    }
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool WindowPixels(HWND window, Picture& picture)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return window != nullptr && PictureOfSurface(SurfaceOf(window, nullptr), picture);
}

bool DcPixels(HDC dc, Picture& picture)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return PictureOfSurface(SurfaceOf(nullptr, dc), picture);
}

bool SaveWindowPicture(HWND window, const std::string& pngPath)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return window != nullptr && WriteSurface(SurfaceOf(window, nullptr), pngPath);
}

bool SaveDcPicture(HDC dc, const std::string& pngPath)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return WriteSurface(SurfaceOf(nullptr, dc), pngPath);
}

}  // namespace nirasim
