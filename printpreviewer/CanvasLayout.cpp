#include "printpreviewer/CanvasLayout.h"

#include <algorithm>

namespace {

constexpr LONG kUnitsPerInch = CNiraPreviewDocument::kUnitsPerInch;
constexpr LONG kPercent = 100;
constexpr LONG kTenthsMmPerInch = 254;
constexpr LONG kInchSubdivisions = 8;
constexpr LONG kCentimetreSubdivisions = 10;
constexpr LONG kWidestUnit = 50;
constexpr LONG kNarrowestUnit = 25;

}  // namespace

LONG CanvasLayout::Pixels(LONG units) const
{
    return static_cast<LONG>(static_cast<LONGLONG>(zoom) * units / kUnitsPerInch);
}

LONG CanvasLayout::FitZoom(LONG nx, LONG ny) const
{
    LONGLONG across = static_cast<LONGLONG>(nx) * screenDpi * largestSheet.cx / kUnitsPerInch;
    LONGLONG down = static_cast<LONGLONG>(ny) * screenDpi * largestSheet.cy / kUnitsPerInch;
    LONGLONG px = std::max<LONGLONG>(1, client.cx - scrollBars.cx) * kPercent / std::max<LONGLONG>(1, across);
    LONGLONG py = std::max<LONGLONG>(1, client.cy - scrollBars.cy) * kPercent / std::max<LONGLONG>(1, down);
    // A factor of 0 leaves its side unconstrained.
    LONGLONG percent = nx == 0 ? py : ny == 0 ? px : std::min(px, py);
    return static_cast<LONG>(percent * screenDpi / kPercent);
}

LONG CanvasLayout::Columns(CanvasZoomMode mode, PreviewBinding binding, bool oneSided) const
{
    LONG columns = 1;
    if (mode == CanvasZoomMode::kTwoPages) {
        columns = 2;
    } else if (mode == CanvasZoomMode::kWholePage && oneSided) {
        columns = 1;
    } else {
        columns =
            std::max<LONG>(1, (client.cx + 1) / std::max<LONG>(1, Pixels(largestSheet.cx) + 2 * kMargin));
    }
    if (binding == PreviewBinding::kSide) {
        columns = std::max<LONG>(2, columns / 2 * 2);
    }
    return columns;
}

LONG CanvasLayout::Rows(LONG slots, LONG columns, PreviewBinding binding) const
{
    LONG rows = columns > 0 ? (slots + columns - 1) / columns : slots;
    return binding == PreviewBinding::kTop && rows % 2 != 0 ? rows + 1 : rows;
}

SIZE CanvasLayout::Extent(LONG columns, LONG rows) const
{
    return {2 * kMargin + columns * (Pixels(largestSheet.cx) + kGap),
            2 * kMargin + rows * (Pixels(largestSheet.cy) + kGap)};
}

LONG PageNumberOfSlot(LONG slot, PreviewBinding binding, LONG sheets, LONG slotsPerCopy)
{
    if (binding == PreviewBinding::kNone || slotsPerCopy <= 0) {
        return slot;
    }
    return (slot - 1) / slotsPerCopy * sheets + (slot - 1) % slotsPerCopy;
}

LONG SlotOfPage(LONG page, PreviewBinding binding, LONG sheets, LONG slotsPerCopy, LONG slots)
{
    LONG slot = page;
    if (binding != PreviewBinding::kNone && sheets > 0) {
        slot = page / sheets * slotsPerCopy + page % sheets + 1;
    }
    return std::min(std::max<LONG>(slot, 0), std::max<LONG>(slots - 1, 0));
}

RulerUnit ChooseRulerUnit(LONG zoom, bool inches)
{
    RulerUnit ruler = inches ? RulerUnit{zoom, 10 * zoom, kInchSubdivisions}
                             : RulerUnit{zoom * kPercent / kTenthsMmPerInch, zoom * 1000 / kTenthsMmPerInch,
                                         kCentimetreSubdivisions};
    if (ruler.unit > kWidestUnit) {
        ruler.unit /= 2;
        ruler.tenUnits /= 2;
    } else if (ruler.unit < kNarrowestUnit) {
        ruler.unit *= 2;
        ruler.tenUnits *= 2;
    }
    return ruler;
}
