// The orders in which a pass prints the spooled pages onto sheets, and what they share.
#pragma once

#include <windows.h>

#include "printprocessor/CellPlacement.h"

// Sheet kinds that select the paper source of special pages.
constexpr LONG SHEET_FIRST = 1;
constexpr LONG SHEET_OTHER = 2;
constexpr LONG SHEET_LAST = 3;

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

// Makes the printer produce n copies of what follows.
BOOL SetCopies(StrategyContext& context, LONG n);

// One page per sheet side, or the pages laid out in their natural order: page after page, with
// copies in chunks, collated or not.
BOOL PrintPlainPages(StrategyContext& context);
