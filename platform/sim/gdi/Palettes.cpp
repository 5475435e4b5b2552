// Logical palettes: made, selected into DCs and realised as a program does on a palette display.
// Every DC here shows true colour, so a palette changes no pixel; the calls are kept in the
// journal.
#include "gdi/GdiState.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr WORD kMaxPaletteEntries = 1024;

GdiPalette* PaletteOf(HGDIOBJ handle)
{
    std::shared_ptr<GdiObject> object = ObjectOf(handle);
    return object && object->kind == GdiKind::PALETTE ? static_cast<GdiPalette*>(object.get()) : nullptr;
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
    } else {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    Journal(MakeGdiCall("SelectPalette", hdc, {HandleValue(hPal), bForceBkgd}, HandleValue(previous)));
    return static_cast<HPALETTE>(previous);
}

// A true-colour display maps no entry into a system palette.
UINT WINAPI RealizePalette(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    UINT result = dc != nullptr ? 0 : GDI_ERROR;
    Journal(MakeGdiCall("RealizePalette", hdc, {HandleValue(dc != nullptr ? dc->palette : nullptr)}, result));
    return result;
}
