#include "printprocessor/PageStep.h"

#include <winppi.h>

#include <cstring>

namespace {

constexpr size_t kSpecVersionOffset = offsetof(DEVMODEW, dmSpecVersion);
constexpr size_t kComparedPublicBytes = offsetof(DEVMODEW, dmTTOption) - kSpecVersionOffset;   // 34
constexpr size_t kRestOffset = offsetof(DEVMODEW, dmFormName) + sizeof(DEVMODEW::dmFormName);  // 166
constexpr LONG kMediaSourceBase = 1000;
constexpr WORD kCollateFieldEnd = offsetof(DEVMODEW, dmFormName);  // 102: dmCollate is inside

size_t TotalSize(const DEVMODEW* d)
{
    return static_cast<size_t>(d->dmSize) + d->dmDriverExtra;
}

void ResetDC(const StrategyContext& context, DEVMODEW* devmode)
{
    GdiResetDCEMF(context.spoolHandle, devmode);
    SetGraphicsMode(context.printerDC, GM_ADVANCED);
}

// The neighbour of the page in the order of printing: the page before, or after in reverse order.
LONG NeighbourOf(const CNiraEmfJob& job, LONG page)
{
    if (job.reverseOrder != 0) {
        return page < job.pageCount ? page + 1 : page;
    }
    return page > 1 ? page - 1 : page;
}

void ApplyOverrides(const StrategyContext& context, DEVMODEW& page, const DEVMODEW& neighbour, bool& changed)
{
    const CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (s.fitToPaper != 0 && page.dmPaperSize != s.paperSize) {
        page.dmPaperSize = static_cast<SHORT>(s.paperSize);
        changed = true;
    } else if (s.fitToPaper == 0 && job.pagesPerSide != 1 && page.dmPaperSize != neighbour.dmPaperSize) {
        page.dmPaperSize = job.firstPaperSize;
        changed = true;
    }
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
    // A source above 1000 names a media type fed from the other sheets' source.
    if (page.dmDefaultSource > kMediaSourceBase) {
        changed = true;
        page.dmMediaType = static_cast<DWORD>(page.dmDefaultSource - kMediaSourceBase);
        page.dmDefaultSource = static_cast<SHORT>(s.otherPagesSource);
        if (job.IsOutputMode1245() && page.dmMediaType != neighbour.dmMediaType) {
            ResetDC(context, &page);
        }
    }
}

// The job-wide fields that every page carries, then the reset.
void CarryJobFields(StrategyContext& context, DEVMODEW& page, const DEVMODEW* jobDevmode)
{
    const CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    const DEVMODEW* pass = context.pageDevmode;
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
    ResetDC(context, &page);
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

BOOL PageStep(StrategyContext& context, LONG page, LONG laterCell, DEVMODEW* jobDevmode,
              DEVMODEW* pageDevmode, LONG, LONG repetition, LONG)
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
    if (laterCell != 0 || repetition != 0) {
        return TRUE;
    }
    if (pageDevmode->dmDuplex != DMDUP_SIMPLEX && context.duplexFallback == 0) {
        context.duplexFallback = pageDevmode->dmDuplex;
    }
    bool changed = neighbourPage == page || DevmodesDiffer(neighbour, pageDevmode);
    ApplyOverrides(context, *pageDevmode, *neighbour, changed);
    if (changed) {
        CarryJobFields(context, *pageDevmode, jobDevmode);
    }
    return TRUE;
}
