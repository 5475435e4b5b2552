// The orders in which a pass prints the spooled pages onto sheets, and what they share.
#pragma once

#include <windows.h>

#include "printprocessor/CellPlacement.h"

#include <vector>

// Sheet kinds that select the paper source of special pages.
constexpr LONG kSheetFirst = 1;
constexpr LONG kSheetOther = 2;
constexpr LONG kSheetLast = 3;

// The state of one strategy run.
struct StrategyContext {
    CNiraEmfJob* job = nullptr;
    HANDLE spoolHandle = nullptr;
    HDC printerDC = nullptr;
    DEVMODEW* pageDevmode = nullptr;
    LONG parityPage = 0;
    LONG firstBatch = 0;
    LONG switchingBatch = 0;
    LONG duplex = 0;
    LONG collate = 0;
    LONG pageCount = 0;
    LONG oversizeHandled = 0;
    SHORT duplexFallback = 0;
    CellPlacement* cellPlacement = nullptr;
};

// The page's DEVMODE from the spool file; FALSE for page 0, a failed call or a DEVMODE (or an asked
// previous DEVMODE) shorter than 98 bytes.
BOOL GetPageDevmode(const CNiraEmfJob& job, LONG page, DEVMODEW** pageDevmode, DEVMODEW** previous = nullptr);

// Waits while the job is paused; a cancel releases the wait and the loop goes on.
void PauseCheck(const CNiraEmfJob& job);
// How many times each sheet side is sent in a row.
LONG RepeatCount(const JobSettingsRecord& settings);
// The page's turn on every side: a half turn when the driver asks for it.
LONG BaseMode(const JobSettingsRecord& settings);
// The turn of a page whose orientation differs from its side's first page.
LONG OtherOrientationMode(LONG mode);
// The chunks of copies: as many as the device makes at once, then the rest.
std::vector<LONG> CopyChunks(LONG copies, LONG driverCopies);
// The empty pages of one blank side: one per page the driver groups, else one.
LONG BlankSidePages(const CNiraEmfJob& job);
// The sheet kind of a side that starts with the page: the first sheet (with its back), the last
// sheet when the driver treats it apart, or any other.
LONG SheetKindOf(const CNiraEmfJob& job, LONG page, bool twoSided);

// The blank-back flags of the collated loops: separating blank backs between copies are never
// skipped, only those of the last chunk follow the driver.
class SkipFlagsByChunk {
public:
    explicit SkipFlagsByChunk(CNiraEmfJob& job);
    void BeforeChunk(bool last);

private:
    CNiraEmfJob& m_job;
    LONG m_single;
    LONG m_other;
};

// After a side whose page asked for two-sided media: the blank back, and one-sided again.
bool SendPendingBlankBack(StrategyContext& context, DEVMODEW* page);

// Blank cover sheets from the covers' source and media, n copies.
void PrintFrontCover(StrategyContext& context, LONG n);
void PrintBackCover(StrategyContext& context, LONG n);

// The page of the side's group that each cell receives in a chosen direction; false when the
// count and direction have no order.
bool CellOrder(const StrategyContext& context, const DEVMODEW& first, LONG pages, LONG direction,
               LONG* entries);

// Plays a page into a cell of a side whose sheet DEVMODE is the side's first page's.
bool PlayCellPage(StrategyContext& context, HANDLE pageHandle, const DEVMODEW* sheet, LONG page, LONG cell,
                  LONG mode);

// Makes the printer produce n copies of what follows.
BOOL SetCopies(StrategyContext& context, LONG n);

// One page per sheet side, or the pages laid out in their natural order: page after page, with
// copies in chunks, collated or not.
BOOL PrintPlainPages(StrategyContext& context);

// The pages in a chosen order: n-up in a direction, or in reverse order.
BOOL PrintNupPages(StrategyContext& context);

// Two pages a side, folded into a booklet.
BOOL PrintBookletPages(StrategyContext& context);

// The four pages of a booklet sheet (front left, front right, back left, back right; a manual
// two-sided side uses the first two) and the page whose DEVMODE starts the sheet.
struct BookletSheet {
    LONG pages[4];
    LONG reference;
};
// One booklet sheet: its front, and its back on a two-sided context.
bool PrintBookletSheet(StrategyContext& context, const BookletSheet& pages, LONG kind);

// Manual two-sided printing: all sides of one kind, the paper turned by the user, then the others.
BOOL PrintManualDuplexNup(StrategyContext& context);
BOOL PrintManualDuplexBooklet(StrategyContext& context);
// Whether a page of the current batch is played half-turned.
bool ManualFlip(const StrategyContext& context);
// The batches of a manual two-sided job in the order they are printed: the first pages of the
// sides (n-up), or the (left, right) pages of the sides (booklet).
struct ManualBatches {
    std::vector<LONG> first;
    std::vector<LONG> second;
};
ManualBatches BuildManualDuplexLists(const CNiraEmfJob& job);
struct BookletSide {
    LONG left;
    LONG right;
};
struct BookletBatches {
    std::vector<BookletSide> first;
    std::vector<BookletSide> second;
};
BookletBatches BuildBookletBatchLists(const CNiraEmfJob& job);
