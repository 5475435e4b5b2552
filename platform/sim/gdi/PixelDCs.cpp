// Memory DCs, window DCs and bitmaps: compatible, monochrome and DIB-section bitmaps, bitmaps from
// a module's resources, and what GetObject tells about each object.
#include "gdi/Raster.h"

#include "windows/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr int kScreenDpi = 96;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
// Larger bitmaps are refused, as a machine without the memory would.
constexpr LONG kMaxBitmapSide = 16384;
constexpr int kMonoRowAlign = 2;
constexpr int kDibRowAlign = 4;
constexpr int kBitsPerByte = 8;

std::shared_ptr<GdiDC> NewPixelDC(DcTarget target)
{
    auto dc = std::make_shared<GdiDC>();
    dc->target = target;
    dc->geometry.dpiX = kScreenDpi;
    dc->geometry.dpiY = kScreenDpi;
    dc->geometry.physicalWidth = kScreenWidth;
    dc->geometry.physicalHeight = kScreenHeight;
    dc->geometry.printableWidth = kScreenWidth;
    dc->geometry.printableHeight = kScreenHeight;
    dc->font = StockObject(SYSTEM_FONT);
    dc->pen = StockObject(BLACK_PEN);
    dc->brush = StockObject(WHITE_BRUSH);
    return dc;
}

// A bitmap with pixels of one colour (black for a new bitmap, as GDI leaves them undefined).
std::shared_ptr<GdiBitmap> NewBitmap(int width, int height, int bitsPerPixel)
{
    auto bitmap = std::make_shared<GdiBitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPerPixel = bitsPerPixel;
    bitmap->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(bitmap->surface) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    return bitmap;
}

bool SizeAllowed(LONG width, LONG height)
{
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

GdiBitmap* BitmapObject(HGDIOBJ handle)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    return object && object->kind == GdiKind::BITMAP ? static_cast<GdiBitmap*>(object.get()) : nullptr;
}

size_t DibRowBytes(LONG width, WORD bitCount)
{
    size_t bits = static_cast<size_t>(width) * bitCount;
    return (bits + kDibRowAlign * kBitsPerByte - 1) / (kDibRowAlign * kBitsPerByte) * kDibRowAlign;
}

// The colour-table entries a DIB header asks for; false for a header this machine does not draw.
bool DibColorCount(const BITMAPINFOHEADER& header, DWORD& count)
{
    switch (header.biBitCount) {
    case 1:
    case 4:
    case 8:
        count = header.biClrUsed != 0 ? header.biClrUsed : (1u << header.biBitCount);
        return count <= (1u << header.biBitCount);
    case 24:
    case 32:
        count = 0;
        return true;
    default:
        return false;
    }
}

bool DibHeaderUsable(const BITMAPINFOHEADER& header)
{
    LONG height = header.biHeight;
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biPlanes == 1 &&
           (header.biCompression == BI_RGB ||
            (header.biCompression == BI_BITFIELDS && header.biBitCount == 32)) &&
           height != std::numeric_limits<LONG>::min() &&
           SizeAllowed(header.biWidth, height < 0 ? -height : height);
}

// The DIB's header, colour table and pixels from untrusted bytes; false when they do not fit.
struct DibParts {
    BITMAPINFOHEADER header = {};
    std::vector<RGBQUAD> colors;
    const BYTE* pixels = nullptr;
};

bool ReadDib(const BYTE* data, size_t size, DibParts& parts)
{
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    std::memcpy(&parts.header, data, sizeof(parts.header));
    DWORD colorCount = 0;
    if (!DibHeaderUsable(parts.header) || parts.header.biSize > size ||
        !DibColorCount(parts.header, colorCount)) {
        return false;
    }
    size_t tableEnd = parts.header.biSize + static_cast<size_t>(colorCount) * sizeof(RGBQUAD);
    if (parts.header.biCompression == BI_BITFIELDS) {
        tableEnd += 3 * sizeof(DWORD);
    }
    LONG height = parts.header.biHeight < 0 ? -parts.header.biHeight : parts.header.biHeight;
    size_t pixelBytes =
        DibRowBytes(parts.header.biWidth, parts.header.biBitCount) * static_cast<size_t>(height);
    if (tableEnd > size || pixelBytes > size - tableEnd) {
        return false;
    }
    const auto* table = reinterpret_cast<const RGBQUAD*>(data + parts.header.biSize);
    parts.colors.assign(table, table + colorCount);
    parts.pixels = data + tableEnd;
    return true;
}

HBITMAP AddBitmap(std::shared_ptr<GdiBitmap> bitmap, const char* call, std::vector<long long> args)
{
    HGDIOBJ handle = AddGdiObject(bitmap);
    Journal(MakeGdiCall(call, nullptr, std::move(args), HandleValue(handle)));
    return static_cast<HBITMAP>(handle);
}

// A DIB section of the header, with zeroed bits; null when it cannot be made.
std::shared_ptr<GdiBitmap> NewDibSection(const DibParts& parts)
{
    LONG height = parts.header.biHeight < 0 ? -parts.header.biHeight : parts.header.biHeight;
    auto bitmap = NewBitmap(parts.header.biWidth, height, parts.header.biBitCount == 1 ? 1 : 32);
    if (!bitmap) {
        return nullptr;
    }
    bitmap->dib = true;
    bitmap->header = parts.header;
    bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
    bitmap->colors = parts.colors;
    bitmap->bitsSize =
        DibRowBytes(parts.header.biWidth, parts.header.biBitCount) * static_cast<size_t>(height);
    bitmap->bits = new (std::nothrow) BYTE[bitmap->bitsSize]();
    if (bitmap->bits == nullptr) {
        return nullptr;
    }
    return bitmap;
}

}  // namespace

namespace nirasim::sim {

HDC MakeWindowDC(HWND window, const RECT* clip)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    auto dc = NewPixelDC(DcTarget::WINDOW);
    dc->window = window;
    if (window != nullptr) {
        std::shared_ptr<Window> record = FindWindowRecord(window);
        if (!record) {
            return nullptr;
        }
        if (record->exStyle & WS_EX_LAYOUTRTL) {
            dc->layout = LAYOUT_RTL;
        }
    }
    if (clip != nullptr) {
        dc->hasClip = true;
        dc->clip = Region::Rect(clip->left, clip->top, clip->right, clip->bottom);
    }
    auto handle = static_cast<HDC>(AddGdiObject(dc));
    Journal(MakeGdiCall("GetDC", handle, {HandleValue(window)}, HandleValue(handle)));
    return handle;
}

bool ReleaseWindowDC(HWND window, HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || dc->target != DcTarget::WINDOW || dc->window != window) {
        return false;
    }
    Journal(MakeGdiCall("ReleaseDC", hdc, {HandleValue(window)}, 1));
    Gdi().objects.erase(hdc);
    return true;
}

}  // namespace nirasim::sim

HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* reference = nullptr;
    if (hdc != nullptr && (reference = DcOf(hdc)) == nullptr) {
        return nullptr;
    }
    auto dc = NewPixelDC(DcTarget::MEMORY);
    dc->bitmap = DefaultBitmap();
    dc->layout = reference != nullptr ? reference->layout : 0;
    auto handle = static_cast<HDC>(AddGdiObject(dc));
    Journal(MakeGdiCall("CreateCompatibleDC", handle, {HandleValue(hdc)}, HandleValue(handle)));
    return handle;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    // GDI answers a 1 x 1 monochrome bitmap for an empty size.
    bool empty = cx == 0 || cy == 0;
    if (empty) {
        cx = 1;
        cy = 1;
    }
    if (!SizeAllowed(cx, cy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    GdiBitmap* selected = dc->target == DcTarget::MEMORY ? BitmapObject(dc->bitmap) : nullptr;
    bool mono = empty || (selected != nullptr && selected->bitsPerPixel == 1);
    auto bitmap = NewBitmap(cx, cy, mono ? 1 : 32);
    if (!bitmap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return AddBitmap(bitmap, "CreateCompatibleBitmap", {cx, cy, bitmap->bitsPerPixel});
}

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    if (!SizeAllowed(nWidth, nHeight) || nPlanes != 1 || (nBitCount != 1 && nBitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto bitmap = NewBitmap(nWidth, nHeight, static_cast<int>(nBitCount));
    if (!bitmap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpBits != nullptr) {
        const auto* bytes = static_cast<const BYTE*>(lpBits);
        auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(bitmap->surface));
        int stride = cairo_image_surface_get_stride(bitmap->surface) / 4;
        // Rows of a device bitmap are aligned to 16 bits; a set bit of a monochrome row is white.
        size_t rowBytes = nBitCount == 1 ? (static_cast<size_t>(nWidth) + 15) / 16 * kMonoRowAlign
                                         : static_cast<size_t>(nWidth) * 4;
        for (int y = 0; y < nHeight; ++y) {
            const BYTE* row = bytes + rowBytes * static_cast<size_t>(y);
            for (int x = 0; x < nWidth; ++x) {
                uint32_t pixel = 0;
                if (nBitCount == 1) {
                    pixel = (row[x / kBitsPerByte] & (0x80 >> (x % kBitsPerByte))) ? 0xFFFFFF : 0;
                } else {
                    std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, sizeof(pixel));
                }
                data[static_cast<size_t>(y) * stride + x] = pixel & 0xFFFFFF;
            }
        }
        cairo_surface_mark_dirty(bitmap->surface);
    }
    return AddBitmap(bitmap, "CreateBitmap", {nWidth, nHeight, nBitCount});
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                DWORD)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    if (ppvBits != nullptr) {
        *ppvBits = nullptr;
    }
    DibParts parts;
    DWORD colorCount = 0;
    // The header is the caller's own record, so its colour table is read as long as it says.
    if (pbmi == nullptr || hSection != nullptr || usage != DIB_RGB_COLORS ||
        !DibHeaderUsable(pbmi->bmiHeader) || !DibColorCount(pbmi->bmiHeader, colorCount)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    parts.header = pbmi->bmiHeader;
    parts.colors.assign(pbmi->bmiColors, pbmi->bmiColors + colorCount);
    auto bitmap = NewDibSection(parts);
    if (!bitmap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    TakeDibBits(*bitmap);
    if (ppvBits != nullptr) {
        *ppvBits = bitmap->bits;
    }
    return AddBitmap(bitmap, "CreateDIBSection",
                     {bitmap->width, parts.header.biHeight, parts.header.biBitCount});
}

HBITMAP WINAPI LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName)
{
    HRSRC resource = FindResourceW(hInstance, lpBitmapName, RT_BITMAP);
    HGLOBAL loaded = resource != nullptr ? LoadResource(hInstance, resource) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = resource != nullptr ? SizeofResource(hInstance, resource) : 0;
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    DibParts parts;
    if (!ReadDib(data, size, parts)) {
        if (resource != nullptr) {
            SetLastError(ERROR_INVALID_DATA);
        }
        return nullptr;
    }
    // A bitmap from resources is a device bitmap in the screen's colours: the DIB is drawn into one.
    auto dib = NewDibSection(parts);
    auto bitmap = dib ? NewBitmap(dib->width, dib->height, 32) : nullptr;
    if (!bitmap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memcpy(dib->bits, parts.pixels, dib->bitsSize);
    TakeDibBits(*dib);
    cairo_t* cairo = cairo_create(bitmap->surface);
    cairo_set_source_surface(cairo, dib->surface, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    return AddBitmap(bitmap, "LoadBitmapW", {bitmap->width, bitmap->height});
}

int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    std::shared_ptr<GdiObject> object = ObjectOf(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto copy = [&](const void* record, int size) {
        if (pv == nullptr) {
            return size;
        }
        int copied = std::min(c, size);
        if (copied <= 0) {
            return 0;
        }
        std::memcpy(pv, record, static_cast<size_t>(copied));
        return copied;
    };
    switch (object->kind) {
    case GdiKind::BITMAP: {
        const auto* bitmap = static_cast<const GdiBitmap*>(object.get());
        DIBSECTION section = {};
        section.dsBm.bmWidth = bitmap->width;
        section.dsBm.bmHeight = bitmap->height;
        section.dsBm.bmPlanes = 1;
        section.dsBm.bmBitsPixel =
            static_cast<WORD>(bitmap->dib ? bitmap->header.biBitCount : bitmap->bitsPerPixel);
        section.dsBm.bmWidthBytes =
            bitmap->dib ? static_cast<LONG>(DibRowBytes(bitmap->width, bitmap->header.biBitCount))
                        : (bitmap->width * section.dsBm.bmBitsPixel + 15) / 16 * kMonoRowAlign;
        if (!bitmap->dib) {
            return copy(&section.dsBm, sizeof(BITMAP));
        }
        section.dsBm.bmBits = bitmap->bits;
        section.dsBmih = bitmap->header;
        return copy(&section,
                    c >= static_cast<int>(sizeof(DIBSECTION)) ? sizeof(DIBSECTION) : sizeof(BITMAP));
    }
    case GdiKind::PEN: {
        const auto* pen = static_cast<const GdiPen*>(object.get());
        LOGPEN record = {static_cast<UINT>(pen->style), {pen->width, 0}, pen->color};
        return copy(&record, sizeof(record));
    }
    case GdiKind::BRUSH: {
        const auto* brush = static_cast<const GdiBrush*>(object.get());
        LOGBRUSH record = {brush->hollow ? 1u : 0u, brush->color, 0};  // BS_HOLLOW or BS_SOLID
        return copy(&record, sizeof(record));
    }
    case GdiKind::FONT:
        return copy(&static_cast<const GdiFont*>(object.get())->logFont, sizeof(LOGFONTW));
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    std::shared_ptr<GdiObject> object = ObjectOf(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (object->kind) {
    case GdiKind::FONT:
        return OBJ_FONT;
    case GdiKind::PEN:
        return OBJ_PEN;
    case GdiKind::BRUSH:
        return OBJ_BRUSH;
    case GdiKind::BITMAP:
        return OBJ_BITMAP;
    case GdiKind::REGION:
        return OBJ_REGION;
    case GdiKind::PALETTE:
        return OBJ_PAL;
    case GdiKind::DC:
        return static_cast<const GdiDC*>(object.get())->target == DcTarget::MEMORY ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
    case OBJ_PEN:
        return dc->pen;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_FONT:
        return dc->font;
    case OBJ_BITMAP:
        return dc->bitmap;
    default:
        return nullptr;
    }
}

// Every GDI call takes a DIB section's bits in when it starts, so there is nothing left to flush.
BOOL WINAPI GdiFlush(void)
{
    return TRUE;
}

DWORD WINAPI GetLayout(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->layout : GDI_ERROR;
}

// The layout is kept and answered; drawing is not mirrored by it.
DWORD WINAPI SetLayout(HDC hdc, DWORD l)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return GDI_ERROR;
    }
    DWORD previous = dc->layout;
    dc->layout = l;
    return previous;
}
