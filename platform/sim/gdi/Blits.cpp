// Pixels and blits of memory and window DCs: GetPixel and SetPixel, PatBlt, BitBlt and StretchBlt
// with any raster operation (monochrome sources take the destination's text and background colours,
// colour sources become white where they show the source's background colour, a HALFTONE stretch
// shrinks by averaging), and flood fills.
#include "gdi/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr uint32_t kAllBits = 0xFFFFFF;
constexpr int kRopShift = 16;

// The pixels of a source rectangle, read before the destination is written (they may be one DC).
struct SourceCopy {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::vector<bool> inside;
};

SourceCopy CopySource(GdiDC& source, int x, int y, int width, int height, COLORREF destText,
                      COLORREF destBack, bool destMono)
{
    SourceCopy copy;
    copy.width = width;
    copy.height = height;
    copy.pixels.assign(static_cast<size_t>(width) * height, 0);
    copy.inside.assign(copy.pixels.size(), false);
    PixelAccess access(source, false);
    if (!access.Valid()) {
        return copy;
    }
    const Pixels& pixels = access.Get();
    uint32_t sourceBack = PixelOf(source.bkColor, pixels.mono);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (!pixels.Inside(x + column, y + row)) {
                continue;
            }
            uint32_t pixel = pixels.At(x + column, y + row) & kAllBits;
            if (pixels.mono && !destMono) {
                pixel = PixelOf(pixel != 0 ? destBack : destText, false);
            } else if (!pixels.mono && destMono) {
                pixel = pixel == sourceBack ? kAllBits : 0;
            }
            size_t at = static_cast<size_t>(row) * width + column;
            copy.pixels[at] = pixel;
            copy.inside[at] = true;
        }
    }
    return copy;
}

// A ternary raster operation on whole pixels: bit i of the operation's index byte is the result for
// pattern, source and destination bits (P << 2 | S << 1 | D) equal to i.
uint32_t ApplyRop(DWORD rop, uint32_t pattern, uint32_t source, uint32_t destination)
{
    auto index = static_cast<BYTE>(rop >> kRopShift);
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (index & (1 << i)) {
            uint32_t p = (i & 4) ? pattern : ~pattern;
            uint32_t s = (i & 2) ? source : ~source;
            uint32_t d = (i & 1) ? destination : ~destination;
            result |= p & s & d;
        }
    }
    return result & kAllBits;
}

struct Mapping {
    int destX;
    int destY;
    int destWidth;  // may be negative: the picture is mirrored
    int destHeight;
    int sourceWidth;
    int sourceHeight;
};

// The source pixels along one axis that fall on destination pixel i of n: the nearest one, or when
// averaging, the whole block (a negative size mirrors).
Span SourceSpan(int i, int n, int size, bool average)
{
    int total = std::abs(size);
    int begin = static_cast<int>(static_cast<long long>(i) * total / n);
    int end = average ? std::max(begin + 1, static_cast<int>(static_cast<long long>(i + 1) * total / n))
                      : begin + 1;
    return size < 0 ? Span{total - end, total - begin} : Span{begin, end};
}

// The mean colour of the source pixels of a block; false when none of them is inside the source.
bool BlockColour(const SourceCopy& source, const Span& columns, const Span& rows, uint32_t& pixel)
{
    constexpr int kChannelBits = 8;
    constexpr uint32_t kChannel = 0xFF;
    if (columns.right - columns.left == 1 && rows.right - rows.left == 1) {
        size_t at = static_cast<size_t>(rows.left) * source.width + columns.left;
        pixel = source.pixels[at];
        return source.inside[at];
    }
    uint64_t sums[3] = {0, 0, 0};
    uint64_t count = 0;
    for (int y = rows.left; y < rows.right; ++y) {
        for (int x = columns.left; x < columns.right; ++x) {
            size_t at = static_cast<size_t>(y) * source.width + x;
            if (source.inside[at]) {
                for (int c = 0; c < 3; ++c) {
                    sums[c] += (source.pixels[at] >> (c * kChannelBits)) & kChannel;
                }
                ++count;
            }
        }
    }
    if (count == 0) {
        return false;
    }
    pixel = 0;
    for (int c = 0; c < 3; ++c) {
        pixel |= static_cast<uint32_t>((sums[c] + count / 2) / count) << (c * kChannelBits);
    }
    return true;
}

// Writes source pixels through a raster operation. A shrinking HALFTONE blit shows each block of
// source pixels as its mean colour; the other modes keep the nearest pixel and drop the rest.
void Blit(GdiDC& dest, const Mapping& map, const SourceCopy* source, DWORD rop)
{
    PixelAccess access(dest, true);
    if (!access.Valid()) {
        return;
    }
    const Pixels& pixels = access.Get();
    COLORREF brushColor = 0;
    uint32_t pattern = BrushColor(dest, brushColor) ? PixelOf(brushColor, pixels.mono) : 0;
    int columns = std::abs(map.destWidth);
    int rows = std::abs(map.destHeight);
    bool halftone = dest.stretchMode == HALFTONE;
    Region writable = access.Writable();
    for (int row = 0; row < rows; ++row) {
        int y = map.destHeight >= 0 ? map.destY + row : map.destY - row;
        Span sourceRows = SourceSpan(row, rows, map.sourceHeight, halftone);
        for (int column = 0; column < columns; ++column) {
            int x = map.destWidth >= 0 ? map.destX + column : map.destX - column;
            if (!writable.Contains(x, y)) {
                continue;
            }
            uint32_t s = 0;
            if (source != nullptr &&
                !BlockColour(*source, SourceSpan(column, columns, map.sourceWidth, halftone), sourceRows,
                             s)) {
                continue;
            }
            uint32_t& d = pixels.At(x, y);
            uint32_t result = ApplyRop(rop, pattern, s, d & kAllBits);
            d = pixels.mono ? (result == kAllBits ? kAllBits : 0) : result;
        }
    }
}

// True when the DC's transform turns or flips the picture, so a blit cannot be a row copy.
bool Turns(const XFORM& toDevice)
{
    return toDevice.eM12 != 0 || toDevice.eM21 != 0 || toDevice.eM11 < 0 || toDevice.eM22 < 0;
}

// A blit through a turning transform: every device pixel whose centre maps back into the logical
// destination rectangle takes the source pixel there (nearest neighbour).
void BlitTurned(GdiDC& dest, int xDest, int yDest, int wDest, int hDest, const SourceCopy& source, DWORD rop)
{
    XFORM w = LogicalToDevice(dest);
    double determinant = w.eM11 * w.eM22 - w.eM12 * w.eM21;
    PixelAccess access(dest, true);
    if (determinant == 0 || !access.Valid() || wDest <= 0 || hDest <= 0) {
        return;
    }
    const Pixels& pixels = access.Get();
    Region writable = access.Writable();
    double xs[4];
    double ys[4];
    const int corners[4][2] = {
        {xDest, yDest}, {xDest + wDest, yDest}, {xDest, yDest + hDest}, {xDest + wDest, yDest + hDest}};
    for (int i = 0; i < 4; ++i) {
        ToDevice(dest, corners[i][0], corners[i][1], xs[i], ys[i]);
    }
    int left = static_cast<int>(std::floor(*std::min_element(xs, xs + 4)));
    int right = static_cast<int>(std::ceil(*std::max_element(xs, xs + 4)));
    int top = static_cast<int>(std::floor(*std::min_element(ys, ys + 4)));
    int bottom = static_cast<int>(std::ceil(*std::max_element(ys, ys + 4)));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!writable.Contains(x, y)) {
                continue;
            }
            double cx = x + 0.5 - w.eDx;
            double cy = y + 0.5 - w.eDy;
            double lx = (cx * w.eM22 - cy * w.eM21) / determinant - xDest;
            double ly = (cy * w.eM11 - cx * w.eM12) / determinant - yDest;
            if (lx < 0 || ly < 0 || lx >= wDest || ly >= hDest) {
                continue;
            }
            int sx = static_cast<int>(lx * source.width / wDest);
            int sy = static_cast<int>(ly * source.height / hDest);
            size_t at = static_cast<size_t>(sy) * source.width + sx;
            if (source.inside[at]) {
                uint32_t& d = pixels.At(x, y);
                d = ApplyRop(rop, 0, source.pixels[at], d & kAllBits);
            }
        }
    }
}

bool Stretch(const char* name, HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
             int ySrc, int wSrc, int hSrc, DWORD rop)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dest = DcOf(hdcDest);
    GdiDC* source = hdcSrc != nullptr ? DcOf(hdcSrc) : nullptr;
    bool needsSource = ((rop >> 2) ^ rop) & 0x330000;
    BOOL done =
        dest != nullptr && IsPixelDC(*dest) && (!needsSource || (source != nullptr && IsPixelDC(*source)));
    if (done && wDest != 0 && hDest != 0) {
        // The far corner goes through the transform too: the page mapping may scale the rectangle.
        POINT at = ToDevicePoint(*dest, xDest, yDest);
        POINT end = ToDevicePoint(*dest, xDest + wDest, yDest + hDest);
        Mapping map = {at.x, at.y, end.x - at.x, end.y - at.y, wSrc, hSrc};
        if (needsSource && wSrc != 0 && hSrc != 0) {
            // A negative source size reads the rectangle that ends at the given corner.
            int left = wSrc > 0 ? xSrc : xSrc + wSrc + 1;
            int top = hSrc > 0 ? ySrc : ySrc + hSrc + 1;
            PixelAccess destAccess(*dest, false);
            SourceCopy copy = CopySource(*source, left, top, std::abs(wSrc), std::abs(hSrc), dest->textColor,
                                         dest->bkColor, destAccess.Get().mono);
            if (Turns(LogicalToDevice(*dest))) {
                BlitTurned(*dest, xDest, yDest, wDest, hDest, copy, rop);
            } else {
                Blit(*dest, map, &copy, rop);
            }
        } else if (!needsSource) {
            if (Turns(LogicalToDevice(*dest))) {
                // A flipped rectangle covers the device pixels between its corners.
                map = {std::min(at.x, end.x),
                       std::min(at.y, end.y),
                       std::abs(map.destWidth),
                       std::abs(map.destHeight),
                       0,
                       0};
            }
            Blit(*dest, map, nullptr, rop);
        }
    }
    Journal(MakeGdiCall(name, hdcDest,
                        {xDest, yDest, wDest, hDest, HandleValue(hdcSrc), xSrc, ySrc, wSrc, hSrc,
                         static_cast<long long>(rop)},
                        done));
    if (!done) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return done;
}

}  // namespace

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || !IsPixelDC(*dc)) {
        return CLR_INVALID;
    }
    PixelAccess access(*dc, false);
    POINT at = ToDevicePoint(*dc, x, y);
    if (!access.Valid() || !access.Writable().Contains(at.x, at.y)) {
        return CLR_INVALID;
    }
    return ColorOf(access.Get().At(at.x, at.y));
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || !IsPixelDC(*dc)) {
        return CLR_INVALID;
    }
    POINT at = ToDevicePoint(*dc, x, y);
    FillArea(*dc, Region::Rect(at.x, at.y, at.x + 1, at.y + 1), color);
    return GetPixel(hdc, x, y);
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    return Stretch("PatBlt", hdc, x, y, w, h, nullptr, 0, 0, 0, 0, rop);
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return Stretch("BitBlt", hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                       int ySrc, int wSrc, int hSrc, DWORD rop)
{
    return Stretch("StretchBlt", hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

// FLOODFILLBORDER fills the area around the point up to pixels of the colour; FLOODFILLSURFACE
// fills the area of pixels of the colour that holds the point. Four neighbours connect a pixel.
BOOL WINAPI ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    COLORREF fill = 0;
    BOOL done = FALSE;
    if (dc != nullptr && IsPixelDC(*dc) && BrushColor(*dc, fill)) {
        PixelAccess access(*dc, true);
        const Pixels& pixels = access.Get();
        POINT start = ToDevicePoint(*dc, x, y);
        Region writable = access.Valid() ? access.Writable() : Region();
        uint32_t target = PixelOf(color, pixels.mono);
        auto fills = [&](int px, int py) {
            if (!writable.Contains(px, py)) {
                return false;
            }
            bool same = (pixels.At(px, py) & kAllBits) == target;
            return type == FLOODFILLSURFACE ? same : !same;
        };
        if (access.Valid() && fills(start.x, start.y)) {
            std::vector<bool> seen(static_cast<size_t>(pixels.width) * pixels.height, false);
            std::vector<POINT> pending = {start};
            std::vector<std::vector<Span>> rows(static_cast<size_t>(pixels.height));
            while (!pending.empty()) {
                POINT p = pending.back();
                pending.pop_back();
                if (!fills(p.x, p.y)) {
                    continue;
                }
                size_t at = static_cast<size_t>(p.y) * pixels.width + p.x;
                if (seen[at]) {
                    continue;
                }
                seen[at] = true;
                rows[static_cast<size_t>(p.y)].push_back({p.x, p.x + 1});
                pending.push_back({p.x + 1, p.y});
                pending.push_back({p.x - 1, p.y});
                pending.push_back({p.x, p.y + 1});
                pending.push_back({p.x, p.y - 1});
            }
            uint32_t pixel = PixelOf(fill, pixels.mono);
            Region::FromRows(0, std::move(rows)).ForEachSpan([&](int row, int left, int right) {
                std::fill(&pixels.At(left, row), &pixels.At(left, row) + (right - left), pixel);
            });
            done = TRUE;
        }
    }
    Journal(MakeGdiCall("ExtFloodFill", hdc, {x, y, static_cast<long long>(color), type}, done));
    return done;
}
