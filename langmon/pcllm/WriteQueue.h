// The write-behind queue of a job: WritePort copies the job's data into a chain of buffers and a
// writer thread of the job hands them to the port monitor below, so the spooler is never held by
// a slow device. Small writes are gathered into staging-sized buffers after the first few.
#pragma once

#include <windows.h>
#include <winsplp.h>

constexpr DWORD kStagingSize = 4096;
constexpr DWORD kQueueLimit = 20971520;  // 20 MiB queued at most, unless one write is larger
constexpr LONG kDirectCopies = 2;
constexpr LONG kAlwaysDirect = -1;  // without a staging buffer every write is queued as it comes

typedef BOOL(WINAPI* LowerWriteFunction)(HANDLE, LPBYTE, DWORD, LPDWORD);

// One GlobalAlloc block: the record, then the data it points at.
struct QueuedBuffer {
    QueuedBuffer* next;
    LPBYTE data;
    DWORD length;
};

// Guarded by the queue lock.
struct QueueState {
    QueuedBuffer* head;
    QueuedBuffer* tail;
    DWORD count;
    BYTE closed;
    BYTE writerFinished;
    BYTE writeFailed;
    BYTE abort;
    DWORD queuedBytes;
};

struct WriteQueue;

// What the writer thread works with.
struct WriterParameters {
    LowerWriteFunction lowerWrite;
    HANDLE lowerPort;
    LPCWSTR portName;
    LPCWSTR printerName;
    HANDLE printer;
    QueueState* state;
    CRITICAL_SECTION* lock;
    WriteQueue* queue;
};

struct WriteQueue {
    HMODULE router;
    HANDLE printer;
    DWORD jobId;
    QueueState* state;
    WriterParameters writer;
    CRITICAL_SECTION* lock;
    DWORD stagingSize;
    DWORD queueLimit;
    LONG directCopies;
    LPBYTE staging;
    DWORD staged;
};

// The settings of a queue that StartWriteQueue fills in.
struct WriteQueueSettings {
    HANDLE printer;
    DWORD jobId;
    LowerWriteFunction lowerWrite;
    LPCWSTR printerName;
    HANDLE lowerPort;
    LPCWSTR portName;
};

// Starts the writer thread; FALSE with 87 (no router, printer or write function) or 8.
BOOL StartWriteQueue(WriteQueue* queue, const WriteQueueSettings& settings);
// TRUE when queued, or dropped because the queue is closed or aborted; FALSE with 8 when a copy
// cannot be allocated. *accepted (when given) is how many bytes of the data will reach the port,
// so that a refused write is not sent twice.
BOOL EnqueueData(WriteQueue* queue, const BYTE* data, DWORD length, DWORD* accepted = nullptr);
// Queues what is staged, closes the queue and waits for the writer, aborting it once the job is
// found being deleted; frees the queue's state. Answers 1 when the job was being deleted.
BOOL CloseWriteQueue(WriteQueue* queue);
// Drops every queued buffer and sets abort and closed.
void AbortWriteQueue(WriteQueue* queue);
BOOL HasWriteFailed(WriteQueue* queue);
// Whether the spooler reports the job with JOB_STATUS_DELETING (router GetJobW, level 1).
BOOL IsJobBeingDeleted(HANDLE printer, DWORD jobId);
