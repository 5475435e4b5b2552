// The pixels of memory and window DCs, drawn with GDI's pixel rules: no smoothing, shapes sample
// pixel centres (so the right and bottom edges of a box stay out), a one-pixel pen steps from pixel
// to pixel and leaves out the last point of a line, the gaps of a styled pen take the background
// colour in OPAQUE mode, and every write stays inside the DC's clip region.
#pragma once

#include "gdi/GdiState.h"

#include <cstdint>

namespace nirasim::sim {

// A surface's pixels as 0x00RRGGBB words.
struct Pixels {
    uint32_t* data = nullptr;
    int stride = 0;  // in words
    int width = 0;
    int height = 0;
    bool mono = false;
    uint32_t& At(int x, int y) const { return data[static_cast<size_t>(y) * stride + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// True for the DCs whose drawing follows the pixel rules (memory and window DCs).
bool IsPixelDC(const GdiDC& dc);

// The DC's target pixels for the length of one call: a DIB section's bits are taken in first and,
// when the call writes, given back at the end. Not valid for a printer DC or a memory DC without
// a bitmap of its own.
class PixelAccess {
public:
    PixelAccess(GdiDC& dc, bool writes);
    ~PixelAccess();
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;
    bool Valid() const { return m_surface != nullptr; }
    const Pixels& Get() const { return m_pixels; }
    cairo_surface_t* Surface() const { return m_surface; }
    // The pixels a write may touch: the surface, cut to the DC's clip.
    Region Writable() const;

private:
    GdiDC& m_dc;
    bool m_writes;
    GdiBitmap* m_bitmap = nullptr;
    cairo_surface_t* m_surface = nullptr;
    Pixels m_pixels;
};

// Colour conversions: a monochrome target keeps black or white only.
uint32_t PixelOf(COLORREF color, bool mono);
COLORREF ColorOf(uint32_t pixel);

// The window's pixels, made at the first need in its background colour and sized to its client
// area. Null for a window that does not exist.
cairo_surface_t* WindowSurface(HWND window);
// Drops a window's pixels (the window is gone).
void ForgetWindowSurface(HWND window);

// A bitmap's DIB bits taken into its surface, and the surface given back into the bits.
void TakeDibBits(GdiBitmap& bitmap);
void GiveDibBits(GdiBitmap& bitmap);

// Logical points through the DC's world transform and page mapping.
void ToDevice(const GdiDC& dc, double x, double y, double& dx, double& dy);
POINT ToDevicePoint(const GdiDC& dc, int x, int y);

// Drawing on a pixel DC (call under Gdi().lock; points and areas in device units).
void FillArea(GdiDC& dc, const Region& area, COLORREF color);
// The selected pen along the points (closed: back to the first); the last point of an open line
// stays out for a one-pixel pen.
void StrokePath(GdiDC& dc, const std::vector<POINT>& points, bool closed);
// The selected brush's colour, or false for a hollow brush.
bool BrushColor(const GdiDC& dc, COLORREF& color);
bool BrushColorOf(HGDIOBJ brush, COLORREF& color);
// The selected pen's width in pixels, 0 for a null pen.
int PenWidth(const GdiDC& dc);
// Strokes the current path of a printer page's picture with the selected pen: its colour and
// dashes, a cosmetic pen one pixel of the picture wide; a null pen only clears the path.
void StrokePicturePath(GdiDC& dc);

}  // namespace nirasim::sim

namespace nirasim::sim {

// A DC on a window's client area (null window: a DC of the screen, which draws nowhere), clipped to
// the given client rectangle when one is given.
HDC MakeWindowDC(HWND window, const RECT* clip);
// Deletes a DC that MakeWindowDC made for the window; false for any other DC.
bool ReleaseWindowDC(HWND window, HDC dc);

}  // namespace nirasim::sim
