// The blits of msimg32 on memory and window DCs: AlphaBlend with a constant alpha and with the
// premultiplied per-pixel alpha of a 32-bit DIB section, TransparentBlt that leaves out one source
// colour, and GradientFill of rectangles and triangles. Sources are sampled nearest neighbour;
// every write stays inside the destination's clip.
#include "gdi/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr uint32_t kColorBits = 0xFFFFFF;
constexpr int kOpaque = 255;
constexpr int kOpaqueSquared = kOpaque * kOpaque;
constexpr int kBytesPerPixel32 = 4;
constexpr int kAlphaByte = 3;
constexpr int kChannelShift = 8;  // TRIVERTEX channels are 16 bits, pixels 8

int Red(uint32_t pixel)
{
    return static_cast<int>((pixel >> 16) & 0xFF);
}

int Green(uint32_t pixel)
{
    return static_cast<int>((pixel >> 8) & 0xFF);
}

int Blue(uint32_t pixel)
{
    return static_cast<int>(pixel & 0xFF);
}

uint32_t Pack(int red, int green, int blue)
{
    auto limit = [](int value) { return static_cast<uint32_t>(std::clamp(value, 0, kOpaque)); };
    return limit(red) << 16 | limit(green) << 8 | limit(blue);
}

// A source rectangle's pixels and, for a 32-bit DIB section, their alpha bytes.
struct SourcePixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::vector<BYTE> alpha;  // empty: the source has no alpha
    std::vector<bool> inside;
};

GdiBitmap* SelectedBitmap(const GdiDC& dc)
{
    std::shared_ptr<GdiObject> object = dc.target == DcTarget::MEMORY ? ObjectOf(dc.bitmap) : nullptr;
    return object && object->kind == GdiKind::BITMAP ? static_cast<GdiBitmap*>(object.get()) : nullptr;
}

bool ReadSource(GdiDC& dc, int x, int y, int width, int height, bool withAlpha, SourcePixels& out)
{
    PixelAccess access(dc, false);
    if (!access.Valid() || width <= 0 || height <= 0) {
        return false;
    }
    GdiBitmap* bitmap = SelectedBitmap(dc);
    bool hasAlpha =
        bitmap != nullptr && bitmap->dib && bitmap->header.biBitCount == 32 && bitmap->bits != nullptr;
    if (withAlpha && !hasAlpha) {
        return false;
    }
    const Pixels& pixels = access.Get();
    out.width = width;
    out.height = height;
    size_t count = static_cast<size_t>(width) * height;
    out.pixels.assign(count, 0);
    out.inside.assign(count, false);
    if (withAlpha) {
        out.alpha.assign(count, 0);
    }
    size_t stride = static_cast<size_t>(bitmap != nullptr ? bitmap->width : 0) * kBytesPerPixel32;
    bool bottomUp = bitmap != nullptr && bitmap->header.biHeight > 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int sx = x + column;
            int sy = y + row;
            if (!pixels.Inside(sx, sy)) {
                continue;
            }
            size_t at = static_cast<size_t>(row) * width + column;
            out.pixels[at] = pixels.At(sx, sy) & kColorBits;
            out.inside[at] = true;
            if (withAlpha) {
                size_t line = static_cast<size_t>(bottomUp ? bitmap->height - 1 - sy : sy);
                out.alpha[at] =
                    bitmap->bits[line * stride + static_cast<size_t>(sx) * kBytesPerPixel32 + kAlphaByte];
            }
        }
    }
    return true;
}

// Calls blend(destination pixel, source index) for every destination pixel of the rectangle that
// the clip lets through, the source stretched over it.
template <typename Blend>
void ForEachStretched(GdiDC& dest, int xDest, int yDest, int wDest, int hDest, const SourcePixels& source,
                      Blend blend)
{
    PixelAccess access(dest, true);
    if (!access.Valid()) {
        return;
    }
    const Pixels& pixels = access.Get();
    Region writable = access.Writable();
    // The page mapping scales the rectangle and may flip it.
    POINT at = ToDevicePoint(dest, xDest, yDest);
    POINT end = ToDevicePoint(dest, xDest + wDest, yDest + hDest);
    int columns = std::abs(end.x - at.x);
    int rows = std::abs(end.y - at.y);
    for (int row = 0; row < rows; ++row) {
        int y = std::min(at.y, end.y) + row;
        int down = end.y >= at.y ? row : rows - 1 - row;
        int sy = static_cast<int>(static_cast<long long>(down) * source.height / rows);
        for (int column = 0; column < columns; ++column) {
            int x = std::min(at.x, end.x) + column;
            int across = end.x >= at.x ? column : columns - 1 - column;
            int sx = static_cast<int>(static_cast<long long>(across) * source.width / columns);
            size_t index = static_cast<size_t>(sy) * source.width + sx;
            if (writable.Contains(x, y) && source.inside[index]) {
                blend(pixels.At(x, y), index);
            }
        }
    }
}

bool ValidSizes(int wDest, int hDest, int wSrc, int hSrc)
{
    return wDest > 0 && hDest > 0 && wSrc > 0 && hSrc > 0;
}

// The barycentric colour of a point inside a triangle, or false outside it.
bool TriangleColor(const TRIVERTEX& a, const TRIVERTEX& b, const TRIVERTEX& c, double x, double y,
                   uint32_t& pixel)
{
    double area = static_cast<double>(b.x - a.x) * (c.y - a.y) - static_cast<double>(c.x - a.x) * (b.y - a.y);
    if (area == 0) {
        return false;
    }
    double wa = ((b.x - x) * (c.y - y) - (c.x - x) * (b.y - y)) / area;
    double wb = ((c.x - x) * (a.y - y) - (a.x - x) * (c.y - y)) / area;
    double wc = 1.0 - wa - wb;
    if (wa < 0 || wb < 0 || wc < 0) {
        return false;
    }
    auto mix = [&](COLOR16 ca, COLOR16 cb, COLOR16 cc) {
        return static_cast<int>(wa * ca + wb * cb + wc * cc) >> kChannelShift;
    };
    pixel = Pack(mix(a.Red, b.Red, c.Red), mix(a.Green, b.Green, c.Green), mix(a.Blue, b.Blue, c.Blue));
    return true;
}

void FillTriangle(GdiDC& dc, const Pixels& pixels, const Region& writable, const TRIVERTEX& a,
                  const TRIVERTEX& b, const TRIVERTEX& c)
{
    POINT pa = ToDevicePoint(dc, a.x, a.y);
    POINT pb = ToDevicePoint(dc, b.x, b.y);
    POINT pc = ToDevicePoint(dc, c.x, c.y);
    TRIVERTEX da = a;
    TRIVERTEX db = b;
    TRIVERTEX dcv = c;
    da.x = pa.x, da.y = pa.y, db.x = pb.x, db.y = pb.y, dcv.x = pc.x, dcv.y = pc.y;
    int left = std::min({pa.x, pb.x, pc.x});
    int right = std::max({pa.x, pb.x, pc.x});
    int top = std::min({pa.y, pb.y, pc.y});
    int bottom = std::max({pa.y, pb.y, pc.y});
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            uint32_t pixel = 0;
            if (writable.Contains(x, y) && TriangleColor(da, db, dcv, x + 0.5, y + 0.5, pixel)) {
                pixels.At(x, y) = pixel;
            }
        }
    }
}

void FillGradientRect(GdiDC& dc, const Pixels& pixels, const Region& writable, const TRIVERTEX& a,
                      const TRIVERTEX& b, bool vertical)
{
    POINT pa = ToDevicePoint(dc, a.x, a.y);
    POINT pb = ToDevicePoint(dc, b.x, b.y);
    int left = std::min(pa.x, pb.x);
    int right = std::max(pa.x, pb.x);
    int top = std::min(pa.y, pb.y);
    int bottom = std::max(pa.y, pb.y);
    int span = vertical ? pb.y - pa.y : pb.x - pa.x;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!writable.Contains(x, y)) {
                continue;
            }
            double t = span == 0 ? 0.0 : ((vertical ? y - pa.y : x - pa.x) + 0.5) / span;
            auto mix = [t](COLOR16 ca, COLOR16 cb) {
                return static_cast<int>(ca + t * (cb - ca)) >> kChannelShift;
            };
            pixels.At(x, y) = Pack(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
        }
    }
}

}  // namespace

// Without AC_SRC_ALPHA every source pixel is mixed in with the constant alpha; with it the source
// must be a 32-bit DIB section whose colours are premultiplied by their alpha bytes.
BOOL WINAPI AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                       int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dest = DcOf(hdcDest);
    GdiDC* source = DcOf(hdcSrc);
    bool perPixel = (ftn.AlphaFormat & AC_SRC_ALPHA) != 0;
    SourcePixels pixels;
    BOOL done = dest != nullptr && source != nullptr && IsPixelDC(*dest) && IsPixelDC(*source) &&
                ftn.BlendOp == AC_SRC_OVER && ValidSizes(wDest, hDest, wSrc, hSrc) &&
                ReadSource(*source, xoriginSrc, yoriginSrc, wSrc, hSrc, perPixel, pixels);
    if (done) {
        int constant = ftn.SourceConstantAlpha;
        // In one rounded step: a premultiplied source scaled by the constant alpha, over the
        // destination scaled by what the combined alpha leaves.
        ForEachStretched(
            *dest, xoriginDest, yoriginDest, wDest, hDest, pixels, [&](uint32_t& d, size_t index) {
                uint32_t s = pixels.pixels[index];
                int alpha = perPixel ? pixels.alpha[index] : kOpaque;
                int kept = kOpaqueSquared - alpha * constant;
                auto channel = [&](int sc, int dc) {
                    return (sc * constant * kOpaque + dc * kept + kOpaqueSquared / 2) / kOpaqueSquared;
                };
                d = Pack(channel(Red(s), Red(d)), channel(Green(s), Green(d)), channel(Blue(s), Blue(d)));
            });
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("AlphaBlend", hdcDest,
                        {xoriginDest, yoriginDest, wDest, hDest, HandleValue(hdcSrc), xoriginSrc, yoriginSrc,
                         wSrc, hSrc, ftn.SourceConstantAlpha, ftn.AlphaFormat},
                        done));
    return done;
}

BOOL WINAPI TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                           int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dest = DcOf(hdcDest);
    GdiDC* source = DcOf(hdcSrc);
    SourcePixels pixels;
    BOOL done = dest != nullptr && source != nullptr && IsPixelDC(*dest) && IsPixelDC(*source) &&
                ValidSizes(wDest, hDest, wSrc, hSrc) &&
                ReadSource(*source, xoriginSrc, yoriginSrc, wSrc, hSrc, false, pixels);
    if (done) {
        uint32_t transparent = PixelOf(crTransparent, false);
        ForEachStretched(*dest, xoriginDest, yoriginDest, wDest, hDest, pixels,
                         [&](uint32_t& d, size_t index) {
                             if (pixels.pixels[index] != transparent) {
                                 d = pixels.pixels[index];
                             }
                         });
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("TransparentBlt", hdcDest,
                        {xoriginDest, yoriginDest, wDest, hDest, HandleValue(hdcSrc), xoriginSrc, yoriginSrc,
                         wSrc, hSrc, static_cast<long long>(crTransparent)},
                        done));
    return done;
}

// Pixels whose centres lie inside a triangle take the mix of its corners' colours by their
// barycentric weights; a rectangle's colours run from its upper-left to its lower-right corner.
BOOL WINAPI GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    bool triangles = ulMode == GRADIENT_FILL_TRIANGLE;
    BOOL done = dc != nullptr && IsPixelDC(*dc) && pVertex != nullptr && pMesh != nullptr &&
                (triangles || ulMode == GRADIENT_FILL_RECT_H || ulMode == GRADIENT_FILL_RECT_V);
    if (done) {
        PixelAccess access(*dc, true);
        Region writable = access.Valid() ? access.Writable() : Region();
        for (ULONG i = 0; i < nMesh && done && access.Valid(); ++i) {
            if (triangles) {
                const GRADIENT_TRIANGLE& t = static_cast<const GRADIENT_TRIANGLE*>(pMesh)[i];
                done = t.Vertex1 < nVertex && t.Vertex2 < nVertex && t.Vertex3 < nVertex;
                if (done) {
                    FillTriangle(*dc, access.Get(), writable, pVertex[t.Vertex1], pVertex[t.Vertex2],
                                 pVertex[t.Vertex3]);
                }
            } else {
                const GRADIENT_RECT& r = static_cast<const GRADIENT_RECT*>(pMesh)[i];
                done = r.UpperLeft < nVertex && r.LowerRight < nVertex;
                if (done) {
                    FillGradientRect(*dc, access.Get(), writable, pVertex[r.UpperLeft], pVertex[r.LowerRight],
                                     ulMode == GRADIENT_FILL_RECT_V);
                }
            }
        }
    }
    if (!done) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall(
        "GradientFill", hdc,
        {static_cast<long long>(nVertex), static_cast<long long>(nMesh), static_cast<long long>(ulMode)},
        done));
    return done;
}
