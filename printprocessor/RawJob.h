// The RAW road: copies the spooled bytes to the printer once per copy, with a form feed after
// each copy as the RAW form-feed datatypes ask.
#pragma once

#include "printprocessor/ProcessorJob.h"

constexpr DWORD kSpoolReadChunk = 65536;
// Copies at or above this are refused.
constexpr DWORD kMaxJobCopies = 65535;

// TRUE when every copy could be opened; FALSE for 0 copies, too many copies and failures.
BOOL RunRawJob(ProcessorJob& job, LPWSTR documentName, DWORD datatypeIndex);
