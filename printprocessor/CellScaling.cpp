// The scale of a page printed at a percentage, the millimetre margins of output mode 4 and the
// image centred on the sheet.
#include "printprocessor/CellPlacement.h"

namespace {

constexpr LONG kLowestScale = 25;
constexpr LONG kHighestScale = 400;
constexpr LONG kFullScale = 100;
constexpr LONG kFrameInset = 10;
constexpr float kMillimetresPerInch = 25.4F;
constexpr double kHalf = 0.5;
constexpr LONG kDriverScaledOutput = 4;

bool DriverMargins(const JobSettingsRecord& s)
{
    return s.driverMargins != 0 || s.marginMode == 1;
}

}  // namespace

bool ScaledPercent(const JobSettingsRecord& s)
{
    return s.scalePercent >= kLowestScale && s.scalePercent <= kHighestScale && s.scalePercent != kFullScale;
}

BOOL ApplyWorldScale(CellPlacement& p)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (!ScaledPercent(s)) {
        return TRUE;
    }
    float scale = static_cast<float>(s.scalePercent) / kFullScale;
    p.shiftTransform.eM11 = scale;
    p.shiftTransform.eM22 = scale;
    bool halfTurn = p.rotationMode == PLACE_HALF_TURN;
    if (DriverMargins(s)) {
        job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
        if (!halfTurn) {
            const PageSettingsRecord& m = job.pageSettings;
            float f = s.scalePercent <= kFullScale
                          ? scale
                          : static_cast<float>(kFullScale - s.scalePercent) / kFullScale;
            p.shiftTransform.eDx = static_cast<FLOAT>(m.marginX - m.offsetX) * f;
            p.shiftTransform.eDy = static_cast<FLOAT>(m.marginY - m.offsetY) * f;
        }
    }
    const RECT& c = p.cellRect;
    if (halfTurn) {
        if (!SetWorldTransform(p.printerDC, &p.turnTransform) ||
            !ModifyWorldTransform(p.printerDC, &p.shiftTransform, MWT_RIGHTMULTIPLY)) {
            return FALSE;
        }
        double rest = 1.0 - static_cast<double>(p.shiftTransform.eM11);
        p.clipRect = {static_cast<LONG>(c.right * rest), static_cast<LONG>(c.bottom * rest), c.right,
                      c.bottom};
    } else {
        if (!SetWorldTransform(p.printerDC, &p.shiftTransform)) {
            return FALSE;
        }
        p.clipRect = {c.left, c.top, c.right - kFrameInset, c.bottom - kFrameInset};
    }
    if (DriverMargins(s)) {
        p.clipRect = c;
    }
    return TRUE;
}

BOOL ApplyScaledPaperWidth(CellPlacement& p)
{
    const CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (!ScaledPercent(s)) {
        return TRUE;
    }
    p.clipRect = p.cellRect;
    if (job.paperWidthClamped != 0) {
        constexpr DWORD kTenthsMmPerInch = 254;
        bool preview = s.outputMode == 5 && s.previewEnabled == 1 && job.previewPass != 0;
        LONG resolution = preview ? s.previewResolution : GetDeviceCaps(p.printerDC, LOGPIXELSX);
        p.cellRect.right =
            static_cast<LONG>(static_cast<DWORD>(job.requestedPaperWidth) / kTenthsMmPerInch) * resolution;
    }
    return TRUE;
}

bool MillimetreMarginsApply(const JobSettingsRecord& s)
{
    return s.mmMarginsOn != 0 && s.outputMode == kDriverScaledOutput && s.driverScales != 0;
}

BOOL InsetMillimetreMargins(CellPlacement& p, RECT& rect)
{
    const JobSettingsRecord& s = p.job->settings;
    auto d = static_cast<float>(GetDeviceCaps(p.printerDC, LOGPIXELSX));
    rect.left += static_cast<LONG>(s.mmMargins[0] / kMillimetresPerInch * d);
    rect.top += static_cast<LONG>(s.mmMargins[1] / kMillimetresPerInch * d);
    rect.right -= static_cast<LONG>(s.mmMargins[2] / kMillimetresPerInch * d);
    rect.bottom -= static_cast<LONG>(s.mmMargins[3] / kMillimetresPerInch * d);
    return TRUE;
}

BOOL CentreImageOnSheet(CellPlacement& p)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
    const PageSettingsRecord& m = job.pageSettings;
    if (m.imageWidth == 0 || s.centreImage == 0) {
        return TRUE;
    }
    HDC dc = p.printerDC;
    LONG ox = GetDeviceCaps(dc, PHYSICALOFFSETX);
    LONG oy = GetDeviceCaps(dc, PHYSICALOFFSETY);
    LONG pw = job.placement.physicalWidth;
    LONG ph = job.placement.physicalHeight;
    double x = 1.0;
    if (ScaledPercent(s)) {
        x = static_cast<double>(s.scalePercent) / kFullScale;
        LONG dx = static_cast<LONG>(pw * kHalf - pw * x * kHalf);
        LONG dy = static_cast<LONG>(ph * kHalf - ph * x * kHalf);
        p.clipRect = {p.clipRect.left + dx, p.clipRect.top + dy, p.clipRect.right + dx,
                      p.clipRect.bottom + dy};
    }
    SetGraphicsMode(dc, GM_ADVANCED);
    LONG eDx = 0;
    LONG eDy = 0;
    const RECT& clip = p.clipRect;
    if (x == 1.0) {
        eDx = (pw - (m.imageWidth - m.imageOffsetX)) / 2 - m.imageOffsetX;
        eDy = (ph - (m.imageHeight - m.imageOffsetY)) / 2 - m.imageOffsetY;
    } else {
        eDx = (clip.right - clip.left - (m.imageWidth - m.imageOffsetX)) / 2 - m.imageOffsetX;
        eDy = (clip.bottom - clip.top - (m.imageHeight - m.imageOffsetY)) / 2 - m.imageOffsetY;
    }
    RECT& c = p.cellRect;
    LONG width = c.right - c.left;
    LONG height = c.bottom - c.top;
    c.left = static_cast<LONG>(ox * x) + clip.left;
    c.right = c.left + static_cast<LONG>(width * x);
    c.top = static_cast<LONG>(oy * x) + clip.top;
    c.bottom = c.top + static_cast<LONG>(height * x);
    XFORM shift = {1, 0, 0, 1, static_cast<FLOAT>(eDx), static_cast<FLOAT>(eDy)};
    return SetWorldTransform(dc, &shift);
}
