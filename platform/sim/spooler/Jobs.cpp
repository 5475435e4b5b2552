// Documents sent to a printer: StartDocPrinterW opens a job on the handle, pages and bytes are
// recorded, EndDocPrinter or AbortPrinter closes it. Jobs go to the spooler's journal.
#include "spooler/Spooler.h"

#include "core/Failures.h"
#include "core/Wide.h"
#include "spooler/RecordPacker.h"

#include <algorithm>
#include <mutex>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

const char16_t* const kDataTypes[] = {u"RAW",          u"RAW [FF appended]", u"RAW [FF auto]",
                                      u"TEXT",         u"NT EMF 1.003",      u"NT EMF 1.006",
                                      u"NT EMF 1.007", u"NT EMF 1.008",      u"XPS2GDI"};

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

bool KnownDataType(const std::u16string& type)
{
    for (const char16_t* known : kDataTypes) {
        if (EqualNoCase(known, type)) {
            return true;
        }
    }
    return false;
}

// The job in progress on a handle; null with ERROR_SPL_NO_STARTDOC when there is none. Call
// under the spooler's lock.
SpoolerJob* CurrentJob(const PrinterHandle& handle)
{
    for (auto& job : Spooler().jobs) {
        if (job.id == handle.jobId && !job.ended && !job.aborted) {
            return &job;
        }
    }
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return nullptr;
}

// The printer's queue: its jobs not deleted, oldest first. Call under the spooler's lock.
std::vector<SpoolerJob*> Queue(const std::u16string& printer)
{
    std::vector<SpoolerJob*> queue;
    for (auto& job : Spooler().jobs) {
        if (!job.deleted && EqualNoCase(job.printer, printer)) {
            queue.push_back(&job);
        }
    }
    return queue;
}

void PackJob(RecordPacker& packer, const SpoolerJob& job, DWORD position)
{
    JOB_INFO_1W info{};
    info.JobId = job.id;
    info.Status = job.status;
    info.Priority = 1;
    info.Position = position;
    info.TotalPages = job.pages;
    GetSystemTime(&info.Submitted);
    size_t at = packer.AddRecord(info);
    static const std::u16string machine = u"\\LOCALHOST";
    packer.PointAt(at + offsetof(JOB_INFO_1W, pPrinterName), &job.printer);
    packer.PointAt(at + offsetof(JOB_INFO_1W, pMachineName), &machine);
    packer.PointAt(at + offsetof(JOB_INFO_1W, pDocument), &job.documentName);
    packer.PointAt(at + offsetof(JOB_INFO_1W, pDatatype), &job.dataType);
}

template <typename Change>
BOOL ChangeJob(HANDLE hPrinter, Change change)
{
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    SpoolerJob* job = CurrentJob(*handle);
    return job != nullptr && change(*handle, *job);
}

}  // namespace

DWORD WINAPI StartDocPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo)
{
    NIRASIM_FAIL_IF_INJECTED("StartDocPrinterW", 0);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle || handle->printer.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return 0;
    }
    if (pDocInfo == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DOC_INFO_1W& info = *reinterpret_cast<const DOC_INFO_1W*>(pDocInfo);
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    PrinterRecord* printer = FindPrinter(handle->printer);
    if (printer == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    std::u16string dataType =
        info.pDatatype != nullptr ? std::u16string(info.pDatatype) : printer->spec.dataType;
    DWORD error = printer->documentError;
    if (error == ERROR_SUCCESS && !KnownDataType(dataType)) {
        error = ERROR_INVALID_DATATYPE;
    }
    if (error == ERROR_SUCCESS && handle->jobId != 0 && CurrentJob(*handle) != nullptr) {
        error = ERROR_INVALID_PRINTER_STATE;  // one document at a time per handle
    }
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    SpoolerJob job{spooler.nextJobId++,
                   printer->spec.name,
                   WideFrom(info.pDocName),
                   WideFrom(info.pOutputFile),
                   dataType,
                   {},
                   0,
                   false,
                   false};
    job.status = JOB_STATUS_SPOOLING;
    handle->jobId = job.id;
    spooler.jobs.push_back(job);
    return job.id;
}

BOOL WINAPI StartPagePrinter(HANDLE hPrinter)
{
    return ChangeJob(hPrinter, [](PrinterHandle&, SpoolerJob& job) {
        ++job.pages;
        return TRUE;
    });
}

BOOL WINAPI EndPagePrinter(HANDLE hPrinter)
{
    return ChangeJob(hPrinter, [](PrinterHandle&, SpoolerJob&) { return TRUE; });
}

BOOL WINAPI WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten)
{
    NIRASIM_FAIL_IF_INJECTED("WritePrinter", FALSE);
    if (pcWritten != nullptr) {
        *pcWritten = 0;
    }
    if (pBuf == nullptr && cbBuf > 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return ChangeJob(hPrinter, [&](PrinterHandle&, SpoolerJob& job) {
        job.data.append(static_cast<const char*>(pBuf), cbBuf);
        if (pcWritten != nullptr) {
            *pcWritten = cbBuf;
        }
        return TRUE;
    });
}

BOOL WINAPI EndDocPrinter(HANDLE hPrinter)
{
    return ChangeJob(hPrinter, [](PrinterHandle& handle, SpoolerJob& job) {
        job.ended = true;
        job.status &= ~JOB_STATUS_SPOOLING;
        job.deleted = (job.status & JOB_STATUS_DELETING) != 0;
        handle.jobId = 0;
        return TRUE;
    });
}

BOOL WINAPI AbortPrinter(HANDLE hPrinter)
{
    return ChangeJob(hPrinter, [](PrinterHandle& handle, SpoolerJob& job) {
        job.aborted = true;
        job.deleted = true;
        job.status = (job.status & ~JOB_STATUS_SPOOLING) | JOB_STATUS_DELETED;
        handle.jobId = 0;
        return TRUE;
    });
}

BOOL WINAPI EnumJobsW(HANDLE hPrinter, DWORD FirstJob, DWORD NoJobs, DWORD Level, LPBYTE pJob, DWORD cbBuf,
                      LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    NIRASIM_FAIL_IF_INJECTED("EnumJobsW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle || handle->printer.empty()) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    *pcReturned = 0;
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<SpoolerJob*> queue = Queue(handle->printer);
    RecordPacker packer;
    DWORD count = 0;
    for (DWORD i = FirstJob; i < queue.size() && count < NoJobs; ++i, ++count) {
        PackJob(packer, *queue[i], i + 1);
    }
    if (!packer.Answer(pJob, cbBuf, pcbNeeded)) {
        return FALSE;
    }
    *pcReturned = count;
    return TRUE;
}

BOOL WINAPI GetJobW(HANDLE hPrinter, DWORD JobId, DWORD Level, LPBYTE pJob, DWORD cbBuf, LPDWORD pcbNeeded)
{
    NIRASIM_FAIL_IF_INJECTED("GetJobW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle || handle->printer.empty()) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (pcbNeeded == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<SpoolerJob*> queue = Queue(handle->printer);
    for (DWORD i = 0; i < queue.size(); ++i) {
        if (queue[i]->id == JobId) {
            RecordPacker packer;
            PackJob(packer, *queue[i], i + 1);
            return packer.Answer(pJob, cbBuf, pcbNeeded);
        }
    }
    return Fail(ERROR_INVALID_PARAMETER);
}

BOOL WINAPI SetJobW(HANDLE hPrinter, DWORD JobId, DWORD Level, LPBYTE, DWORD Command)
{
    NIRASIM_FAIL_IF_INJECTED("SetJobW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle || handle->printer.empty()) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (Level != 0) {
        return Fail(ERROR_INVALID_LEVEL);  // only commands change jobs here
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (SpoolerJob* job : Queue(handle->printer)) {
        if (job->id != JobId) {
            continue;
        }
        switch (Command) {
        case JOB_CONTROL_PAUSE:
            job->status |= JOB_STATUS_PAUSED;
            return TRUE;
        case JOB_CONTROL_RESUME:
            job->status &= ~JOB_STATUS_PAUSED;
            return TRUE;
        case JOB_CONTROL_CANCEL:
        case JOB_CONTROL_DELETE:
            job->status |= JOB_STATUS_DELETING;
            // An open document goes when it ends, a printing one after its last page.
            job->deleted = (job->ended || job->aborted) && !job->printing;
            return TRUE;
        case JOB_CONTROL_RESTART:
        case JOB_CONTROL_SENT_TO_PRINTER:
            return TRUE;
        case JOB_CONTROL_LAST_PAGE_EJECTED:
            job->status |= JOB_STATUS_PRINTED;
            job->deleted = job->ended || (job->status & JOB_STATUS_DELETING) != 0;  // printed jobs leave
            return TRUE;
        default:
            return Fail(ERROR_INVALID_PARAMETER);
        }
    }
    return Fail(ERROR_INVALID_PARAMETER);
}

namespace {

std::mutex g_readHookLock;
std::function<void(DWORD)> g_readHook;

void RunReadHook(DWORD jobId)
{
    std::function<void(DWORD)> hook;
    {
        std::lock_guard<std::mutex> guard(g_readHookLock);
        hook = g_readHook;
    }
    if (hook && jobId != 0) {
        hook(jobId);
    }
}

}  // namespace

void nirasim::sim::SetReadPrinterHook(std::function<void(DWORD jobId)> hook)
{
    std::lock_guard<std::mutex> guard(g_readHookLock);
    g_readHook = std::move(hook);
}

DWORD nirasim::sim::QueueSpooledJob(const std::u16string& printer, const std::u16string& documentName,
                                    const std::u16string& dataType, const std::string& data)
{
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    PrinterRecord* record = FindPrinter(printer);
    if (record == nullptr) {
        return 0;
    }
    SpoolerJob job{spooler.nextJobId++, record->spec.name, documentName, {}, dataType, data, 0, true, false};
    spooler.jobs.push_back(job);
    return job.id;
}

BOOL WINAPI ReadPrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pNoBytesRead)
{
    NIRASIM_FAIL_IF_INJECTED("ReadPrinter", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    RunReadHook(handle->readJobId);
    if (pNoBytesRead == nullptr || (pBuf == nullptr && cbBuf > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    *pNoBytesRead = 0;
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (const auto& job : spooler.jobs) {
        if (handle->readJobId != 0 && job.id == handle->readJobId) {
            size_t available =
                job.data.size() > handle->readOffset ? job.data.size() - handle->readOffset : 0;
            DWORD count = static_cast<DWORD>(std::min<size_t>(available, cbBuf));
            std::copy_n(job.data.data() + handle->readOffset, count, static_cast<char*>(pBuf));
            handle->readOffset += count;
            *pNoBytesRead = count;
            return TRUE;
        }
    }
    return Fail(ERROR_INVALID_HANDLE);  // not a job handle
}
