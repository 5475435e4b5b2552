#include "nira/uiplugin/sheetpreview/SamplePicture.h"

#include <cstring>
#include <limits>

namespace {

constexpr WORD kTrueColorBits = 24;
constexpr int kRowAlignBits = 32;
constexpr int kRowAlignBytes = 4;
constexpr LONG kMaxPictureSide = 16384;

bool UsableHeader(const BITMAPINFOHEADER& h, DWORD size)
{
    return h.biSize >= sizeof(BITMAPINFOHEADER) && h.biSize <= size && h.biCompression == BI_RGB &&
           h.biWidth > 0 && h.biWidth <= kMaxPictureSide && h.biHeight != 0 &&
           h.biHeight != std::numeric_limits<LONG>::min() &&
           (h.biHeight < 0 ? -h.biHeight : h.biHeight) <= kMaxPictureSide;
}

// The colour-table entries of the header; false for a bit count without a picture here.
bool ColorCount(const BITMAPINFOHEADER& h, DWORD& colors)
{
    if (h.biBitCount == kTrueColorBits) {
        colors = 0;
        return true;
    }
    if (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8) {
        return false;
    }
    DWORD most = 1u << h.biBitCount;
    colors = h.biClrUsed != 0 ? h.biClrUsed : most;
    return colors <= most;
}

}  // namespace

size_t DibRowStride(LONG width, WORD bitsPerPixel)
{
    return (static_cast<size_t>(width) * bitsPerPixel + kRowAlignBits - 1) / kRowAlignBits * kRowAlignBytes;
}

bool ReadSamplePicture(const BYTE* data, DWORD size, SamplePicture& picture)
{
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    std::memcpy(&picture.header, data, sizeof(picture.header));
    const BITMAPINFOHEADER& h = picture.header;
    if (!UsableHeader(h, size) || !ColorCount(h, picture.colors)) {
        return false;
    }
    size_t tableEnd = h.biSize + static_cast<size_t>(picture.colors) * sizeof(RGBQUAD);
    LONG height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    picture.pixelBytes = DibRowStride(h.biWidth, h.biBitCount) * static_cast<size_t>(height);
    if (tableEnd > size || picture.pixelBytes > size - tableEnd) {
        return false;
    }
    picture.table = picture.colors != 0 ? reinterpret_cast<const RGBQUAD*>(data + h.biSize) : nullptr;
    picture.pixels = data + tableEnd;
    return true;
}
