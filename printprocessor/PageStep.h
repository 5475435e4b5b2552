// Adapting a page's DEVMODE before its sheet side: paper, media and source overrides and the
// job-wide fields that every page carries, with a DC reset when anything changed.
#pragma once

#include "printprocessor/PageStrategies.h"

BOOL PageStep(StrategyContext& context, LONG page, LONG laterCell, DEVMODEW* jobDevmode,
              DEVMODEW* pageDevmode, LONG sheetKind, LONG repetition, LONG repetitions);

// Whether two DEVMODEs differ in anything a page's output depends on.
BOOL DevmodesDiffer(const DEVMODEW* a, const DEVMODEW* b);
