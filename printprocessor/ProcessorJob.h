// The print processor's job record: what the spooler holds as an opaque handle between
// OpenPrintProcessor and ClosePrintProcessor, the table of the datatypes the processor announces,
// and the set of live records that decides whether a handle is valid.
#pragma once

#include <windows.h>
#include <winspool.h>

// Position in the datatype table; the whole processor names a datatype by it.
enum DatatypeIndex : DWORD {
    DATATYPE_RAW = 0,
    DATATYPE_RAW_FF_APPENDED = 1,
    DATATYPE_RAW_FF_AUTO = 2,
    DATATYPE_NT_EMF_1_003 = 3,  // announced, refused at open
    DATATYPE_NT_EMF_1_006 = 4,
    DATATYPE_NT_EMF_1_007 = 5,
    DATATYPE_NT_EMF_1_008 = 6,
    DATATYPE_TEXT = 7,
    DATATYPE_UNKNOWN = 8,
};

constexpr DWORD kDatatypeCount = 8;
extern const LPCWSTR kDatatypeNames[kDatatypeCount];

// The index of a datatype name (A to Z compared without case, first match); DATATYPE_UNKNOWN
// for a name that is not in the table.
DWORD FindDatatypeIndex(LPCWSTR name);

inline bool IsRawDatatype(DWORD index)
{
    return index <= DATATYPE_RAW_FF_AUTO;
}

inline bool IsEmfDatatype(DWORD index)
{
    return index >= DATATYPE_NT_EMF_1_006 && index <= DATATYPE_NT_EMF_1_008;
}

constexpr DWORD kProcessorJobSignature = 0x5051;
constexpr LONG JOB_FLAG_ABORTED = 1;
constexpr LONG JOB_FLAG_PAUSED = 8;
constexpr DWORD kDefaultTabSize = 8;

struct ProcessorJob {
    DWORD signature;  // kProcessorJobSignature while valid
    DWORD size;
    // Written by the control thread while the printing thread reads it; interlocked on both
    // sides, never locked.
    volatile LONG flags;
    HANDLE pauseEvent;  // manual reset; reset while paused
    DWORD datatypeIndex;
    HANDLE printer;  // RAW datatypes only
    LPWSTR printerName;
    LPWSTR documentName;
    LPWSTR outputFile;
    LPWSTR datatypeName;
    LPWSTR parameters;
    DWORD jobId;
    DWORD copies;
    DWORD tabSize;
    HDC printerDC;      // TEXT only
    DEVMODEW* devmode;  // EMF datatypes only, when the open data carries one
    LPWSTR openDataPrinterName;
};

// Flag access shared by the printing and the control thread.
LONG ReadJobFlags(const ProcessorJob& job);
void SetJobFlags(ProcessorJob& job, LONG bits);
void ClearJobFlags(ProcessorJob& job, LONG bits);

// Waits on the pause event while the job is paused; TRUE when the job has been cancelled. The
// RAW and TEXT roads call it before each unit of work.
BOOL WaitWhilePausedAndCheckAbort(ProcessorJob& job);

// The set of live records: a handle is valid only while its record is registered and carries
// the signature. A stale or foreign pointer is never dereferenced.
void RegisterJob(ProcessorJob* job);
void UnregisterJob(ProcessorJob* job);
// The record behind a handle; null with ERROR_INVALID_HANDLE when the handle is not valid.
ProcessorJob* ValidJobFromHandle(HANDLE handle);

// A global-heap copy of a string ((length + 1) characters); null for a null source and on
// failure (failed reports whether an allocation failed).
LPWSTR CopyJobString(LPCWSTR source, bool* failed);
