#include "printprocessor/ProcessorJob.h"

#include "printprocessor/PointerList.h"
#include "printprocessor/ProcessLocks.h"

const LPCWSTR kDatatypeNames[kDatatypeCount] = {
    TEXT("RAW"),          TEXT("RAW [FF appended]"), TEXT("RAW [FF auto]"), TEXT("NT EMF 1.003"),
    TEXT("NT EMF 1.006"), TEXT("NT EMF 1.007"),      TEXT("NT EMF 1.008"),  TEXT("TEXT"),
};

namespace {

WCHAR FoldAsciiCase(WCHAR c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<WCHAR>(c - 'a' + 'A') : c;
}

bool EqualAsciiNoCase(LPCWSTR a, LPCWSTR b)
{
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (FoldAsciiCase(*a) != FoldAsciiCase(*b)) {
            return false;
        }
    }
    return *a == *b;
}

PointerList& LiveJobs()
{
    static PointerList jobs = {};
    return jobs;
}

// The node holding the job, or null. Call under the job-set lock.
PointerListCursor FindLiveJob(const void* job)
{
    PointerListCursor cursor = {&LiveJobs(), LiveJobs().first, 0};
    while (cursor.node != nullptr && cursor.node->value != job) {
        cursor.node = cursor.node->next;
        ++cursor.index;
    }
    return cursor;
}

}  // namespace

DWORD FindDatatypeIndex(LPCWSTR name)
{
    for (DWORD index = 0; index < kDatatypeCount; ++index) {
        if (EqualAsciiNoCase(kDatatypeNames[index], name)) {
            return index;
        }
    }
    return DATATYPE_UNKNOWN;
}

LONG ReadJobFlags(const ProcessorJob& job)
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&job.flags), 0, 0);
}

void SetJobFlags(ProcessorJob& job, LONG bits)
{
    InterlockedOr(&job.flags, bits);
}

void ClearJobFlags(ProcessorJob& job, LONG bits)
{
    InterlockedAnd(&job.flags, ~bits);
}

BOOL WaitWhilePausedAndCheckAbort(ProcessorJob& job)
{
    if (ReadJobFlags(job) & JOB_FLAG_PAUSED) {
        WaitForSingleObject(job.pauseEvent, INFINITE);
    }
    return (ReadJobFlags(job) & JOB_FLAG_ABORTED) != 0;
}

void RegisterJob(ProcessorJob* job)
{
    ProcessLock lock(JobSetLock());
    PointerListCursor last = {&LiveJobs(), LiveJobs().last, static_cast<LONG>(LiveJobs().count) - 1};
    if (!InsertPointer(last, job)) {
        // Without a place in the set the handle could never be used: refuse it at once.
        job->signature = 0;
    }
}

void UnregisterJob(ProcessorJob* job)
{
    ProcessLock lock(JobSetLock());
    PointerListCursor cursor = FindLiveJob(job);
    if (cursor.node != nullptr) {
        RemovePointer(cursor);
    }
}

ProcessorJob* ValidJobFromHandle(HANDLE handle)
{
    ProcessLock lock(JobSetLock());
    auto* job = static_cast<ProcessorJob*>(handle);
    if (job == nullptr || FindLiveJob(job).node == nullptr || job->signature != kProcessorJobSignature) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return job;
}

LPWSTR CopyJobString(LPCWSTR source, bool* failed)
{
    if (source == nullptr) {
        return nullptr;
    }
    size_t length = lstrlenW(source);
    auto* copy = static_cast<LPWSTR>(GlobalAlloc(GPTR, (length + 1) * sizeof(WCHAR)));
    if (copy == nullptr) {
        *failed = true;
        return nullptr;
    }
    CopyMemory(copy, source, length * sizeof(WCHAR));
    return copy;
}
