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
// Sends count empty pages; false when a call failed.
bool EmitBlankPages(const StrategyContext& context, LONG count);
// The chunks of copies: as many as the device makes at once, then the rest.
std::vector<LONG> CopyChunks(LONG copies, LONG driverCopies);

// Makes the printer produce n copies of what follows.
BOOL SetCopies(StrategyContext& context, LONG n);

// One page per sheet side, or the pages laid out in their natural order: page after page, with
// copies in chunks, collated or not.
BOOL PrintPlainPages(StrategyContext& context);

// The pages in a chosen order: n-up in a direction, or in reverse order.
BOOL PrintNupPages(StrategyContext& context);
