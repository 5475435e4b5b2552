#include "printprocessor/PageStep.h"

#include <winppi.h>
#include <winspool.h>

#include "printprocessor/DriverQueries.h"
#include "printprocessor/PrivateBlockEdit.h"

#include <cstring>

namespace {

constexpr size_t kSpecVersionOffset = offsetof(DEVMODEW, dmSpecVersion);
constexpr size_t kComparedPublicBytes = offsetof(DEVMODEW, dmTTOption) - kSpecVersionOffset;   // 34
constexpr size_t kRestOffset = offsetof(DEVMODEW, dmFormName) + sizeof(DEVMODEW::dmFormName);  // 166
constexpr LONG kMediaSourceBase = 1000;
constexpr WORD kCollateFieldEnd = offsetof(DEVMODEW, dmFormName);  // 102: dmCollate is inside
constexpr LONG kLowestScale = 25;
constexpr LONG kHighestScale = 400;
constexpr LONG kFullScale = 100;
constexpr LONG kOutputModeReports = 3;
constexpr LONG kNegativeRepeat = 2;

size_t TotalSize(const DEVMODEW* d)
{
    return static_cast<size_t>(d->dmSize) + d->dmDriverExtra;
}

void ResetDC(const StrategyContext& context, DEVMODEW* devmode)
{
    GdiResetDCEMF(context.spoolHandle, devmode);
    SetGraphicsMode(context.printerDC, GM_ADVANCED);
}

// Whether a preview-only rule may run: the job has no preview, or this is the preview pass.
bool PreviewRule(const CNiraEmfJob& job)
{
    return job.settings.previewEnabled != 1 || job.previewPass != 0;
}

bool OutsidePreviewPass(const CNiraEmfJob& job)
{
    return job.settings.previewEnabled != 1 || job.previewPass == 0;
}

// The neighbour of the page in the order of printing: the page before, or after in reverse order.
LONG NeighbourOf(const CNiraEmfJob& job, LONG page)
{
    if (job.reverseOrder != 0) {
        return page < job.pageCount ? page + 1 : page;
    }
    return page > 1 ? page - 1 : page;
}

bool ScalesThroughPaper(const JobSettingsRecord& s, const DEVMODEW& page)
{
    LONG scale = s.scalePercent;
    bool scaled =
        (scale >= kLowestScale && scale < kFullScale) || (scale > kFullScale && scale <= kHighestScale);
    return scaled && page.dmPaperSize != 0 && s.driverScales != 0 && s.outputMode != kOutputModeReports;
}

// The width the device takes: wider papers are clamped, the wish remembered.
void ClampPaperWidth(CNiraEmfJob& job, DEVMODEW& page, LONG width)
{
    LONG limit = job.settings.maxPaperWidth;
    if (limit != 0 && width > limit) {
        job.paperWidthClamped = 1;
        job.requestedPaperWidth = width;
        page.dmPaperWidth = static_cast<SHORT>(limit);
    } else {
        job.paperWidthClamped = 0;
        page.dmPaperWidth = static_cast<SHORT>(width);
    }
}

// A scaled page goes out on a custom paper of the scaled size; false when the printer or its
// form is not found.
bool ScalePaper(CNiraEmfJob& job, DEVMODEW& page)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(job.processorJob->printerName, &printer, nullptr)) {
        return false;
    }
    PaperSize size = {};
    bool found = FormSizeByIndex(printer, page, page.dmPaperSize, size);
    ClosePrinter(printer);
    if (!found) {
        return false;
    }
    float f = static_cast<float>(job.settings.scalePercent) / kFullScale;
    page.dmPaperLength = static_cast<SHORT>(static_cast<LONG>(static_cast<float>(size.height) * f));
    ClampPaperWidth(job, page, static_cast<LONG>(static_cast<float>(size.width) * f));
    page.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    page.dmPaperSize = 0;
    return true;
}

void ApplyPaper(StrategyContext& context, DEVMODEW& page, const DEVMODEW& neighbour, bool& changed)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (s.fitToPaper != 0) {
        if (page.dmPaperSize != s.paperSize) {
            page.dmPaperSize = static_cast<SHORT>(s.paperSize);
            changed = true;
        }
    } else if (ScalesThroughPaper(s, page)) {
        if (PreviewRule(job) && ScalePaper(job, page)) {
            changed = true;
        }
    } else if (job.pagesPerSide != 1) {
        if (page.dmPaperSize != neighbour.dmPaperSize) {
            page.dmPaperSize = job.firstPaperSize;
            changed = true;
        }
        if (s.driverScales != 0 && (job.nupPages == 2 || job.nupPages == 6) && PreviewRule(job)) {
            page.dmOrientation =
                page.dmOrientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
            changed = true;
        }
    }
}

// A source above 1000 names a media type fed from the other sheets' source.
void DecodeMediaSource(StrategyContext& context, DEVMODEW& page, const DEVMODEW& neighbour, bool& changed)
{
    const CNiraEmfJob& job = *context.job;
    if (page.dmDefaultSource <= kMediaSourceBase) {
        return;
    }
    changed = true;
    page.dmMediaType = static_cast<DWORD>(page.dmDefaultSource - kMediaSourceBase);
    page.dmDefaultSource = static_cast<SHORT>(job.settings.otherPagesSource);
    if (job.IsOutputMode1245() && page.dmMediaType != neighbour.dmMediaType) {
        ResetDC(context, &page);
    }
}

struct SourcePair {
    LONG source;
    LONG media;
};

SourcePair SpecialPair(const JobSettingsRecord& s, LONG kind)
{
    switch (kind) {
    case kSheetFirst:
        return {s.firstPageSource, s.firstPageMedia};
    case kSheetOther:
        return {s.otherPagesSource, s.otherPagesMedia};
    case kSheetLast:
        return {s.lastSheetSource, s.lastSheetMediaType};
    default:
        return {0, 0};
    }
}

bool SetSource(DEVMODEW& page, LONG source)
{
    if (page.dmDefaultSource == source) {
        return false;
    }
    page.dmDefaultSource = static_cast<SHORT>(source);
    return true;
}

void ApplySpecialPageSource(StrategyContext& context, DEVMODEW& page, LONG kind, bool& changed)
{
    CNiraEmfJob& job = *context.job;
    SourcePair pair = SpecialPair(job.settings, kind);
    bool mode1245 = job.IsOutputMode1245();
    if ((kind == kSheetFirst || kind == kSheetLast) && mode1245 && page.dmDefaultSource == pair.source &&
        page.dmMediaType != static_cast<DWORD>(pair.media)) {
        ResetDC(context, &page);
    } else if (kind == kSheetOther && job.coverSourceSet == 0) {
        if (mode1245) {
            ResetDC(context, &page);
        }
        job.coverSourceSet = 1;
    }
    if (page.dmDefaultSource != pair.source || page.dmMediaType != static_cast<DWORD>(pair.media)) {
        page.dmDefaultSource = static_cast<SHORT>(pair.source);
        page.dmMediaType = static_cast<DWORD>(pair.media);
        changed = true;
    }
}

// The first batch of a swapping job takes the alternate source where the manual source stood.
void SwapFirstBatchSource(const StrategyContext& context, DEVMODEW& page, bool& changed)
{
    const JobSettingsRecord& s = context.job->settings;
    if (s.sourceSwap != 0 && context.firstBatch == 1 && page.dmDefaultSource == s.manualDuplexSource) {
        page.dmDefaultSource = static_cast<SHORT>(s.alternateSource);
        changed = true;
    }
}

// Output mode 4 feeds the second batch from its own source.
void SecondBatchSourceOfMode4(StrategyContext& context, DEVMODEW& page)
{
    const CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (s.outputMode != 4 || context.switchingBatch != 0) {
        return;
    }
    if (s.duplexSourceFixed != 0) {
        page.dmDefaultSource = static_cast<SHORT>(s.manualDuplexSource);
        ResetDC(context, &page);
    } else if (job.secondBatch != 0 && s.sourceSwap == 0) {
        page.dmDefaultSource = static_cast<SHORT>(s.alternateSource);
        ResetDC(context, &page);
    }
}

void ApplyManualDuplexSource(StrategyContext& context, DEVMODEW& page, const DEVMODEW& neighbour,
                             bool& changed)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    DecodeMediaSource(context, page, neighbour, changed);
    bool outsidePreview = OutsidePreviewPass(job);
    if (context.switchingBatch == 0) {
        SecondBatchSourceOfMode4(context, page);
    } else if (outsidePreview && SetSource(page, s.manualDuplexSource)) {
        changed = true;
    }
    SwapFirstBatchSource(context, page, changed);
    if (changed && job.secondBatch != 0 && outsidePreview) {
        page.dmDefaultSource = static_cast<SHORT>(s.manualDuplexSource);
    }
}

void ApplySpecialManualSource(StrategyContext& context, DEVMODEW& page, LONG kind, bool& changed)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    SourcePair pair = SpecialPair(s, kind);
    auto media = static_cast<DWORD>(static_cast<LONG>(static_cast<SHORT>(pair.media)));
    if (job.secondBatch != 0) {
        changed = SetSource(page, s.manualDuplexSource) || changed;
        if (page.dmMediaType != media) {
            page.dmMediaType = media;
            changed = true;
        }
    } else if (page.dmDefaultSource != pair.source || page.dmMediaType != media) {
        page.dmDefaultSource = static_cast<SHORT>(pair.source);
        page.dmMediaType = media;
        changed = true;
    }
    SwapFirstBatchSource(context, page, changed);
    if (job.secondBatch != 0) {
        SecondBatchSourceOfMode4(context, page);
    } else if (s.outputMode == 4 && context.switchingBatch == 0 && s.duplexSourceFixed != 0) {
        page.dmDefaultSource = static_cast<SHORT>(s.manualDuplexSource);
        ResetDC(context, &page);
    }
}

// Media that must run through the duplexer: the side goes out two-sided with a blank back.
void ApplyTwoSidedMedia(StrategyContext& context, DEVMODEW& page, bool& changed)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    auto media = static_cast<LONG>(page.dmMediaType);
    if (page.dmDuplex == DMDUP_SIMPLEX && s.duplexMediaOn != 0 &&
        (media == s.duplexMediaType1 || media == s.duplexMediaType2)) {
        job.blankBackPending = 1;
        changed = true;
        if (context.pageDevmode != nullptr) {
            context.pageDevmode->dmDuplex = DMDUP_HORIZONTAL;
        }
    }
}

// The whole sheet turns: the orientation, or the clamped custom paper's width and length.
void TurnSheet(CNiraEmfJob& job, DEVMODEW& page, bool& changed)
{
    if (!PreviewRule(job) || job.settings.rotateSheet == 0) {
        return;
    }
    if (job.paperWidthClamped == 0) {
        page.dmOrientation = page.dmOrientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    } else {
        LONG width = page.dmPaperLength;
        page.dmPaperLength = static_cast<SHORT>(job.requestedPaperWidth);
        ClampPaperWidth(job, page, width);
        page.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
        page.dmPaperSize = 0;
    }
    changed = true;
}

// Page parity in the page's private section: flags 221 and 222 tell odd pages from even ones.
void ApplyParityFlags(const CNiraEmfJob& job, DEVMODEW* page, LONG number, bool& changed)
{
    PrivateBlockEdit edit(job.processorJob->printerName, page);
    if (!edit.Loaded()) {
        return;
    }
    bool odd = job.settings.pageParityMode == 1 && number % 2 == 1;
    BYTE a = edit.Flag(kParityFlagA);
    BYTE b = edit.Flag(kParityFlagB);
    bool wrong = odd ? (a == 1 || b == 0) : (a == 0 || b == 1);
    if (wrong && edit.Client().SetFlag(kParityFlagA, odd ? 0 : 1, 0) &&
        edit.Client().SetFlag(kParityFlagB, odd ? 1 : 0, 0) && edit.Save()) {
        changed = true;
    }
}

void ApplyPreviewFlag(const CNiraEmfJob& job, DEVMODEW* page, bool& changed)
{
    PrivateBlockEdit edit(job.processorJob->printerName, page);
    if (edit.Loaded() && edit.Flag(kPreviewKeptFlag) == 0 && edit.Client().SetFlag(kPreviewFlag, 1, 0) &&
        edit.Save()) {
        changed = true;
    }
}

// The repeat flags of a repeated side; false when the section cannot be written.
bool ApplyRepeatFlags(const CNiraEmfJob& job, DEVMODEW* page, LONG index, LONG count, bool& changed)
{
    const JobSettingsRecord& s = job.settings;
    if (s.repeatMode != 1 || count <= 1 || (index != 0 && index + 1 != count)) {
        return true;
    }
    BYTE first = index == 0 ? 1 : 0;
    PrivateBlockEdit edit(job.processorJob->printerName, page);
    CNiraProcessorSettingsClient& client = edit.Client();
    LONG repeats = s.repeatCount < 0 ? kNegativeRepeat : s.repeatCount;
    if (!edit.Loaded()) {
        return true;  // a page without the section has nothing to tell
    }
    if (!client.SetFlag(kRepeatOnFlag, 1, 0) || !client.SetFlag(kFirstRepeatFlag, first, 0) ||
        !client.SetInt(kRepeatCountSetting, repeats, 0) || !edit.Save()) {
        return false;
    }
    changed = true;
    return true;
}

// Without repetition the section says one repetition; false when it cannot be written.
bool ApplyRepeatCountOne(const CNiraEmfJob& job, DEVMODEW* page, bool& changed)
{
    if (job.settings.repeatMode != 0) {
        return true;
    }
    PrivateBlockEdit edit(job.processorJob->printerName, page);
    if (!edit.Loaded() || edit.Int(kRepeatCountSetting) == 1) {
        return true;
    }
    if (!edit.Client().SetInt(kRepeatCountSetting, 1, 0) || !edit.Save()) {
        return false;
    }
    changed = true;
    return true;
}

// The job-wide fields that every page carries, then the reset.
bool CarryJobFields(StrategyContext& context, DEVMODEW& page, const DEVMODEW* jobDevmode)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    const DEVMODEW* pass = context.pageDevmode;
    if (s.fitToPaper != 0) {
        job.jobOrientation = page.dmOrientation;
    }
    if (pass != nullptr) {
        page.dmPrintQuality = pass->dmPrintQuality;
        page.dmYResolution = pass->dmYResolution;
        page.dmCopies = pass->dmCopies;
    }
    bool fallback = s.booklet == 0 && job.pagesPerSide == 1 && s.specialPages == 0 &&
                    page.dmDuplex != DMDUP_SIMPLEX && context.duplexFallback != 0;
    if (fallback) {
        page.dmDuplex = context.duplexFallback;
    } else if (pass != nullptr) {
        page.dmDuplex = pass->dmDuplex;
    }
    if (page.dmSize >= kCollateFieldEnd && jobDevmode != nullptr) {
        page.dmCollate = jobDevmode->dmSize >= kCollateFieldEnd ? jobDevmode->dmCollate : 0;
    }
    bool unused = false;
    if (!ApplyRepeatCountOne(job, &page, unused)) {
        return false;
    }
    ResetDC(context, &page);
    return true;
}

// Steps of the first cell of the first repetition: paper, media and sources, parity and preview.
void AdaptFirstCell(StrategyContext& context, LONG number, DEVMODEW& page, const DEVMODEW& neighbour,
                    LONG sheetKind, bool& changed)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    ApplyPaper(context, page, neighbour, changed);
    if (s.mediaOverride > 0 && static_cast<DWORD>(s.mediaOverride) != page.dmMediaType) {
        page.dmFields |= DM_MEDIATYPE;
        page.dmMediaType = static_cast<DWORD>(s.mediaOverride);
        changed = true;
    }
    if (s.sourceOverride > 0 && page.dmDefaultSource == DMBIN_FORMSOURCE) {
        page.dmFields |= DM_DEFAULTSOURCE;
        page.dmDefaultSource = static_cast<SHORT>(s.sourceOverride);
        changed = true;
    }
    if (s.manualDuplex == 0 && s.specialPages != 0) {
        ApplySpecialPageSource(context, page, sheetKind, changed);
    } else if (s.manualDuplex != 0 && s.specialPages == 0) {
        ApplyManualDuplexSource(context, page, neighbour, changed);
    } else if (s.manualDuplex != 0) {
        ApplySpecialManualSource(context, page, sheetKind, changed);
    }
    DecodeMediaSource(context, page, neighbour, changed);
    ApplyTwoSidedMedia(context, page, changed);
    TurnSheet(job, page, changed);
    if ((s.pageParityMode == 1 || (s.expandToEdges == 1 && number != context.parityPage)) &&
        PreviewRule(job)) {
        context.parityPage = number;
        ApplyParityFlags(job, &page, number, changed);
    }
    if (s.previewEnabled == 1) {
        ApplyPreviewFlag(job, &page, changed);
    }
}

// A page larger than the device's sheet switches the job to fit-to-paper; false when the page
// sizes cannot be measured.
bool HandleOversize(StrategyContext& context, DEVMODEW& page)
{
    CNiraEmfJob& job = *context.job;
    JobSettingsRecord& s = job.settings;
    if (context.oversizeHandled != 0 || !job.PageExceedsPaper(&page)) {
        return true;
    }
    page.dmPaperSize = static_cast<SHORT>(s.paperSize);
    if (s.fitToPaper == 0) {
        s.fitToPaper = 1;
        s.fitScales = 1;
        if (!job.BuildPageMetrics()) {
            return false;
        }
    }
    ResetDC(context, &page);
    context.oversizeHandled = 1;
    return true;
}

}  // namespace

BOOL DevmodesDiffer(const DEVMODEW* a, const DEVMODEW* b)
{
    if (a == b) {
        return FALSE;
    }
    if (a == nullptr || b == nullptr || TotalSize(a) != TotalSize(b) ||
        std::memcmp(a->dmDeviceName, b->dmDeviceName, sizeof(a->dmDeviceName)) != 0 ||
        TotalSize(a) <= kRestOffset) {
        return TRUE;
    }
    const auto* x = reinterpret_cast<const BYTE*>(a);
    const auto* y = reinterpret_cast<const BYTE*>(b);
    return std::memcmp(x + kSpecVersionOffset, y + kSpecVersionOffset, kComparedPublicBytes) != 0 ||
           a->dmCollate != b->dmCollate ||
           std::memcmp(a->dmFormName, b->dmFormName, sizeof(a->dmFormName)) != 0 ||
           std::memcmp(x + kRestOffset, y + kRestOffset, TotalSize(a) - kRestOffset) != 0;
}

bool ApplyRepetitionSettings(StrategyContext& context, DEVMODEW* page, LONG repetition, LONG repetitions)
{
    const CNiraEmfJob& job = *context.job;
    bool changed = false;
    if (job.settings.repeatMode == 1) {
        ApplyRepeatFlags(job, page, repetition, repetitions, changed);
    } else {
        ApplyRepeatCountOne(job, page, changed);
    }
    return changed;
}

BOOL PageStep(StrategyContext& context, LONG page, LONG laterCell, DEVMODEW* jobDevmode,
              DEVMODEW* pageDevmode, LONG sheetKind, LONG repetition, LONG repetitions)
{
    CNiraEmfJob& job = *context.job;
    if (pageDevmode == nullptr) {
        return FALSE;
    }
    if (job.reverseOrder != 0 && job.pageCount == 0) {
        job.pageCount = static_cast<LONG>(GdiGetPageCount(context.spoolHandle));
    }
    LONG neighbourPage = NeighbourOf(job, page);
    DEVMODEW* neighbour = pageDevmode;
    if (neighbourPage != page && !GetPageDevmode(job, neighbourPage, &neighbour)) {
        return FALSE;
    }
    bool changed = false;
    if (laterCell == 0 && repetition == 0) {
        if (pageDevmode->dmDuplex != DMDUP_SIMPLEX && context.duplexFallback == 0) {
            context.duplexFallback = pageDevmode->dmDuplex;
        }
        changed = neighbourPage == page || DevmodesDiffer(neighbour, pageDevmode);
        AdaptFirstCell(context, page, *pageDevmode, *neighbour, sheetKind, changed);
    }
    if (!ApplyRepeatFlags(job, pageDevmode, repetition, repetitions, changed)) {
        return FALSE;
    }
    if (changed && !CarryJobFields(context, *pageDevmode, jobDevmode)) {
        return FALSE;
    }
    return HandleOversize(context, *pageDevmode) ? TRUE : FALSE;
}

void ApplyBlankSideSource(StrategyContext& context, LONG page)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    DEVMODEW* devmode = context.pageDevmode;
    if (devmode == nullptr) {
        return;
    }
    DEVMODEW before = *devmode;
    bool changed = false;
    if (s.specialPages != 0) {
        LONG n = job.pagesPerSide > 0 ? job.pagesPerSide : 1;
        LONG kind = page <= 2 * n ? kSheetFirst : SheetKindOf(job, page, true);
        if (kind == kSheetLast && s.lastSheetSpecial == 0) {
            kind = kSheetOther;
        }
        SourcePair pair = SpecialPair(s, kind);
        devmode->dmDefaultSource = static_cast<SHORT>(pair.source);
        devmode->dmMediaType = static_cast<DWORD>(static_cast<LONG>(static_cast<SHORT>(pair.media)));
    } else if (context.switchingBatch != 0 && OutsidePreviewPass(job)) {
        devmode->dmDefaultSource = static_cast<SHORT>(s.manualDuplexSource);
    }
    if (s.fitToPaper != 0) {
        devmode->dmPaperSize = static_cast<SHORT>(s.paperSize);
    } else if (ScalesThroughPaper(s, *devmode)) {
        ScalePaper(job, *devmode);
    } else {
        devmode->dmPaperSize = job.firstPaperSize;
    }
    DecodeMediaSource(context, *devmode, before, changed);
    SwapFirstBatchSource(context, *devmode, changed);
    if (changed || std::memcmp(&before, devmode, sizeof(before)) != 0) {
        ResetDC(context, devmode);
    }
}

BOOL SwitchToSecondBatch(StrategyContext& context, DEVMODEW* devmode, LONG sheetKind)
{
    CNiraEmfJob& job = *context.job;
    if (devmode == nullptr) {
        return FALSE;
    }
    bool changed = false;
    if (job.settings.specialPages != 0) {
        ApplySpecialManualSource(context, *devmode, sheetKind, changed);
    } else {
        ApplyManualDuplexSource(context, *devmode, *devmode, changed);
    }
    if (changed) {
        ResetDC(context, devmode);
    }
    if (context.switchingBatch != 0) {
        job.secondBatch = 1;
        job.SendDriverEscape(ESCAPE_SET_JOB_COUNTS);
        context.switchingBatch = 0;
    }
    return TRUE;
}
