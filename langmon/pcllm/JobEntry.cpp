#include "langmon/pcllm/JobEntry.h"

#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/JobCounters.h"
#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/PortContext.h"
#include "langmon/pcllm/PortStatus.h"

#include <strsafe.h>

namespace {

constexpr DWORD kJobInfoLevel = 1;
constexpr DWORD kJobsAsked = 3;
constexpr DWORD kLastNtVersionWithoutWait = 5;
const WCHAR kStringLibraryKey[] = TEXT("Component_R_B");
const WCHAR kDefaultStringLibrary[] = TEXT("nirastr.DLL");
// The document nirauip sends to read the serial number: without a device ID it cannot succeed.
const WCHAR kSerialNumberDocument[] = TEXT("SerialNumberJob");

typedef BOOL(WINAPI* SetJobFunction)(HANDLE, DWORD, DWORD, LPBYTE, DWORD);

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

void ClosePrinterHandle(HANDLE printer)
{
    ClosePrinterFunction closePrinter = RouterFunction<ClosePrinterFunction>("ClosePrinter");
    if (printer != nullptr && closePrinter != nullptr) {
        closePrinter(printer);
    }
}

void FreeJobRecord(JobRecord* job)
{
    ClosePrinterHandle(job->printer);
    if (job->queue != nullptr) {
        GlobalFree(job->queue);
    }
    GlobalFree(job);
}

JobRecord* CreateJobRecord(LPCWSTR printerName)
{
    size_t length = 0;
    if (FAILED(StringCchLengthW(printerName, kJobPrinterNameLength + 1, &length))) {
        length = kJobPrinterNameLength;
    }
    const SIZE_T size = sizeof(JobRecord) + length * sizeof(WCHAR);
    JobRecord* job = static_cast<JobRecord*>(GlobalAlloc(GPTR, size));
    WriteQueue* queue = static_cast<WriteQueue*>(GlobalAlloc(GPTR, sizeof(WriteQueue)));
    if (job == nullptr || queue == nullptr) {
        if (job != nullptr) {
            GlobalFree(job);
        }
        if (queue != nullptr) {
            GlobalFree(queue);
        }
        return nullptr;
    }
    StringCchCopyW(job->printerNameCopy, length + 1, printerName);
    job->printerName = job->printerNameCopy;
    job->queue = queue;
    return job;
}

void ClearStatusBuffer(PortContext* port)
{
    if (port->statusBuffer != nullptr) {
        ZeroMemory(port->statusBuffer, kStatusBufferSize);
    }
}

BOOL OpenJobPrinter(JobRecord* job)
{
    OpenPrinterFunction openPrinter = RouterFunction<OpenPrinterFunction>("OpenPrinterW");
    return openPrinter != nullptr && openPrinter(job->printerName, &job->printer, nullptr);
}

// The status texts come from the string library named in the driver INI, beside the driver.
void SetStringLibraryPath(PortContext* port, HANDLE printer)
{
    PDRIVER_INFO_3W info = nullptr;
    if (!QueryDriverInfo3(printer, &info) || info == nullptr) {
        return;
    }
    WCHAR path[kStringLibraryPathCapacity] = {};
    LPCWSTR driverPath = info->pDriverPath != nullptr ? info->pDriverPath : TEXT("");
    LPCWSTR lastSlash = wcsrchr(driverPath, TEXT('\\'));
    const size_t directoryLength = lastSlash != nullptr ? static_cast<size_t>(lastSlash - driverPath) + 1 : 0;
    const bool fits = directoryLength < ARRAYSIZE(path);
    if (fits) {
        StringCchCopyNW(path, ARRAYSIZE(path), driverPath, directoryLength);
    }
    LocalFree(info);
    if (!fits) {
        return;
    }
    WCHAR iniPath[MAX_PATH] = {};
    WCHAR library[kComponentValueCapacity] = {};
    if (!FindDriverIni(iniPath, printer) ||
        !ReadComponentValue(iniPath, library, kDefaultStringLibrary, kStringLibraryKey)) {
        StringCchCopyW(library, ARRAYSIZE(library), kDefaultStringLibrary);
    }
    if (SUCCEEDED(StringCchCatW(path, ARRAYSIZE(path), library))) {
        StringCchCopyW(port->watcher.stringLibraryPath, ARRAYSIZE(port->watcher.stringLibraryPath), path);
    }
}

DWORD CountQueuedJobs(HANDLE printer)
{
    EnumJobsFunction enumJobs = RouterFunction<EnumJobsFunction>("EnumJobsW");
    DWORD needed = 0;
    DWORD returned = 0;
    if (enumJobs == nullptr) {
        return 0;
    }
    enumJobs(printer, 0, kJobsAsked, kJobInfoLevel, nullptr, 0, &needed, &returned);
    if (needed == 0) {
        return 0;
    }
    LPBYTE jobs = static_cast<LPBYTE>(GlobalAlloc(GPTR, needed));
    if (jobs == nullptr) {
        return 0;
    }
    if (!enumJobs(printer, 0, kJobsAsked, kJobInfoLevel, jobs, needed, &needed, &returned)) {
        returned = 0;
    }
    GlobalFree(jobs);
    return returned;
}

// Pushes the record and starts its queue; a queue that cannot start is detached, so the job's
// data go to the port directly.
void QueueJob(PortContext* port, JobRecord* job)
{
    PortListLock lock;
    job->next = port->jobs;
    port->jobs = job;
    const WriteQueueSettings settings = {job->printer,      job->jobId,      port->lower.pfnWritePort,
                                         port->printerName, port->lowerPort, port->portName};
    if (!StartWriteQueue(job->queue, settings)) {
        GlobalFree(job->queue);
        job->queue = nullptr;
    }
}

void StartJobStatus(PortContext* port, LPWSTR printerName)
{
    if (port->driverDataKey == nullptr) {
        OpenDriverDataKey(port);
    }
    if (port->firstJob) {
        ClearStatusBuffer(port);
        DWORD size = 0;
        QueryDeviceStatus(port, nullptr, 0, port->statusBuffer, kStatusBufferSize, &size);
        StartStatusWatcher(&port->watcher, port, printerName);
    } else if (!IsStatusWatcherRunning(&port->watcher)) {
        StartStatusWatcher(&port->watcher, port, printerName);
    }
    PollDeviceStatus(&port->watcher, 1);
    port->firstJob = 0;
}

// Steps 3 to 10 of a job's start; the record is pushed (and *pushed set) once its queue starts.
BOOL BeginJob(PortContext* port, LPWSTR printerName, DWORD jobId, DWORD level, LPBYTE docInfo,
              JobRecord** job, bool* pushed)
{
    if (docInfo == nullptr || printerName == nullptr || *printerName == 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (level != 1 && level != 2) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    *job = CreateJobRecord(printerName);
    if (*job == nullptr) {
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (!OpenJobPrinter(*job)) {
        return FALSE;
    }
    SetStringLibraryPath(port, (*job)->printer);
    if (!port->lower.pfnStartDocPort(port->lowerPort, printerName, jobId, level, docInfo)) {
        return FALSE;
    }
    (*job)->jobId = jobId;
    QueueJob(port, *job);
    *pushed = true;
    if (CountQueuedJobs((*job)->printer) > 1 && GetWindowsMajorVersion() > kLastNtVersionWithoutWait) {
        Sleep(kSecondJobWait);  // lets the spooler settle the next job before this one prints
    }
    port->flags |= PORT_FLAG_DOC_STARTED;
    StartJobStatus(port, printerName);
    return TRUE;
}

bool IsSerialNumberDocument(LPBYTE docInfo)
{
    // DOC_INFO_1 and DOC_INFO_2 both begin with the document name.
    LPCWSTR name = docInfo != nullptr ? reinterpret_cast<const DOC_INFO_1W*>(docInfo)->pDocName : nullptr;
    return name != nullptr && lstrcmpW(name, kSerialNumberDocument) == 0;
}

void DeleteJob(HANDLE printer, DWORD jobId)
{
    SetJobFunction setJob = RouterFunction<SetJobFunction>("SetJobW");
    if (setJob != nullptr && printer != nullptr) {
        setJob(printer, jobId, 0, nullptr, JOB_CONTROL_DELETE);
    }
}

// The device leaves a half-received job when it is given zeros and the universal exit.
void FlushDeletedJob(PortContext* port)
{
    BYTE zeros[kZeroFillSize] = {};
    DWORD written = 0;
    for (DWORD i = 0; i < kZeroFillWrites; ++i) {
        if (!port->lower.pfnWritePort(port->lowerPort, zeros, kZeroFillSize, &written)) {
            break;
        }
    }
    port->lower.pfnWritePort(port->lowerPort, const_cast<LPBYTE>(kUniversalExit), kUniversalExitSize,
                             &written);
}

// Drains the job's queue; TRUE when the job is being deleted.
BOOL DrainJob(PortContext* port, JobRecord* job)
{
    BOOL deleting = job->printer != nullptr && IsJobBeingDeleted(job->printer, job->jobId);
    if (job->queue == nullptr) {
        return deleting;
    }
    if (HasWriteFailed(job->queue)) {
        port->flags |= PORT_FLAG_WRITE_FAILED;
    }
    if (deleting) {
        AbortWriteQueue(job->queue);
    }
    return CloseWriteQueue(job->queue) || deleting;
}

JobRecord* NewestJob(PortContext* port)
{
    PortListLock lock;
    return port->jobs;
}

// A job whose writes failed is not written further: the spooler shows it in error.
BOOL WriteQueued(JobRecord* job, LPBYTE buffer, DWORD size, LPDWORD written)
{
    if (HasWriteFailed(job->queue)) {
        return Fail(ERROR_WRITE_FAULT);
    }
    DWORD accepted = 0;
    if (!EnqueueData(job->queue, buffer, size, &accepted)) {
        if (written != nullptr) {
            *written = accepted;  // the spooler sends the rest again, not what is queued
        }
        return FALSE;
    }
    if (written != nullptr) {
        *written = size;
    }
    return TRUE;
}

}  // namespace

BOOL WINAPI StartDocPort(HANDLE portHandle, LPWSTR printerName, DWORD jobId, DWORD level, LPBYTE docInfo)
{
    if (!IsPortContext(portHandle)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    if (port->flags & PORT_FLAG_DOC_STARTED) {
        return Fail(ERROR_BUSY);
    }
    port->flags |= PORT_FLAG_DOC_STARTED;
    port->printerName = printerName;
    JobRecord* job = nullptr;
    bool pushed = false;
    BOOL result = BeginJob(port, printerName, jobId, level, docInfo, &job, &pushed);
    const DWORD error = GetLastError();
    ClearStatusBuffer(port);
    DWORD size = 0;
    if (!QueryDeviceStatus(port, nullptr, 0, port->statusBuffer, kStatusBufferSize, &size) &&
        IsSerialNumberDocument(docInfo) && job != nullptr) {
        DeleteJob(job->printer, jobId);
    }
    if (!result) {
        if (job != nullptr && !pushed) {
            FreeJobRecord(job);
        }
        port->flags &= ~PORT_FLAG_DOC_STARTED;
    }
    SetLastError(error);
    return result;
}

BOOL WINAPI WritePort(HANDLE portHandle, LPBYTE buffer, DWORD size, LPDWORD written)
{
    if (!IsPortContext(portHandle)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    JobRecord* job = NewestJob(port);
    BOOL result = FALSE;
    if (job != nullptr && job->queue != nullptr) {
        result = WriteQueued(job, buffer, size, written);
    } else {
        result = port->lower.pfnWritePort(port->lowerPort, buffer, size, written);
    }
    if (result) {
        port->flags &= ~PORT_FLAG_WRITE_FAILED;
    } else {
        port->flags |= PORT_FLAG_WRITE_FAILED;
    }
    return result;
}

BOOL WINAPI EndDocPort(HANDLE portHandle)
{
    if (!IsPortContext(portHandle)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    JobRecord* job = NewestJob(port);
    if (job != nullptr && DrainJob(port, job)) {
        FlushDeletedJob(port);
    }
    ClearPortStatus(port);
    if (job != nullptr && !(port->flags & PORT_FLAG_WRITE_FAILED) && !IsAnotherJobQueued(port->printerName)) {
        ReadEndOfJobCounter(port);
    }
    if (port->lower.pfnEndDocPort != nullptr) {
        port->lower.pfnEndDocPort(port->lowerPort);
    }
    if (job != nullptr) {
        RemoveJobRecords(port, job->jobId);
    }
    port->flags &= ~PORT_FLAG_DOC_STARTED;
    if (job != nullptr) {
        StopStatusWatcher(&port->watcher);
        CloseDriverDataKey(port);
    }
    return TRUE;
}

void RemoveJobRecords(PortContext* port, DWORD jobId)
{
    SetJobFunction setJob = RouterFunction<SetJobFunction>("SetJobW");
    PortListLock lock;
    JobRecord** link = &port->jobs;
    while (*link != nullptr && (*link)->jobId != jobId) {
        link = &(*link)->next;
    }
    JobRecord* job = *link;
    *link = nullptr;
    while (job != nullptr) {
        JobRecord* older = job->next;
        if (setJob != nullptr && job->printer != nullptr) {
            setJob(job->printer, job->jobId, 0, nullptr, JOB_CONTROL_LAST_PAGE_EJECTED);
        }
        FreeJobRecord(job);
        job = older;
    }
}

void EndPortJobs(PortContext* port)
{
    JobRecord* jobs = nullptr;
    {
        PortListLock lock;
        jobs = port->jobs;
        port->jobs = nullptr;
    }
    while (jobs != nullptr) {
        JobRecord* older = jobs->next;
        if (jobs->queue != nullptr) {
            AbortWriteQueue(jobs->queue);
            CloseWriteQueue(jobs->queue);
        }
        FreeJobRecord(jobs);
        jobs = older;
    }
}
