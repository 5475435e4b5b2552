// Fit to paper: every page on the job's chosen paper, centred at its own size or scaled to fill
// the printable area in one direction and aligned in the other.
#include "printprocessor/CellPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr LONG kPageMetricSlots = 13;
constexpr LONG kTurnedHalf = 7;
constexpr LONG kPaperSlot = 6;
constexpr double kHalf = 0.5;
constexpr double kQuarter = 0.25;
// What a fitted booklet page keeps clear of its cell's edge.
constexpr LONG kCellGap = 15;

// One half of a page's size record: printable and physical sizes in one orientation.
struct SizeHalf {
    LONG w1;
    LONG h1;
    LONG w2;
    LONG h2;
    FLOAT physicalWidth;
    FLOAT physicalHeight;
};

SizeHalf HalfOf(const LONG* record, bool turned)
{
    const LONG* slots = record + (turned ? kTurnedHalf : 0);
    SizeHalf half = {slots[0], slots[1], slots[2], slots[3], 0, 0};
    std::memcpy(&half.physicalWidth, &slots[4], sizeof(FLOAT));
    std::memcpy(&half.physicalHeight, &slots[5], sizeof(FLOAT));
    return half;
}

// Half the difference of margins, kept on the side of the scale: never outwards when shrinking,
// never inwards when enlarging.
LONG LimitedShift(LONG shift, float s)
{
    if (s < 1.0F) {
        return std::min(shift, LONG{0});
    }
    if (s > 1.0F) {
        return std::max(shift, LONG{0});
    }
    return shift;
}

// A turned booklet cell being fitted: the page's half of its size record and the scale.
struct BookletFit {
    CellPlacement& p;
    SizeHalf half;
    bool turned;
    float lx;
    float ly;
    LONG cell;
    float s;
};

// What a placer needs along its free axis (where the page does not fill the cell) and across it.
struct PlacerInput {
    double room;      // the sheet's room along the free axis
    double extent;    // the page's physical length that takes it
    LONG length;      // the page's printable length along the free axis
    LONG cellExtent;  // the cell's length along the free axis
    double qv;        // unprintable margins and the page's own, for the shift along ...
    double uv;
    double qa;  // ... and across
    double ua;
    double q;         // the margins that open the axis
    bool vNotAbove;   // the shift along is limited to v <= 0 (else v >= 0)
    bool limitEarly;  // the limit comes before the border B is taken
};

struct PlacerNumbers {
    bool open = false;
    LONG t = 0;
    LONG B = 0;
    LONG V = 0;
    LONG M = 0;
    LONG A = 0;
};

LONG LimitShift(LONG v, bool notAbove)
{
    return notAbove ? std::min(v, LONG{0}) : std::max(v, LONG{0});
}

PlacerNumbers Measure(const PlacerInput& in, float s)
{
    PlacerNumbers n;
    auto m = static_cast<float>(static_cast<LONG>(in.room - in.extent * s) / 2);
    float o = static_cast<float>(in.cellExtent - kCellGap) - static_cast<float>(in.length) * s;
    auto v = static_cast<LONG>(in.qv * kHalf - in.uv * kHalf * s);
    n.A = static_cast<LONG>(in.qa * kHalf - in.ua * kHalf * s);
    if (m > o) {
        if (m > 0 && o < 0) {
            n.open = true;
            n.t = static_cast<LONG>(in.q * kQuarter);
        } else {
            m = o;
        }
    }
    if (in.limitEarly) {
        v = LimitShift(v, in.vNotAbove);
    }
    if (m > 0 && o > 0 && o > m) {
        n.B = std::abs(v) + static_cast<LONG>(in.q * kHalf);
    }
    n.V = std::abs(LimitShift(v, in.vNotAbove));
    n.M = static_cast<LONG>(m);
    return n;
}

bool DriverMarginsOn(const JobSettingsRecord& s)
{
    return s.booklet != 0 && (s.driverMargins != 0 || s.marginMode == 1);
}

void PlacePortraitHeightBound(BookletFit& f)
{
    const SizeHalf& h = f.half;
    CellPlacement& p = f.p;
    RECT& c = p.cellRect;
    PlacerInput in = {static_cast<double>(p.physicalWidth),
                      h.physicalHeight,
                      h.h2,
                      c.right - c.left,
                      f.ly,
                      h.physicalWidth - h.w2,
                      f.lx,
                      h.physicalHeight - h.h1,
                      f.lx,
                      true,
                      false};
    PlacerNumbers n = Measure(in, f.s);
    if (n.open) {
        c.left = 0;
        c.right = p.printableWidth;
    }
    if (f.s < 1.0F) {
        c.left = n.M - n.B + n.V + n.t;
    } else {
        c.left += n.M + n.V + n.t;
    }
    c.right = c.left + static_cast<LONG>(h.h2 * f.s) - n.t;
    LONG a = std::min(n.A, LONG{0});
    c.top += a;
    c.bottom -= a;
}

void PlacePortraitWidthBound(BookletFit& f)
{
    const SizeHalf& h = f.half;
    CellPlacement& p = f.p;
    RECT& c = p.cellRect;
    PlacerInput in = {static_cast<double>(p.physicalHeight / 2 - kCellGap),
                      f.turned ? h.physicalHeight : h.physicalWidth,
                      h.w2,
                      c.bottom - c.top,
                      f.ly,
                      h.physicalWidth - h.w2,
                      f.lx,
                      h.physicalHeight - h.h1,
                      f.ly,
                      false,
                      false};
    PlacerNumbers n = Measure(in, f.s);
    auto scaled = static_cast<LONG>(h.w2 * f.s);
    if (f.cell != 0) {
        if (n.open) {
            c.top = 0;
        }
        c.top = f.s > 1.0F ? n.V + n.B + n.M + n.t : c.top + n.V + n.M + n.t;
        c.bottom = c.top + scaled + n.t;
    } else {
        if (n.open) {
            c.bottom = p.printableHeight;
        }
        c.bottom = f.s > 1.0F ? p.printableHeight - n.M - n.B + n.t - n.V : c.bottom + n.t - n.M - n.V;
        c.top = c.bottom - scaled - n.t;
    }
    const JobSettingsRecord& s = p.job->settings;
    if (DriverMarginsOn(s)) {
        const PageSettingsRecord& m = p.job->pageSettings;
        if (f.cell != 0) {
            c.top -= m.offsetY + m.marginY;
            c.bottom -= m.marginY + 2 * m.offsetY;
        } else {
            c.top += m.offsetY + m.marginY;
            c.bottom += m.marginY - 2 * m.offsetY;
        }
    }
    LONG a = std::max(n.A, LONG{0});
    c.left = a;
    c.right = p.printableWidth - a;
}

void PlaceLandscapeWidthBound(BookletFit& f)
{
    const SizeHalf& h = f.half;
    CellPlacement& p = f.p;
    RECT& c = p.cellRect;
    PlacerInput in = {static_cast<double>(p.physicalHeight - kCellGap),
                      h.physicalWidth,
                      h.w2,
                      c.bottom - c.top,
                      f.ly,
                      h.physicalWidth - h.w2,
                      f.lx,
                      h.physicalHeight - h.h1,
                      f.ly,
                      false,
                      true};
    PlacerNumbers n = Measure(in, f.s);
    if (n.open) {
        c.top = 0;
        c.bottom = p.printableHeight;
    }
    c.top = f.s > 1.0F ? n.V + n.B + n.M + n.t : c.top + n.V + n.M + n.t;
    c.bottom = c.top + static_cast<LONG>(h.w2 * f.s) + n.t;
    LONG a = std::max(n.A, LONG{0});
    c.left += a;
    c.right -= a;
}

void PlaceLandscapeHeightBound(BookletFit& f)
{
    const SizeHalf& h = f.half;
    CellPlacement& p = f.p;
    RECT& c = p.cellRect;
    PlacerInput in = {static_cast<double>(p.physicalWidth / 2 - kCellGap),
                      h.physicalHeight,
                      h.h2,
                      c.right - c.left,
                      f.lx,
                      h.physicalHeight - h.h1,
                      f.ly,
                      (f.turned ? h.physicalHeight : h.physicalWidth) - h.w2,
                      f.lx,
                      true,
                      false};
    PlacerNumbers n = Measure(in, f.s);
    if (n.open) {
        c.left = 0;
        c.right = p.printableWidth;
    }
    auto scaled = static_cast<LONG>(h.h2 * f.s);
    if (f.cell != 0) {
        c.right = f.s < 1.0F ? p.printableWidth - n.M - n.t + n.B - n.V : c.right - (n.M + n.V + n.t);
        c.left = c.right - scaled + n.t;
    } else {
        c.left = f.s < 1.0F ? n.M - n.B + n.V + n.t : c.left + n.M + n.V + n.t;
        c.right = c.left + scaled - n.t;
    }
    const JobSettingsRecord& s = p.job->settings;
    if (DriverMarginsOn(s)) {
        const PageSettingsRecord& m = p.job->pageSettings;
        if (f.cell != 0) {
            c.left += m.marginX + m.offsetX;
            c.right += 2 * m.offsetX + m.marginX;
        } else {
            c.left -= 2 * m.offsetX;
            c.right += m.offsetX;
        }
    }
    LONG a = std::min(n.A, LONG{0});
    c.top = a;
    c.bottom = p.printableHeight - a;
}

}  // namespace

void CentrePage(CellPlacement& p, const LONG* record)
{
    SizeHalf half = HalfOf(record, p.job->settings.rotateSheet != 0);
    RECT& c = p.cellRect;
    LONG right = c.right;
    LONG bottom = c.bottom;
    LONG left = (right - half.w2) / 2;
    LONG top = (bottom - half.h2) / 2;
    c = {left, top, right - left + 1, bottom - top + 1};
}

float FitPage(CellPlacement& p, const LONG* record, float lx, float ly)
{
    SizeHalf half = HalfOf(record, p.job->settings.rotateSheet != 0);
    RECT& c = p.cellRect;
    LONG right = c.right;
    LONG bottom = c.bottom;
    auto pw = static_cast<float>(p.physicalWidth);
    auto ph = static_cast<float>(p.physicalHeight);
    if (static_cast<LONGLONG>(right) * half.h2 > static_cast<LONGLONG>(bottom) * half.w2) {
        float s = static_cast<float>(bottom) / static_cast<float>(half.h2);
        float m = std::min(static_cast<float>(static_cast<LONG>(pw - half.physicalWidth * s) >> 1),
                           static_cast<float>(right) - static_cast<float>(half.w2) * s);
        auto x = static_cast<LONG>(lx * kHalf - (half.physicalWidth - half.w2) * kHalf * s);
        x = LimitedShift(x, s);
        LONG left = x + static_cast<LONG>(m);
        c = {left, 0, left + static_cast<LONG>(static_cast<float>(half.w2) * s), bottom};
        return s;
    }
    float s = static_cast<float>(right) / static_cast<float>(half.w2);
    float m = std::min(static_cast<float>(static_cast<LONG>(ph - half.physicalHeight * s) >> 1),
                       static_cast<float>(bottom) - static_cast<float>(half.h2) * s);
    auto y = static_cast<LONG>(ly * kHalf - (half.physicalHeight - half.h1) * kHalf * s);
    y = LimitedShift(y, s);
    LONG top = y + static_cast<LONG>(m);
    c = {0, top, right, top + static_cast<LONG>(static_cast<float>(half.h2) * s)};
    return s;
}

float FitBookletCell(CellPlacement& p, const LONG* record, float lx, float ly, LONG cellIndex)
{
    if (p.rotatedCell == 0) {
        return 1.0F;
    }
    bool turned =
        p.rotationMode == PLACE_OTHER_ORIENTATION || p.rotationMode == PLACE_OTHER_ORIENTATION_HALF_TURN;
    BookletFit fit = {p, HalfOf(record, turned), turned, lx, ly, cellIndex, 1.0F};
    if (fit.half.h2 == 0 || fit.half.w2 == 0) {
        return 1.0F;  // a slot without a size leaves the cell
    }
    const RECT& c = p.cellRect;
    // The page lies turned in the cell: its height across the cell, its width along it.
    float across = static_cast<float>(c.right - c.left) / static_cast<float>(fit.half.h2);
    float along = static_cast<float>(c.bottom - c.top) / static_cast<float>(fit.half.w2);
    if (across == 1.0F && along == 1.0F) {
        return 1.0F;
    }
    void (*place)(BookletFit&) = nullptr;
    if (p.job->jobOrientation == DMORIENT_PORTRAIT) {
        fit.s = across > along ? along : across;
        place = across > along ? PlacePortraitHeightBound : PlacePortraitWidthBound;
    } else {
        fit.s = along > across ? across : along;
        place = along > across ? PlaceLandscapeWidthBound : PlaceLandscapeHeightBound;
    }
    // A bound met at scale 1.0 leaves the cell as it is.
    if (fit.s != 1.0F) {
        place(fit);
    }
    return fit.s;
}

float FitToPaper(CellPlacement& p, float lx, float ly, LONG pageNumber, LONG cellIndex)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (job.pageSizeTable == nullptr) {
        return 1.0F;
    }
    LONG index = pageNumber < 2 ? 0 : pageNumber - 1;
    if (index >= job.pageSizeTablePages) {
        return 1.0F;
    }
    const LONG* record = job.pageSizeTable + static_cast<size_t>(index) * kPageMetricSlots;
    if (s.booklet != 0 && record[kPaperSlot] == s.paperSize) {
        job.placement.fitScale = 1.0F;
        return 1.0F;
    }
    float scale = 1.0F;
    if (record[0] == 0 && record[1] == 0) {
        p.cellRect = {0, 0, p.cellRect.right + 1, p.cellRect.bottom + 1};
    } else if (s.fitScales == 0) {
        CentrePage(p, record);
    } else {
        scale = s.booklet != 0 ? FitBookletCell(p, record, lx, ly, cellIndex) : FitPage(p, record, lx, ly);
    }
    job.placement.fitScale = scale;
    return scale;
}
