// Fit to paper: every page on the job's chosen paper, centred at its own size or scaled to fill
// the printable area in one direction and aligned in the other.
#include "printprocessor/CellPlacement.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LONG kPageMetricSlots = 13;
constexpr LONG kTurnedHalf = 7;
constexpr LONG kPaperSlot = 6;
constexpr double kHalf = 0.5;

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

float FitBookletCell(CellPlacement& p, const LONG* record, float, float, LONG)
{
    if (p.rotatedCell == 0) {
        return 1.0F;
    }
    bool turned = p.rotationMode == PLACE_OTHER_ORIENTATION || p.rotationMode == PLACE_OTHER_ORIENTATION_HALF_TURN;
    SizeHalf half = HalfOf(record, turned);
    const RECT& c = p.cellRect;
    if (half.h2 == 0 || half.w2 == 0) {
        return 1.0F;  // a slot without a size leaves the cell
    }
    float across = static_cast<float>(c.right - c.left) / static_cast<float>(half.h2);
    float along = static_cast<float>(c.bottom - c.top) / static_cast<float>(half.w2);
    if (across == 1.0F && along == 1.0F) {
        return 1.0F;
    }
    if (p.job->jobOrientation == DMORIENT_PORTRAIT) {
        return across > along ? along : across;
    }
    return along > across ? across : along;
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
