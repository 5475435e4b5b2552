// The pixel rules of memory and window DCs: targets, colours, DIB bits, fills and pen strokes.
#include "gdi/Raster.h"

#include "windows/WindowTable.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace nirasim::sim {
namespace {

constexpr uint32_t kWhitePixel = 0xFFFFFF;
constexpr int kMonoThreshold = 128 * 3;
constexpr COLORREF kWindowFace = RGB(240, 240, 240);
constexpr int kDibRowAlign = 4;
constexpr double kHalf = 0.5;

// The on and off lengths of the cosmetic pen styles, in pixels.
const std::vector<int>& DashPattern(int style)
{
    static const std::vector<int> kSolid;
    static const std::vector<int> kDash = {18, 6};
    static const std::vector<int> kDot = {3, 3};
    static const std::vector<int> kDashDot = {9, 6, 3, 6};
    static const std::vector<int> kDashDotDot = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return kDash;
    case PS_DOT:
        return kDot;
    case 3:  // PS_DASHDOT
        return kDashDot;
    case 4:  // PS_DASHDOTDOT
        return kDashDotDot;
    default:
        return kSolid;
    }
}

Region FromPoints(const std::vector<POINT>& points)
{
    if (points.empty()) {
        return Region();
    }
    std::map<int, std::vector<Span>> rows;
    for (const POINT& point : points) {
        rows[point.y].push_back({point.x, point.x + 1});
    }
    int top = rows.begin()->first;
    std::vector<std::vector<Span>> ordered(static_cast<size_t>(rows.rbegin()->first - top + 1));
    for (auto& [y, spans] : rows) {
        ordered[static_cast<size_t>(y - top)] = std::move(spans);
    }
    return Region::FromRows(top, std::move(ordered));
}

// The pixels of a one-pixel line from a to b, b left out.
void StepLine(POINT a, POINT b, std::vector<POINT>& out)
{
    int dx = std::abs(b.x - a.x);
    int dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1;
    int sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    POINT p = a;
    while (p.x != b.x || p.y != b.y) {
        out.push_back(p);
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

Region WideSegment(POINT a, POINT b, double width)
{
    double ax = a.x + kHalf;
    double ay = a.y + kHalf;
    double bx = b.x + kHalf;
    double by = b.y + kHalf;
    double r = width / 2;
    Region caps = Region::Ellipse(ax - r, ay - r, ax + r, ay + r)
                      .Combine(Region::Ellipse(bx - r, by - r, bx + r, by + r), RGN_OR);
    double length = std::hypot(bx - ax, by - ay);
    if (length == 0) {
        return caps;
    }
    double nx = -(by - ay) / length * r;
    double ny = (bx - ax) / length * r;
    Region body =
        Region::Polygon({ax + nx, bx + nx, bx - nx, ax - nx}, {ay + ny, by + ny, by - ny, ay - ny}, WINDING);
    return body.Combine(caps, RGN_OR);
}

std::shared_ptr<GdiBitmap> BitmapOf(HGDIOBJ handle)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    if (!object || object->kind != GdiKind::BITMAP) {
        return nullptr;
    }
    return std::static_pointer_cast<GdiBitmap>(object);
}

size_t DibStride(const BITMAPINFOHEADER& header)
{
    size_t bits = static_cast<size_t>(header.biWidth) * header.biBitCount;
    return (bits + kDibRowAlign * 8 - 1) / (kDibRowAlign * 8) * kDibRowAlign;
}

uint32_t NearestIndex(const std::vector<RGBQUAD>& colors, uint32_t pixel)
{
    uint32_t best = 0;
    int bestDistance = -1;
    for (size_t i = 0; i < colors.size(); ++i) {
        int dr = colors[i].rgbRed - static_cast<int>((pixel >> 16) & 0xFF);
        int dg = colors[i].rgbGreen - static_cast<int>((pixel >> 8) & 0xFF);
        int db = colors[i].rgbBlue - static_cast<int>(pixel & 0xFF);
        int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint32_t>(i);
        }
    }
    return best;
}

}  // namespace

bool IsPixelDC(const GdiDC& dc)
{
    return dc.target != DcTarget::PRINTER;
}

uint32_t PixelOf(COLORREF color, bool mono)
{
    uint32_t pixel = (static_cast<uint32_t>(GetRValue(color)) << 16) |
                     (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
    if (mono) {
        int sum = GetRValue(color) + GetGValue(color) + GetBValue(color);
        return sum >= kMonoThreshold ? kWhitePixel : 0;
    }
    return pixel;
}

COLORREF ColorOf(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void TakeDibBits(GdiBitmap& bitmap)
{
    if (!bitmap.dib || bitmap.bits == nullptr) {
        return;
    }
    cairo_surface_flush(bitmap.surface);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(bitmap.surface));
    int stride = cairo_image_surface_get_stride(bitmap.surface) / 4;
    size_t rowBytes = DibStride(bitmap.header);
    bool bottomUp = bitmap.header.biHeight > 0;
    for (int row = 0; row < bitmap.height; ++row) {
        const BYTE* source = bitmap.bits + rowBytes * static_cast<size_t>(row);
        int y = bottomUp ? bitmap.height - 1 - row : row;
        uint32_t* target = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < bitmap.width; ++x) {
            switch (bitmap.header.biBitCount) {
            case 32:
            case 24: {
                const BYTE* p = source + static_cast<size_t>(x) * (bitmap.header.biBitCount / 8);
                target[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
                break;
            }
            default: {
                int depth = bitmap.header.biBitCount;
                size_t bit = static_cast<size_t>(x) * depth;
                uint32_t index = (source[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
                RGBQUAD color = index < bitmap.colors.size() ? bitmap.colors[index] : RGBQUAD{};
                target[x] = (static_cast<uint32_t>(color.rgbRed) << 16) |
                            (static_cast<uint32_t>(color.rgbGreen) << 8) | color.rgbBlue;
            }
            }
        }
    }
    cairo_surface_mark_dirty(bitmap.surface);
}

void GiveDibBits(GdiBitmap& bitmap)
{
    if (!bitmap.dib || bitmap.bits == nullptr) {
        return;
    }
    cairo_surface_flush(bitmap.surface);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(bitmap.surface));
    int stride = cairo_image_surface_get_stride(bitmap.surface) / 4;
    size_t rowBytes = DibStride(bitmap.header);
    bool bottomUp = bitmap.header.biHeight > 0;
    for (int row = 0; row < bitmap.height; ++row) {
        BYTE* target = bitmap.bits + rowBytes * static_cast<size_t>(row);
        int y = bottomUp ? bitmap.height - 1 - row : row;
        const uint32_t* source = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < bitmap.width; ++x) {
            uint32_t pixel = source[x] & kWhitePixel;
            switch (bitmap.header.biBitCount) {
            case 32:
            case 24: {
                // The fourth byte of a 32-bit pixel (its alpha) stays as its maker wrote it.
                BYTE* p = target + static_cast<size_t>(x) * (bitmap.header.biBitCount / 8);
                p[0] = static_cast<BYTE>(pixel);
                p[1] = static_cast<BYTE>(pixel >> 8);
                p[2] = static_cast<BYTE>(pixel >> 16);
                break;
            }
            default: {
                int depth = bitmap.header.biBitCount;
                size_t bit = static_cast<size_t>(x) * depth;
                int shift = 8 - depth - static_cast<int>(bit % 8);
                BYTE mask = static_cast<BYTE>(((1u << depth) - 1) << shift);
                BYTE value = static_cast<BYTE>(NearestIndex(bitmap.colors, pixel) << shift);
                target[bit / 8] = static_cast<BYTE>((target[bit / 8] & ~mask) | (value & mask));
            }
            }
        }
    }
}

cairo_surface_t* WindowSurface(HWND window)
{
    GdiState& state = Gdi();
    std::shared_ptr<Window> record = FindWindowRecord(window);
    if (!record) {
        return nullptr;
    }
    int width = std::max<LONG>(record->rect.right - record->rect.left, 0);
    int height = std::max<LONG>(record->rect.bottom - record->rect.top, 0);
    auto found = state.windowPixels.find(window);
    if (found != state.windowPixels.end()) {
        cairo_surface_t* kept = found->second;
        if (cairo_image_surface_get_width(kept) == width && cairo_image_surface_get_height(kept) == height) {
            return kept;
        }
    }
    COLORREF background = kWindowFace;
    BrushColorOf(record->background, background);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cairo = cairo_create(surface);
    SetPictureColor(cairo, background);
    cairo_paint(cairo);
    if (found != state.windowPixels.end()) {
        // A window that changed size keeps what it showed, from its top-left corner.
        cairo_set_source_surface(cairo, found->second, 0, 0);
        cairo_paint(cairo);
        cairo_surface_destroy(found->second);
    }
    cairo_destroy(cairo);
    state.windowPixels[window] = surface;
    return surface;
}

void ForgetWindowSurface(HWND window)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto found = Gdi().windowPixels.find(window);
    if (found != Gdi().windowPixels.end()) {
        cairo_surface_destroy(found->second);
        Gdi().windowPixels.erase(found);
    }
}

PixelAccess::PixelAccess(GdiDC& dc, bool writes) : m_dc(dc), m_writes(writes)
{
    if (dc.target == DcTarget::MEMORY) {
        std::shared_ptr<GdiBitmap> bitmap = BitmapOf(dc.bitmap);
        if (bitmap) {
            m_bitmap = bitmap.get();
            TakeDibBits(*m_bitmap);
            m_surface = m_bitmap->surface;
            m_pixels.mono = m_bitmap->bitsPerPixel == 1;
        }
    } else if (dc.target == DcTarget::WINDOW) {
        m_surface = WindowSurface(dc.window);
    }
    if (m_surface != nullptr) {
        cairo_surface_flush(m_surface);
        m_pixels.data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(m_surface));
        m_pixels.stride = cairo_image_surface_get_stride(m_surface) / 4;
        m_pixels.width = cairo_image_surface_get_width(m_surface);
        m_pixels.height = cairo_image_surface_get_height(m_surface);
    }
}

PixelAccess::~PixelAccess()
{
    if (m_surface == nullptr || !m_writes) {
        return;
    }
    cairo_surface_mark_dirty(m_surface);
    if (m_bitmap != nullptr) {
        GiveDibBits(*m_bitmap);
    }
}

Region PixelAccess::Writable() const
{
    Region all = Region::Rect(0, 0, m_pixels.width, m_pixels.height);
    return m_dc.hasClip ? all.Combine(m_dc.clip, RGN_AND) : all;
}

void ToDevice(const GdiDC& dc, double x, double y, double& dx, double& dy)
{
    XFORM w = LogicalToDevice(dc);
    dx = x * w.eM11 + y * w.eM21 + w.eDx;
    dy = x * w.eM12 + y * w.eM22 + w.eDy;
}

POINT ToDevicePoint(const GdiDC& dc, int x, int y)
{
    double dx = 0;
    double dy = 0;
    ToDevice(dc, x, y, dx, dy);
    return {static_cast<LONG>(std::lround(dx)), static_cast<LONG>(std::lround(dy))};
}

void FillArea(GdiDC& dc, const Region& area, COLORREF color)
{
    PixelAccess access(dc, true);
    if (!access.Valid()) {
        return;
    }
    const Pixels& pixels = access.Get();
    uint32_t pixel = PixelOf(color, pixels.mono);
    area.Combine(access.Writable(), RGN_AND).ForEachSpan([&](int y, int left, int right) {
        std::fill(&pixels.At(left, y), &pixels.At(left, y) + (right - left), pixel);
    });
}

bool BrushColorOf(HGDIOBJ handle, COLORREF& color)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    if (!object || object->kind != GdiKind::BRUSH) {
        return false;
    }
    const auto* brush = static_cast<const GdiBrush*>(object.get());
    if (brush->hollow) {
        return false;
    }
    color = brush->color;
    return true;
}

bool BrushColor(const GdiDC& dc, COLORREF& color)
{
    return BrushColorOf(dc.brush, color);
}

int PenWidth(const GdiDC& dc)
{
    std::shared_ptr<GdiObject> object = ObjectOf(dc.pen);
    if (!object || object->kind != GdiKind::PEN) {
        return 0;
    }
    const auto* pen = static_cast<const GdiPen*>(object.get());
    return pen->style == PS_NULL ? 0 : std::max(pen->width, 1);
}

void StrokePath(GdiDC& dc, const std::vector<POINT>& points, bool closed)
{
    std::shared_ptr<GdiObject> object = ObjectOf(dc.pen);
    if (!object || object->kind != GdiKind::PEN || points.empty()) {
        return;
    }
    const auto* pen = static_cast<const GdiPen*>(object.get());
    if (pen->style == PS_NULL) {
        return;
    }
    size_t segments = closed ? points.size() : points.size() - 1;
    if (pen->width > 1) {
        Region stroke;
        for (size_t i = 0; i < segments; ++i) {
            stroke =
                stroke.Combine(WideSegment(points[i], points[(i + 1) % points.size()], pen->width), RGN_OR);
        }
        FillArea(dc, stroke, pen->color);
        return;
    }
    std::vector<POINT> line;
    for (size_t i = 0; i < segments; ++i) {
        StepLine(points[i], points[(i + 1) % points.size()], line);
    }
    const std::vector<int>& pattern = DashPattern(pen->style);
    if (pattern.empty()) {
        FillArea(dc, FromPoints(line), pen->color);
        return;
    }
    std::vector<POINT> on;
    std::vector<POINT> off;
    size_t piece = 0;
    int left = pattern[0];
    for (const POINT& point : line) {
        (piece % 2 == 0 ? on : off).push_back(point);
        if (--left == 0) {
            piece = (piece + 1) % pattern.size();
            left = pattern[piece];
        }
    }
    if (dc.bkMode == OPAQUE) {
        FillArea(dc, FromPoints(off), dc.bkColor);
    }
    FillArea(dc, FromPoints(on), pen->color);
}

void StrokePicturePath(GdiDC& dc)
{
    std::shared_ptr<GdiObject> object = ObjectOf(dc.pen);
    const auto* pen =
        object && object->kind == GdiKind::PEN ? static_cast<const GdiPen*>(object.get()) : nullptr;
    if (pen == nullptr || pen->style == PS_NULL) {
        cairo_new_path(dc.cairo);
        return;
    }
    // The picture is drawn in device units scaled to its own resolution: cosmetic widths and
    // dash lengths are pixels of the picture.
    double pixel = 1.0 / PictureScaleX(dc.geometry);
    std::vector<double> dashes;
    for (int length : DashPattern(pen->style)) {
        dashes.push_back(length * pixel);
    }
    cairo_save(dc.cairo);
    cairo_set_dash(dc.cairo, dashes.data(), static_cast<int>(dashes.size()), 0);
    SetPictureColor(dc.cairo, pen->color);
    cairo_set_line_width(dc.cairo, std::max<double>(pen->width, pixel));
    cairo_stroke(dc.cairo);
    cairo_restore(dc.cairo);
}

}  // namespace nirasim::sim
