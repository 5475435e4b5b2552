// The pages in a chosen order: several per side in a direction (down then across, or from the
// right), and the document from its last sheet to its first.
#include "printprocessor/PageStrategies.h"

#include <winppi.h>

#include "printprocessor/PageStep.h"

namespace {

constexpr LONG kMaxCells = 16;

struct OrderTable {
    LONG pages;
    LONG direction;  // 1 to 3
    bool turned;     // only 6 pages per side tell turned cells apart
    LONG entries[kMaxCells];
};

// The page within the side's group that each cell receives.
const OrderTable kOrderTables[] = {
    {4, 1, false, {1, 3, 2, 4}},
    {4, 2, false, {2, 1, 4, 3}},
    {4, 3, false, {3, 1, 4, 2}},
    {6, 1, true, {1, 3, 5, 2, 4, 6}},
    {6, 2, true, {3, 2, 1, 6, 5, 4}},
    {6, 3, true, {5, 3, 1, 6, 4, 2}},
    {6, 1, false, {1, 4, 2, 5, 3, 6}},
    {6, 2, false, {2, 1, 4, 3, 6, 5}},
    {6, 3, false, {4, 1, 5, 2, 6, 3}},
    {9, 1, false, {1, 4, 7, 2, 5, 8, 3, 6, 9}},
    {9, 2, false, {3, 2, 1, 6, 5, 4, 9, 8, 7}},
    {9, 3, false, {7, 4, 1, 8, 5, 2, 9, 6, 3}},
    {16, 1, false, {1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16}},
    {16, 2, false, {4, 3, 2, 1, 8, 7, 6, 5, 12, 11, 10, 9, 16, 15, 14, 13}},
    {16, 3, false, {13, 9, 5, 1, 14, 10, 6, 2, 15, 11, 7, 3, 16, 12, 8, 4}},
};

// Whether the six-up cells of the DC lie across the sheet.
bool SixUpCellsRotated(const CNiraEmfJob& job, HDC dc)
{
    LONG a = GetDeviceCaps(dc, LOGPIXELSX);
    LONG b = GetDeviceCaps(dc, LOGPIXELSY);
    if (a == b) {
        a = b = 1;
    }
    LONG g = a * (GetDeviceCaps(dc, DESKTOPVERTRES) - 1);
    LONG h = b * (GetDeviceCaps(dc, DESKTOPHORZRES) - 1);
    LONG cellWidth = g < h ? h / 3 : h / 2;
    LONG cellHeight = g < h ? g / 2 : g / 3;
    if (job.settings.driverScales != 0) {
        return false;
    }
    bool portraitSheet = b * GetDeviceCaps(dc, PHYSICALWIDTH) < a * GetDeviceCaps(dc, PHYSICALHEIGHT);
    return portraitSheet ? cellWidth >= cellHeight : cellWidth < cellHeight;
}

bool SixUpTurned(const StrategyContext& context, const DEVMODEW& page)
{
    const CNiraEmfJob& job = *context.job;
    bool landscape = page.dmOrientation == DMORIENT_LANDSCAPE;
    bool portrait = page.dmOrientation == DMORIENT_PORTRAIT;
    if (!job.IsOutputMode1245()) {
        return job.settings.outputMode == 3 && portrait;
    }
    constexpr SHORT kPaperTabloid = 3;
    if (SixUpCellsRotated(job, context.printerDC)) {
        return !landscape;
    }
    return landscape || (portrait && page.dmDuplex != DMDUP_SIMPLEX && context.pageDevmode != nullptr &&
                         context.pageDevmode->dmPaperSize == kPaperTabloid);
}

bool PlayListedPage(StrategyContext& context, LONG page, const DEVMODEW* sheet, LONG cell, LONG mode)
{
    DWORD type = 0;
    HANDLE handle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(page), &type);
    return handle != nullptr && PlayCellPage(context, handle, sheet, page, cell, mode);
}

// The first pages of the sheet-side groups, descending in reverse order.
std::vector<LONG> GroupStarts(const CNiraEmfJob& job)
{
    std::vector<LONG> starts;
    LONG n = job.pagesPerSide > 0 ? job.pagesPerSide : 1;
    for (LONG first = 1; first <= job.pageCount; first += n) {
        if (job.reverseOrder != 0) {
            starts.insert(starts.begin(), first);
        } else {
            starts.push_back(first);
        }
    }
    return starts;
}

// Blank sides after a two-sided sheet that ran out of pages, unless the driver skips them.
bool PrintBlankSides(StrategyContext& context, LONG sidesLeft)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    job.ClearPlacement();
    bool fitsOneSide = job.pagesPerSide >= job.pageCount;
    bool blank = false;
    if (sidesLeft == 1) {
        blank = !(fitsOneSide && s.skipLastBlankBackSingle != 0);
    } else if (sidesLeft == 2) {
        blank = fitsOneSide ? s.skipLastBlankBackSingle == 0 : s.skipLastBlankBack == 0;
    }
    if (!blank) {
        return true;
    }
    LONG repeats = s.repeatMode == 1 ? (s.repeatCount < 0 ? 2 : (s.repeatCount > 0 ? s.repeatCount : 1)) : 1;
    return job.EmitBlankPages(repeats * BlankSidePages(job));
}

// One side of a directed n-up sheet from its first page; ranOut when no page is left for it.
bool PrintNupSide(StrategyContext& context, LONG first, bool& ranOut)
{
    CNiraEmfJob& job = *context.job;
    if (first > job.pageCount) {
        ranOut = true;
        return true;
    }
    DEVMODEW* firstDevmode = nullptr;
    LONG entries[kMaxCells] = {};
    if (!GetPageDevmode(job, first, &firstDevmode) ||
        !CellOrder(context, *firstDevmode, job.pagesPerSide, job.settings.nupDirection, entries)) {
        return false;
    }
    job.ClearPlacement();
    LONG repetitions = RepeatCount(job.settings);
    LONG mode = BaseMode(job.settings);
    LONG kind = SheetKindOf(job, first, context.duplex != 0);
    for (LONG r = 0; r < repetitions; ++r) {
        bool stepped = false;
        for (LONG j = 1; j <= job.pagesPerSide; ++j) {
            LONG page = first + entries[j - 1] - 1;
            if ((job.nupPages == 1 || j == 1) && !GdiStartPageEMF(context.spoolHandle)) {
                return false;
            }
            if (page <= job.pageCount) {
                if (!stepped && !PageStep(context, first, j != 1, context.pageDevmode, firstDevmode, kind, r,
                                          repetitions)) {
                    return false;
                }
                stepped = true;
                if (!PlayListedPage(context, page, firstDevmode, j, mode)) {
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
        if (!SendPendingBlankBack(context, firstDevmode)) {
            return false;
        }
    }
    return true;
}

bool PrintNupSheet(StrategyContext& context, LONG front, LONG back)
{
    bool ranOut = false;
    LONG sidesLeft = 0;
    if (!PrintNupSide(context, front, ranOut)) {
        return false;
    }
    if (ranOut) {
        sidesLeft = 2;
    } else if (context.duplex != 0) {
        if (!PrintNupSide(context, back, ranOut)) {
            return false;
        }
        sidesLeft = ranOut ? 1 : 0;
    }
    bool twoSided = context.pageDevmode != nullptr && context.pageDevmode->dmDuplex != DMDUP_SIMPLEX;
    return !(context.duplex != 0 && ranOut && twoSided) || PrintBlankSides(context, sidesLeft);
}

struct SidePair {
    LONG front;
    LONG back;
};

// The sheets' first pages of front and back, in the order they are printed.
std::vector<SidePair> SidePairs(const CNiraEmfJob& job, bool duplex)
{
    std::vector<LONG> starts = GroupStarts(job);
    std::vector<SidePair> pairs;
    LONG beyond = job.pageCount + 1;
    bool odd = starts.size() % 2 == 1;
    for (size_t i = 0; i < starts.size();) {
        if (!duplex) {
            pairs.push_back({starts[i], beyond});
            i += 1;
        } else if (job.reverseOrder == 0) {
            pairs.push_back({starts[i], i + 1 < starts.size() ? starts[i + 1] : beyond});
            i += 2;
        } else if (odd) {
            pairs.push_back({starts[i], beyond});
            odd = false;
            i += 1;
        } else {
            pairs.push_back({i + 1 < starts.size() ? starts[i + 1] : beyond, starts[i]});
            i += 2;
        }
    }
    return pairs;
}

// The covers around the document: in reverse order the back cover comes first.
struct Covers {
    explicit Covers(StrategyContext& context) : context(context) {}

    void Opening(LONG n) const { Print(n, context.job->reverseOrder != 0); }
    void Closing(LONG n) const { Print(n, context.job->reverseOrder == 0); }

    void Print(LONG n, bool back) const
    {
        const JobSettingsRecord& s = context.job->settings;
        if (s.specialPages != 0 && back && s.backCover != 0) {
            PrintBackCover(context, n);
        } else if (s.specialPages != 0 && !back && s.frontCover != 0) {
            PrintFrontCover(context, n);
        }
    }

    StrategyContext& context;
};

bool PrintDirected(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    std::vector<SidePair> pairs = SidePairs(job, context.duplex != 0);
    std::vector<LONG> chunks = CopyChunks(job.copies, job.driverCopies);
    Covers covers(context);
    PauseCheck(job);
    if (context.collate != 0) {
        SkipFlagsByChunk skipFlags(job);
        for (size_t chunk = 0; chunk < chunks.size(); ++chunk) {
            skipFlags.BeforeChunk(chunk + 1 == chunks.size());
            SetCopies(context, chunks[chunk]);
            covers.Opening(1);
            for (const SidePair& pair : pairs) {
                if (!PrintNupSheet(context, pair.front, pair.back)) {
                    return false;
                }
            }
            covers.Closing(1);
        }
        return true;
    }
    covers.Opening(job.copies);
    for (const SidePair& pair : pairs) {
        for (LONG chunk : chunks) {
            SetCopies(context, chunk);
            if (!PrintNupSheet(context, pair.front, pair.back)) {
                return false;
            }
        }
    }
    covers.Closing(job.copies);
    return true;
}

// The sheet kind of a page printed in reverse order, one page per EMF page.
LONG ReverseSheetKind(const StrategyContext& context, LONG page)
{
    const CNiraEmfJob& job = *context.job;
    LONG n = job.pagesPerSide;
    if (page <= (context.duplex != 0 ? 2 * n : n)) {
        return kSheetFirst;
    }
    return page == job.pageCount && job.settings.lastSheetSpecial != 0 ? kSheetLast : kSheetOther;
}

// One page per EMF page from a sheet's first page, the driver grouping the pages.
bool PrintReverseSheet(StrategyContext& context, LONG start)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    bool single = job.driverPagesPerSide >= job.pageCount && s.skipLastBlankBackSingle != 0;
    LONG perSide = single ? job.pageCount - start + 1 : job.driverPagesPerSide;
    std::vector<std::vector<LONG>> sides(context.duplex != 0 ? 2 : 1);
    for (size_t side = 0; side < sides.size(); ++side) {
        for (LONG i = 0; i < perSide; ++i) {
            sides[side].push_back(start + static_cast<LONG>(side) * perSide + i);
        }
    }
    DEVMODEW* first = nullptr;
    DEVMODEW* second = nullptr;
    if (context.duplex != 0 && job.pagesPerSide == 1 && s.fitToPaper == 0 && start + 1 <= job.pageCount &&
        GetPageDevmode(job, start, &first) && GetPageDevmode(job, start + 1, &second) &&
        first->dmPaperSize != second->dmPaperSize) {
        // Pages on papers of their own go out each on its own sheet, the later one first.
        std::swap(sides[0][0], sides[1][0]);
    }
    LONG repetitions = RepeatCount(s);
    LONG mode = BaseMode(s);
    for (const std::vector<LONG>& pages : sides) {
        job.ClearPlacement();
        DEVMODEW* devmode = nullptr;
        for (size_t index = 0; index < pages.size(); ++index) {
            LONG page = pages[index];
            if (page > job.pageCount) {
                continue;
            }
            for (LONG r = 0; r < repetitions; ++r) {
                DWORD type = 0;
                if (!GdiStartPageEMF(context.spoolHandle)) {
                    return false;
                }
                HANDLE handle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(page), &type);
                if (handle == nullptr || !GetPageDevmode(job, page, &devmode) ||
                    !PageStep(context, page, index != 0, context.pageDevmode, devmode,
                              ReverseSheetKind(context, page), r, repetitions) ||
                    !PlayPageInCell(*context.cellPlacement, handle, devmode, 1, page, 1, mode) ||
                    !GdiEndPageEMF(context.spoolHandle, job.endPageOptimization)) {
                    return false;
                }
            }
        }
        if (!SendPendingBlankBack(context, devmode)) {
            return false;
        }
    }
    return true;
}

// Runs one sheet printer over the sheets in order, with copies and covers around them.
template <typename Sheets, typename PrintSheet>
bool PrintSheetsFromTheLast(StrategyContext& context, const Sheets& sheets, PrintSheet printSheet)
{
    CNiraEmfJob& job = *context.job;
    std::vector<LONG> chunks = CopyChunks(job.copies, job.driverCopies);
    Covers covers(context);
    if (context.collate != 0) {
        for (LONG chunk : chunks) {
            SetCopies(context, chunk);
            covers.Opening(1);
            for (const auto& sheet : sheets) {
                PauseCheck(job);
                if (!printSheet(sheet)) {
                    return false;
                }
            }
            covers.Closing(1);
        }
        return true;
    }
    covers.Opening(job.copies);
    for (const auto& sheet : sheets) {
        PauseCheck(job);
        for (LONG chunk : chunks) {
            SetCopies(context, chunk);
            if (!printSheet(sheet)) {
                return false;
            }
        }
    }
    covers.Closing(job.copies);
    return true;
}

bool PrintReverse(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    std::vector<LONG> starts = GroupStarts(job);
    std::vector<LONG> visited;
    bool duplex = context.duplex != 0;
    // Two-sided, only the groups that begin a sheet: the last group is a back unless it stands alone.
    size_t i = duplex && starts.size() % 2 == 0 ? 1 : 0;
    for (; i < starts.size(); i += duplex ? 2 : 1) {
        visited.push_back(starts[i]);
    }
    return PrintSheetsFromTheLast(context, visited,
                                  [&](LONG start) { return PrintReverseSheet(context, start); });
}

struct PageRange {
    LONG first;
    LONG last;
};

struct SheetRanges {
    PageRange front;
    PageRange back;
};

// The page ranges of the sheets from the last to the first, the processor laying the pages of a
// side out in their natural order.
std::vector<SheetRanges> ReverseNupRanges(const CNiraEmfJob& job, bool duplex)
{
    std::vector<LONG> nodes = GroupStarts(job);  // descending
    std::vector<SheetRanges> sheets;
    LONG count = job.pageCount;
    const PageRange empty = {count + 1, 0};
    size_t at = 0;
    if (nodes.empty()) {
        return sheets;
    }
    if (!duplex) {
        LONG last = count;
        for (; at < nodes.size(); ++at) {
            sheets.push_back({{nodes[at], last}, empty});
            last = nodes[at] - 1;
        }
        return sheets;
    }
    LONG last = count;
    if (nodes.size() % 2 == 1) {
        sheets.push_back({{nodes[0], count}, empty});
        last = nodes[0] - 1;
        at = 1;
    }
    while (at < nodes.size()) {
        PageRange back = {nodes[at], last};
        PageRange front = at + 1 < nodes.size() ? PageRange{nodes[at + 1], nodes[at] - 1} : empty;
        sheets.push_back({front, back});
        last = front.first - 1;
        at += 2;
    }
    return sheets;
}

bool PrintReverseNupSide(StrategyContext& context, const PageRange& range, bool backSide)
{
    CNiraEmfJob& job = *context.job;
    const JobSettingsRecord& s = job.settings;
    if (backSide && range.last < range.first && s.skipLastBlankBackSingle != 0 &&
        range.first <= job.pagesPerSide + 1) {
        return true;
    }
    job.ClearPlacement();
    LONG repetitions = RepeatCount(s);
    LONG mode = BaseMode(s);
    bool duplex = context.duplex != 0;
    DEVMODEW* sheet = nullptr;
    for (LONG r = 0; r < repetitions && range.first <= job.pageCount; ++r) {
        for (LONG j = 1; j <= job.pagesPerSide; ++j) {
            LONG page = range.first + j - 1;
            if ((job.nupPages == 1 || j == 1) && !GdiStartPageEMF(context.spoolHandle)) {
                return false;
            }
            if (page <= range.last) {
                DWORD type = 0;
                HANDLE handle = GdiGetPageHandle(context.spoolHandle, static_cast<DWORD>(page), &type);
                if (handle == nullptr) {
                    return false;
                }
                if (j == 1) {
                    LONG n = job.pagesPerSide;
                    LONG kind = page <= (duplex ? 2 * n : n)                          ? kSheetFirst
                                : page + n > job.pageCount && s.lastSheetSpecial != 0 ? kSheetLast
                                                                                      : kSheetOther;
                    if (!GetPageDevmode(job, page, &sheet) ||
                        !PageStep(context, page, page != 1, context.pageDevmode, sheet, kind, r,
                                  repetitions)) {
                        return false;
                    }
                }
                if (!PlayCellPage(context, handle, sheet, page, j, mode)) {
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
    return SendPendingBlankBack(context, sheet);
}

bool PrintReverseNup(StrategyContext& context)
{
    bool duplex = context.duplex != 0;
    std::vector<SheetRanges> sheets = ReverseNupRanges(*context.job, duplex);
    return PrintSheetsFromTheLast(context, sheets, [&](const SheetRanges& sheet) {
        return PrintReverseNupSide(context, sheet.front, false) &&
               (!duplex || PrintReverseNupSide(context, sheet.back, true));
    });
}

}  // namespace

bool CellOrder(const StrategyContext& context, const DEVMODEW& first, LONG pages, LONG direction,
               LONG* entries)
{
    if (pages == 2 && (direction == 1 || (direction >= 2 && direction <= 3))) {
        bool backwards = direction != 1 && first.dmOrientation == DMORIENT_PORTRAIT;
        if (direction != 1 && context.job->settings.driverScales != 0) {
            backwards = !backwards;
        }
        entries[0] = backwards ? 2 : 1;
        entries[1] = backwards ? 1 : 2;
        return true;
    }
    bool turned = pages == 6 && SixUpTurned(context, first);
    for (const OrderTable& table : kOrderTables) {
        if (table.pages == pages && table.direction == direction && table.turned == turned) {
            for (LONG i = 0; i < pages; ++i) {
                entries[i] = table.entries[i];
            }
            return true;
        }
    }
    return false;
}

bool PlayCellPage(StrategyContext& context, HANDLE pageHandle, const DEVMODEW* sheet, LONG page, LONG cell,
                  LONG mode)
{
    CNiraEmfJob& job = *context.job;
    DEVMODEW* own = nullptr;
    if (!GetPageDevmode(job, page, &own)) {
        return false;
    }
    if ((job.pagesPerSide == 1 || job.settings.nupDirection == 0) && cell == 1) {
        sheet = own;
    }
    if (job.settings.manualDuplex != 0) {
        mode = ManualFlip(context) ? PLACE_HALF_TURN : PLACE_UPRIGHT;
    }
    if (sheet != nullptr && own->dmOrientation != sheet->dmOrientation) {
        mode = mode == PLACE_HALF_TURN ? PLACE_OTHER_ORIENTATION_HALF_TURN : PLACE_OTHER_ORIENTATION;
    }
    LONG sheetPages = job.nupPages == 1 ? 1 : job.nupPages;
    return PlayPageInCell(*context.cellPlacement, pageHandle, own, sheetPages, page,
                          job.nupPages == 1 ? 1 : cell, mode) != FALSE;
}

BOOL PrintNupPages(StrategyContext& context)
{
    CNiraEmfJob& job = *context.job;
    if (job.settings.manualDuplex != 0) {
        return PrintManualDuplexNup(context);
    }
    if (job.pageCount == 0) {
        job.pageCount = static_cast<LONG>(GdiGetPageCount(context.spoolHandle));
    }
    if (job.pagesPerSide != 1 && job.settings.nupDirection != 0) {
        return PrintDirected(context);
    }
    if (job.driverPagesPerSide == 1 && job.nupPages != 1) {
        return PrintReverseNup(context);
    }
    return PrintReverse(context);
}
