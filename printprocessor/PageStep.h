// Adapting a page's DEVMODE before its sheet side: paper, media and source overrides and the
// job-wide fields that every page carries, with a DC reset when anything changed.
#pragma once

#include "printprocessor/PageStrategies.h"

BOOL PageStep(StrategyContext& context, LONG page, LONG laterCell, DEVMODEW* jobDevmode,
              DEVMODEW* pageDevmode, LONG sheetKind, LONG repetition, LONG repetitions);

// Whether two DEVMODEs differ in anything a page's output depends on.
BOOL DevmodesDiffer(const DEVMODEW* a, const DEVMODEW* b);

// The repetition settings of a repeated side in the page's private section: the repeat flags
// when the driver repeats sides, else a repeat count of one. True when the section changed.
bool ApplyRepetitionSettings(StrategyContext& context, DEVMODEW* page, LONG repetition, LONG repetitions);

// The source, media and paper of the blank back of a manual two-sided sheet, on the context's
// DEVMODE; the DC is reset when anything changed.
void ApplyBlankSideSource(StrategyContext& context, LONG page);

// Between the batches of a manual two-sided job: the second batch's source, and the job counts
// sent again with secondBatch set.
BOOL SwitchToSecondBatch(StrategyContext& context, DEVMODEW* devmode, LONG sheetKind);
