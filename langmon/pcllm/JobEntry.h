// The job entries of a port: StartDocPort opens a job record with its write-behind queue,
// WritePort feeds the queue, EndDocPort drains it and removes the record.
#pragma once

#include <windows.h>
#include <winsplp.h>

#include "langmon/pcllm/WriteQueue.h"

struct PortContext;

constexpr size_t kJobPrinterNameLength = 256;
constexpr DWORD kZeroFillSize = 4096;
constexpr DWORD kZeroFillWrites = 5;
constexpr DWORD kSecondJobWait = 5000;

// One per started job, newest first in the port's list; the printer name is copied behind it.
struct JobRecord {
    JobRecord* next;
    LPWSTR printerName;
    HANDLE printer;
    DWORD jobId;
    WriteQueue* queue;
    WCHAR printerNameCopy[1];
};

BOOL WINAPI StartDocPort(HANDLE port, LPWSTR printerName, DWORD jobId, DWORD level, LPBYTE docInfo);
BOOL WINAPI WritePort(HANDLE port, LPBYTE buffer, DWORD size, LPDWORD written);
BOOL WINAPI EndDocPort(HANDLE port);

// Cuts the port's list before the newest record of the job and tells the spooler that each cut
// record's job has left the printer; frees them.
void RemoveJobRecords(PortContext* port, DWORD jobId);
// Stops the writers of the port's jobs and frees every record (the port is closing).
void EndPortJobs(PortContext* port);
