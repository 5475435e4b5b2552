// What a pass learns from the spooled pages themselves: the first page's paper source, the page
// sizes in both orientations, pages larger than the device's sheet and mixed orientations.
#include "printprocessor/EmfJob.h"

#include <winppi.h>

#include "printprocessor/PageStrategies.h"
#include "printprocessor/PrivateBlockEdit.h"

namespace {

constexpr LONG kMediaSourceBase = 1000;
constexpr LONG kPageMetricSlots = 13;
constexpr LONG kTurnedSlots = 7;
constexpr LONG kPaperSlot = 6;
constexpr double kMicrometresPerInch = 25.4 * 1000;
constexpr LONG kFullScale = 100;
constexpr SHORT kLargeCustomLength = 1524;  // tenths of a millimetre
constexpr SHORT kLargeCustomWidth = 1016;

bool IsMediaSource(LONG source)
{
    return source >= kMediaSourceBase;
}

void ResetTo(HANDLE spool, HDC dc, DEVMODEW* devmode)
{
    GdiResetDCEMF(spool, devmode);
    SetGraphicsMode(dc, GM_ADVANCED);
}

}  // namespace

bool CNiraEmfJob::EmitBlankPages(LONG count)
{
    for (LONG i = 0; i < count; ++i) {
        if (!GdiStartPageEMF(spoolHandle) || !GdiEndPageEMF(spoolHandle, endPageOptimization)) {
            return false;
        }
    }
    return true;
}

void CNiraEmfJob::CheckFirstPageSource()
{
    DEVMODEW* first = nullptr;
    DEVMODEW* second = nullptr;
    if (!GetPageDevmode(*this, 1, &first) || !GetPageDevmode(*this, 2, &second)) {
        return;
    }
    LONG firstSource = first->dmDefaultSource;
    LONG secondSource = second->dmDefaultSource;
    bool differ = firstSource != secondSource || first->dmMediaType != second->dmMediaType;
    JobSettingsRecord& s = settings;
    if (s.specialPages != 0) {
        if (differ) {
            (IsMediaSource(firstSource) ? s.firstPageMedia : s.firstPageSource) =
                IsMediaSource(firstSource) ? firstSource - kMediaSourceBase : firstSource;
        }
    } else if (duplex != 0 && reverseOrder != 0 && s.booklet == 0 && differ) {
        s.specialPages = 1;
        if (IsMediaSource(firstSource)) {
            s.firstPageMedia = firstSource - kMediaSourceBase;
            s.firstPageSource = s.otherPagesSource;
        } else {
            s.firstPageSource = firstSource;
            s.firstPageMedia = s.otherPagesMedia;
        }
    } else {
        return;
    }
    if (IsMediaSource(secondSource)) {
        s.otherPagesMedia = secondSource - kMediaSourceBase;
    } else {
        s.otherPagesSource = secondSource;
    }
}

void CNiraEmfJob::SetManualDuplexOrder()
{
    LONG f = manualDuplexFrontFlip;
    LONG b = manualDuplexBackFlip;
    if (settings.manualDuplexOrderMode != 0) {
        if (reverseOrder == 0) {
            frontOrder = f == 1 ? 3 : 2;
            backOrder = b == 1 ? 0 : 1;
        } else {
            frontOrder = f == 1 ? 2 : 3;
            backOrder = b == 1 ? 1 : 0;
        }
        return;
    }
    if (settings.flipDuplexReverse == 0) {
        reverseOrder = reverseOrder == 0 ? 1 : 0;
    }
    if (reverseOrder == 0) {
        frontOrder = f == 1 ? 0 : 1;
        backOrder = b == 1 ? 3 : 2;
    } else {
        frontOrder = f == 1 ? 1 : 0;
        backOrder = b == 1 ? 2 : 3;
    }
}

bool CNiraEmfJob::ScanPages()
{
    bool portrait = false;
    bool landscape = false;
    for (LONG page = 1; page <= pageCount; ++page) {
        DEVMODEW* devmode = nullptr;
        if (!GetPageDevmode(*this, page, &devmode)) {
            return false;
        }
        if (devmode->dmPaperSize == 0 && devmode->dmPaperLength > kLargeCustomLength &&
            devmode->dmPaperWidth > kLargeCustomWidth) {
            jobCounts.largeCustomPaper = 1;
        }
        if (mixedOrientation == 0) {
            portrait = portrait || devmode->dmOrientation == DMORIENT_PORTRAIT;
            landscape = landscape || devmode->dmOrientation == DMORIENT_LANDSCAPE;
            if (portrait && landscape) {
                mixedOrientation = 1;
                MarkMixedOrientation(nullptr);
            }
        }
        if (mixedOrientation != 0 && jobCounts.largeCustomPaper != 0) {
            break;
        }
    }
    return true;
}

void CNiraEmfJob::FillPageMetrics(LONG* slots, const DEVMODEW&)
{
    HDC dc = printerDC;
    LONG dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    LONG dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    LONG fx = dpiX == dpiY ? 1 : dpiX;
    LONG fy = dpiX == dpiY ? 1 : dpiY;
    bool driverPages = settings.driverMargins != 0 || settings.marginMode == 1;
    if (driverPages) {
        SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
    }
    LONG width = driverPages ? pageSettings.printableWidth : (GetDeviceCaps(dc, DESKTOPHORZRES) - 1) * fy;
    LONG height = driverPages ? pageSettings.printableHeight : (GetDeviceCaps(dc, DESKTOPVERTRES) - 1) * fx;
    slots[0] = slots[2] = width;
    slots[1] = slots[3] = height;
    auto physicalWidth = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALWIDTH) * fx);
    auto physicalHeight = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALHEIGHT) * fy);
    CopyMemory(&slots[4], &physicalWidth, sizeof(FLOAT));
    CopyMemory(&slots[5], &physicalHeight, sizeof(FLOAT));
}

bool CNiraEmfJob::BuildPageMetrics()
{
    if (pageCount == 0) {
        pageCount = static_cast<LONG>(GdiGetPageCount(spoolHandle));
    }
    if (pageCount <= 0) {
        return false;
    }
    if (settings.previewEnabled == 1 && previewPass == 0 && pageSizeTable != nullptr) {
        return true;
    }
    if (pageSizeTable != nullptr) {
        GlobalFree(pageSizeTable);
        pageSizeTable = nullptr;
    }
    SIZE_T bytes = static_cast<SIZE_T>(pageCount) * kPageMetricSlots * sizeof(LONG);
    pageSizeTable = static_cast<LONG*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes));
    if (pageSizeTable == nullptr) {
        return false;
    }
    pageSizeTablePages = pageCount;
    for (LONG page = 1; page <= pageCount; ++page) {
        DEVMODEW* devmode = nullptr;
        if (!GetPageDevmode(*this, page, &devmode)) {
            return false;
        }
        devmode->dmPrintQuality = jobDevmode->dmPrintQuality;
        devmode->dmYResolution = jobDevmode->dmYResolution;
        devmode->dmCopies = jobDevmode->dmCopies;
        devmode->dmCollate = jobDevmode->dmCollate;
        LONG* slots = pageSizeTable + static_cast<size_t>(page - 1) * kPageMetricSlots;
        SHORT orientation = devmode->dmOrientation;
        ResetTo(spoolHandle, printerDC, devmode);
        FillPageMetrics(slots, *devmode);
        devmode->dmOrientation = orientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        ResetTo(spoolHandle, printerDC, devmode);
        FillPageMetrics(slots + kTurnedSlots, *devmode);
        slots[kPaperSlot] = devmode->dmPaperSize;
        devmode->dmOrientation = orientation;
        ResetTo(spoolHandle, printerDC, devmode);
    }
    return true;
}

bool CNiraEmfJob::PageExceedsPaper(const DEVMODEW* page) const
{
    const JobSettingsRecord& s = settings;
    if (page == nullptr || s.maxSheetWidthUm == 0 || s.maxSheetHeightUm == 0) {
        return false;
    }
    HDC dc = printerDC;
    LONG dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    LONG dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    LONG fx = dpiX == dpiY ? 1 : dpiX;
    LONG fy = dpiX == dpiY ? 1 : dpiY;
    LONG physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    LONG physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    double ex = dpiX;
    double ey = dpiY;
    if (page->dmScale != 0) {
        ex = ex / (page->dmScale / static_cast<double>(kFullScale));
        ey = ey / (page->dmScale / static_cast<double>(kFullScale));
    }
    LONG offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    LONG offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    if (s.expandToEdges == 1 && physicalWidth > 0 && physicalHeight > 0) {
        // Pages that reach the edges are measured against the sheet less its unprintable borders.
        LONG percentX = (physicalWidth - 2 * offsetX) * kFullScale / physicalWidth;
        LONG percentY = (physicalHeight - 2 * offsetY) * kFullScale / physicalHeight;
        if (offsetX != 0 && percentX != 0) {
            ex = static_cast<double>(dpiX) * kFullScale / percentX;
        }
        if (offsetY != 0 && percentY != 0) {
            ey = static_cast<double>(dpiY) * kFullScale / percentY;
        }
    }
    auto ix = static_cast<LONGLONG>(ex);
    auto iy = static_cast<LONGLONG>(ey);
    if (ix == 0 || iy == 0) {
        return false;
    }
    LONGLONG w = static_cast<LONGLONG>(physicalWidth * fx * kMicrometresPerInch) / ix;
    LONGLONG h = static_cast<LONGLONG>(physicalHeight * fy * kMicrometresPerInch) / iy;
    if (page->dmOrientation == DMORIENT_PORTRAIT) {
        return w > s.maxSheetWidthUm || h > s.maxSheetHeightUm;
    }
    return w > s.maxSheetHeightUm || h > s.maxSheetWidthUm;
}

bool CNiraEmfJob::MarkMixedOrientation(DEVMODEW* page)
{
    if (processorJob == nullptr || printerDC == nullptr || spoolHandle == nullptr) {
        return false;
    }
    if (page == nullptr && !GetPageDevmode(*this, 1, &page)) {
        return false;
    }
    PrivateBlockEdit edit(processorJob->printerName, page);
    if (!edit.Loaded()) {
        return false;
    }
    BYTE value = 0;
    BOOLEAN read = edit.Client().GetFlag(kMixedOrientationFlag, &value, 0, 0);
    if (!edit.Client().SetFlag(kMixedOrientationFlag, 1, 0)) {
        return read != 0;
    }
    return edit.Save();
}

void CNiraEmfJob::Release()
{
    spoolHandle = nullptr;
    pageDevmode = nullptr;
    if (pageSizeTable != nullptr) {
        GlobalFree(pageSizeTable);
        pageSizeTable = nullptr;
        pageSizeTablePages = 0;
    }
}
