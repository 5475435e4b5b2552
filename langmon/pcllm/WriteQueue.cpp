#include "langmon/pcllm/WriteQueue.h"

#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/PortStatus.h"

namespace {

constexpr DWORD kIdlePause = 5;
constexpr DWORD kRetryPause = 10;
constexpr DWORD kDrainPause = 10;
constexpr DWORD kLimitedFailures = 3;
constexpr DWORD kJobInfoLevel = 1;
const WCHAR kUsbMarker[] = TEXT("USB");

typedef BOOL(WINAPI* GetJobFunction)(HANDLE, DWORD, DWORD, LPBYTE, DWORD, LPDWORD);

class QueueLock {
public:
    explicit QueueLock(CRITICAL_SECTION* lock) : m_lock(lock) { EnterCriticalSection(m_lock); }
    ~QueueLock() { LeaveCriticalSection(m_lock); }
    QueueLock(const QueueLock&) = delete;
    QueueLock& operator=(const QueueLock&) = delete;

private:
    CRITICAL_SECTION* m_lock;
};

void FreeBuffer(QueuedBuffer* buffer)
{
    GlobalFree(buffer);
}

// Under the queue lock.
void DropQueued(QueueState* state)
{
    while (state->head != nullptr) {
        QueuedBuffer* buffer = state->head;
        state->head = buffer->next;
        FreeBuffer(buffer);
    }
    state->tail = nullptr;
    state->count = 0;
    state->queuedBytes = 0;
}

// Under the queue lock: appends a copy of the data; FALSE with 8 when it cannot be allocated.
// The copy lies in the same block, behind the buffer record: one allocation per buffer.
BOOL AppendCopy(QueueState* state, const BYTE* data, DWORD length)
{
    QueuedBuffer* buffer = static_cast<QueuedBuffer*>(GlobalAlloc(GMEM_FIXED, sizeof(QueuedBuffer) + length));
    if (buffer == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    buffer->next = nullptr;
    buffer->data = reinterpret_cast<LPBYTE>(buffer + 1);
    buffer->length = length;
    CopyMemory(buffer->data, data, length);
    if (state->tail != nullptr) {
        state->tail->next = buffer;
    } else {
        state->head = buffer;
    }
    state->tail = buffer;
    ++state->count;
    state->queuedBytes += length;
    return TRUE;
}

// Under the queue lock: the staged bytes go out as one buffer.
void FlushStaging(WriteQueue* queue)
{
    if (queue->staged != 0 && !queue->state->abort &&
        AppendCopy(queue->state, queue->staging, queue->staged)) {
        queue->staged = 0;
    }
}

// Under the queue lock: the data through the staging buffer, each full buffer queued. A full
// buffer's worth that meets an empty staging buffer is queued from the data themselves, which
// spares a copy and queues the same bytes.
BOOL Stage(WriteQueue* queue, const BYTE* data, DWORD length, DWORD* taken)
{
    while (length != 0) {
        const DWORD room = queue->stagingSize - queue->staged;
        if (length < room) {
            CopyMemory(queue->staging + queue->staged, data, length);
            queue->staged += length;
            *taken += length;
            return TRUE;
        }
        if (queue->staged == 0) {
            if (!AppendCopy(queue->state, data, room)) {
                return FALSE;
            }
        } else {
            CopyMemory(queue->staging + queue->staged, data, room);
            if (!AppendCopy(queue->state, queue->staging, queue->stagingSize)) {
                return FALSE;  // the write is refused whole; what was staged before stays
            }
            queue->staged = 0;
        }
        data += room;
        length -= room;
        *taken += room;
    }
    return TRUE;
}

bool IsAborted(const WriterParameters* writer)
{
    QueueLock hold(writer->lock);
    return writer->state->abort != 0;
}

// A USB device that reports no paper, jam or open door is given up after a few failed calls; any
// other port is written until the job is deleted.
bool IsLimited(const WriterParameters* writer)
{
    if (wcsstr(writer->portName, kUsbMarker) == nullptr) {
        return false;
    }
    const DWORD status = GetLastPortStatus();
    return status != PORT_STATUS_PAPER_OUT && status != PORT_STATUS_PAPER_JAM &&
           status != PORT_STATUS_DOOR_OPEN;
}

// Writes one buffer; FALSE when the device failed the job (write fault). The abort flag is
// looked at before every call after the first.
BOOL WriteBuffer(const WriterParameters* writer, QueuedBuffer* buffer)
{
    DWORD done = 0;
    DWORD failures = 0;
    BOOL lastFailed = FALSE;
    for (bool first = true; done < buffer->length && (first || !IsAborted(writer)); first = false) {
        DWORD written = 0;
        const DWORD remaining = buffer->length - done;
        const BOOL result = writer->lowerWrite(writer->lowerPort, buffer->data + done, remaining, &written);
        if (result || written != 0) {
            done += written < remaining ? written : remaining;  // a count beyond the buffer is not believed
            lastFailed = FALSE;
            if (written == 0) {
                Sleep(kRetryPause);  // an idle device is not asked again at once
            }
            continue;
        }
        ++failures;
        lastFailed = TRUE;
        Sleep(kRetryPause);
        if (failures >= kLimitedFailures && IsLimited(writer)) {
            break;
        }
    }
    return !(lastFailed && failures >= kLimitedFailures);
}

void FailQueue(const WriterParameters* writer)
{
    QueueLock hold(writer->lock);
    DropQueued(writer->state);
    writer->state->closed = 1;
    writer->state->writeFailed = 1;
    writer->state->abort = 1;
}

DWORD WINAPI WriterThreadProc(LPVOID parameter)
{
    const WriterParameters* writer = static_cast<const WriterParameters*>(parameter);
    QueueState* state = writer->state;
    for (bool stop = false; !stop;) {
        QueuedBuffer* buffer = nullptr;
        bool closed = false;
        DWORD count = 0;
        bool aborted = false;
        {
            QueueLock hold(writer->lock);
            aborted = state->abort != 0;
            if (aborted) {
                DropQueued(state);
                stop = true;
            }
            closed = state->closed != 0;
            count = state->count;
            if (count != 0 && !aborted) {
                buffer = state->head;
                state->head = buffer->next;
                if (state->head == nullptr) {
                    state->tail = nullptr;
                }
                --state->count;
                state->queuedBytes -= buffer->length;
            }
        }
        if (buffer == nullptr) {
            Sleep(kIdlePause);
            QueueLock hold(writer->lock);
            FlushStaging(writer->queue);
        } else {
            const BOOL written = WriteBuffer(writer, buffer);
            FreeBuffer(buffer);
            if (!written) {
                FailQueue(writer);
                stop = true;
            }
        }
        if (closed && count == 0) {
            stop = true;
        }
    }
    QueueLock hold(writer->lock);
    state->writerFinished = 1;
    return 0;
}

int RaisedPriority(int priority)
{
    return priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_ABOVE_NORMAL ? priority + 1
                                                                                          : priority;
}

void FreeQueueMembers(WriteQueue* queue)
{
    if (queue->lock != nullptr) {
        DeleteCriticalSection(queue->lock);
        GlobalFree(queue->lock);
        queue->lock = nullptr;
    }
    if (queue->state != nullptr) {
        DropQueued(queue->state);
        GlobalFree(queue->state);
        queue->state = nullptr;
    }
    if (queue->staging != nullptr) {
        GlobalFree(queue->staging);
        queue->staging = nullptr;
    }
}

}  // namespace

BOOL StartWriteQueue(WriteQueue* queue, const WriteQueueSettings& settings)
{
    queue->router = GetRouterModule();
    if (queue->router == nullptr || settings.printer == nullptr || settings.lowerWrite == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    queue->printer = settings.printer;
    queue->jobId = settings.jobId;
    queue->stagingSize = kStagingSize;
    queue->queueLimit = kQueueLimit;
    queue->directCopies = kDirectCopies;
    queue->staged = 0;
    queue->staging = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, kStagingSize));
    if (queue->staging == nullptr) {
        queue->directCopies = kAlwaysDirect;
    }
    queue->state = static_cast<QueueState*>(GlobalAlloc(GPTR, sizeof(QueueState)));
    queue->lock = static_cast<CRITICAL_SECTION*>(GlobalAlloc(GPTR, sizeof(CRITICAL_SECTION)));
    if (queue->state == nullptr || queue->lock == nullptr) {
        if (queue->lock != nullptr) {
            GlobalFree(queue->lock);
            queue->lock = nullptr;
        }
        FreeQueueMembers(queue);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    InitializeCriticalSection(queue->lock);
    queue->writer =
        WriterParameters{settings.lowerWrite, settings.lowerPort, settings.portName, settings.printerName,
                         settings.printer,    queue->state,       queue->lock,       queue};
    const int priority = GetThreadPriority(GetCurrentThread());
    HANDLE thread = CreateThread(nullptr, 0, WriterThreadProc, &queue->writer, 0, nullptr);
    if (thread == nullptr) {
        const DWORD error = GetLastError();
        FreeQueueMembers(queue);
        SetLastError(error);
        return FALSE;
    }
    SetThreadPriority(thread, RaisedPriority(priority));
    CloseHandle(thread);
    return TRUE;
}

BOOL EnqueueData(WriteQueue* queue, const BYTE* data, DWORD length, DWORD* accepted)
{
    DWORD taken = 0;
    if (accepted == nullptr) {
        accepted = &taken;
    }
    *accepted = 0;
    if (data == nullptr || length == 0 || queue->lock == nullptr || queue->state == nullptr) {
        return TRUE;
    }
    for (;;) {
        {
            QueueLock hold(queue->lock);
            QueueState* state = queue->state;
            if (state->closed || state->abort) {
                return TRUE;
            }
            // A write larger than the limit waits for an empty queue and is then taken whole.
            const ULONGLONG total = static_cast<ULONGLONG>(state->queuedBytes) + length;
            if (state->queuedBytes == 0 || total <= queue->queueLimit) {
                if (queue->directCopies == 0) {
                    return Stage(queue, data, length, accepted);
                }
                if (!AppendCopy(state, data, length)) {
                    return FALSE;
                }
                if (queue->directCopies != kAlwaysDirect) {
                    --queue->directCopies;
                }
                *accepted = length;
                return TRUE;
            }
        }
        Sleep(kRetryPause);
    }
}

void AbortWriteQueue(WriteQueue* queue)
{
    if (queue->lock == nullptr || queue->state == nullptr) {
        return;
    }
    QueueLock hold(queue->lock);
    DropQueued(queue->state);
    queue->staged = 0;
    queue->state->abort = 1;
    queue->state->closed = 1;
}

BOOL HasWriteFailed(WriteQueue* queue)
{
    if (queue->lock == nullptr || queue->state == nullptr) {
        return TRUE;
    }
    QueueLock hold(queue->lock);
    return queue->state->writeFailed;
}

BOOL CloseWriteQueue(WriteQueue* queue)
{
    if (queue->lock == nullptr || queue->state == nullptr) {
        return FALSE;
    }
    {
        QueueLock hold(queue->lock);
        FlushStaging(queue);
        queue->state->closed = 1;
    }
    BOOL deleting = FALSE;
    for (;;) {
        {
            QueueLock hold(queue->lock);
            if (queue->state->writerFinished) {
                break;
            }
        }
        if (!deleting) {
            deleting = IsJobBeingDeleted(queue->printer, queue->jobId);
        }
        if (deleting) {
            QueueLock hold(queue->lock);
            queue->state->abort = 1;
        }
        Sleep(kDrainPause);
    }
    FreeQueueMembers(queue);
    return deleting;
}

BOOL IsJobBeingDeleted(HANDLE printer, DWORD jobId)
{
    GetJobFunction getJob = RouterFunction<GetJobFunction>("GetJobW");
    if (getJob == nullptr || printer == nullptr) {
        return FALSE;
    }
    DWORD needed = 0;
    getJob(printer, jobId, kJobInfoLevel, nullptr, 0, &needed);
    if (needed < sizeof(JOB_INFO_1W)) {
        return FALSE;
    }
    LPBYTE info = static_cast<LPBYTE>(GlobalAlloc(GPTR, needed));
    if (info == nullptr) {
        return FALSE;
    }
    BOOL deleting = FALSE;
    if (getJob(printer, jobId, kJobInfoLevel, info, needed, &needed)) {
        deleting = (reinterpret_cast<const JOB_INFO_1W*>(info)->Status & JOB_STATUS_DELETING) != 0;
    }
    GlobalFree(info);
    return deleting;
}
