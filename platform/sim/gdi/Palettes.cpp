// Logical palettes: made, selected into DCs and realised as a program does on a palette display.
// Every DC here draws true colour, so a palette changes no pixel; on a display of 8 bits or fewer
// realising one changes the system palette as Windows does, and the calls are kept in the
// journal.
#include "gdi/GdiState.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr WORD kMaxPaletteEntries = 1024;
constexpr int kPaletteDisplayBits = 8;
// The halftone palette: a 6 x 6 x 6 colour cube and a grey ramp, 256 entries in all.
constexpr int kCubeSteps = 6;
constexpr int kCubeStep = 51;
constexpr int kHalftoneEntries = 256;
constexpr int kGreyEntries = kHalftoneEntries - kCubeSteps * kCubeSteps * kCubeSteps;
constexpr int kMaxLevel = 255;

GdiPalette* PaletteOf(HGDIOBJ handle)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    return object && object->kind == GdiKind::PALETTE ? static_cast<GdiPalette*>(object.get()) : nullptr;
}

std::vector<PALETTEENTRY> HalftoneEntries()
{
    std::vector<PALETTEENTRY> entries;
    for (int r = 0; r < kCubeSteps; ++r) {
        for (int g = 0; g < kCubeSteps; ++g) {
            for (int b = 0; b < kCubeSteps; ++b) {
                entries.push_back({static_cast<BYTE>(r * kCubeStep), static_cast<BYTE>(g * kCubeStep),
                                   static_cast<BYTE>(b * kCubeStep), 0});
            }
        }
    }
    for (int i = 1; i <= kGreyEntries; ++i) {
        auto level = static_cast<BYTE>(i * kMaxLevel / (kGreyEntries + 1));
        entries.push_back({level, level, level, 0});
    }
    return entries;
}

// How many entries realising the DC's palette maps into the system palette: none on a true-colour
// display, for the stock palette, or when nothing changed since its last realisation.
UINT Realize(GdiDC& dc)
{
    GdiState& gdi = Gdi();
    GdiPalette* palette = dc.palette != nullptr ? PaletteOf(dc.palette) : nullptr;
    if (gdi.displayBits > kPaletteDisplayBits || palette == nullptr) {
        return 0;
    }
    if (!dc.paletteBackground && gdi.systemPalette != dc.palette) {
        gdi.systemPalette = dc.palette;
        ++gdi.paletteGeneration;
    }
    if (palette->realized == gdi.paletteGeneration) {
        return 0;
    }
    palette->realized = gdi.paletteGeneration;
    return static_cast<UINT>(palette->entries.size());
}

}  // namespace

HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    HGDIOBJ handle = nullptr;
    if (plpal != nullptr && plpal->palVersion == kPaletteVersion && plpal->palNumEntries > 0 &&
        plpal->palNumEntries <= kMaxPaletteEntries) {
        auto palette = std::make_shared<GdiPalette>();
        palette->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
        handle = AddGdiObject(palette);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    Journal(MakeGdiCall("CreatePalette", nullptr, {plpal != nullptr ? plpal->palNumEntries : 0},
                        HandleValue(handle)));
    return static_cast<HPALETTE>(handle);
}

// Answers the palette that was selected before (the stock default palette at first).
HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    HGDIOBJ previous = nullptr;
    if (dc != nullptr && PaletteOf(hPal) != nullptr) {
        previous = dc->palette != nullptr ? dc->palette : StockObject(DEFAULT_PALETTE);
        dc->palette = hPal;
        dc->paletteBackground = bForceBkgd != FALSE;
    } else {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    Journal(MakeGdiCall("SelectPalette", hdc, {HandleValue(hPal), bForceBkgd}, HandleValue(previous)));
    return static_cast<HPALETTE>(previous);
}

UINT WINAPI RealizePalette(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    UINT result = dc != nullptr ? Realize(*dc) : GDI_ERROR;
    Journal(MakeGdiCall("RealizePalette", hdc, {HandleValue(dc != nullptr ? dc->palette : nullptr)}, result));
    return result;
}

HPALETTE WINAPI CreateHalftonePalette(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    HGDIOBJ handle = nullptr;
    if (hdc == nullptr || DcOf(hdc) != nullptr) {
        auto palette = std::make_shared<GdiPalette>();
        palette->entries = HalftoneEntries();
        handle = AddGdiObject(palette);
    }
    Journal(MakeGdiCall("CreateHalftonePalette", hdc, {}, HandleValue(handle)));
    return static_cast<HPALETTE>(handle);
}

BOOL WINAPI UnrealizeObject(HGDIOBJ h)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    std::shared_ptr<GdiObject> object = ObjectOf(h);
    if (object == nullptr) {
        return FALSE;
    }
    if (object->kind == GdiKind::PALETTE) {
        static_cast<GdiPalette*>(object.get())->realized = -1;
    }
    Journal(MakeGdiCall("UnrealizeObject", nullptr, {HandleValue(h)}, TRUE));
    return TRUE;
}

BOOL WINAPI UpdateColors(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    BOOL updated = DcOf(hdc) != nullptr;
    Journal(MakeGdiCall("UpdateColors", hdc, {}, updated));
    return updated;
}
