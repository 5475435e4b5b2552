#include "printprocessor/EmfJob.h"

#include "common/SafeString.h"

namespace {

constexpr LONG kDefaultOutputMode = 1;
constexpr LONG kDefaultScalePercent = 100;
constexpr LONG kDefaultMarginMode = 1;
constexpr LONG kDefaultManualDuplexOrderMode = 1;
constexpr LONG kDefaultOverlayColor = 0xC0C0C0;
constexpr LONG kDefaultOverlayWords[4] = {52, 150, 0, 1};
constexpr DWORD kBookletPageOrderBit = 0x2;  // BOOKLET_PRINT
const WCHAR kNoOverlayText[] = TEXT(" [none]");
const WCHAR kDefaultOverlayFont[] = TEXT("Courier");

// Sends an escape whose answer fills a record; the answer as the render module gave it.
int AskRecord(HDC dc, int code, void* record, int size)
{
    return ExtEscape(dc, code, 0, nullptr, size, static_cast<LPSTR>(record));
}

// Source, media and paper defaults come from the job DEVMODE.
void ApplyDevmodeDefaults(JobSettingsRecord& settings, const DEVMODEW& devmode)
{
    LONG source = devmode.dmDefaultSource;
    LONG media = static_cast<LONG>(devmode.dmMediaType);
    settings.paperSize = devmode.dmPaperSize;
    settings.firstPageSource = source;
    settings.firstPageMedia = media;
    settings.backCoverSource = source;
    settings.backCoverMediaType = media;
    settings.otherPagesSource = source;
    settings.otherPagesMedia = media;
    settings.manualDuplexSource = source;
    settings.alternateSource = source;
    settings.lastSheetSource = source;
    settings.lastSheetMediaType = media;
    settings.frontCoverSource = source;
    settings.frontCoverMediaType = media;
}

void ApplyOverlayDefaults(JobOverlaySettings& overlay)
{
    CopyStringSafe(overlay.overlayText, kOverlayTextChars, kNoOverlayText);
    CopyStringSafe(overlay.overlayText2, kOverlayTextChars, kNoOverlayText);
    CopyStringSafe(overlay.overlayFont, kOverlayTextChars, kDefaultOverlayFont);
    for (int i = 0; i < 4; ++i) {
        overlay.overlayWords[i] = kDefaultOverlayWords[i];
    }
    overlay.overlayStyle = 0;
    overlay.overlayColor = kDefaultOverlayColor;
    overlay.overlayTailWords[0] = 0;
}

// The driver-state words that the job settings carry.
void CopyDriverState(JobSettingsRecord& settings, const DriverStateRecord& state)
{
    settings.repeatCount = state.repeatCount;
    settings.repeatMode = state.repeatMode;
    settings.driverStateWordA = state.driverStateWordA;
    settings.previewEnabled = state.previewEnabled;
    settings.echoWordA = state.echoWordA;
    settings.echoWordB = state.echoWordB;
    settings.rotationEnabled = state.rotationEnabled;
    settings.skipLastBlankBackSingle = state.skipLastBlankBackSingle;
    settings.skipLastBlankBack = state.skipLastBlankBack;
    settings.expandToEdges = state.expandToEdges;
    settings.driverStateWordB = state.driverStateWordB;
    settings.centreImage = state.centreImage;
    settings.expandMarginsA[0] = state.expandMargins[0];
    settings.expandMarginsA[1] = state.expandMargins[2];
    settings.driverStateWordC = state.driverStateWordC;
    settings.mmMarginsOn = state.mmMarginsOn;
    settings.pageParityMode = state.pageParityMode;
}

// The render module's texts are kept terminated within their fields, whatever it answered.
void TerminateTexts(JobOverlaySettings& overlay)
{
    overlay.overlayText[kOverlayTextChars - 1] = 0;
    overlay.overlayText2[kOverlayTextChars - 1] = 0;
    overlay.overlayFont[kOverlayTextChars - 1] = 0;
}

}  // namespace

CNiraEmfJob::CNiraEmfJob(ProcessorJob* job, DEVMODEW* devmode)
    : attributes(),
      pagesPerSide(1),
      copies(1),
      blankBackPending(0),
      processorJob(job),
      jobDevmode(devmode),
      printerDC(nullptr),
      pageCount(0),
      firstPageOrientation(DMORIENT_PORTRAIT),
      settings(),
      driverState(),
      pageSettings(),
      jobCounts(),
      placement(),
      secondBatch(0),
      driverRepeatMode(0),
      previewPass(1)
{}

void CNiraEmfJob::ApplySettingsDefaults()
{
    settings.outputMode = kDefaultOutputMode;
    settings.pageBorders = 0;
    settings.nupDirection = 0;
    settings.rotate180 = 0;
    DWORD orderFlags = attributes.dwDrvPageOrderFlags ^ attributes.dwJobPageOrderFlags;
    settings.booklet = (orderFlags & kBookletPageOrderBit) != 0 ? 1 : 0;
    settings.fitToPaper = 0;
    settings.fitScales = 0;
    settings.scalePercent = kDefaultScalePercent;
    settings.maxSheetWidthUm = 0;
    settings.maxSheetHeightUm = 0;
    settings.cellReports = 0;
    settings.overlayFirstPageOnly = 0;
    ApplyOverlayDefaults(settings.overlay);
    settings.specialPages = 0;
    settings.backCover = 0;
    settings.marginMode = kDefaultMarginMode;
    settings.driverMargins = 0;
    settings.placementReports = 0;
    settings.marginVariant = 0;
    settings.manualDuplex = 0;
    settings.duplexSourceFixed = 0;
    settings.bindShortEdge = 0;
    settings.manualDuplexFrontRule = 0;
    settings.manualDuplexBackRule = 0;
    settings.manualDuplexOrderMode = kDefaultManualDuplexOrderMode;
    settings.dropShortManualDuplex = 0;
    settings.sourceSwap = 0;
    settings.flipDuplexReverse = 0;
    settings.collateMode = 0;
    settings.echoWordA = 0;
    settings.skipLastBlankBackSingle = 0;
    settings.skipLastBlankBack = 0;
    settings.rotationEnabled = 0;
    settings.echoWordB = 0;
    settings.previewEnabled = 0;
    settings.poster = 0;
    settings.posterSize = 0;
    for (LONG& tile : settings.posterTileSelected) {
        tile = 1;
    }
    settings.frontCover = 0;
    settings.lastSheetSpecial = 0;
    settings.markLastSheet = 0;
    settings.lastSheetSupported = 0;
    settings.rotateSheet = 0;
    if (jobDevmode != nullptr) {
        ApplyDevmodeDefaults(settings, *jobDevmode);
    }
    blankBackPending = 0;
}

int CNiraEmfJob::GetJobSettings()
{
    int answer = AskRecord(printerDC, ESCAPE_GET_JOB_SETTINGS, &settings, sizeof(settings));
    driverRepeatMode = settings.repeatMode;
    TerminateTexts(settings.overlay);
    settings.jobText[kJobSettingsTextChars - 1] = 0;
    if (answer <= 0) {
        ApplySettingsDefaults();
    }
    return 1;
}

int CNiraEmfJob::GetDriverState()
{
    ZeroMemory(&driverState, sizeof(driverState));
    int answer = AskRecord(printerDC, ESCAPE_GET_DRIVER_STATE, &driverState, sizeof(driverState));
    CopyDriverState(settings, driverState);
    driverRepeatMode = settings.repeatMode;
    driverState.colorToolEnabled = 0;
    driverState.colorToolArgument[kColorToolArgumentChars - 1] = 0;
    if (answer <= 0) {
        ApplySettingsDefaults();
    }
    return 1;
}

LONG CNiraEmfJob::CountSheetCopies() const
{
    LONG pagesPerSheet = 2 * pagesPerSide;
    LONG sheets = (pageCount + pagesPerSheet - 1) / pagesPerSheet;
    if (settings.specialPages != 0 && settings.backCover != 0) {
        ++sheets;
    }
    if (settings.specialPages != 0 && settings.frontCover != 0) {
        ++sheets;
    }
    return sheets * copies;
}

int CNiraEmfJob::SetJobCounts()
{
    if (pageCount <= 0 || pagesPerSide <= 0) {
        return 0;  // a job without pages announces nothing
    }
    jobCounts.repeatMode = settings.repeatMode;
    jobCounts.previewEnabled = settings.previewEnabled;
    jobCounts.previewResolution = settings.previewResolution;
    jobCounts.echoWordA = settings.echoWordA;
    jobCounts.copies = copies;
    jobCounts.echoWordB = settings.echoWordB;
    jobCounts.manualDuplex = settings.manualDuplex;
    jobCounts.firstPageOrientation = firstPageOrientation;
    jobCounts.secondBatch = secondBatch;
    jobCounts.sheetCopies = CountSheetCopies();
    jobCounts.pageCount = pageCount;
    jobCounts.jobId = processorJob != nullptr ? static_cast<LONG>(processorJob->jobId) : 0;
    return SendRecord(ESCAPE_SET_JOB_COUNTS, &jobCounts, sizeof(jobCounts));
}

int CNiraEmfJob::SendRecord(int code, const void* record, int size)
{
    return ExtEscape(printerDC, code, size, static_cast<LPCSTR>(record), 0, nullptr) > 0 ? 1 : 0;
}

int CNiraEmfJob::SendDriverEscape(int code)
{
    switch (code) {
    case ESCAPE_GET_JOB_SETTINGS:
        return GetJobSettings();
    case ESCAPE_GET_PAGE_SETTINGS:
        return AskRecord(printerDC, code, &pageSettings, sizeof(pageSettings)) > 0 ? 1 : 0;
    case ESCAPE_SET_JOB_COUNTS:
        return SetJobCounts();
    case ESCAPE_SET_PAGE_PLACEMENT:
        return SendRecord(code, &placement, sizeof(placement));
    case ESCAPE_OVERLAY_BEGIN:
    case ESCAPE_OVERLAY_NONE:
        ExtEscape(printerDC, code, 0, nullptr, 0, nullptr);
        return 0;
    case ESCAPE_GET_DRIVER_STATE:
        return GetDriverState();
    default:
        return 0;
    }
}
