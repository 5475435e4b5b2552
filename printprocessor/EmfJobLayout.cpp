// The job's two-sided binding, which follows how the pages lie on the sheet.
#include "printprocessor/EmfJob.h"

namespace {

constexpr SHORT kOneSided = DMDUP_SIMPLEX;
constexpr SHORT kLongEdge = DMDUP_VERTICAL;
constexpr SHORT kShortEdge = DMDUP_HORIZONTAL;

}  // namespace

bool CNiraEmfJob::IsOutputMode1245() const
{
    LONG mode = settings.outputMode;
    return mode == 1 || mode == 2 || mode == 4 || mode == 5;
}

bool CNiraEmfJob::CellsTurned() const
{
    if (nupPages != 2 && nupPages != 6) {
        return false;
    }
    LONG dpiX = GetDeviceCaps(printerDC, LOGPIXELSX);
    LONG dpiY = GetDeviceCaps(printerDC, LOGPIXELSY);
    LONG fx = dpiX == dpiY ? 1 : dpiX;
    LONG fy = dpiX == dpiY ? 1 : dpiY;
    LONG W = (GetDeviceCaps(printerDC, DESKTOPHORZRES) - 1) * fy;
    LONG H = (GetDeviceCaps(printerDC, DESKTOPVERTRES) - 1) * fx;
    if (nupPages == 2) {
        (W > H ? W : H) /= 2;
    } else if (W > H) {
        H /= 2;
        W /= 3;
    } else {
        W /= 2;
        H /= 3;
    }
    if (settings.driverScales != 0) {
        return false;
    }
    LONG PW = GetDeviceCaps(printerDC, PHYSICALWIDTH) * fy;
    LONG PH = GetDeviceCaps(printerDC, PHYSICALHEIGHT) * fx;
    return PW < PH ? W >= H : W < H;
}

SHORT CNiraEmfJob::DuplexBinding(SHORT orientation, bool turned) const
{
    if (duplex == 0) {
        return kOneSided;
    }
    if (settings.booklet != 0) {
        return kShortEdge;
    }
    bool landscape = orientation == DMORIENT_LANDSCAPE;
    bool acrossPairs = pagesPerSide == 2 || pagesPerSide == 6;
    bool mode1245 = IsOutputMode1245();
    bool longEdge = false;
    if (settings.bindShortEdge == 0 || settings.bindShortEdge == 1) {
        // Short-edge binding asks the same of the other orientation.
        bool along = settings.bindShortEdge == 0 ? landscape : !landscape;
        if (mode1245) {
            longEdge = (along && acrossPairs && turned) || (!along && !acrossPairs) ||
                       (!along && acrossPairs && !turned);
        } else {
            longEdge = (along && acrossPairs) || (!along && !acrossPairs);
        }
    }
    return longEdge ? kLongEdge : kShortEdge;
}

void CNiraEmfJob::ClearPlacement()
{
    if (settings.cellReports == 0) {
        return;
    }
    placement.pageCount = 0;
    placement.areaWidth = 0;
    placement.areaHeight = 0;
    placement.physicalWidth = 0;
    placement.physicalHeight = 0;
    ZeroMemory(placement.cells, sizeof(placement.cells));
}
