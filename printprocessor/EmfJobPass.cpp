// Setting up one pass of an EMF job: the spooler's attributes, the driver's job settings, the
// copies and collation, the two-sided binding and the page count where a setting needs it.
#include "printprocessor/EmfJob.h"

#include <winppi.h>

#include "printprocessor/PageStrategies.h"

namespace {

constexpr DWORD kReversePrint = 0x1;  // REVERSE_PRINT
constexpr WORD kCollateDevmodeSize = 102;
constexpr LONG kLowestScale = 25;
constexpr LONG kHighestScale = 400;
constexpr LONG kFullScale = 100;
const WCHAR kBannerWord[] = TEXT("Banner");
// Documents whose applications print their two-sided pages in their own order.
const WCHAR* const kOwnOrderExtensions[] = {TEXT("wpd"), TEXT("shw")};
const WCHAR* const kOwnOrderNames[] = {TEXT("Corel Office Document"), TEXT("SlideShow1")};

bool HasPage(HANDLE spool, LONG page)
{
    DWORD type = 0;
    return GdiGetPageHandle(spool, static_cast<DWORD>(page), &type) != nullptr;
}

bool NoPage(HANDLE spool, LONG page)
{
    DWORD type = 0;
    return GdiGetPageHandle(spool, static_cast<DWORD>(page), &type) == nullptr &&
           GetLastError() == ERROR_NO_MORE_ITEMS;
}

// Whether the document name names a document whose application orders two-sided pages itself.
bool OrdersItsOwnPages(LPCWSTR documentName)
{
    if (documentName == nullptr) {
        return false;
    }
    LPCWSTR slash = nullptr;
    for (LPCWSTR c = documentName; *c != 0; ++c) {
        if (*c == TEXT('\\')) {
            slash = c;
        }
    }
    if (slash == nullptr) {
        for (LPCWSTR name : kOwnOrderNames) {
            if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, documentName, -1, name, -1) == CSTR_EQUAL) {
                return true;
            }
        }
        return false;
    }
    LPCWSTR dot = nullptr;
    for (LPCWSTR c = slash + 1; *c != 0; ++c) {
        if (*c == TEXT('.')) {
            dot = c;
        }
    }
    if (dot == nullptr) {
        return false;
    }
    for (LPCWSTR extension : kOwnOrderExtensions) {
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, dot + 1, -1, extension, -1) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

bool ContainsBanner(const WCHAR* formName, size_t capacity)
{
    const size_t wordLength = ARRAYSIZE(kBannerWord) - 1;
    for (size_t i = 0; i + wordLength <= capacity && formName[i] != 0; ++i) {
        size_t k = 0;
        while (k < wordLength && formName[i + k] == kBannerWord[k]) {
            ++k;
        }
        if (k == wordLength) {
            return true;
        }
    }
    return false;
}

bool AcceptedPagesPerSide(LONG pages)
{
    return pages == 1 || pages == 2 || pages == 4 || pages == 6 || pages == 9 || pages == 16;
}

}  // namespace

bool CNiraEmfJob::QueryJobAttributes()
{
    if (!GetJobAttributes(processorJob->printerName, jobDevmode, &attributes)) {
        return false;
    }
    if (attributes.dwColorOptimization != 0) {
        if (jobDevmode->dmPrintQuality != attributes.dmPrintQuality ||
            jobDevmode->dmYResolution != attributes.dmYResolution) {
            attributesChanged = 1;
        }
        jobDevmode->dmPrintQuality = attributes.dmPrintQuality;
        jobDevmode->dmYResolution = attributes.dmYResolution;
    }
    return true;
}

void CNiraEmfJob::CountPages()
{
    const JobSettingsRecord& s = settings;
    bool needed = s.specialPages != 0 || s.booklet != 0 || s.cellReports != 0 || s.manualDuplex != 0 ||
                  s.fitToPaper != 0 || s.echoWordA != 0 || (pagesPerSide != 1 && s.nupDirection != 0) ||
                  s.echoWordB != 0 || reverseOrder != 0 || s.driverMargins != 0 || copies > 1 ||
                  s.placementReports != 0 || s.marginMode == 1 || s.marginMode == 2 ||
                  s.previewEnabled != 0 || (s.outputMode == 3 && pagesPerSide != 1 && s.pageBorders != 0);
    if (needed) {
        pageCount = static_cast<LONG>(GdiGetPageCount(spoolHandle));
    }
}

bool CNiraEmfJob::ApplyJobAttributes()
{
    const JobSettingsRecord& s = settings;
    pagesPerSide = static_cast<LONG>(attributes.dwJobNumberOfPagesPerSide);
    driverPagesPerSide = static_cast<LONG>(attributes.dwDrvNumberOfPagesPerSide);
    noBorders = attributes.dwNupBorderFlags == 0 ? 1 : 0;
    driverCopies = static_cast<LONG>(attributes.dwDrvNumberOfCopies);
    copies = static_cast<LONG>(attributes.dwJobNumberOfCopies);
    if (copies == 0) {
        return false;
    }
    bool driverReverse = (attributes.dwDrvPageOrderFlags & kReversePrint) != 0;
    reverseOrder = ((attributes.dwJobPageOrderFlags & kReversePrint) != 0) != driverReverse ? 1 : 0;
    const DEVMODEW* openDevmode = processorJob->devmode;
    if (openDevmode != nullptr && openDevmode->dmDuplex > DMDUP_SIMPLEX &&
        OrdersItsOwnPages(processorJob->documentName)) {
        reverseOrder = 0;
    }
    jobDevmode->dmFormName[CCHFORMNAME - 1] = 0;
    bannerForm = ContainsBanner(jobDevmode->dmFormName, CCHFORMNAME) ? 1 : 0;
    collate = (jobDevmode->dmFields & DM_COLLATE) != 0 && jobDevmode->dmCollate == DMCOLLATE_TRUE ? 1 : 0;
    duplex = (jobDevmode->dmFields & DM_DUPLEX) != 0 && jobDevmode->dmDuplex != DMDUP_SIMPLEX ? 1 : 0;
    bookletRequested = s.booklet != 0 ? 1 : 0;
    if (duplex != 0) {
        duplexKind = jobDevmode->dmDuplex == DMDUP_HORIZONTAL ? 2 : 1;
        if (s.manualDuplex == 0) {
            settings.duplexSourceFixed = 0;
        }
        if (s.flipDuplexReverse != 0 && driverReverse) {
            reverseOrder ^= 1;
        }
    } else {
        duplexKind = 0;
        if (s.flipSimplexReverse != 0) {
            reverseOrder ^= 1;
        }
    }
    if (s.duplexSourceFixed != 0 && !driverReverse) {
        reverseOrder ^= 1;
    }
    if (bookletRequested != 0) {
        if (duplex != 0 || s.manualDuplex != 0) {
            pagesPerSide = 2;
        } else {
            // A booklet needs two sides: a one-sided printer prints the pages one per side.
            bookletRequested = 0;
            settings.booklet = 0;
            pagesPerSide = 1;
        }
        driverPagesPerSide = 1;
    }
    nupPages = driverPagesPerSide == 1 ? pagesPerSide : 1;
    if (!AcceptedPagesPerSide(nupPages) ||
        (pagesPerSide != 1 && (s.nupDirection < 0 || s.nupDirection > 3))) {
        return false;
    }
    noBorders = nupPages == 1 || s.pageBorders == 0 ? 1 : noBorders;
    if (s.pageBorders != 0 && nupPages > 1) {
        noBorders = 0;
    }
    endPageOptimization = attributes.dwColorOptimization == 1 && duplex == 0 && pagesPerSide == 1 ? 1 : 0;
    if (copies < 2 || (jobDevmode->dmFields & DM_COLLATE) == 0 || jobDevmode->dmCollate != DMCOLLATE_TRUE) {
        CountPages();
    }
    if (s.manualDuplex != 0 && s.dropShortManualDuplex != 0 && s.booklet == 0) {
        pageCount = static_cast<LONG>(GdiGetPageCount(spoolHandle));
        if (pageCount == 0) {
            return false;
        }
        if (pagesPerSide >= pageCount) {
            settings.manualDuplex = 0;
        }
    }
    return true;
}

bool CNiraEmfJob::TakeFirstPageSettings()
{
    DEVMODEW* first = nullptr;
    if (!GetPageDevmode(*this, 1, &first)) {
        return false;
    }
    if ((first->dmFields & DM_COPIES) != 0) {
        jobDevmode->dmFields |= DM_COPIES;
        jobDevmode->dmCopies = first->dmCopies;
    }
    if ((first->dmFields & DM_COLLATE) != 0 && jobDevmode->dmSize >= kCollateDevmodeSize) {
        jobDevmode->dmFields |= DM_COLLATE;
        jobDevmode->dmCollate = first->dmCollate;
    }
    firstPageOrientation = first->dmOrientation;
    jobOrientation = first->dmOrientation;
    firstPaperSize = first->dmPaperSize;
    pageDevmode = first;
    return true;
}

void CNiraEmfJob::SettleCollation()
{
    if ((jobDevmode->dmFields & DM_COLLATE) == 0 || jobDevmode->dmCollate != DMCOLLATE_TRUE) {
        return;
    }
    bool off =
        copies > 1 ? driverPagesPerSide >= pageCount : driverPagesPerSide > 1 || rememberedCollate != 1;
    if (off) {
        jobDevmode->dmCollate = DMCOLLATE_FALSE;
        if (pageDevmode != nullptr && pageDevmode->dmSize >= kCollateDevmodeSize) {
            pageDevmode->dmCollate = DMCOLLATE_FALSE;
        }
    }
}

bool CNiraEmfJob::StartPass(HANDLE spool, HDC dc)
{
    spoolHandle = spool;
    printerDC = dc;
    rememberedCollate = (jobDevmode->dmFields & DM_COLLATE) != 0 ? jobDevmode->dmCollate : 0;
    rememberedCopies = (jobDevmode->dmFields & DM_COPIES) != 0 ? jobDevmode->dmCopies : 0;
    if (!TakeFirstPageSettings()) {
        return false;
    }
    LONG jobCopies = static_cast<LONG>(processorJob->copies > 0 ? processorJob->copies : 1);
    copies = (jobDevmode->dmFields & DM_COPIES) != 0 ? jobDevmode->dmCopies * jobCopies : jobCopies;
    jobDevmode->dmCopies = static_cast<SHORT>(copies);
    jobDevmode->dmFields |= DM_COPIES;
    if (copies > 1 && (jobDevmode->dmFields & DM_COLLATE) != 0 && jobDevmode->dmCollate == DMCOLLATE_TRUE) {
        CountPages();
        if (pageCount == 0) {
            pageCount = static_cast<LONG>(GdiGetPageCount(spoolHandle));
        }
        if (pageCount == 0) {
            return false;
        }
    }
    SettleCollation();
    bool collateChanged =
        (jobDevmode->dmFields & DM_COLLATE) != 0 && jobDevmode->dmCollate != rememberedCollate;
    if ((attributesChanged != 0 || jobDevmode->dmCopies != rememberedCopies || collateChanged) &&
        !QueryJobAttributes()) {
        return false;
    }
    SendDriverEscape(ESCAPE_GET_JOB_SETTINGS);
    if (settings.outputMode == 4 && settings.uncollatedCopiesByProcessor != 0 && settings.collateMode == 0 &&
        jobDevmode->dmCollate == DMCOLLATE_FALSE) {
        attributes.dwDrvNumberOfCopies = 1;
    }
    if (!ApplyJobAttributes()) {
        return false;
    }
    CheckFirstPageSource();
    if (settings.manualDuplex != 0) {
        bool driverReverse = (attributes.dwDrvPageOrderFlags & kReversePrint) != 0;
        manualDuplexFrontFlip = settings.manualDuplexFrontRule == 0 ? 1 : 0;
        manualDuplexBackFlip =
            !driverReverse && settings.duplexSourceFixed == 0 && settings.manualDuplexBackRule == 0 ? 1 : 0;
        reverseOrder = (attributes.dwJobPageOrderFlags & kReversePrint) != 0 ? 1 : 0;
        SetManualDuplexOrder();
        if (collate != 0) {
            driverCopies = 1;
        }
    }
    if (bookletRequested != 0 && settings.fitToPaper == 0) {
        settings.fitToPaper = 1;
        settings.fitScales = 1;
        settings.paperSize = jobDevmode->dmPaperSize;
    }
    LONG scale = settings.scalePercent;
    if (scale != kFullScale && scale >= kLowestScale && scale <= kHighestScale &&
        (pagesPerSide != 1 || settings.fitToPaper != 0)) {
        settings.scalePercent = kFullScale;
    }
    if (settings.specialPages == 0) {
        settings.backCover = 0;
        settings.frontCover = 0;
    }
    if (settings.fitToPaper != 0 && !BuildPageMetrics()) {
        return false;
    }
    if (!ScanPages()) {
        return false;
    }
    if (settings.lastSheetSupported == 1 && settings.markLastSheet == 1) {
        bool several = settings.poster != 0 || HasPage(spoolHandle, 2);
        jobCounts.multiSheetJob = several ? 1 : 0;
        jobCounts.multiSheetJob2 = several ? 1 : 0;
        if (!several && NoPage(spoolHandle, 2)) {
            settings.markLastSheet = 0;
        }
    }
    const JobSettingsRecord& s = settings;
    if (s.manualDuplex != 0 || s.echoWordA != 0 || s.lastSheetSupported != 0 ||
        jobCounts.largeCustomPaper != 0 || s.echoWordB != 0 || driverRepeatMode == 1 ||
        s.previewEnabled == 1) {
        secondBatch = 0;
        placement.previewPass = previewPass != 0 ? 1 : 0;
        jobCounts.printPass = previewPass != 0 ? 0 : 1;
        SendDriverEscape(ESCAPE_SET_JOB_COUNTS);
    }
    pageDevmode->dmPrintQuality = jobDevmode->dmPrintQuality;
    pageDevmode->dmYResolution = jobDevmode->dmYResolution;
    if (s.collateMode == 1 && s.manualDuplex == 0 && NoPage(spoolHandle, 2)) {
        collate = 1;
        jobDevmode->dmCollate = DMCOLLATE_TRUE;
        pageDevmode->dmCollate = DMCOLLATE_TRUE;
        GdiResetDCEMF(spoolHandle, pageDevmode);
        SetGraphicsMode(printerDC, GM_ADVANCED);
    }
    ChooseDuplex(pageDevmode);
    return true;
}

void CNiraEmfJob::ChooseDuplex(DEVMODEW* firstPage)
{
    const JobSettingsRecord& s = settings;
    bool oneSideDocument = s.booklet != 0 ? NoPage(spoolHandle, 2) : NoPage(spoolHandle, pagesPerSide + 1);
    if (oneSideDocument && s.booklet == 0 && s.collateMode == 0) {
        driverCopies = 1;
    }
    if (s.manualDuplex != 0) {
        firstPage->dmCopies = static_cast<SHORT>(driverCopies);
        return;
    }
    if (s.outputMode == 4) {
        if (duplex != 0 && oneSideDocument && s.skipLastBlankBackSingle != 0) {
            firstPage->dmDuplex = DMDUP_SIMPLEX;
            jobDevmode->dmDuplex = DMDUP_SIMPLEX;
            if (settings.marginMode == 1) {
                settings.marginMode = 0;
            }
        }
    } else if (duplex != 0 && !oneSideDocument) {
        bool turned = false;
        if (pagesPerSide == 2 || pagesPerSide == 6) {
            GdiResetDCEMF(spoolHandle, firstPage);
            SetGraphicsMode(printerDC, GM_ADVANCED);
            turned = CellsTurned();
        }
        SHORT binding = DuplexBinding(firstPage->dmOrientation, turned);
        if (binding != firstPage->dmDuplex) {
            // The DC takes the binding now: a walk that does not start at page 1 (a booklet's
            // first side shows its last page) may find nothing else to reset it for.
            firstPage->dmDuplex = binding;
            GdiResetDCEMF(spoolHandle, firstPage);
            SetGraphicsMode(printerDC, GM_ADVANCED);
        }
        duplexKind = firstPage->dmDuplex == DMDUP_HORIZONTAL ? 2 : 1;
    }
    if (s.outputMode == 4) {
        SendDriverEscape(ESCAPE_GET_DRIVER_STATE);
    }
}
