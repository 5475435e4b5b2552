// Cover sheets: blank sheets from the covers' own paper source and media, before and after the
// document, as many as the copies that surround them.
#include "printprocessor/PageStrategies.h"

#include <winppi.h>

namespace {

void ResetTo(const StrategyContext& context, DEVMODEW* devmode)
{
    GdiResetDCEMF(context.spoolHandle, devmode);
    SetGraphicsMode(context.printerDC, GM_ADVANCED);
}

// The blank sides of one cover sheet; a cover on two-sided-only media gets a further blank side.
void SendCoverSides(StrategyContext& context, DEVMODEW* devmode, bool switchedToTwoSided)
{
    CNiraEmfJob& job = *context.job;
    LONG sides = context.duplex != 0 ? 2 : 1;
    LONG repetitions = RepeatCount(job.settings);
    for (LONG side = 0; side < sides; ++side) {
        for (LONG r = 0; r < repetitions; ++r) {
            job.EmitBlankPages(BlankSidePages(job));
        }
    }
    if (switchedToTwoSided) {
        job.EmitBlankPages(BlankSidePages(job));
        devmode->dmDuplex = DMDUP_SIMPLEX;
        ResetTo(context, devmode);
    }
}

void PrintCover(StrategyContext& context, LONG n, bool back)
{
    CNiraEmfJob& job = *context.job;
    JobSettingsRecord& s = job.settings;
    DEVMODEW* devmode = context.pageDevmode;
    if (devmode == nullptr) {
        return;
    }
    if (s.fitToPaper != 0) {
        devmode->dmPaperSize = static_cast<SHORT>(s.paperSize);
    } else if (back) {
        devmode->dmPaperSize = job.firstPaperSize;
    }
    if (job.IsOutputMode1245()) {
        ResetTo(context, devmode);
    }
    if (context.oversizeHandled == 0 && job.PageExceedsPaper(devmode)) {
        devmode->dmPaperSize = static_cast<SHORT>(s.paperSize);
        if (s.fitToPaper == 0) {
            s.fitToPaper = 1;
            s.fitScales = 1;
            if (!job.BuildPageMetrics()) {
                return;
            }
        }
        ResetTo(context, devmode);
        context.oversizeHandled = 1;
    }
    devmode->dmMediaType = static_cast<DWORD>(back ? s.backCoverMediaType : s.frontCoverMediaType);
    if (context.firstBatch == 0 && s.manualDuplex != 0) {
        devmode->dmDefaultSource = static_cast<SHORT>(s.manualDuplexSource);
    } else {
        LONG source = back ? s.backCoverSource : s.frontCoverSource;
        if (s.sourceSwap != 0 && context.firstBatch == 1 && source == s.manualDuplexSource) {
            source = s.alternateSource;
        }
        devmode->dmDefaultSource = static_cast<SHORT>(source);
    }
    bool switchedToTwoSided = false;
    LONG media = static_cast<LONG>(devmode->dmMediaType);
    if (devmode->dmDuplex == DMDUP_SIMPLEX && s.duplexMediaOn != 0 &&
        (media == s.duplexMediaType1 || media == s.duplexMediaType2)) {
        devmode->dmDuplex = DMDUP_HORIZONTAL;
        switchedToTwoSided = true;
    }
    ResetTo(context, devmode);
    job.ClearPlacement();
    if (context.collate != 0 && n == 1) {
        SendCoverSides(context, devmode, switchedToTwoSided);
        return;
    }
    for (LONG chunk : CopyChunks(n, job.driverCopies)) {
        SetCopies(context, chunk);
        SendCoverSides(context, devmode, switchedToTwoSided);
    }
}

}  // namespace

void PrintFrontCover(StrategyContext& context, LONG n)
{
    PrintCover(context, n, false);
}

void PrintBackCover(StrategyContext& context, LONG n)
{
    PrintCover(context, n, true);
}
