// StretchDIBits on memory and window DCs: a device-independent bitmap of 1, 4, 8, 24 or 32 bits per
// pixel (uncompressed, colours from its own table) copied onto a DC, stretched nearest neighbour.
// As on Windows the caller vouches that the bits hold every row the header describes.
#include "gdi/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr int kBitsPerByte = 8;
constexpr int kRowAlignBytes = 4;
constexpr LONG kMaxSide = 16384;

size_t RowBytes(LONG width, WORD bitCount)
{
    size_t bits = static_cast<size_t>(width) * bitCount;
    return (bits + kRowAlignBytes * kBitsPerByte - 1) / (kRowAlignBytes * kBitsPerByte) * kRowAlignBytes;
}

// The colour of one pixel of a DIB row.
uint32_t DibPixel(const BITMAPINFO& info, const BYTE* row, int x, DWORD colorCount)
{
    WORD bits = info.bmiHeader.biBitCount;
    auto fromTable = [&](DWORD index) {
        if (index >= colorCount) {
            return uint32_t{0};
        }
        const RGBQUAD& q = info.bmiColors[index];
        return static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
    };
    switch (bits) {
    case 1:
        return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return fromTable((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF);
    case 8:
        return fromTable(row[x]);
    case 24: {
        const BYTE* p = row + static_cast<size_t>(x) * 3;
        return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
    default: {
        const BYTE* p = row + static_cast<size_t>(x) * 4;
        return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
    }
}

bool UsableHeader(const BITMAPINFOHEADER& h, DWORD& colorCount)
{
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB ||
        h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 ||
        h.biHeight == std::numeric_limits<LONG>::min() || std::abs(h.biHeight) > kMaxSide) {
        return false;
    }
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
        colorCount = h.biClrUsed != 0 ? h.biClrUsed : (1u << h.biBitCount);
        return colorCount <= (1u << h.biBitCount);
    case 24:
    case 32:
        colorCount = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace

// Answers the number of source rows copied, 0 on failure. Only SRCCOPY and DIB_RGB_COLORS are drawn.
int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                         int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi,
                         UINT iUsage, DWORD rop)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    DWORD colorCount = 0;
    bool usable = dc != nullptr && IsPixelDC(*dc) && lpBits != nullptr && lpbmi != nullptr &&
                  iUsage == DIB_RGB_COLORS && rop == SRCCOPY && UsableHeader(lpbmi->bmiHeader, colorCount) &&
                  DestWidth > 0 && DestHeight > 0 && SrcWidth > 0 && SrcHeight > 0 && xSrc >= 0 &&
                  ySrc >= 0 && xSrc + SrcWidth <= lpbmi->bmiHeader.biWidth &&
                  ySrc + SrcHeight <= std::abs(lpbmi->bmiHeader.biHeight);
    int result = 0;
    std::unique_ptr<PixelAccess> access = usable ? std::make_unique<PixelAccess>(*dc, true) : nullptr;
    if (access && access->Valid()) {
        const BITMAPINFOHEADER& h = lpbmi->bmiHeader;
        LONG height = std::abs(h.biHeight);
        bool bottomUp = h.biHeight > 0;
        size_t stride = RowBytes(h.biWidth, h.biBitCount);
        const auto* bits = static_cast<const BYTE*>(lpBits);
        const Pixels& pixels = access->Get();
        Region writable = access->Writable();
        // The page mapping scales the rectangle and may flip it (a turning world transform is not
        // drawn turned).
        POINT at = ToDevicePoint(*dc, xDest, yDest);
        POINT end = ToDevicePoint(*dc, xDest + DestWidth, yDest + DestHeight);
        int columns = std::abs(end.x - at.x);
        int rows = std::abs(end.y - at.y);
        int left = std::min(at.x, end.x);
        int top = std::min(at.y, end.y);
        // The source rectangle's origin is its lower-left corner in a bottom-up DIB.
        int firstRow = bottomUp ? height - ySrc - SrcHeight : ySrc;
        for (int row = 0; row < rows; ++row) {
            int step = end.y >= at.y ? row : rows - 1 - row;
            int sourceRow = firstRow + static_cast<int>(static_cast<long long>(step) * SrcHeight / rows);
            const BYTE* line =
                bits + stride * static_cast<size_t>(bottomUp ? height - 1 - sourceRow : sourceRow);
            for (int column = 0; column < columns; ++column) {
                int x = left + column;
                int y = top + row;
                if (writable.Contains(x, y)) {
                    int across = end.x >= at.x ? column : columns - 1 - column;
                    int sourceColumn =
                        xSrc + static_cast<int>(static_cast<long long>(across) * SrcWidth / columns);
                    pixels.At(x, y) = DibPixel(*lpbmi, line, sourceColumn, colorCount);
                }
            }
        }
        result = SrcHeight;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("StretchDIBits", hdc,
                        {xDest, yDest, DestWidth, DestHeight, xSrc, ySrc, SrcWidth, SrcHeight,
                         lpbmi != nullptr ? lpbmi->bmiHeader.biBitCount : 0, static_cast<long long>(iUsage)},
                        result));
    return result;
}
