// Manual two-sided printing: the sides of one kind go out first, the render module learns when
// the user has turned the stack, and the other sides follow onto its backs.
#include "printprocessor/PageStrategies.h"

#include <winppi.h>

#include "printprocessor/PageStep.h"

#include <algorithm>
#include <utility>

namespace {

constexpr LONG kFrontsAscending = 0;
constexpr LONG kFrontsDescending = 1;
constexpr LONG kBacksAscending = 2;
constexpr LONG kPagesPerBookletSheet = 4;

bool Ascending(LONG order)
{
    return order == kFrontsAscending || order == kBacksAscending;
}

// Orders the two lists (backs, fronts) as the order codes say, the first batch first.
template <typename List>
void OrderBatches(const CNiraEmfJob& job, List& backs, List& fronts, List& first, List& second)
{
    if (job.settings.manualDuplexOrderMode != 0) {
        if (job.frontOrder == kBacksAscending) {
            std::reverse(backs.begin(), backs.end());
        }
        if (job.backOrder == kFrontsDescending) {
            std::reverse(fronts.begin(), fronts.end());
        }
        first = backs;
        second = fronts;
        return;
    }
    if (job.backOrder == kBacksAscending) {
        std::reverse(backs.begin(), backs.end());
    }
    if (job.frontOrder == kFrontsDescending) {
        std::reverse(fronts.begin(), fronts.end());
    }
    first = fronts;
    second = backs;
}

LONG LastSheetStart(LONG pageCount, LONG n)
{
    LONG sheetPages = 2 * n;
    LONG lastSheet = pageCount % sheetPages == 0 ? pageCount / sheetPages - 1 : pageCount / sheetPages;
    return lastSheet * sheetPages + 1;
}

LONG NupSheetKind(const CNiraEmfJob& job, LONG page)
{
    const JobSettingsRecord& s = job.settings;
    if (s.specialPages == 0) {
        return kSheetOther;
    }
    LONG n = job.pagesPerSide;
    page = std::min(page, job.pageCount + 1);
    if (page == 1 || page == n + 1) {
        return kSheetFirst;
    }
    return s.lastSheetSpecial != 0 && page >= LastSheetStart(job.pageCount, n) ? kSheetLast : kSheetOther;
}

LONG BookletKind(const CNiraEmfJob& job, const BookletSide& side)
{
    auto has = [&](LONG page) { return side.left == page || side.right == page; };
    if (has(1) || has(2)) {
        return kSheetFirst;
    }
    LONG d = (job.pageCount + kPagesPerBookletSheet - 1) / kPagesPerBookletSheet * kPagesPerBookletSheet;
    LONG h = d / 2;
    bool last = side.left == h || side.right == h || side.left + 1 == h || side.right + 1 == h;
    return job.settings.lastSheetSpecial != 0 && last ? kSheetLast : kSheetOther;
}

// The blank back of the last sheet: the source of the batch, then blank sides.
bool PrintManualBlankBack(StrategyContext& context, LONG page)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    DEVMODEW* last = nullptr;
    if (!GetPageDevmode(job, job.pageCount, &last)) {
        return false;
    }
    if (s.outputMode == 4) {
        SHORT source = last->dmDefaultSource;
        if (s.duplexSourceFixed != 0) {
            source = static_cast<SHORT>(s.manualDuplexSource);
        } else if (context.firstBatch == 0 && context.switchingBatch == 0 && s.sourceSwap == 0) {
            source = static_cast<SHORT>(s.alternateSource);
        }
        if (source != last->dmDefaultSource) {
            last->dmDefaultSource = source;
            GdiResetDCEMF(context.spoolHandle, last);
            SetGraphicsMode(context.printerDC, GM_ADVANCED);
        }
    }
    ApplyBlankSideSource(context, page);
    job.ClearPlacement();
    job.SendDriverEscape(ESCAPE_SET_PAGE_PLACEMENT);
    LONG repetitions = RepeatCount(s);
    for (LONG r = 0; r < repetitions; ++r) {
        for (LONG i = 0; i < BlankSidePages(job); ++i) {
            if (!GdiStartPageEMF(context.spoolHandle)) {
                return false;
            }
            if (i == 0 && ApplyRepetitionSettings(context, last, r, repetitions)) {
                GdiResetDCEMF(context.spoolHandle, last);
                SetGraphicsMode(context.printerDC, GM_ADVANCED);
            }
            if (!GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
                return false;
            }
        }
    }
    return true;
}

bool PrintManualSide(StrategyContext& context, LONG first, LONG kind)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    LONG mode = BaseMode(s);
    job.ClearPlacement();
    if (first == job.pageCount + 1) {
        return PrintManualBlankBack(context, first);
    }
    DEVMODEW* firstDevmode = nullptr;
    if (!GetPageDevmode(job, first, &firstDevmode)) {
        return false;
    }
    LONG entries[16] = {};
    bool directed = job.pagesPerSide != 1 && s.nupDirection != 0;
    if (directed && !CellOrder(context, *firstDevmode, job.pagesPerSide, s.nupDirection, entries)) {
        return false;
    }
    LONG repetitions = RepeatCount(s);
    for (LONG r = 0; r < repetitions; ++r) {
        for (LONG j = 1; j <= job.pagesPerSide; ++j) {
            LONG page = first + (directed ? entries[j - 1] : j) - 1;
            if (j == 1 &&
                !PageStep(context, first, 0, context.pageDevmode, firstDevmode, kind, r, repetitions)) {
                return false;
            }
            if ((job.nupPages == 1 || j == 1) && !GdiStartPageEMF(context.spoolHandle)) {
                return false;
            }
            if (page <= job.pageCount) {
                DWORD type = 0;
                HANDLE handle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(page), &type);
                if (handle == nullptr || !PlayCellPage(context, handle, firstDevmode, page, j, mode)) {
                    return false;
                }
            }
            if (job.nupPages == 1 && !GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
                return false;
            }
        }
        if (job.nupPages != 1 && !GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
            return false;
        }
    }
    return true;
}

// Between the batches: the source of the second batch and the job counts that announce it.
template <typename KindOf>
void SwitchBatch(StrategyContext& context, KindOf kindOfFirst)
{
    context.firstBatch = 0;
    context.switchingBatch = 1;
    SwitchToSecondBatch(context, context.pageDevmode, kindOfFirst());
    context.switchingBatch = 0;
}

bool CountedPages(CNiraEmfJob& job)
{
    if (job.pageCount == 0) {
        job.CountPages();
    }
    return job.pageCount != 0;
}

// The two batches of an n-up manual two-sided job with the covers around them: copies in chunks
// per side (not collated) or the whole batch per chunk (collated).
class NupBatches {
public:
    NupBatches(StrategyContext& context, ManualBatches batches)
        : m_context(context),
          m_job(*context.job),
          m_batches(std::move(batches)),
          m_chunks(CopyChunks(m_job.copies, m_job.driverCopies)),
          m_covers(m_job.settings.specialPages != 0)
    {}

    bool PrintUncollated(int batch)
    {
        bool ascending = Ascending(Order(batch));
        CoverBefore(ascending, m_job.copies);
        bool printed = false;
        for (LONG first : List(batch)) {
            for (LONG chunk : m_chunks) {
                SetCopies(m_context, chunk);
                if (!PrintManualSide(m_context, first, NupSheetKind(m_job, first))) {
                    return false;
                }
                printed = true;
            }
        }
        // The first batch's closing covers come from the second batch's source.
        SwitchAfter(batch);
        const JobSettingsRecord& s = m_job.settings;
        if (m_covers && s.frontCover != 0 && !ascending && (!m_frontCoverAfter || m_frontCoverBefore)) {
            PrintFrontCover(m_context, m_job.copies);
            m_frontCoverAfter = true;
        } else if (m_covers && s.backCover != 0 && ascending && (printed || batch == 0)) {
            PrintBackCover(m_context, m_job.copies);
        }
        return true;
    }

    bool PrintCollated(int batch)
    {
        bool ascending = Ascending(Order(batch));
        const JobSettingsRecord& s = m_job.settings;
        for (LONG chunk : m_chunks) {
            SetCopies(m_context, chunk);
            CoverBefore(ascending, 1);
            bool printed = false;
            for (LONG first : List(batch)) {
                if (!PrintManualSide(m_context, first, NupSheetKind(m_job, first))) {
                    return false;
                }
                printed = true;
            }
            if (m_covers && s.frontCover != 0 && !ascending && !m_frontCoverAfter) {
                PrintFrontCover(m_context, 1);
                m_frontCoverAfter = true;
            } else if (m_covers && s.backCover != 0 && ascending && (printed || batch == 0)) {
                PrintBackCover(m_context, 1);
            }
        }
        SwitchAfter(batch);
        return true;
    }

private:
    const std::vector<LONG>& List(int batch) const { return batch == 0 ? m_batches.first : m_batches.second; }
    LONG Order(int batch) const { return batch == 0 ? m_job.frontOrder : m_job.backOrder; }

    // The front cover opens an ascending batch, the back cover a descending one.
    void CoverBefore(bool ascending, LONG n)
    {
        const JobSettingsRecord& s = m_job.settings;
        if (m_covers && s.frontCover != 0 && ascending) {
            PrintFrontCover(m_context, n);
            m_frontCoverBefore = true;
        } else if (m_covers && s.backCover != 0 && !ascending) {
            PrintBackCover(m_context, n);
        }
    }

    void SwitchAfter(int batch)
    {
        if (batch != 0) {
            return;
        }
        SwitchBatch(m_context, [this] {
            return m_batches.second.empty() ? kSheetOther : NupSheetKind(m_job, m_batches.second.front());
        });
    }

    StrategyContext& m_context;
    CNiraEmfJob& m_job;
    ManualBatches m_batches;
    std::vector<LONG> m_chunks;
    bool m_covers;
    bool m_frontCoverBefore = false;
    bool m_frontCoverAfter = false;
};

}  // namespace

bool ManualFlip(const StrategyContext& context)
{
    const CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (s.rotationEnabled == 0) {
        return false;
    }
    bool flip = false;
    if (context.firstBatch != 0) {
        bool pairs = job.pagesPerSide == 2 || job.pagesPerSide == 6;
        bool portrait = job.firstPageOrientation == DMORIENT_PORTRAIT;
        bool along = (portrait && s.bindShortEdge == 0) || (!portrait && s.bindShortEdge != 0);
        flip = (along ? !pairs : pairs) && s.booklet == 0;
    }
    return s.rotate180 != 0 ? !flip : flip;
}

ManualBatches BuildManualDuplexLists(const CNiraEmfJob& job)
{
    LONG n = job.pagesPerSide > 0 ? job.pagesPerSide : 1;
    LONG count = job.pageCount;
    LONG d = (count + n - 1) / n * n;
    LONG sheets = (d + 2 * n - 1) / (2 * n);
    bool odd = (d / n) % 2 == 1;
    std::vector<LONG> backs;
    for (LONG i = 0, p = n + 1; i < sheets && count != 1 && p <= count; ++i, p += 2 * n) {
        backs.insert(backs.begin(), p);
    }
    if (odd) {
        backs.insert(backs.begin(), count + 1);  // the blank back of the last sheet
    }
    std::vector<LONG> fronts;
    for (LONG i = 0, p = odd ? d - n + 1 : d - 2 * n + 1; i < sheets; ++i, p -= 2 * n) {
        if (p >= 1 && p <= count) {
            fronts.insert(fronts.begin(), p);
        }
    }
    ManualBatches batches;
    OrderBatches(job, backs, fronts, batches.first, batches.second);
    return batches;
}

BookletBatches BuildBookletBatchLists(const CNiraEmfJob& job)
{
    LONG d = (job.pageCount + kPagesPerBookletSheet - 1) / kPagesPerBookletSheet * kPagesPerBookletSheet;
    LONG sheets = d / kPagesPerBookletSheet;
    LONG h = d / 2;
    std::vector<BookletSide> inner;
    std::vector<BookletSide> outer;
    bool leftFirst = job.settings.booklet == 1;
    for (LONG i = 0; i < sheets; ++i) {
        BookletSide in = {h - 2 * i, h + 1 + 2 * i};
        BookletSide out = {d - 2 * i, 1 + 2 * i};
        inner.push_back(leftFirst ? in : BookletSide{in.right, in.left});
        outer.push_back(leftFirst ? out : BookletSide{out.right, out.left});
    }
    BookletBatches batches;
    OrderBatches(job, inner, outer, batches.first, batches.second);
    return batches;
}

BOOL PrintManualDuplexNup(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    if (!CountedPages(job)) {
        return FALSE;
    }
    NupBatches run(context, BuildManualDuplexLists(job));
    context.switchingBatch = 0;
    context.firstBatch = 1;
    for (int batch = 0; batch < 2; ++batch) {
        bool printed = context.collate == 0 ? run.PrintUncollated(batch) : run.PrintCollated(batch);
        if (!printed) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL PrintManualDuplexBooklet(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (!CountedPages(job)) {
        return FALSE;
    }
    BookletBatches batches = BuildBookletBatchLists(job);
    context.firstBatch = 1;
    context.switchingBatch = 0;
    job.bookletSheetCount = static_cast<LONG>(batches.first.size());
    const std::vector<BookletSide>* lists[] = {&batches.first, &batches.second};
    LONG orders[] = {job.frontOrder, job.backOrder};
    std::vector<LONG> chunks = CopyChunks(job.copies, job.driverCopies);
    bool frontCover = s.specialPages != 0 && s.frontCover != 0;
    auto printSide = [&](const BookletSide& side) {
        BookletSheet sheet = {{side.left, side.right, job.pageCount + 1, job.pageCount + 1}, 0};
        bool opening = side.left <= 2 || side.right <= 2;
        sheet.reference = opening ? 1 : std::min(job.pageCount, side.left);
        return PrintBookletSheet(context, sheet, BookletKind(job, side));
    };
    for (int batch = 0; batch < 2; ++batch) {
        bool ascending = Ascending(orders[batch]);
        LONG coverCopies = context.collate != 0 ? 1 : job.copies;
        if (context.collate == 0 && frontCover && ascending) {
            PrintFrontCover(context, coverCopies);
        }
        for (size_t chunkIndex = 0; chunkIndex < (context.collate != 0 ? chunks.size() : 1); ++chunkIndex) {
            if (context.collate != 0) {
                PauseCheck(job);
                SetCopies(context, chunks[chunkIndex]);
                if (frontCover && ascending) {
                    PrintFrontCover(context, 1);
                }
            }
            for (const BookletSide& side : *lists[batch]) {
                for (LONG chunk : context.collate != 0 ? std::vector<LONG>{0} : chunks) {
                    if (context.collate == 0) {
                        PauseCheck(job);
                        SetCopies(context, chunk);
                    }
                    if (!printSide(side)) {
                        return FALSE;
                    }
                }
            }
            if (frontCover && !ascending) {
                PrintFrontCover(context, coverCopies);
            }
        }
        if (batch == 0) {
            SwitchBatch(context, [&] {
                return batches.second.empty() ? kSheetOther : BookletKind(job, batches.second.front());
            });
        }
    }
    return TRUE;
}
