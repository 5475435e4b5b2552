// Documents sent to a printer: StartDocPrinterW opens a job on the handle, pages and bytes are
// recorded, EndDocPrinter or AbortPrinter closes it. Jobs go to the spooler's journal.
#include "core/Failures.h"
#include "spooler/Spooler.h"

#include "core/Wide.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

const char16_t* const kDataTypes[] = {u"RAW", u"RAW [FF appended]", u"RAW [FF auto]", u"TEXT", u"NT EMF 1.003",
                                      u"NT EMF 1.006", u"NT EMF 1.007", u"NT EMF 1.008", u"XPS2GDI"};

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
    std::u16string dataType = info.pDatatype != nullptr ? std::u16string(info.pDatatype) : printer->spec.dataType;
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
    SpoolerJob job{spooler.nextJobId++, printer->spec.name, WideFrom(info.pDocName), WideFrom(info.pOutputFile),
                   dataType, {}, 0, false, false};
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
        handle.jobId = 0;
        return TRUE;
    });
}

BOOL WINAPI AbortPrinter(HANDLE hPrinter)
{
    return ChangeJob(hPrinter, [](PrinterHandle& handle, SpoolerJob& job) {
        job.aborted = true;
        handle.jobId = 0;
        return TRUE;
    });
}
