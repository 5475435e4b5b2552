// The TEXT road: prints the spooled ANSI text on the job's printer DC in a fixed-pitch font, one
// page per page of text, once per copy.
#pragma once

#include "printprocessor/ProcessorJob.h"

// TRUE when the document was printed or cancelled; FALSE when it failed.
BOOL RunTextJob(ProcessorJob& job, LPWSTR documentName);
